// Playing on the real window, offscreen, with mouse and key events: dragging figures into moves,
// Esc, the navigation buttons, the track bar and the animation, the position tree with its note
// and buttons, move texts with errors, the fixing buttons, undo across a mode switch, and the
// window's keys and size with a number-entry frame.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "../play/recording_reporter.h"
#include "../support/task_text.h"
#include "board_mouse.h"
#include "model/cp1251.h"
#include "ui/play_nav_panel.h"
#include "ui/spin_frame.h"
#include "ui/tree_panel.h"
#include "ui/zrk_form.h"

using namespace zrk;

class TestPlayWindow : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void draggingRecordsExtendsAndTakesBackMoves();
  void escDuringADragRestoresThePressPosition();
  void navigationButtonsTrackBarAndAnimation();
  void positionTreeThroughItsButtons();
  void moveTextsKeepTheMovesBeforeAnError();
  void fixingButtons();
  void undoIntoPlayModeAfterAModeSwitchRestoresTheBoard();
  void shortcutsWorkWhateverHasTheFocus();
  void theWindowKeepsItsSize();
  void aFolderAsTheTaskFileIsReported();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  test::TRecordingReporter Recorder;

  // A shown window in play mode over the rows, with one-direction moves.
  std::unique_ptr<TZRKForm> Play(const test::TTaskText& rows, int moveKind = OneDirMove) {
    auto form = std::make_unique<TZRKForm>(Paths, QStringList{"-"}, &Recorder);
    test::BuildTask(form->Task, rows);
    form->Task.Options.MoveKind = moveKind;
    form->ShowTask();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
    QTest::mouseClick(form->PlayBt, Qt::LeftButton);
    return form;
  }
  static QPoint At(const TZRKForm& f, int col, int row) {
    const TBoardGeometry g = TBoardGeometry::ForTask(f.Task);
    return {g.CellLeft(col, false) + g.S / 2, g.CellTop(row) + g.S / 2};
  }
  static int Col(const TZRKForm& f, int fig) { return CellX(f.Task.Figs[size_t(fig)].Pos); }
  static QString Node(QTreeWidgetItem* item) { return item ? item->text(0) : QString("<none>"); }
};

void TestPlayWindow::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
}

void TestPlayWindow::cleanup() { Dir.reset(); }

void TestPlayWindow::draggingRecordsExtendsAndTakesBackMoves() {
  auto form = Play({{"A.....", "......"}});
  QVERIFY(form);
  TMouse mouse(form->Im);
  const TMoves& line = form->Play.Line;
  const int slot = form->UndoRing.Cur;
  const QPoint a = At(*form, 0, 0);
  mouse.Drag(Qt::LeftButton, {a, a + QPoint(10, 0), a + QPoint(40, 3), a + QPoint(60, 3)});
  QCOMPARE(line.Count, 2);
  QCOMPARE(int(line.Move(1).Len), 2);
  QCOMPARE(int(line.Move(1).Dir), int(DirRight));
  QCOMPARE(form->MovesL->text(), QStringLiteral("1) 1 П 2"));
  QCOMPARE(form->UndoRing.Cur, slot + 1); // one undo point for the whole drag
  QVERIFY(form->NavP->MoveTB->isVisible());

  const QPoint a2 = At(*form, 2, 0);
  mouse.Drag(Qt::LeftButton, {a2, a2 + QPoint(30, 0)});
  QCOMPARE(line.Count, 2);
  QCOMPARE(int(line.Move(1).Len), 3);
  const QPoint a3 = At(*form, 3, 0);
  mouse.Drag(Qt::LeftButton, {a3, a3 - QPoint(50, 0), a3 - QPoint(90, 0)});
  QCOMPARE(line.Count, 1); // dragged back to the start: the move is taken back
  QCOMPARE(Col(*form, 1), 0);
  QCOMPARE(form->MovesL->text(), QStringLiteral("0) "));
  QVERIFY(Recorder.Messages.empty());
}

void TestPlayWindow::escDuringADragRestoresThePressPosition() {
  auto form = Play({{"A.....", "......"}});
  QVERIFY(form);
  TMouse mouse(form->Im);
  const std::vector<uint16_t> start = form->Task.StartMap;
  const QPoint a = At(*form, 0, 0);
  mouse.Press(Qt::LeftButton, a);
  mouse.Move(a + QPoint(75, 0));
  QCOMPARE(Col(*form, 1), 3);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  QCOMPARE(Col(*form, 1), 0);
  QCOMPARE(form->Task.StartMap, start);
  QCOMPARE(form->Play.Line.Count, 1);
  mouse.Move(a + QPoint(90, 0)); // the cancelled drag does not come back
  mouse.Release(Qt::LeftButton, a + QPoint(90, 0));
  QCOMPARE(Col(*form, 1), 0);
}

void TestPlayWindow::navigationButtonsTrackBarAndAnimation() {
  auto form = Play({{"A....", "B...."}});
  QVERIFY(form);
  form->Midend.AddMoves(Utf8ToCp1251("1П 2П 1П 2П"));
  const TMoves& line = form->Play.Line;
  QCOMPARE(line.Count, 5);
  TPlayNavPanel& nav = *form->NavP;
  QVERIFY(!nav.PrevMoveBt->isEnabled());
  QTest::mouseClick(nav.LastMoveBt, Qt::LeftButton);
  QCOMPARE(line.Cur, 4);
  QVERIFY(!nav.NextMoveBt->isEnabled() && nav.PrevMoveBt->isEnabled());
  QTest::mouseClick(nav.PrevMoveBt, Qt::LeftButton);
  QCOMPARE(line.Cur, 3);
  QCOMPARE(Col(*form, 2), 1);
  QTest::mouseClick(nav.FirstMoveBt, Qt::LeftButton);
  QCOMPARE(line.Cur, 0);
  QTest::mouseClick(nav.NextMoveBt, Qt::LeftButton);
  QCOMPARE(line.Cur, 1);
  QCOMPARE(nav.MoveTB->maximum(), 4);
  QCOMPARE(nav.MoveTB->value(), 1);
  nav.MoveTB->setValue(3); // as a drag of the slider does
  QCOMPARE(line.Cur, 3);
  QCOMPARE(form->MovesL->text(), QStringLiteral("3(4) 1 П"));
  // Stepping is history: undo goes back along the steps.
  form->UndoBt->click();
  QCOMPARE(line.Cur, 1);

  // The animation to the last move, at the fastest speed, on the window's timer.
  for (int i = 0; i < AnimSpeedCount; ++i) QTest::mouseClick(nav.SpeedUpBt, Qt::LeftButton);
  QCOMPARE(nav.SpeedL->text(), QStringLiteral("50"));
  QTest::mouseClick(nav.LastMoveABt, Qt::LeftButton);
  QVERIFY(form->Midend.Anim.Animating());
  QVERIFY(nav.Timer.isActive());
  QTRY_COMPARE(line.Cur, 4);
  QVERIFY(!form->Midend.Anim.Animating());
  QVERIFY(!nav.Timer.isActive());
  QVERIFY(!nav.StopAnimBt->isVisible());
  QCOMPARE(Col(*form, 1), 2);
  // A slow one is stopped by its own button once the button shows.
  nav.SpeedDownBt->click();
  for (int i = 0; i < AnimSpeedCount; ++i) nav.SpeedDownBt->click();
  QCOMPARE(nav.SpeedL->text(), QStringLiteral("0,3"));
  QTest::mouseClick(nav.FirstMoveABt, Qt::LeftButton);
  QTRY_VERIFY(nav.StopAnimBt->isVisible());
  QTest::mouseClick(nav.StopAnimBt, Qt::LeftButton);
  QVERIFY(!form->Midend.Anim.Animating());
  QCOMPARE(line.Cur, 4);
  QVERIFY(!nav.StopAnimBt->isVisible());
}

void TestPlayWindow::positionTreeThroughItsButtons() {
  auto form = Play({{"A....", "B...."}});
  QVERIFY(form);
  TTreePanel& tree = *form->TreePanel;
  form->Midend.AddMoves(Utf8ToCp1251("1П 2П"));
  QTest::mouseClick(form->NavP->LastMoveBt, Qt::LeftButton);
  QTest::mouseClick(tree.AddPosBt, Qt::LeftButton);
  QTreeWidgetItem* root = tree.Tr->topLevelItem(0);
  QCOMPARE(Node(root), QStringLiteral("Начальная позиция"));
  QCOMPARE(root->childCount(), 1);
  QCOMPARE(Node(root->child(0)), QStringLiteral("1)1П - 2)2П"));
  QVERIFY(root->child(0)->isSelected());
  // A note typed for the selected node.
  for (QChar c : QStringLiteral("мой")) QTest::sendKeyEvent(QTest::Click, tree.PosTextE, Qt::Key_unknown, QString(c), {});
  root = tree.Tr->topLevelItem(0);
  QCOMPARE(Node(root->child(0)), QStringLiteral("1)1П - 2)2П мой"));
  QCOMPARE(form->Play.Tree.Selected->Line->PosText, Utf8ToCp1251("мой"));

  // Another line from the first move on: the node splits at the shared move.
  QTest::mouseClick(form->NavP->PrevMoveBt, Qt::LeftButton);
  form->Midend.AddMoves(Utf8ToCp1251("1П"));
  QTest::mouseClick(form->NavP->NextMoveBt, Qt::LeftButton);
  QTest::mouseClick(tree.AddPosBt, Qt::LeftButton);
  root = tree.Tr->topLevelItem(0);
  QTreeWidgetItem* branch = root->child(0);
  QCOMPARE(Node(branch), QStringLiteral("*1)1П"));
  QCOMPARE(branch->childCount(), 2);
  QCOMPARE(Node(branch->child(0)), QStringLiteral("2)1П")); // ordered by figure
  QCOMPARE(Node(branch->child(1)), QStringLiteral("2)2П мой"));

  // Selecting a node brings its position; a click on it brings it back after stepping away.
  tree.Tr->setCurrentItem(branch->child(1));
  QCOMPARE(form->Play.Line.Cur, 2);
  QCOMPARE(Col(*form, 2), 1);
  QCOMPARE(tree.PosTextE->text(), QStringLiteral("мой"));
  QTest::mouseClick(form->NavP->FirstMoveBt, Qt::LeftButton);
  QCOMPARE(form->Play.Line.Cur, 0);
  const QRect r = tree.Tr->visualItemRect(branch->child(1));
  QTest::mouseClick(tree.Tr->viewport(), Qt::LeftButton, {}, r.center());
  QCOMPARE(form->Play.Line.Cur, 2);

  // Deleting one line merges the branch point into the other.
  QTest::mouseClick(tree.DelPosBt, Qt::LeftButton);
  root = tree.Tr->topLevelItem(0);
  QCOMPARE(root->childCount(), 1);
  QCOMPARE(Node(root->child(0)), QStringLiteral("1)1П - 2)1П"));
  QVERIFY(!tree.PosTextE->isEnabled()); // nothing is selected now
  // The root keeps itself: deleting it deletes its subnodes only.
  tree.Tr->setCurrentItem(root);
  QTest::mouseClick(tree.DelPosBt, Qt::LeftButton);
  QCOMPARE(tree.Tr->topLevelItemCount(), 1);
  QCOMPARE(tree.Tr->topLevelItem(0)->childCount(), 0);
  form->UndoBt->click();
  QCOMPARE(tree.Tr->topLevelItem(0)->childCount(), 1);
  QVERIFY(Recorder.Messages.empty());
}

void TestPlayWindow::moveTextsKeepTheMovesBeforeAnError() {
  auto form = Play({{"A....", "B...."}});
  QVERIFY(form);
  const QString path = Dir->filePath("moves.txt");
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("1)1П 2)2П 3)1Ж 4)2П").toUtf8()); // a UTF-8 file, the third move broken
  file.close();
  QVERIFY(form->Midend.OpenMovesFile(path.toStdString()));
  QCOMPARE(form->Play.Line.Count, 3);
  QCOMPARE(form->Play.Line.Cur, 0); // the board stays where the moves were appended
  QCOMPARE(QString::fromStdString(form->Settings.MovesFile), path);
  QCOMPARE(Recorder.Messages.size(), size_t(1));
  QCOMPARE(QString::fromStdString(Recorder.Messages[0].Caption), QStringLiteral("Ошибка при добавлении ходов"));
  QVERIFY2(QString::fromStdString(Recorder.Messages[0].Text).startsWith(QStringLiteral("Ошибка в ходе 3 (положение в тексте 14)")),
           Recorder.Messages[0].Text.c_str());

  // With Ctrl the clipboard's text, appended at the current entry.
  Recorder.Messages.clear();
  QTest::mouseClick(form->NavP->LastMoveBt, Qt::LeftButton);
  QApplication::clipboard()->setText(QStringLiteral("1П 9П"));
  form->OpenMovesBtClick(true);
  QCOMPARE(form->Play.Line.Count, 4);
  QCOMPARE(Recorder.Messages.size(), size_t(1)); // figure 9 does not exist
  QVERIFY(form->NavP->NextMoveBt->isEnabled());
}

void TestPlayWindow::fixingButtons() {
  auto form = Play({{"AB...", "....."}});
  QVERIFY(form);
  TMouse mouse(form->Im);
  QVERIFY(form->FixDir1Bt->isEnabled());
  QVERIFY(!form->UnFixBt->isVisible());
  QTest::mouseClick(form->FixDir1Bt, Qt::LeftButton);
  QVERIFY(form->Midend.Pointer.FixMode);
  mouse.Drag(Qt::LeftButton, {At(*form, 0, 0), At(*form, 1, 0)});
  QCOMPARE(int(form->Task.TempFixed[1]), 1);
  QCOMPARE(int(form->Task.TempFixed[2]), 1);
  QVERIFY(form->UnFixBt->isVisible());
  QTest::keyClick(form.get(), Qt::Key_Escape); // Esc leaves the fixing mode
  QVERIFY(!form->FixDir1Bt->isChecked());
  QVERIFY(!form->Midend.Pointer.FixMode);
  QTest::mouseClick(form->UnFixBt, Qt::LeftButton);
  QCOMPARE(int(form->Task.TempFixed[1]), 0);
  QVERIFY(!form->UnFixBt->isVisible());
  // Dragging a fixed figure frees it.
  form->Task.TempFixed[2] = 1;
  mouse.Drag(Qt::LeftButton, {At(*form, 1, 0), At(*form, 1, 1)});
  QCOMPARE(int(form->Task.TempFixed[2]), 0);
  QCOMPARE(form->Play.Line.Count, 2);
}

void TestPlayWindow::undoIntoPlayModeAfterAModeSwitchRestoresTheBoard() {
  auto form = Play({{"      ", " A..B.", " ....."}});
  QVERIFY(form);
  TMouse mouse(form->Im);
  mouse.Drag(Qt::LeftButton, {At(*form, 1, 1), At(*form, 1, 2)});
  mouse.Drag(Qt::LeftButton, {At(*form, 4, 1), At(*form, 2, 1)});
  const std::vector<uint16_t> played = form->Task.StartMap;
  const QImage shown = form->Im->Bitmap.copy();
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  QVERIFY(!form->Task.Options.Play);
  QVERIFY(form->Task.StartMap != played);
  form->UndoBt->click();
  QVERIFY(form->Task.Options.Play);
  QCOMPARE(form->Task.StartMap, played);
  QCOMPARE(form->Im->Bitmap, shown);
  QVERIFY(form->TreeP->isVisible());
  QCOMPARE(form->MovesL->text(), QStringLiteral("2) 2 Л 2"));
}

void TestPlayWindow::shortcutsWorkWhateverHasTheFocus() {
  auto form = Play({{"A....", "....."}});
  QVERIFY(form);
  QApplication::setActiveWindow(form.get());
  QVERIFY(QTest::qWaitForWindowActive(form.get()));
  QVERIFY(form->focusWidget() != form->CellWSF->E); // the focus does not start in a frame
  form->Midend.AddMoves("1\xcf"); // "1П"
  QTest::mouseClick(form->NavP->LastMoveBt, Qt::LeftButton);
  QCOMPARE(form->Play.Line.Cur, 1);
  // Clicked into, but not typed into: the window's keys still work.
  QTest::mouseClick(form->CellWSF->E, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), form->CellWSF->E);
  QTest::keyClick(form->CellWSF->E, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(form->Play.Line.Cur, 0);
  QTest::keyClick(form->CellWSF->E, Qt::Key_Backspace, Qt::ShiftModifier);
  QCOMPARE(form->Play.Line.Cur, 1);
  QCOMPARE(form->CellWSF->E->text(), QStringLiteral("30"));
  // In the note field too.
  form->TreePanel->PosTextE->setFocus();
  QTest::keyClick(form->TreePanel->PosTextE, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(form->Play.Line.Cur, 0);
  // While the frame is typed into, its keys are its own.
  QTest::mouseClick(form->CellWSF->E, Qt::LeftButton);
  QTest::keyClick(form->CellWSF->E, Qt::Key_5);
  QVERIFY(form->CellWSF->Editing());
  QTest::keyClick(form->CellWSF->E, Qt::Key_Backspace, Qt::ShiftModifier);
  QCOMPARE(form->Play.Line.Cur, 0);
  QTest::keyClick(form->CellWSF->E, Qt::Key_Return);
  QVERIFY(!form->CellWSF->Editing());
}

void TestPlayWindow::theWindowKeepsItsSize() {
  auto form = std::make_unique<TZRKForm>(Paths, QStringList{"-"}, &Recorder);
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  const QSize size = form->size();
  QTest::mouseClick(form->CellWSF->E, Qt::LeftButton);
  QTest::keyClick(form->CellWSF->E, Qt::Key_4);
  QVERIFY(form->CellWSF->OkBt->isVisible());
  QApplication::processEvents();
  QCOMPARE(form->size(), size);
  QTest::keyClick(form->CellWSF->E, Qt::Key_Escape);

  // A task saved in play mode with a tree.
  auto player = Play({{"A....", "B...."}});
  QVERIFY(player);
  player->Midend.AddMoves("1\xcf 2\xcf");
  player->NavP->LastMoveBt->click();
  player->TreePanel->AddPosBt->click();
  const QString path = Dir->filePath("played.zrk");
  QVERIFY(player->SaveTaskTo(path, false));
  QVERIFY(form->OpenTaskFile(path, true));
  QApplication::processEvents();
  QVERIFY(form->Task.Options.Play);
  QCOMPARE(form->size(), size);
  QCOMPARE(form->TreePanel->Tr->topLevelItem(0)->childCount(), 1);
}

void TestPlayWindow::aFolderAsTheTaskFileIsReported() {
  const QString folder = Dir->path();
  auto form = std::make_unique<TZRKForm>(Paths, QStringList{folder}, &Recorder);
  QCOMPARE(Recorder.Messages.size(), size_t(1));
  QCOMPARE(QString::fromStdString(Recorder.Messages[0].Caption), QStringLiteral("Невозможно считать файл"));
  QCOMPARE(QString::fromStdString(Recorder.Messages[0].Text), folder);
  QCOMPARE(form->Task.FigCount, 1);
  QVERIFY(form->Im->Bitmap.width() > 0);
}

QTEST_MAIN(TestPlayWindow)
#include "test_play_window.moc"
