// Editing with the mouse on the real window: a puzzle drawn from an empty board with mouse events
// only, saved, read back and solved; the tool buttons with their cursors and Esc; the numbering
// tool with its window; the rectangle and clearing dialogs.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "../play/recording_reporter.h"
#include "board_mouse.h"
#include "editor/board_geometry.h"
#include "model/ops_selection.h"
#include "model/task_file.h"
#include "solver/solver.h"
#include "ui/board_widget.h"
#include "ui/nums_form.h"
#include "ui/rect_form.h"
#include "ui/spin_frame.h"
#include "ui/zrk_form.h"

using namespace zrk;


class TestEditWindow : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void drawSaveReadBackAndSolve();
  void toolButtonsAreExclusiveAndSetTheCursor();
  void escCancelsAPaintingDrag();
  void numberingToolAndWindow();
  void rectangleAndClearingDialogs();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  test::TRecordingReporter Recorder;

  std::unique_ptr<TZRKForm> Start() {
    auto form = std::make_unique<TZRKForm>(Paths, QStringList{"-"}, &Recorder);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
    return form;
  }
  static TBoardGeometry Geometry(const TZRKForm& form) { return TBoardGeometry::ForTask(form.Task); }
  // The centre of a board cell of the main view or the end view, in image pixels.
  static QPoint At(const TZRKForm& form, int col, int row) {
    const TBoardGeometry g = Geometry(form);
    return {g.CellLeft(col, false) + g.S / 2, g.CellTop(row) + g.S / 2};
  }
  static QPoint AtEnd(const TZRKForm& form, int col, int row) {
    const TBoardGeometry g = Geometry(form);
    return {g.CellLeft(col, true) + g.S / 2, g.CellTop(row) + g.S / 2};
  }
};

void TestEditWindow::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
}

void TestEditWindow::cleanup() { Dir.reset(); }

// A 4 x 2 field; A must reach the top-right corner, B stands in its way but may only slide down its
// groove, a wall under the third cell keeps A from going round below. Shortest: B down, A right
// three times: 4 moves.
void TestEditWindow::drawSaveReadBackAndSolve() {
  auto form = Start();
  QVERIFY(form);
  TMouse mouse(form->Im);
  const TZRKForm& f = *form;

  // The field: a rectangle painted with Shift.
  mouse.Drag(Qt::LeftButton, {At(f, 0, 0), At(f, 2, 1), At(f, 3, 1)}, Qt::ShiftModifier);
  QCOMPARE(form->Task.Field().CellCount(), 8);

  // Three figures: with the add tool, and with the right button held.
  QTest::mouseClick(form->PlusBt, Qt::LeftButton);
  QVERIFY(form->PlusBt->isChecked());
  QCOMPARE(form->Im->cursor().shape(), Qt::CrossCursor);
  mouse.Click(At(f, 0, 0));
  QVERIFY(!form->PlusBt->isChecked()); // used once, released
  QTest::mouseClick(form->PlusBt, Qt::LeftButton);
  mouse.Click(At(f, 1, 0));
  mouse.Press(Qt::RightButton, At(f, 3, 1));
  mouse.Press(Qt::LeftButton, At(f, 3, 1));
  mouse.Release(Qt::LeftButton, At(f, 3, 1));
  mouse.Release(Qt::RightButton, At(f, 3, 1));
  QCOMPARE(form->Task.FigCount, 4);

  // A wall under cell (2, 0): a press near its bottom edge.
  QTest::mouseClick(form->WallsBt, Qt::LeftButton);
  const TBoardGeometry g = Geometry(f);
  mouse.Click({g.CellLeft(2, false) + g.S / 2, g.CellTop(1) - 2});
  QVERIFY(form->Task.StartMap[size_t(MakeCell(2, 0))] & WallBelow);

  // A groove from B's cell down, and a pin on B.
  QTest::mouseClick(form->PinsBt, Qt::LeftButton);
  QVERIFY(!form->WallsBt->isChecked());
  mouse.Drag(Qt::LeftButton, {At(f, 1, 0), At(f, 1, 1)});
  mouse.Click(At(f, 1, 0));
  QTest::mouseClick(form->PinsBt, Qt::LeftButton);
  QCOMPARE(int(form->Task.Figs[2].PinCount), 1);

  // One-cell moves without pushing.
  QTest::mouseClick(form->GrSlideCB, Qt::LeftButton);
  QVERIFY(!form->Task.Options.GrSlide);

  // A's end position: dragged with the right button into the end view.
  QVERIFY(form->Task.Options.EndPos);
  mouse.Drag(Qt::RightButton, {At(f, 0, 0), At(f, 1, 1), AtEnd(f, 2, 0), AtEnd(f, 3, 0)});
  QCOMPARE(int(form->Task.Figs[1].EndPos), 0x81 + 3);
  QCOMPARE(form->Task.Figs[1].Pos, MakeCell(0, 0));

  const QString path = Dir->filePath("drawn.zrk");
  QVERIFY(form->SaveTaskTo(path, false));
  TTask read;
  QVERIFY(LoadTask(read, path.toStdString()));
  QCOMPARE(read.FigCount, 4);
  QCOMPARE(read.FlaggedCells, 2);
  TSolver solver;
  TSolveOptions options;
  options.Remote = false;
  solver.Solve(read, options);
  QCOMPARE(solver.SolutionLayer, 4);
  QVERIFY(Recorder.Messages.empty());
}

void TestEditWindow::toolButtonsAreExclusiveAndSetTheCursor() {
  auto form = Start();
  QVERIFY(form);
  const std::pair<QToolButton*, Qt::CursorShape> tools[] = {
      {form->PlusBt, Qt::CrossCursor}, {form->WallsBt, Qt::IBeamCursor}, {form->PinsBt, Qt::PointingHandCursor}};
  for (auto [button, shape] : tools) {
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked());
    for (auto [other, unused] : tools) QCOMPARE(other->isChecked(), other == button);
    // The board has no image events yet; the cursor follows the button at once.
    QCOMPARE(form->Im->cursor().shape(), shape);
  }
  QTest::mouseClick(form->PinsBt, Qt::LeftButton);
  QCOMPARE(form->Im->cursor().shape(), Qt::ArrowCursor);
  // Ins toggles the add tool.
  form->PlusA->trigger();
  QVERIFY(form->PlusBt->isChecked());
  form->PlusA->trigger();
  QVERIFY(!form->PlusBt->isChecked());
}

void TestEditWindow::escCancelsAPaintingDrag() {
  auto form = Start();
  QVERIFY(form);
  TMouse mouse(form->Im);
  const TZRKForm& f = *form;
  mouse.Drag(Qt::LeftButton, {At(f, 0, 0), At(f, 2, 2)}, Qt::ShiftModifier);
  const std::vector<uint16_t> before = form->Task.StartMap;
  mouse.Press(Qt::LeftButton, At(f, 4, 0));
  mouse.Move(At(f, 4, 1));
  mouse.Move(At(f, 4, 2));
  QVERIFY(form->Task.StartMap != before);
  form->CancelA->trigger();
  mouse.Release(Qt::LeftButton, At(f, 4, 2));
  QVERIFY(form->Task.StartMap == before);
}

void TestEditWindow::numberingToolAndWindow() {
  auto form = Start();
  QVERIFY(form);
  TMouse mouse(form->Im);
  const TZRKForm& f = *form;
  mouse.Drag(Qt::LeftButton, {At(f, 0, 0), At(f, 2, 0)}, Qt::ShiftModifier);
  for (int x = 0; x < 3; ++x) {
    QTest::mouseClick(form->PlusBt, Qt::LeftButton);
    mouse.Click(At(f, x, 0));
  }
  QCOMPARE(form->Task.FigCount, 4);
  QTest::mouseClick(form->NumsBt, Qt::LeftButton);
  QVERIFY(form->NumsMode);
  QVERIFY(form->NumsForm->isVisible());
  QCOMPARE(form->NumsForm->LB->count(), 3);
  // Number 3 to the leftmost figure, then 1 (the list wraps) to the middle one.
  form->NumsForm->LB->setCurrentRow(2);
  mouse.Click(At(f, 0, 0));
  QCOMPARE(int(form->Task.Figs[1].Num), 3);
  QCOMPARE(form->NumsForm->LB->currentRow(), 0);
  mouse.Click(At(f, 1, 0));
  QCOMPARE(int(form->Task.Figs[2].Num), 1);
  // After a click the name field is ready for the selected figure's name.
  SelectOnly(form->Task, 2);
  form->NumsForm->UpdateName();
  form->NumsForm->NameE->setText("Ab");
  QCOMPARE(form->Task.Figs[2].NameStr(), std::string("Ab"));
  QCOMPARE(form->NumsForm->LB->item(0)->text(), QStringLiteral("1 (Ab)"));
  // Another tool leaves numbering mode; closing the window does too.
  QTest::mouseClick(form->PlusBt, Qt::LeftButton);
  QVERIFY(!form->NumsMode);
  QVERIFY(!form->NumsForm->isVisible());
  QTest::mouseClick(form->NumsBt, Qt::LeftButton);
  form->NumsForm->close();
  QVERIFY(!form->NumsMode);
  QVERIFY(!form->NumsBt->isChecked());
}

void TestEditWindow::rectangleAndClearingDialogs() {
  auto form = Start();
  QVERIFY(form);
  QTimer::singleShot(0, form->RectForm, [&form] {
    form->RectForm->XSE->setValue(12);
    form->RectForm->YSE->setValue(5);
    form->RectForm->OkBt->click();
  });
  QTest::mouseClick(form->RectBt, Qt::LeftButton);
  QCOMPARE(form->Task.DimX, 12);
  QCOMPARE(form->Task.DimY, 10);
  QCOMPARE(form->DimXSF->Value(), 12);
  QCOMPARE(form->Task.Field().CellCount(), 60);

  form->Task.Field().Color = 0x123456;
  QTimer::singleShot(0, form->ClearForm, [&form] {
    form->ClearForm->FieldColBt->click(); // at once, while the dialog is open
    QCOMPARE(form->Task.Field().Color, DefaultFieldColor);
    form->ClearForm->ClearFieldCB->setChecked(false);
    form->ClearForm->OkBt->click();
  });
  QTest::mouseClick(form->ClearAllBt, Qt::LeftButton);
  QCOMPARE(form->Task.Field().CellCount(), 60);
  QTimer::singleShot(0, form->ClearForm, [&form] { form->ClearForm->OkBt->click(); });
  QTest::mouseClick(form->ClearAllBt, Qt::LeftButton);
  QCOMPARE(form->Task.Field().CellCount(), 0);
  QVERIFY(form->UndoBt->isEnabled());
}

QTEST_MAIN(TestEditWindow)
#include "test_edit_window.moc"
