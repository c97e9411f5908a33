// The clipboard commands of the main window through the real QClipboard: figures copied in one
// window and pasted into another, the modifier rules of the buttons and shortcuts, a whole state
// into play mode, foreign clipboard contents, and the moves as text.
//
// Between two running programs the same MIME data travels through the system clipboard; that is
// test_clip_processes.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "../play/recording_reporter.h"
#include "../support/task_text.h"
#include "model/clipboard.h"
#include "model/cp1251.h"
#include "model/figs_image.h"
#include "model/task_file.h"
#include "play/notation.h"
#include "ui/clip_controller.h"
#include "ui/qt_clipboard.h"
#include "ui/tree_panel.h"
#include "ui/zrk_form.h"

using namespace zrk;

class TestClipWindow : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void figuresTravelBetweenWindowsKeepingOrChangingColours();
  void theShortcutsFollowTheModifierRules();
  void aWholeStateArrivesInPlayMode();
  void foreignClipboardContentsChangeNothing();
  void movesAsText();
  void aNoteBoxKeepsItsClipboardKeys();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  test::TRecordingReporter Recorder;

  std::unique_ptr<TZRKForm> Window(const test::TTaskText& rows) {
    auto form = std::make_unique<TZRKForm>(Paths, QStringList{"-"}, &Recorder);
    test::BuildTask(form->Task, rows);
    form->ShowTask();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
    return form;
  }
  static void Select(TZRKForm& form, std::initializer_list<int> figs) {
    for (int i : figs) form.Task.Figs[size_t(i)].Selected = 1;
    form.Task.SelSummary();
    form.Refresh(UndoStep::New);
  }
  static QByteArray ClipData(const std::string& format) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data ? data->data(ClipMimeType(format)) : QByteArray();
  }
  static std::vector<uint8_t> TaskBytes(TZRKForm& form) {
    TWr wr;
    WriteTask(form.Task, wr, form.Midend.Io());
    return wr.Bytes();
  }
};

void TestClipWindow::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
  QApplication::clipboard()->clear();
}

void TestClipWindow::cleanup() { Dir.reset(); }

void TestClipWindow::figuresTravelBetweenWindowsKeepingOrChangingColours() {
  auto from = Window({{"AB.C", "...."}});
  auto to = Window({{"D...", "....", "...."}});
  QVERIFY(from && to);
  Select(*from, {1, 3});
  QTest::mouseClick(from->ToBufBt, Qt::LeftButton);
  // The block as other copies of the program read it: its length, then the snapshot.
  const QByteArray block = ClipData(FigsFormat);
  QCOMPARE(block.size(), qsizetype(4 + FigsImageSize));
  QCOMPARE(uint8_t(block[0]) | uint8_t(block[1]) << 8 | uint8_t(block[2]) << 16, int(FigsImageSize));
  QVERIFY(ClipData(StateFormat).isEmpty());

  QTest::mouseClick(to->FromBufBt, Qt::LeftButton, Qt::ShiftModifier);
  QCOMPARE(to->Task.FigCount, 4);
  QCOMPARE(to->Task.Figs[2].Color, from->Task.Figs[1].Color);
  QCOMPARE(to->Task.Figs[3].Color, from->Task.Figs[3].Color);
  QCOMPARE(to->Task.SelCount, 2);
  QVERIFY(to->UndoBt->isEnabled());

  QTest::mouseClick(to->FromBufBt, Qt::LeftButton);
  QCOMPARE(to->Task.FigCount, 6);
  QVERIFY(to->Task.Figs[4].Color != from->Task.Figs[1].Color);
  QVERIFY(to->Task.Figs[5].Color != from->Task.Figs[3].Color);
  QVERIFY(Recorder.Messages.empty());
}

void TestClipWindow::theShortcutsFollowTheModifierRules() {
  auto from = Window({{"AB..", "...."}});
  auto to = Window({{"....", "....", "....", "...."}});
  QVERIFY(from && to);
  Select(*from, {2});
  from->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(from.get()));
  // Ctrl belongs to Ctrl+C and Ctrl+Ins: they copy the figures, not the whole state.
  for (const QKeyCombination keys : {QKeyCombination(Qt::ControlModifier, Qt::Key_C),
                                     QKeyCombination(Qt::ControlModifier, Qt::Key_Insert)}) {
    QApplication::clipboard()->clear();
    QTest::keyClick(from.get(), keys.key(), keys.keyboardModifiers());
    QVERIFY(!ClipData(FigsFormat).isEmpty());
  }
  // Shift in the paste keys keeps the colours, as on the button.
  struct Case {
    QKeyCombination Keys;
    bool KeepsColour;
  };
  const Case cases[] = {{QKeyCombination(Qt::ControlModifier, Qt::Key_V), false},
                        {QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert), true},
                        {QKeyCombination(Qt::AltModifier, Qt::Key_Insert), false},
                        {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_V), true}};
  const Colour original = from->Task.Figs[2].Color;
  to->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(to.get()));
  for (const Case& c : cases) {
    const int before = to->Task.FigCount;
    QTest::keyClick(to.get(), c.Keys.key(), c.Keys.keyboardModifiers());
    QCOMPARE(to->Task.FigCount, before + 1);
    QCOMPARE(to->Task.Figs[size_t(before)].Color == original, c.KeepsColour);
  }
}

void TestClipWindow::aWholeStateArrivesInPlayMode() {
  auto from = Window({{"AB..", "...."}});
  auto to = Window({{"C.", ".."}});
  QVERIFY(from && to);
  from->Task.Text = Utf8ToCp1251("Источник: сборник");
  QTest::mouseClick(from->PlayBt, Qt::LeftButton);
  QVERIFY(from->Midend.AddMoves(Utf8ToCp1251("2П 2Н")));
  QTest::mouseClick(from->ToBufBt, Qt::LeftButton); // play mode: always the whole state
  QVERIFY(!ClipData(StateFormat).isEmpty());
  QTest::mouseClick(to->PlayBt, Qt::LeftButton);
  to->Settings.OpenInfo = true;
  QTest::mouseClick(to->FromBufBt, Qt::LeftButton);
  QVERIFY(to->Task.Options.Play);
  QCOMPARE(to->Play.Line.Count, 3);
  QVERIFY(TaskBytes(*to) == TaskBytes(*from));
  QVERIFY(!to->UndoBt->isEnabled()); // a new task with a new history
  // A task read whole with a text opens the text window, as a file does.
  QVERIFY(to->TextBt->isChecked());

  // In edit mode the button copies the whole state only with Ctrl.
  auto edit = Window({{"E.", ".."}});
  QVERIFY(edit);
  QTest::mouseClick(edit->ToBufBt, Qt::LeftButton, Qt::ControlModifier);
  QVERIFY(!ClipData(StateFormat).isEmpty());
  QVERIFY(ClipData(FigsFormat).isEmpty());
  QVERIFY(Recorder.Messages.empty());
}

void TestClipWindow::foreignClipboardContentsChangeNothing() {
  auto to = Window({{"C.", ".D"}});
  QVERIFY(to);
  const std::vector<uint8_t> before = TaskBytes(*to);
  struct Case {
    const char* Format;
    QByteArray Bytes;
    const char* Message;
  };
  const QByteArray junk = QByteArray("\x20\x00\x00\x00", 4) + QByteArray("this is not a task file, at all.");
  const Case cases[] = {{"ZRKState", junk, "Ошибка в буфере обмена: Неправильный заголовок файла задачи"},
                        {"ZRKFigs", junk, "!: Несовместимая версия приложения"}};
  for (const Case& c : cases) {
    Recorder.Messages.clear();
    auto* mime = new QMimeData;
    mime->setData(ClipMimeType(c.Format), c.Bytes);
    QApplication::clipboard()->setMimeData(mime);
    QTest::mouseClick(to->FromBufBt, Qt::LeftButton);
    QCOMPARE(Recorder.Messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(Recorder.Messages[0].Caption + ": " + Recorder.Messages[0].Text), QString(c.Message));
    QVERIFY(TaskBytes(*to) == before);
  }
  Recorder.Messages.clear();
  QApplication::clipboard()->setText("1П 2Л");
  QTest::mouseClick(to->FromBufBt, Qt::LeftButton);
  QVERIFY(Recorder.Messages.empty());
  QVERIFY(TaskBytes(*to) == before);
}

void TestClipWindow::movesAsText() {
  auto form = Window({{"AB..", "...."}});
  QVERIFY(form);
  QVERIFY(!form->Clips->MovesToBufBt->isVisible()); // a play-mode button
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  QVERIFY(form->Midend.AddMoves(Utf8ToCp1251("2П 2Н 1П")));
  form->Midend.GoToMove(2);
  QVERIFY(form->Clips->MovesToBufBt->isVisible());
  QTest::mouseClick(form->Clips->MovesToBufBt, Qt::LeftButton);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1)2П 2)2Н"));
  QTest::mouseClick(form->Clips->MovesToBufBt, Qt::LeftButton, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("3)1П"));
}

// The window's shortcuts win over an edit box, except the clipboard keys in a text box.
void TestClipWindow::aNoteBoxKeepsItsClipboardKeys() {
  auto form = Window({{"AB..", "...."}});
  QVERIFY(form);
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  QVERIFY(form->Midend.AddMoves(Utf8ToCp1251("2П")));
  form->Midend.GoToMove(1);
  form->Midend.AddPosition();
  QLineEdit* note = form->TreePanel->PosTextE;
  QVERIFY(note->isEnabled());
  form->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form.get()));
  QApplication::clipboard()->setText(QStringLiteral("заметка"));
  note->setFocus();
  const std::vector<uint8_t> before = TaskBytes(*form);
  QTest::keyClick(note, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(note->text(), QStringLiteral("заметка"));
  note->selectAll();
  QApplication::clipboard()->clear();
  QTest::keyClick(note, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("заметка"));
  QVERIFY(ClipData(StateFormat).isEmpty());
  QVERIFY(Recorder.Messages.empty());
}

QTEST_MAIN(TestClipWindow)
#include "test_clip_window.moc"
