// The main window: start-up with its settings and the command line, shutdown, the names proposed
// by the save dialog, the mode switch with its visibility table, the option handlers, undo and
// redo, the move counter and the JSON export of the save dialog.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "../support/task_text.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "play/notation.h"
#include "editor/board_geometry.h"
#include "ui/board_image.h"
#include "ui/spin_frame.h"
#include "ui/task_names.h"
#include "ui/zrk_form.h"

using namespace zrk;

namespace {

class TRecorder final : public IReporter {
 public:
  QStringList Messages;
  void Report(MsgKind, const std::string& caption, const std::string& text) override {
    Messages << QString::fromStdString(caption + ": " + text);
  }
};

// A 4 x 5 field with 18 one-cell figures: "4x5_20-18 E2".
void BuildPuzzle(TTask& task) {
  test::BuildTask(task, {{"ABCD", "EFGH", "IJKL", "MNOP", "QR.."}});
}

// Plays count one-cell moves on the board's line in play mode: fig steps right and back again.
void PlayBackAndForth(TPlayEngine& play, int fig, int count) {
  std::vector<int16_t> pos(play.Line.Positions(play.Line.Cur), play.Line.Positions(play.Line.Cur) + play.Line.FigCount);
  std::vector<uint16_t> map = play.ScratchMap();
  play.SetPosition(pos.data(), map.data(), true);
  for (int k = 0; k < count; ++k) {
    TMove m;
    m.Fig = uint8_t(fig);
    m.Dir = int8_t(k % 2 == 0 ? 1 : 3);
    m.Len = 1;
    m.Cell = play.FirstCell(fig, pos[size_t(fig)]);
    bool pushed = false;
    QVERIFY(play.Step(pos.data(), map.data(), fig, m.Dir, pushed));
    play.AppendEntry(m, pos.data());
  }
}

// Pixels of the move counter's maroon (colour word 000080, red in the low byte) in the top rows.
int CounterPixels(const QImage& image, int rows) {
  int n = 0;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.blue() < 60 && c.green() < 60 && c.red() > 90 && c.red() - c.blue() > 50) ++n;
    }
  return n;
}

} // namespace

class TestMainWindow : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void startWithDashLoadsNothing();
  void startWithFileMakesItTheTaskFile();
  void startWithoutParameterLoadsCurrentState();
  void damagedStartFileIsReportedAndEmptyTaskShown();
  void shutdownWritesSettingsAndState();
  void closeWithoutSavingWritesNothing();
  void settingsAreReadBack();
  void defaultNameAndStaleness();
  void saveAsNumbersTakenNames();
  void saveProposalKeepsUserNames();
  void saveWritesTheFileAndRenamesTheTask();
  void modeSwitchFollowsTheVisibilityTable();
  void moveKindRules();
  void freedomButtons();
  void endPosButtonWidensTheImage();
  void cellSizeIsLimitedByTheImageArea();
  void undoAndRedoOverOptionChanges();
  void undoAndRedoOverModeSwitching();
  void moveCounterInPlayMode();
  void treeTooBigForUndo();
  void saveWithJsonFilterExports();
  void qtDialogsSpeakRussian();
  void windowScreenshot();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  TRecorder Recorder;
  QString Sample;

  std::unique_ptr<TZRKForm> Start(const QStringList& args) {
    return std::make_unique<TZRKForm>(Paths, args, &Recorder);
  }
  QString InDir(const QString& name) const { return Dir->filePath(name); }
  // A window over the 4 x 5 puzzle, shown and recorded as the base of the history.
  std::unique_ptr<TZRKForm> StartWithPuzzle() {
    auto form = Start({"-"});
    BuildPuzzle(form->Task);
    form->ShowTask();
    return form;
  }
};

void TestMainWindow::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
  Sample = QFINDTESTDATA("../../samples/klotski.zrk");
  QVERIFY(!Sample.isEmpty());
}

void TestMainWindow::cleanup() { Dir.reset(); }

void TestMainWindow::startWithDashLoadsNothing() {
  QSettings(Paths.IniPath, QSettings::IniFormat).setValue("Opt/TaskFile", "/somewhere/005 Осёл.zrk");
  QFile::copy(Sample, Paths.CurrentPath);
  auto form = Start({"-"});
  QCOMPARE(form->Task.DimX, 10);
  QCOMPARE(form->Task.DimY, 10);
  QCOMPARE(form->Task.FigCount, 1);
  QCOMPARE(form->TaskFile(), QString("/somewhere/005 Осёл.zrk"));
  QCOMPARE(form->windowTitle(), QStringLiteral("ZRK (Осёл)"));
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestMainWindow::startWithFileMakesItTheTaskFile() {
  auto form = Start({Sample});
  QCOMPARE(form->TaskFile(), Sample);
  QVERIFY(form->Task.FigCount > 1);
  QCOMPARE(form->windowTitle(), QStringLiteral("ZRK (klotski)"));
}

void TestMainWindow::startWithoutParameterLoadsCurrentState() {
  QSettings(Paths.IniPath, QSettings::IniFormat).setValue("Opt/TaskFile", "/tasks/mine.zrk");
  QVERIFY(QFile::copy(Sample, Paths.CurrentPath));
  auto form = Start({});
  QVERIFY(form->Task.FigCount > 1);
  // The data comes from the automatic save while the name is the file last opened.
  QCOMPARE(form->TaskFile(), QString("/tasks/mine.zrk"));
  QCOMPARE(form->windowTitle(), QStringLiteral("ZRK (mine)"));
  // No settings and no automatic save at all: an empty task, the automatic save as the name.
  QFile::remove(Paths.CurrentPath);
  QFile::remove(Paths.IniPath);
  auto fresh = Start({});
  QCOMPARE(fresh->Task.FigCount, 1);
  QCOMPARE(fresh->TaskFile(), Paths.CurrentPath);
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestMainWindow::damagedStartFileIsReportedAndEmptyTaskShown() {
  QFile f(Paths.CurrentPath);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("not a task at all, just some bytes");
  f.close();
  auto form = Start({});
  QCOMPARE(Recorder.Messages.size(), 1);
  QCOMPARE(form->Task.FigCount, 1);
  QVERIFY(form->Im->Bitmap.width() > 0);
}

void TestMainWindow::shutdownWritesSettingsAndState() {
  {
    auto form = Start({Sample});
    form->Settings.OnlyField = false;
    form->Midend.SolveOptions.SolMax = 7;
    form->close();
  }
  QVERIFY(QFile::exists(Paths.CurrentPath));
  TTask task;
  QVERIFY(LoadTask(task, Paths.CurrentPath.toStdString()));
  TTask sample;
  QVERIFY(LoadTask(sample, Sample.toStdString()));
  QCOMPARE(task.FigCount, sample.FigCount);
  QSettings ini(Paths.IniPath, QSettings::IniFormat);
  QCOMPARE(ini.value("Opt/TaskFile").toString(), Sample);
  QCOMPARE(ini.value("Opt/OnlyField").toInt(), 0);
  QCOMPARE(ini.value("Opt/SolMax").toInt(), 7);
  QCOMPARE(ini.value("Opt/Remote").toInt(), 1);
  QCOMPARE(ini.value("Opt/LastColor").toInt(), 0xFFFF80);
  QCOMPARE(ini.value("Navigate/Visible").toInt(), 0);
  const QVariant place = ini.value("0/WinPosition");
  const QString text = place.typeId() == QMetaType::QStringList ? place.toStringList().join(',') : place.toString();
  QCOMPARE(text.split(',').size(), 5);
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestMainWindow::closeWithoutSavingWritesNothing() {
  auto form = Start({Sample});
  form->show();
  form->CloseWithoutSaveA->trigger();
  QVERIFY(!QFile::exists(Paths.CurrentPath));
  QVERIFY(!QFile::exists(Paths.IniPath));
  // The shortcut is the one given for the action.
  QVERIFY(form->CloseWithoutSaveA->shortcuts().contains(QKeySequence("Shift+F11")));
}

void TestMainWindow::settingsAreReadBack() {
  {
    QSettings ini(Paths.IniPath, QSettings::IniFormat);
    ini.setValue("Opt/OnlyField", 0);
    ini.setValue("Opt/SameColor", 1);
    ini.setValue("Opt/SolMax", 3);
    ini.setValue("Opt/LastColor", 0x80FF80);
    ini.setValue("Opt/MovesFile", "/m/moves.txt");
    ini.setValue("0/WinPosition", "100,120,900,500,0");
  }
  auto form = Start({"-"});
  QVERIFY(!form->Settings.OnlyField);
  QVERIFY(!form->OnlyFieldCB->isChecked());
  QVERIFY(form->Colours.SameColor);
  QVERIFY(form->SameColCB->isChecked());
  QCOMPARE(form->Midend.SolveOptions.SolMax, 3);
  QCOMPARE(int(form->Settings.LastColor), 0x80FF80);
  QCOMPARE(form->Settings.MovesFile, std::string("/m/moves.txt"));
  QCOMPARE(form->width(), 900);
  QCOMPARE(form->height(), 500);
  // A placement far off every desktop is ignored.
  QSettings(Paths.IniPath, QSettings::IniFormat).setValue("0/WinPosition", "-5000,-5000,300,200,0");
  auto other = Start({"-"});
  QCOMPARE(other->width(), 1201);
}

void TestMainWindow::defaultNameAndStaleness() {
  TTask task;
  BuildPuzzle(task);
  QCOMPARE(DefaultName(task), QString("4x5_20-18 E2"));
  task.Options.Gravity = true;
  QCOMPARE(DefaultName(task), QString("4x5_20-18 E2 G"));
  task.Options.Gravity = false;
  const QString current = "/x/Current.zrk";
  struct Case { const char* file; bool stale; };
  const Case cases[] = {
      {"/x/Current.zrk", true},        {"/d/4x5_20-18 E2.zrk", false}, {"/d/4x5_20-17 E3.zrk", true},
      {"/d/4x5_20-18 E1.zrk", true},   {"/d/4x5_20-18.zrk", false},    {"/d/4x5_20.zrk", false},
      {"/d/4x5_21.zrk", true},         {"/d/4x5_19-18 E2.zrk", true},  {"/d/4x5 mine.zrk", false},
      {"/d/4x5_mine.zrk", false},      {"/d/3x5_20-18 E2.zrk", true},  {"/d/4x.zrk", true},
  };
  for (const Case& c : cases) QVERIFY2(NameIsStale(c.file, current, task, DefaultName(task)) == c.stale, c.file);
}

void TestMainWindow::saveAsNumbersTakenNames() {
  TTask task;
  BuildPuzzle(task);
  const QString taskFile = InDir("4x5_20-18 E2.zrk");
  QStringList taken;
  auto isTaken = [&](const QString&, const QString& name) { return taken.contains(name); };
  QCOMPARE(SaveProposal(true, taskFile, Paths.CurrentPath, task, isTaken), QString("4x5_20-18 E2"));
  taken << "4x5_20-18 E2" << "4x5_20-18 E2_1";
  QCOMPARE(SaveProposal(true, taskFile, Paths.CurrentPath, task, isTaken), QString("4x5_20-18 E2_2"));
  for (int k = 2; k <= 100; ++k) taken << QString("4x5_20-18 E2_%1").arg(k);
  QCOMPARE(SaveProposal(true, taskFile, Paths.CurrentPath, task, isTaken), QString("4x5_20-18 E2_101"));
  // On disk, an old ".f3d" file and a ".zrk" file both take a name.
  for (const char* name : {"4x5_20-18 E2.f3d", "4x5_20-18 E2_1.zrk"}) {
    QFile f(InDir(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
  }
  QCOMPARE(SaveProposal(true, taskFile, Paths.CurrentPath, task, FilesOnDisk()), QString("4x5_20-18 E2_2"));
}

void TestMainWindow::saveProposalKeepsUserNames() {
  TTask task;
  BuildPuzzle(task);
  auto none = [](const QString&, const QString&) { return false; };
  QCOMPARE(SaveProposal(false, "/d/My puzzle.zrk", "/x/Current.zrk", task, none), QString("My puzzle"));
  QCOMPARE(SaveProposal(false, "/d/4x5_20-18 E2.zrk", "/x/Current.zrk", task, none), QString("4x5_20-18 E2"));
  // One one-cell figure fewer: the name no longer describes the task.
  TTask smaller;
  test::BuildTask(smaller, {{"ABCD", "EFGH", "IJKL", "MNOP", "Q..."}});
  QCOMPARE(SaveProposal(false, "/d/4x5_20-18 E2.zrk", "/x/Current.zrk", smaller, none), QString("4x5_20-17 E3"));
  QCOMPARE(SaveProposal(false, "/x/Current.zrk", "/x/Current.zrk", task, none), QString("4x5_20-18 E2"));
  QCOMPARE(CaptionTaskName("/lib/012 Pennant.zrk"), QString("Pennant"));
  QCOMPARE(CaptionTaskName("/lib/12 Pennant.zrk"), QString("12 Pennant"));
}

void TestMainWindow::saveWritesTheFileAndRenamesTheTask() {
  auto form = Start({Sample});
  const QString target = InDir("copy.zrk");
  QVERIFY(form->SaveTaskTo(target, false));
  QCOMPARE(form->TaskFile(), target);
  QCOMPARE(form->windowTitle(), QStringLiteral("ZRK (copy)"));
  QVERIFY(QFile::exists(target));
  // A file that cannot be written is reported, and the task keeps its name.
  QVERIFY(!form->SaveTaskTo(InDir("no/such/folder/x.zrk"), false));
  QCOMPARE(Recorder.Messages.size(), 1);
  QCOMPARE(form->TaskFile(), target);
  // Opening it again through the window brings its name back.
  QVERIFY(form->OpenTaskFile(Sample, true));
  QCOMPARE(form->TaskFile(), Sample);
}

void TestMainWindow::modeSwitchFollowsTheVisibilityTable() {
  auto form = Start({Sample});
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  const QList<QWidget*> editOnly{form->DimP, form->FitDimBt, form->RectBt, form->InvertSelBt,
                                 form->EditP, form->SymP, form->OnlyFieldCB};
  const QList<QWidget*> playOnly{form->EditBegP, form->OpenMovesP, form->TreeP, form->FixDirP};
  auto check = [&](bool play) {
    for (QWidget* w : editOnly) QVERIFY2(w->isVisible() == !play, qPrintable(w->objectName()));
    for (QWidget* w : playOnly) QVERIFY2(w->isVisible() == play, qPrintable(w->objectName()));
    QCOMPARE(form->MoveKindP->isEnabled(), !play);
    QCOMPARE(form->Task.Options.Play, play);
    QCOMPARE(form->PlayBt->text(), play ? QStringLiteral("Редактир.") : QStringLiteral("Играть"));
  };
  check(false);
  QCOMPARE(form->ToBufBt->toolTip(), QStringLiteral("Выделенные фигурки в буфер обмена (Ctrl+C или Ctrl+Ins). +Ctrl - все состояние."));
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  check(true);
  QCOMPARE(form->ToBegBt->toolTip(), QStringLiteral("Сделать текущую позицию начальной"));
  QVERIFY(form->TreeP->width() >= 299);
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  check(false);
  // Under gravity the fixing panel stays hidden in play mode.
  form->GravityRB->click();
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  QVERIFY(form->TreeP->isVisible());
  QVERIFY(!form->FixDirP->isVisible());
  // EditBegBt leaves play mode too.
  QTest::mouseClick(form->EditBegBt, Qt::LeftButton);
  check(false);
}

void TestMainWindow::moveKindRules() {
  auto form = Start({"-"});
  TTaskOptions& o = form->Task.Options;
  form->MinGrCB->click();
  QVERIFY(o.MinGr);
  QCOMPARE(o.MoveKind, int(OneCellMove));
  QVERIFY(o.GrSlide);
  // Unchecking group slide clears the minimal group.
  form->GrSlideCB->click();
  QVERIFY(!o.GrSlide);
  QVERIFY(!o.MinGr);
  QVERIFY(!form->MinGrCB->isChecked());
  // Checking it sets group slide and one-cell moves back.
  form->OneDirRB->click();
  form->MinGrCB->click();
  QVERIFY(o.MinGr && o.GrSlide);
  QCOMPARE(o.MoveKind, int(OneCellMove));
  QVERIFY(form->OneCellRB->isChecked());
  QVERIFY(form->GrSlideCB->isChecked());
  // Another move kind clears it.
  form->OneDirRB->click();
  QCOMPARE(o.MoveKind, int(OneDirMove));
  QVERIFY(!o.MinGr);
  form->AnyPathRB->click();
  QCOMPARE(o.MoveKind, int(AnyPathMove));
  // The three move modes exclude each other; the slide options show only for one figure.
  form->show();
  form->CoopRB->click();
  QVERIFY(o.Cooperative && !o.Gravity);
  QVERIFY(!form->SlideOptP->isVisible());
  form->GravityRB->click();
  QVERIFY(o.Gravity && !o.Cooperative);
  form->OneFigRB->click();
  QVERIFY(o.OneFig());
  QVERIFY(form->SlideOptP->isVisible());
  // While the program sets the controls, the handlers do nothing.
  form->Updating = true;
  form->CoopRB->click();
  QVERIFY(o.OneFig());
  form->Updating = false;
}

void TestMainWindow::freedomButtons() {
  auto form = Start({"-"});
  TTask& task = form->Task;
  test::BuildTask(task, {{"A..", "B.."}});
  task.Figs[1].Freedom = Fixed;
  task.Figs[1].EndPos = int16_t(0x81);
  task.Figs[1].Selected = 1;
  task.BuildMaps(true, true);
  QCOMPARE(task.SelCount, 1);
  form->HorDirBt->click();
  QCOMPARE(int(task.Figs[1].Freedom), int(HorSlide));
  QCOMPARE(int(task.Figs[1].EndPos), 0); // a fixed figure set free loses its end position
  QCOMPARE(int(task.Figs[2].Freedom), int(FreeMove));
  form->FixDirBt->click();
  QCOMPARE(int(task.Figs[1].Freedom), int(Fixed));
}

void TestMainWindow::endPosButtonWidensTheImage() {
  auto form = Start({Sample});
  const int withEnd = form->Im->Bitmap.width();
  form->EndPosBt->click();
  QCOMPARE(form->Task.Options.EndPos, form->EndPosBt->isChecked());
  const int other = form->Im->Bitmap.width();
  QVERIFY(withEnd != other);
  QCOMPARE(std::max(withEnd, other), TBoardGeometry::Compute(form->Task.Options.WC, form->Task.DimX, form->Task.DimY,
                                                             true, form->Task.Field().Width).W);
  form->GridFCB->click();
  QVERIFY(!form->Task.Options.GridF);
  form->NumsCB->click();
  QVERIFY(form->Task.Options.ShowNums);
}

void TestMainWindow::cellSizeIsLimitedByTheImageArea() {
  auto form = Start({"-"});
  form->Task.DimX = form->Task.DimY = 126;
  form->CellWSF->SetValue(200, true);
  const int limit = MaxCellSize(126, 126);
  QCOMPARE(form->Task.Options.WC, limit);
  QCOMPARE(form->CellWSF->Value(), limit);
  QVERIFY(qint64(form->Im->Bitmap.width()) * form->Im->Bitmap.height() <= MaxImagePixels);
}

void TestMainWindow::undoAndRedoOverOptionChanges() {
  auto form = Start({Sample});
  TTaskOptions& o = form->Task.Options;
  // The loaded task is the base of the history: nothing to undo or redo yet.
  QVERIFY(!form->UndoBt->isEnabled());
  QVERIFY(!form->RedoBt->isEnabled());
  const bool gridF = o.GridF, onlyField = form->Settings.OnlyField;
  const int kind = o.MoveKind;
  QVERIFY(kind != OneDirMove);
  const int wc = o.WC, width = form->Im->Bitmap.width();

  form->GridFCB->click();
  QCOMPARE(o.GridF, !gridF);
  QVERIFY(form->UndoBt->isEnabled());
  // A refresh that changes nothing takes no slot; settings-level options and the move kind record
  // nothing by themselves but travel with the next change.
  const int cur = form->UndoRing.Cur;
  form->Refresh(UndoStep::New);
  QCOMPARE(form->UndoRing.Cur, cur);
  form->OnlyFieldCB->click();
  form->OneDirRB->click();
  QCOMPARE(form->UndoRing.Cur, cur);
  form->CellWSF->SetValue(wc + 10, true);
  QCOMPARE(o.WC, wc + 10);
  QVERIFY(form->Im->Bitmap.width() > width);

  form->UndoBt->click();
  QCOMPARE(o.WC, wc);
  QCOMPARE(form->CellWSF->Value(), wc);
  QCOMPARE(form->Im->Bitmap.width(), width);
  QCOMPARE(o.MoveKind, kind);
  QVERIFY((kind == AnyPathMove ? form->AnyPathRB : form->OneCellRB)->isChecked());
  QCOMPARE(form->Settings.OnlyField, onlyField);
  QCOMPARE(form->OnlyFieldCB->isChecked(), onlyField);
  QCOMPARE(o.GridF, !gridF);
  QVERIFY(form->RedoBt->isEnabled());
  form->UndoA->trigger();
  QCOMPARE(o.GridF, gridF);
  QCOMPARE(form->GridFCB->isChecked(), gridF);
  QVERIFY(!form->UndoBt->isEnabled());
  form->UndoBt->click(); // disabled: nothing happens
  QCOMPARE(o.GridF, gridF);

  form->RedoA->trigger();
  form->RedoBt->click();
  QCOMPARE(o.WC, wc + 10);
  QCOMPARE(o.MoveKind, int(OneDirMove));
  QVERIFY(form->OneDirRB->isChecked());
  QCOMPARE(form->Settings.OnlyField, !onlyField);
  QVERIFY(!form->RedoBt->isEnabled());
  // A change after an undo drops the redo side.
  form->UndoBt->click();
  QVERIFY(form->RedoBt->isEnabled());
  form->NumsCB->click();
  QVERIFY(!form->RedoBt->isEnabled());
  QVERIFY(Recorder.Messages.isEmpty());
  // Opening a task starts a new history.
  QVERIFY(form->OpenTaskFile(Sample, true));
  QVERIFY(!form->UndoBt->isEnabled());
}

void TestMainWindow::undoAndRedoOverModeSwitching() {
  auto form = Start({Sample});
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  TTask& task = form->Task;
  task.Figs[1].Selected = 1;
  task.SelSummary();
  form->PlusBt->setChecked(true);
  form->Refresh(UndoStep::New);
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  QVERIFY(task.Options.Play);
  QVERIFY(!form->PlusBt->isChecked()); // play mode releases the tool
  QCOMPARE(int(task.Figs[1].Selected), 0);

  form->UndoBt->click();
  QVERIFY(!task.Options.Play);
  QVERIFY(form->EditP->isVisible());
  QVERIFY(!form->TreeP->isVisible());
  QCOMPARE(form->PlayBt->text(), QStringLiteral("Играть"));
  QVERIFY(form->PlusBt->isChecked()); // the tool that was down comes back
  QCOMPARE(int(task.Figs[1].Selected), 1);

  form->RedoBt->click();
  QVERIFY(task.Options.Play);
  QVERIFY(form->TreeP->isVisible());
  QVERIFY(!form->EditP->isVisible());
  QVERIFY(!form->MoveKindP->isEnabled());
  QCOMPARE(form->PlayBt->text(), QStringLiteral("Редактир."));
  QVERIFY(!form->PlusBt->isChecked());
  QCOMPARE(form->MovesL->text(), QStringLiteral("0) "));
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestMainWindow::moveCounterInPlayMode() {
  auto form = StartWithPuzzle();
  QVERIFY(form->Im->Bitmap.width() > 0);
  const int top = TBoardGeometry::ForTask(form->Task).B;
  QCOMPARE(CounterPixels(form->Im->Bitmap, top), 0); // edit mode shows no counter
  form->PlayBt->click();
  PlayBackAndForth(form->Play, 18, 3);
  form->Refresh(UndoStep::New);
  const QString after3 = form->MovesL->text();
  QCOMPARE(after3, QStringLiteral("3) 18 П")); // figure 18 one cell to the right
  QVERIFY(CounterPixels(form->Im->Bitmap, top) > 0);
  // Stepping back through the line is recorded and undone like any change.
  form->Play.GoTo(1);
  form->Refresh(UndoStep::New);
  QCOMPARE(form->MovesL->text(), QStringLiteral("1(3) 18 П"));
  form->UndoBt->click();
  QCOMPARE(form->MovesL->text(), after3);
  form->UndoBt->click();
  QCOMPARE(form->Play.Line.Count, 1);
  QCOMPARE(form->MovesL->text(), QStringLiteral("0) "));
}

void TestMainWindow::treeTooBigForUndo() {
  auto form = StartWithPuzzle();
  form->PlayBt->click();
  // Five bytes a move: this line no longer fits into a snapshot.
  PlayBackAndForth(form->Play, 18, int(SnapshotBodySize / 5) + 10);
  form->Refresh(UndoStep::New);
  QVERIFY(form->UndoRing.Failed);
  form->UndoBt->click();
  QCOMPARE(Recorder.Messages, QStringList{QStringLiteral("Отмена невозможна!: Дерево позиций слишком большое!")});
  QVERIFY(form->Task.Options.Play);
  form->RedoBt->click();
  QCOMPARE(Recorder.Messages.last(), QStringLiteral("Возрат отмены невозможен!: Дерево позиций слишком большое!"));

  // Leaving play mode now loses the line for good, so the window asks first.
  QStringList asked;
  bool answer = false;
  form->Ask = [&](const QString& caption, const QString& text) {
    asked << caption + ": " + text;
    return answer;
  };
  form->PlayBt->click();
  QCOMPARE(asked, QStringList{QStringLiteral("Перейти в редактирование?: Дерево позиций будет потеряно!")});
  QVERIFY(form->Task.Options.Play);
  answer = true;
  form->EditBegBt->click();
  QCOMPARE(asked.size(), 2);
  QVERIFY(!form->Task.Options.Play);
  // The edit state fits again: no question when play mode is left the next time.
  QVERIFY(!form->UndoRing.Failed);
  form->PlayBt->click();
  form->PlayBt->click();
  QCOMPARE(asked.size(), 2);
  QVERIFY(!form->Task.Options.Play);
}

void TestMainWindow::saveWithJsonFilterExports() {
  auto form = StartWithPuzzle();
  form->PlayBt->click();
  PlayBackAndForth(form->Play, 18, 2);
  const QString taskFile = form->TaskFile();
  const QString target = InDir("export.json");
  QVERIFY(form->SaveTaskTo(target, true));
  QCOMPARE(form->TaskFile(), taskFile); // the export is no task file of the program
  QFile f(target);
  QVERIFY(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  QVERIFY(text.startsWith("{"));
  QVERIFY(text.contains("\"Moves\""));
  QVERIFY(text.contains("\"Cell\""));
  // A task file it is not: reading it back is refused.
  TTask other;
  TSilentReporter silent;
  QVERIFY(!LoadTask(other, target.toStdString(), TTaskIo{&silent, nullptr, nullptr}));
  QVERIFY(!form->SaveTaskTo(InDir("no/such/folder/x.json"), true));
  QCOMPARE(Recorder.Messages.size(), 1);
}

void TestMainWindow::qtDialogsSpeakRussian() {
  QVERIFY(InstallQtTranslations());
  QMessageBox box(QMessageBox::Question, "?", "?", QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Да"));
  QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Нет"));
}

// Renders the window offscreen; with ZRK_SCREENSHOT_DIR set the pictures are kept.
void TestMainWindow::windowScreenshot() {
  auto form = Start({Sample});
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  QImage edit = form->grab().toImage();
  QCOMPARE(edit.size(), form->size());
  QTest::mouseClick(form->PlayBt, Qt::LeftButton);
  QImage play = form->grab().toImage();
  QVERIFY(edit != play);
  const QString dir = qEnvironmentVariable("ZRK_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    edit.save(dir + "/main_window_edit.png");
    play.save(dir + "/main_window_play.png");
  }
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
