// The task library's windows over a copy of the sample library: the navigator shows it from the
// current task, a click opens a task, the add dialogs create numbered entries, a new order renames
// them as the dialog shows, and the settings come back.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>

#include "library/add_dir_form.h"
#include "library/add_task_form.h"
#include "library/navig_form.h"
#include "library/order_form.h"
#include "tasklib/lib_names.h"
#include "ui/zrk_form.h"
#include "../play/recording_reporter.h"

using namespace zrk;

namespace {

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

QStringList Children(const QTreeWidgetItem* item) {
  QStringList texts;
  for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0);
  return texts;
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestLibrary : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void navigatorShowsTheLibraryOfTheCurrentTask();
  void clickingATaskOpensIt();
  void selectingAFolderOpensItsFirstTask();
  void missingTaskAndFolderAreReported();
  void addTaskSavesANumberedFile();
  void addFolderCreatesNumberedFolders();
  void reorderRenamesAsShown();
  void reorderOfFoldersMovesTheCurrentTask();
  void settingsComeBack();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  test::TRecordingReporter Recorder;
  QString Lib;   // the copied sample library
  QString Blocks; // its first folder

  std::unique_ptr<TZRKForm> Start(const QString& task) {
    auto form = std::make_unique<TZRKForm>(Paths, QStringList{task}, &Recorder);
    form->NavigForm->OpenFolder = [this](const QString& f) { Recorder.Messages.push_back({"open", f.toStdString()}); };
    return form;
  }
  std::unique_ptr<TZRKForm> StartWithNavigator(const QString& task) {
    auto form = Start(task);
    form->show();
    form->NavigBt->click();
    return form;
  }
  QString FirstTask() const { return Blocks + "/" + Entries(Blocks).first(); }
};

void TestLibrary::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
  const QString samples = QFINDTESTDATA("../../samples/ZRKTasks");
  QVERIFY(!samples.isEmpty());
  Lib = Dir->filePath("lib/ZRKTasks");
  std::filesystem::create_directories(Lib.toStdString());
  std::filesystem::copy(samples.toStdString(), Lib.toStdString(), std::filesystem::copy_options::recursive);
  Blocks = Lib + "/" + Entries(Lib).first();
}

void TestLibrary::cleanup() { Dir.reset(); }

void TestLibrary::navigatorShowsTheLibraryOfTheCurrentTask() {
  const QString second = Blocks + "/" + Entries(Blocks)[1];
  auto form = StartWithNavigator(second);
  TNavigForm* nav = form->NavigForm;
  QVERIFY(nav->isVisible());
  QVERIFY(form->NavigBt->isChecked());
  QTreeWidgetItem* root = nav->Tr->topLevelItem(0);
  QVERIFY(root->text(0).startsWith(QStringLiteral("Задачи (")));
  QCOMPARE(Children(root).size(), Entries(Lib).size());
  QCOMPARE(nav->Tr->currentItem(), root->child(0));
  QVERIFY(root->isExpanded());
  QCOMPARE(nav->G->count(), Entries(Blocks).size());
  QCOMPARE(nav->G->currentRow(), 1);
  QVERIFY(nav->G->item(0)->text().startsWith("1. "));
  // Closing the navigator releases the button; the button shows it again.
  nav->close();
  QVERIFY(!form->NavigBt->isChecked());
  form->NavigBt->click();
  QVERIFY(nav->isVisible());
  QVERIFY(Recorder.Messages.empty());
}

void TestLibrary::clickingATaskOpensIt() {
  auto form = StartWithNavigator(FirstTask());
  TNavigForm* nav = form->NavigForm;
  const int figsBefore = form->Task.FigCount;
  QListWidget* g = nav->G;
  const int last = g->count() - 1;
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(last)).center());
  const QString file = Blocks + "/" + Entries(Blocks)[last];
  QCOMPARE(form->TaskFile(), file);
  QVERIFY(form->windowTitle().contains(QString::fromStdString(TaskTitle(QFileInfo(file).fileName().toStdString()))));
  QVERIFY(form->Task.FigCount == figsBefore); // another layout of the same pieces
  QVERIFY(Recorder.Messages.empty());
  // A task opened from elsewhere takes the tree along.
  const QString tiles = Lib + "/" + Entries(Lib)[1];
  const QString tile = tiles + "/" + Entries(tiles).first();
  QVERIFY(form->OpenTaskFile(tile, true));
  QCOMPARE(nav->SelectedDir()->Path, std::filesystem::path(tiles.toStdString()));
  QCOMPARE(nav->G->currentRow(), 0);
}

void TestLibrary::selectingAFolderOpensItsFirstTask() {
  auto form = StartWithNavigator(FirstTask());
  TNavigForm* nav = form->NavigForm;
  QTreeWidgetItem* root = nav->Tr->topLevelItem(0);
  const QString tiles = Lib + "/" + Entries(Lib)[1];
  nav->Tr->setCurrentItem(root->child(1));
  QCOMPARE(form->TaskFile(), tiles + "/" + Entries(tiles).first());
  QCOMPARE(nav->G->currentRow(), 0);
  // With the add-task dialog open, a folder is only chosen, not opened.
  nav->AddTaskBt->click();
  QVERIFY(nav->AddTaskForm->isVisible());
  nav->Tr->setCurrentItem(root->child(2));
  QCOMPARE(form->TaskFile(), tiles + "/" + Entries(tiles).first());
  QCOMPARE(nav->G->currentRow(), -1);
  QVERIFY(nav->AddTaskForm->windowTitle().contains(root->child(2)->text(0).section(' ', 0, -2)));
}

void TestLibrary::missingTaskAndFolderAreReported() {
  auto form = StartWithNavigator(FirstTask());
  TNavigForm* nav = form->NavigForm;
  const QString gone = Blocks + "/" + Entries(Blocks)[2];
  QVERIFY(QFile::remove(gone));
  QListWidget* g = nav->G;
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(2)).center());
  QTRY_COMPARE(Recorder.Messages.size(), size_t(1));
  QCOMPARE(Recorder.Messages[0].Caption, std::string("Нет файла!"));
  QCOMPARE(Recorder.Messages[0].Text, gone.toStdString());
  QCOMPARE(nav->G->count(), Entries(Blocks).size()); // the tree was read again
  QCOMPARE(form->TaskFile(), FirstTask());

  // The file browser opens the selected folder while it exists.
  Recorder.Messages.clear();
  nav->ExplorerBt->click();
  QCOMPARE(Recorder.Messages.size(), size_t(1));
  QCOMPARE(Recorder.Messages[0].Text, Blocks.toStdString());
  std::filesystem::remove_all(Blocks.toStdString());
  nav->ExplorerBt->click();
  QCOMPARE(Recorder.Messages.size(), size_t(2));
  QCOMPARE(Recorder.Messages[1].Caption, std::string("Нет папки!"));
}

void TestLibrary::addTaskSavesANumberedFile() {
  auto form = StartWithNavigator(FirstTask());
  TNavigForm* nav = form->NavigForm;
  const int before = int(Entries(Blocks).size());
  nav->AddTaskBt->click();
  TAddTaskForm* add = nav->AddTaskForm;
  QVERIFY(add->isVisible());
  // The proposal is the current file's title.
  QCOMPARE(add->E->text().toStdString(), TaskTitle(QFileInfo(FirstTask()).fileName().toStdString()));
  add->E->setText("Мой / вариант");
  add->AddBt->click();
  const QString made = Blocks + QStringLiteral("/%1 Мой вариант.zrk").arg(before + 1, 3, 10, QChar('0'));
  QVERIFY(QFile::exists(made));
  QCOMPARE(form->TaskFile(), made);
  QCOMPARE(nav->G->count(), before + 1);
  QCOMPARE(nav->G->currentRow(), before);
  QVERIFY(nav->Tr->currentItem()->text(0).endsWith(QStringLiteral("(%1)").arg(before + 1)));
  QVERIFY(add->isVisible());

  // As the main task: 000, before the others.
  add->E->setText(QStringLiteral("Серия"));
  add->MainCB->setChecked(true);
  add->AddCloseBt->click();
  QVERIFY(!add->isVisible());
  QVERIFY(!nav->AddTaskBt->isChecked());
  const QStringList names = Entries(Blocks);
  QCOMPARE(names.first(), QStringLiteral("000 Серия.zrk"));
  QCOMPARE(names.last(), QStringLiteral("%1 Мой вариант.zrk").arg(before + 1, 3, 10, QChar('0')));
  QCOMPARE(nav->G->item(0)->text(), QStringLiteral("* Серия"));
  QVERIFY(!add->MainCB->isChecked());
  QVERIFY(Recorder.Messages.empty());
}

void TestLibrary::addFolderCreatesNumberedFolders() {
  auto form = StartWithNavigator(FirstTask());
  TNavigForm* nav = form->NavigForm;
  nav->Tr->setCurrentItem(nav->Tr->topLevelItem(0));
  const int before = int(Entries(Lib).size());
  const int next = Entries(Lib).last().left(3).toInt() + 1;
  nav->AddDirBt->click();
  TAddDirForm* add = nav->AddDirForm;
  QVERIFY(add->isVisible());
  QCOMPARE(add->windowTitle(), QStringLiteral("Добавить подпапку в \"Задачи\""));
  add->AddBt->click();
  add->AddCloseBt->click();
  QVERIFY(!add->isVisible());
  QVERIFY(!nav->AddDirBt->isChecked());
  const QStringList names = Entries(Lib);
  QCOMPARE(names.size(), before + 2);
  QCOMPARE(names[before], QStringLiteral("%1 Папка 1").arg(next, 3, 10, QChar('0')));
  QCOMPARE(names[before + 1], QStringLiteral("%1 Папка 2").arg(next + 1, 3, 10, QChar('0')));
  QCOMPARE(Children(nav->Tr->topLevelItem(0)).last(), QStringLiteral("Папка 2 (0)"));
}

void TestLibrary::reorderRenamesAsShown() {
  auto form = StartWithNavigator(FirstTask());
  TNavigForm* nav = form->NavigForm;
  const QStringList before = Entries(Blocks);
  const QStringList rowsBefore = Rows(nav->G);
  QStringList shown;
  QTimer::singleShot(0, this, [&] {
    TOrderForm* order = nav->OrderForm;
    shown = Rows(order->LB);
    order->LB->item(order->LB->count() - 1)->setSelected(true);
    order->FirstBt->click();
    order->OkBt->click();
  });
  nav->OrderTaskBt->click();
  // The last task is first now; every other keeps its title with the next number.
  QCOMPARE(shown.size(), before.size());
  const QStringList after = Entries(Blocks);
  QCOMPARE(after.size(), before.size());
  QCOMPARE(after.first().mid(4), before.last().mid(4));
  QCOMPARE(after.first().left(3), QString("001"));
  QCOMPARE(after[1].mid(4), before[0].mid(4));
  // The current task was the first: its file has the next number now.
  QCOMPARE(form->TaskFile(), Blocks + "/" + after[1]);
  QVERIFY(Rows(nav->G)[0].endsWith(rowsBefore.last().section(' ', 1)));
  QCOMPARE(nav->G->currentRow(), 1);

  // Cancelled, nothing changes.
  QTimer::singleShot(0, this, [&] { nav->OrderForm->CancelBt->click(); });
  nav->OrderTaskBt->click();
  QCOMPARE(Entries(Blocks), after);
  QVERIFY(Recorder.Messages.empty());
}

void TestLibrary::reorderOfFoldersMovesTheCurrentTask() {
  // The current file named relative to the working folder follows its folder all the same.
  const QString workingFolder = QDir::currentPath();
  const auto back = qScopeGuard([&] { QDir::setCurrent(workingFolder); });
  QVERIFY(QDir::setCurrent(Dir->path()));
  auto form = StartWithNavigator(QDir(Dir->path()).relativeFilePath(FirstTask()));
  TNavigForm* nav = form->NavigForm;
  nav->Tr->setCurrentItem(nav->Tr->topLevelItem(0));
  const QStringList before = Entries(Lib);
  const QString task = Entries(Blocks).first();
  QTimer::singleShot(0, this, [&] {
    TOrderForm* order = nav->OrderForm;
    QVERIFY(!order->MainCB->isVisible());
    order->LB->item(0)->setSelected(true);
    order->DownBt->click();
    order->OkBt->click();
  });
  nav->OrderDirBt->click();
  const QStringList after = Entries(Lib);
  QCOMPARE(after[0].mid(4), before[1].mid(4));
  QCOMPARE(after[1].mid(4), before[0].mid(4));
  QCOMPARE(form->TaskFile(), Lib + "/" + after[1] + "/" + task);
  QVERIFY(QFile::exists(form->TaskFile()));
}

void TestLibrary::settingsComeBack() {
  {
    auto form = StartWithNavigator(FirstTask());
    form->NavigForm->AddTaskForm->DefNameCB->setChecked(true);
    form->NavigForm->setGeometry(40, 30, 333, 444);
    form->close();
  }
  QSettings ini(Paths.IniPath, QSettings::IniFormat);
  QCOMPARE(ini.value("Navigate/Visible").toInt(), 1);
  QCOMPARE(ini.value("AddTask/DefName").toInt(), 1);
  QVERIFY(ini.value("Navigate/TreeHeight").toInt() > 0);
  auto form = Start(FirstTask());
  QVERIFY(form->NavigBt->isChecked());
  QVERIFY(!form->NavigForm->isVisible()); // until the main window is shown
  form->show();
  QVERIFY(form->NavigForm->isVisible());
  QCOMPARE(form->NavigForm->width(), 333);
  QVERIFY(form->NavigForm->G->count() > 0);
  // With "Имя по умолчанию" the add-task dialog proposes the default name.
  form->NavigForm->AddTaskBt->click();
  QCOMPARE(form->NavigForm->AddTaskForm->E->text(), QStringLiteral("4x5_20-10 E2"));
}

QTEST_MAIN(TestLibrary)
#include "test_library.moc"
