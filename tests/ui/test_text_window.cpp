// The task text window and the help window on the real main window: typing into the task's text,
// the text button and its colour, loading tasks with and without a text, clearing the task, the
// standard attributes, the help file read once, and the window open at exit opening again.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "../play/recording_reporter.h"
#include "../support/task_text.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "ui/clear_form.h"
#include "ui/help_form.h"
#include "ui/info_controller.h"
#include "ui/solve_controller.h"
#include "ui/text_form.h"
#include "ui/zrk_form.h"

using namespace zrk;

class TestTextWindow : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void typingGoesIntoTheTaskText();
  void loadingATaskFollowsTheOpenInfoSetting();
  void clearingTheTaskEmptiesTheOpenWindow();
  void standardAttributes();
  void theHelpFileIsReadOnce();
  void theWindowOpenAtExitOpensAgain();
  void aSolveClosesBothWindows();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  test::TRecordingReporter Recorder;

  std::unique_ptr<TZRKForm> Window(const QStringList& args = {"-"}) {
    auto form = std::make_unique<TZRKForm>(Paths, args, &Recorder);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
    return form;
  }
  // A task file with the text (UTF-8 here, code page 1251 in the file).
  QString TaskFile(const char* name, const std::string& text) {
    TTask task;
    test::BuildTask(task, {{"AB.", "..."}});
    task.Text = Utf8ToCp1251(text);
    const QString path = Dir->filePath(name);
    SaveTask(task, path.toStdString());
    return path;
  }
  void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // Typing any letters (the key-name table of QTest knows only ASCII).
  static void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
  static TTextForm& Text(TZRKForm& form) { return *form.Info->TextForm; }
  static QString Edit(TZRKForm& form) { return Text(form).E->toPlainText(); }
  static std::string TaskText(TZRKForm& form) { return Cp1251ToUtf8(form.Task.Text); }
  static bool Blue(const TZRKForm& form) { return form.TextBt->palette().color(QPalette::ButtonText) == QColor(0, 0, 255); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : Recorder.Messages) out.push_back(m.Caption + ": " + m.Text);
    return out;
  }
};

void TestTextWindow::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
}

void TestTextWindow::cleanup() { Dir.reset(); }

void TestTextWindow::typingGoesIntoTheTaskText() {
  auto form = Window();
  QVERIFY(form);
  QCOMPARE(Text(*form).windowTitle(), QStringLiteral("Информация о задаче"));
  QVERIFY(!Blue(*form));
  QTest::mouseClick(form->TextBt, Qt::LeftButton);
  QVERIFY(Text(*form).isVisible());
  Type(Text(*form).E, QStringLiteral("Автор: Ё"));
  QTest::keyClick(Text(*form).E, Qt::Key_Return);
  Type(Text(*form).E, QStringLiteral("1932"));
  // The task keeps the text in code page 1251 with CR LF, and SizeL counts what it keeps.
  QCOMPARE(form->Task.Text, Utf8ToCp1251("Автор: Ё\r\n1932"));
  QCOMPARE(Text(*form).SizeL->text(), QStringLiteral("14"));
  QVERIFY(Blue(*form));

  // The clipboard buttons: the whole text, or the selection; pasted over the selection.
  QTest::mouseClick(Text(*form).ToBufBt, Qt::LeftButton);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Автор: Ё\n1932"));
  QApplication::clipboard()->setText(QStringLiteral("2001"));
  QTextCursor cursor = Text(*form).E->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.movePosition(QTextCursor::StartOfLine, QTextCursor::KeepAnchor);
  Text(*form).E->setTextCursor(cursor);
  QTest::mouseClick(Text(*form).ToBufBt, Qt::LeftButton);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1932"));
  QApplication::clipboard()->setText(QStringLiteral("2001"));
  QTest::mouseClick(Text(*form).FromBufBt, Qt::LeftButton);
  QCOMPARE(TaskText(*form), std::string("Автор: Ё\r\n2001"));

  QTest::mouseClick(Text(*form).ClearBt, Qt::LeftButton);
  QCOMPARE(form->Task.Text, std::string());
  QVERIFY(!Blue(*form));
  // Closing the window releases the button.
  Text(*form).close();
  QVERIFY(!form->TextBt->isChecked());
}

void TestTextWindow::loadingATaskFollowsTheOpenInfoSetting() {
  const QString withText = TaskFile("with.zrk", "Источник: журнал");
  const QString without = TaskFile("without.zrk", "");
  auto form = Window();
  QVERIFY(form);

  // An open window shows the loaded task's text, and stays open for a task without one.
  QTest::mouseClick(form->TextBt, Qt::LeftButton);
  QVERIFY(Text(*form).OpenInfoCB->isChecked()); // on by default
  Text(*form).OpenInfoCB->click();
  QVERIFY(!form->Settings.OpenInfo);
  QVERIFY(form->OpenTaskFile(withText, true));
  QCOMPARE(Edit(*form), QStringLiteral("Источник: журнал"));
  QVERIFY(form->OpenTaskFile(without, true));
  QVERIFY(Text(*form).isVisible());
  QCOMPARE(Edit(*form), QString());

  // Closed, with OpenInfo off: a task with a text leaves it closed, the button turns blue.
  Text(*form).close();
  QVERIFY(form->OpenTaskFile(withText, true));
  QVERIFY(!Text(*form).isVisible());
  QVERIFY(!form->TextBt->isChecked());
  QVERIFY(Blue(*form));

  // With OpenInfo on it opens, and its check box says so.
  QTest::mouseClick(form->TextBt, Qt::LeftButton);
  Text(*form).OpenInfoCB->click();
  QVERIFY(form->Settings.OpenInfo);
  Text(*form).close();
  QVERIFY(form->OpenTaskFile(without, true));
  QVERIFY(!Text(*form).isVisible());
  QVERIFY(!Blue(*form));
  QVERIFY(form->OpenTaskFile(withText, true));
  QVERIFY(Text(*form).isVisible());
  QVERIFY(form->TextBt->isChecked());
  QCOMPARE(Edit(*form), QStringLiteral("Источник: журнал"));
  QVERIFY(Recorder.Messages.empty());
}

void TestTextWindow::clearingTheTaskEmptiesTheOpenWindow() {
  auto form = Window({TaskFile("with.zrk", "Старый текст")});
  QVERIFY(form);
  QTest::mouseClick(form->TextBt, Qt::LeftButton);
  QCOMPARE(Edit(*form), QStringLiteral("Старый текст"));
  QTimer::singleShot(0, form->ClearForm, [&form] { form->ClearForm->OkBt->click(); });
  form->ClearAllBtClick();
  QCOMPARE(form->Task.Text, std::string());
  QCOMPARE(Edit(*form), QString());
  // The next keystroke does not bring the old text back.
  QTest::keyClicks(Text(*form).E, "x");
  QCOMPARE(form->Task.Text, std::string("x"));
}

void TestTextWindow::standardAttributes() {
  auto form = Window();
  QVERIFY(form);
  QTest::mouseClick(form->TextBt, Qt::LeftButton);
  QTest::mouseClick(Text(*form).AttrsBt, Qt::LeftButton);
  QCOMPARE(Messages(), std::vector<std::string>{"!: Нет файла \"Attributes.txt\" в папке программы"});
  QCOMPARE(form->Task.Text, std::string());

  // A file of code page 1251 with CR LF: an empty text becomes exactly its content.
  const std::string attributes = Utf8ToCp1251("Название: \r\nАвтор: \r\n");
  WriteFile(Paths.AttrPath, QByteArray::fromStdString(attributes));
  QTest::mouseClick(Text(*form).AttrsBt, Qt::LeftButton);
  QCOMPARE(form->Task.Text, attributes);

  // Before an old text, with one empty line; a UTF-8 file with its mark reads the same.
  WriteFile(Paths.AttrPath, QByteArray("\xEF\xBB\xBF") + QStringLiteral("Год: \n").toUtf8());
  QTest::mouseClick(Text(*form).AttrsBt, Qt::LeftButton);
  QCOMPARE(TaskText(*form), "Год: \r\n\r\n" + Cp1251ToUtf8(attributes));
  QCOMPARE(Recorder.Messages.size(), size_t(1));
}

void TestTextWindow::theHelpFileIsReadOnce() {
  auto form = Window();
  QVERIFY(form);
  THelpForm& help = *form->Info->HelpForm;
  QCOMPARE(help.windowTitle(), QStringLiteral("Справка по программе"));
  QCOMPARE(help.width(), 754);
  // Missing: the message names the file, and the window opens empty.
  QTest::keyClick(form.get(), Qt::Key_F1);
  QCOMPARE(Messages(), std::vector<std::string>{"Файл справки отсутствует!: " + Paths.DescrPath.toStdString()});
  QVERIFY(help.isVisible());
  QVERIFY(help.E->toPlainText().isEmpty());

  WriteFile(Paths.DescrPath, Utf8ToCp1251("Справка\r\nвторая строка").c_str());
  help.hide();
  QTest::mouseClick(form->HelpBt, Qt::LeftButton);
  QCOMPARE(help.E->toPlainText(), QStringLiteral("Справка\nвторая строка"));
  WriteFile(Paths.DescrPath, "changed");
  help.hide();
  QTest::mouseClick(form->HelpBt, Qt::LeftButton);
  QCOMPARE(help.E->toPlainText(), QStringLiteral("Справка\nвторая строка"));

  QTest::mouseClick(help.ToBufBt, Qt::LeftButton);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Справка\nвторая строка"));
  QUrl opened;
  help.OpenUrl = [&opened](const QUrl& url) { opened = url; };
  QTest::mouseClick(help.AuthorL, Qt::LeftButton);
  QCOMPARE(opened, QUrl(QString::fromUtf8(ProjectPage)));

  // Esc in the main window hides it.
  form->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form.get(), Qt::Key_Escape);
  QVERIFY(!help.isVisible());
  QCOMPARE(Recorder.Messages.size(), size_t(1));
}

void TestTextWindow::theWindowOpenAtExitOpensAgain() {
  {
    auto form = Window({TaskFile("with.zrk", "Текст")});
    QVERIFY(form);
    QTest::mouseClick(form->TextBt, Qt::LeftButton);
    Text(*form).move(40, 50);
    form->close();
  }
  auto again = Window(QStringList{});
  QVERIFY(again);
  // The automatic save brought the task back, and the window opens with its text.
  QVERIFY(again->TextBt->isChecked());
  QVERIFY(Text(*again).isVisible());
  QCOMPARE(Edit(*again), QStringLiteral("Текст"));
  QVERIFY(Blue(*again));
  Text(*again).close();
  again->close();
  auto closed = Window(QStringList{});
  QVERIFY(closed);
  QVERIFY(!Text(*closed).isVisible());
}

void TestTextWindow::aSolveClosesBothWindows() {
  auto form = Window({TaskFile("with.zrk", "Текст")});
  QVERIFY(form);
  form->Task.Figs[1].EndPos = int16_t(0x81 + 2); // A ends one cell to the right
  form->Task.BuildMaps(true, true);
  QTest::mouseClick(form->TextBt, Qt::LeftButton);
  form->Info->HelpBtClick();
  QVERIFY(Text(*form).isVisible() && form->Info->HelpForm->isVisible());
  form->SolveBt->click();
  QVERIFY(!Text(*form).isVisible());
  QVERIFY(!form->TextBt->isChecked());
  QVERIFY(!form->Info->HelpForm->isVisible());
  QTRY_VERIFY(!form->Solve->Solving());
  QVERIFY(form->Task.Options.Play);
}

QTEST_MAIN(TestTextWindow)
#include "test_text_window.moc"
