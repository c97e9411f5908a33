// Solving from the window: the runner's rhythm with a controlled clock, the results of a solve in the
// window (the played line, the result buttons, the list), switching and adding lines, a long solve
// with its stop, the controls locked while it runs, a close during a solve, the distribution of a
// reopened task, and the options dialog with its settings and placements.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <atomic>

#include "../support/task_text.h"
#include "library/navig_form.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "solver/results.h"
#include "ui/distrib_form.h"
#include "ui/layer_chart.h"
#include "ui/sol_opt_form.h"
#include "ui/sol_panel.h"
#include "ui/solve_controller.h"
#include "ui/solve_runner.h"
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

class TManualClock final : public IClock {
 public:
  int64_t NowMs() override { return Now; }
  std::atomic<int64_t> Now{0};
};

// The 4 x 3 sliding-tile puzzle: 239,500,800 positions, far more than a test lets the search store.
void BuildLongTask(TTask& task) { test::BuildTask(task, {{"ABCD", "EFGH", "IJK."}}); }

constexpr uint64_t TestMemory = uint64_t(640) << 20;

} // namespace

class TestSolveWindow : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void runnerOpensTheDisplayOnlyAfterOneSecond();
  void solveMakesTheSolutionThePlayedLine();
  void resultButtonsSwitchAndAddLines();
  void failedCheckChangesNothing();
  void longSolveShowsStopAndEndsStopped();
  void closingDuringASolveSavesAndExits();
  void distribButtonShowsTheReportOfAReopenedTask();
  void optionsAndPlacementsPersist();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  TAppPaths Paths;
  TRecorder Recorder;
  QString Sample;

  std::unique_ptr<TZRKForm> Start(const QStringList& args) {
    auto form = std::make_unique<TZRKForm>(Paths, args, &Recorder);
    form->Midend.SolveOptions.AvailableMemory = TestMemory;
    form->show();
    return form;
  }
  // A window in the middle of a long solve, past its first second.
  std::unique_ptr<TZRKForm> StartLongSolve() {
    auto form = Start({"-"});
    BuildLongTask(form->Task);
    form->ShowTask();
    form->SolveBt->click();
    return form;
  }
};

void TestSolveWindow::init() {
  ApplyDesignFont();
  Dir = std::make_unique<QTemporaryDir>();
  QVERIFY(Dir->isValid());
  Paths = TAppPaths::InFolder(Dir->path(), Dir->path());
  Recorder.Messages.clear();
  Sample = QFINDTESTDATA("../../samples/klotski.zrk");
  QVERIFY(!Sample.isEmpty());
}

void TestSolveWindow::cleanup() { Dir.reset(); }

void TestSolveWindow::runnerOpensTheDisplayOnlyAfterOneSecond() {
  TManualClock clock;
  TSolveRunner runner(&clock);
  QSignalSpy first(&runner, &TSolveRunner::FirstRefresh);
  QSignalSpy refresh(&runner, &TSolveRunner::Refresh);
  QSignalSpy finished(&runner, &TSolveRunner::Finished);
  TTask task;
  TPlayEngine engine(task);
  QVERIFY(LoadTask(task, Sample.toStdString(), TTaskIo{&Recorder, &engine, nullptr}));
  TSolveOptions options;
  clock.Now = 999; // however long it really takes, the solve ends within its first second
  runner.Start(task, engine, options);
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(first.count(), 0);
  QCOMPARE(refresh.count(), 0);
  QVERIFY(!runner.Solving());

  TTask big;
  TPlayEngine bigEngine(big);
  BuildLongTask(big);
  options.AvailableMemory = TestMemory;
  clock.Now = 0;
  runner.Start(big, bigEngine, options);
  QTest::qWait(300);
  QCOMPARE(first.count(), 0);
  clock.Now = 1000;
  QTRY_COMPARE(first.count(), 1);
  QCOMPARE(refresh.count(), 1);
  clock.Now = 1900;
  QTest::qWait(300);
  QCOMPARE(refresh.count(), 1); // once a second
  clock.Now = 2000;
  QTRY_COMPARE(refresh.count(), 2);
  const auto counts = refresh.last().at(0).value<TSolveCounts>();
  QVERIFY(counts.PosTotal > 0);
  runner.Stop();
  QTRY_COMPARE(finished.count(), 2);
  const auto result = finished.last().at(0).value<TSolveResult>();
  QVERIFY(QString::fromStdString(result.Report).endsWith(QStringLiteral("?\nОстановлено\n")));
  QCOMPARE(result.Counts.ElapsedMs, 2000);
}

void TestSolveWindow::solveMakesTheSolutionThePlayedLine() {
  auto form = Start({Sample});
  QVERIFY(!form->Task.Options.Play);
  form->SolveBt->click();
  QVERIFY(form->Solve->Solving());
  QTRY_VERIFY(!form->Solve->Solving());
  QVERIFY(form->Task.Options.Play);
  const TMoves& line = form->Play.Line;
  QVERIFY(line.Solution && line.RemoteLine);
  QCOMPARE(line.SolveFrom, 0);
  QCOMPARE(line.Cur, 0);
  QVERIFY(PlaysLine(line, line.Solution.get()));
  TSolPanel* p = form->Solve->SolP;
  QVERIFY(p->isVisible());
  QVERIFY(p->SolutionBt->isVisible() && p->SolutionBt->isChecked());
  QVERIFY(p->RemoteBt->isVisible() && !p->RemoteBt->isChecked());
  QVERIFY(p->AddSolBt->isVisible() && p->AddRemBt->isVisible());
  QCOMPARE(form->SolveBt->text(), QStringLiteral("Решить"));
  // The list says what zrk-cli solve prints; the summary keeps it.
  const QString list = form->Solve->DistribForm->ListText();
  QVERIFY2(list.startsWith("0) 1\n") && list.contains(QStringLiteral(" Решений 2\n")) && list.endsWith("124) 8\n"),
           qPrintable(list));
  QCOMPARE(QString::fromStdString(Cp1251ToUtf8(form->Play.Summary.SolveReport)), list);
  QCOMPARE(form->Play.Summary.PosTotal, 25955u);
  QVERIFY(form->PlayBt->isEnabled() && form->OpenA->isEnabled());
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestSolveWindow::resultButtonsSwitchAndAddLines() {
  auto form = Start({Sample});
  form->SolveBt->click();
  QTRY_VERIFY(!form->Solve->Solving());
  TSolPanel* p = form->Solve->SolP;
  TMoves& line = form->Play.Line;
  p->RemoteBt->click();
  QVERIFY(PlaysLine(line, line.RemoteLine.get()));
  QCOMPARE(line.Count, line.RemoteLine->Count() + 1);
  QCOMPARE(line.Cur, 0);
  QVERIFY(p->RemoteBt->isChecked() && !p->SolutionBt->isChecked());
  line.Cur = 7; // stepping along the line does not change which line is played
  p->SolutionBt->click();
  QVERIFY(PlaysLine(line, line.Solution.get()));
  QCOMPARE(line.Cur, 0);
  QVERIFY(p->SolutionBt->isChecked() && !p->RemoteBt->isChecked());

  const size_t nodes = form->Play.Tree.PreOrder().size();
  p->AddSolBt->click();
  QCOMPARE(form->Play.Tree.PreOrder().size(), nodes + 1);
  const TPosNode* added = form->Play.Tree.Selected;
  QVERIFY(added && added->Line->Count() == line.Solution->Count());
  p->AddRemBt->click();
  QVERIFY(form->Play.Tree.PreOrder().size() > nodes + 1);
  QCOMPARE(form->Play.Tree.Selected->Line->Count(), line.RemoteLine->Count());
  p->AddRemBt->click(); // the same line again only selects its node
  QCOMPARE(form->Play.Tree.Selected->Line->Count(), line.RemoteLine->Count());
}

void TestSolveWindow::failedCheckChangesNothing() {
  auto form = Start({"-"});
  form->SolveBt->click();
  QVERIFY(!form->Solve->Solving());
  QCOMPARE(Recorder.Messages, QStringList{QStringLiteral("!: На начальной позиции нет подвижных фигурок")});
  QVERIFY(!form->Task.Options.Play);
}

void TestSolveWindow::longSolveShowsStopAndEndsStopped() {
  auto form = StartLongSolve();
  TDistribForm* d = form->Solve->DistribForm;
  QVERIFY(form->Solve->Solving());
  QTRY_COMPARE_WITH_TIMEOUT(form->SolveBt->text(), QStringLiteral("Стоп"), 5000);
  QVERIFY(d->isVisible() && d->StopBt->isVisible());
  QVERIFY(form->Solve->SolP->DistribBt->isChecked());

  // Everything that changes the task, the line, the mode or the file is out of reach, shortcuts too.
  for (QWidget* w : std::initializer_list<QWidget*>{form->PlayBt, form->UndoBt, form->OpenBt, form->SaveBt,
                                                    form->SolOptBt, form->Im, form->Solve->SolP})
    QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
  for (QAction* a : {form->OpenA, form->SaveA, form->UndoA, form->RedoA, form->CloseWithoutSaveA})
    QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
  QVERIFY(form->SolveBt->isEnabled() && d->StopBt->isEnabled() && d->ToBufBt->isEnabled());
  QVERIFY(!form->NavigForm->isEnabled()); // the library opens no other task meanwhile
  QVERIFY(!d->close());

  // The window answers and repaints while the search runs: the labels move on, the board is drawn.
  const QString list = d->ListText();
  QTRY_VERIFY_WITH_TIMEOUT(d->ListText() != list, 5000);
  QVERIFY(!form->grab().isNull());
  QVERIFY(d->TimeL->text().endsWith(QStringLiteral(" сек.")));
  QVERIFY(d->MaxCountL->isVisible());

  d->StopBt->click();
  QTRY_VERIFY_WITH_TIMEOUT(!form->Solve->Solving(), 3000);
  QVERIFY2(d->ListText().endsWith(QStringLiteral("?\nОстановлено\n")), qPrintable(d->ListText()));
  QVERIFY(d->CountL->text().contains('?'));
  QVERIFY(!d->StopBt->isVisible() && !d->MaxCountL->isVisible());
  QCOMPARE(form->SolveBt->text(), QStringLiteral("Решить"));
  QVERIFY(form->PlayBt->isEnabled() && form->OpenA->isEnabled() && form->Im->isEnabled());
  QVERIFY(form->NavigForm->isEnabled());
  QVERIFY(form->Play.Line.RemoteLine); // the farthest position found so far
  QVERIFY(form->Play.Summary.SolveStopped);

  // A second solve is stopped from SolveBt itself.
  form->SolveBt->click();
  QTRY_COMPARE_WITH_TIMEOUT(form->SolveBt->text(), QStringLiteral("Стоп"), 5000);
  form->SolveBt->click();
  QTRY_VERIFY_WITH_TIMEOUT(!form->Solve->Solving(), 3000);
  QVERIFY(d->ListText().endsWith(QStringLiteral("Остановлено\n")));
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestSolveWindow::closingDuringASolveSavesAndExits() {
  {
    auto form = StartLongSolve();
    QTest::qWait(200);
    QVERIFY(form->Solve->Solving());
    QVERIFY(form->close());
    QVERIFY(!form->Solve->Solving());
  }
  TTask task;
  TPlayEngine engine(task);
  QVERIFY(LoadTask(task, Paths.CurrentPath.toStdString(), TTaskIo{&Recorder, &engine, nullptr}));
  QVERIFY(task.Options.Play);
  QVERIFY(engine.Summary.PosTotal > 0);
  QVERIFY(engine.Summary.SolveStopped);
  QVERIFY(Cp1251ToUtf8(engine.Summary.SolveReport).ends_with("Остановлено\n"));
  QVERIFY(QSettings(Paths.IniPath, QSettings::IniFormat).contains("Opt/Remote"));
  QVERIFY(Recorder.Messages.isEmpty());
}

void TestSolveWindow::distribButtonShowsTheReportOfAReopenedTask() {
  const QString saved = Dir->filePath("solved.zrk");
  QString report;
  {
    auto form = Start({Sample});
    form->SolveBt->click();
    QTRY_VERIFY(!form->Solve->Solving());
    report = form->Solve->DistribForm->ListText();
    QVERIFY(form->SaveTaskTo(saved, false));
  }
  auto form = Start({saved});
  TSolPanel* p = form->Solve->SolP;
  QVERIFY(p->isVisible());
  QVERIFY(!form->Solve->DistribForm->isVisible());
  p->DistribBt->click();
  TDistribForm* d = form->Solve->DistribForm;
  QVERIFY(d->isVisible());
  QCOMPARE(d->ListText(), report);
  QCOMPARE(d->CountL->text(), QStringLiteral("25955 поз."));
  QCOMPARE(d->TimeL->text(), QString::fromStdString(SummaryLabels(form->Play.Summary).Time));
  QCOMPARE(int(d->Chart->Data().Counts.size()), 125);
  QCOMPARE(d->Chart->Data().FarthestLayer, 124);
  p->DistribBt->click();
  QVERIFY(!d->isVisible());
  d->show();
  d->close(); // closing the window releases the button
  QVERIFY(!p->DistribBt->isChecked());
}

void TestSolveWindow::optionsAndPlacementsPersist() {
  {
    auto form = Start({"-"});
    form->SolOptBt->click();
    TSolOptForm* o = form->Solve->SolOptForm;
    QVERIFY(o->isVisible());
    QVERIFY(!o->CountSolCB->isVisible());
    o->RemoteCB->click();
    QVERIFY(o->CountSolCB->isVisible());
    o->CountSolCB->click();
    o->ManySolCB->click();
    QVERIFY(o->SolMaxCB->isVisible());
    o->SolMaxCB->setCurrentIndex(2);
    emit o->SolMaxCB->activated(2);
    o->move(140, 90);
    form->Solve->DistribForm->setGeometry(300, 200, 640, 480);
    QCOMPARE(form->Midend.SolveOptions.SolMax, 20);
    form->close();
  }
  QSettings ini(Paths.IniPath, QSettings::IniFormat);
  QCOMPARE(ini.value("Opt/Remote").toInt(), 0);
  QCOMPARE(ini.value("Opt/CountSol").toInt(), 1);
  QCOMPARE(ini.value("Opt/ManySol").toInt(), 1);
  QCOMPARE(ini.value("Opt/SolMax").toInt(), 20);
  auto numbers = [&](const char* key) {
    const QVariant v = ini.value(key);
    return (v.typeId() == QMetaType::QStringList ? v.toStringList().join(',') : v.toString()).split(',');
  };
  QCOMPARE(numbers("SolOpt/WinPosition").size(), 2);
  QCOMPARE(numbers("Distrib/WinPosition").size(), 5);

  auto form = Start({"-"});
  QVERIFY(!form->Midend.SolveOptions.Remote && form->Midend.SolveOptions.CountSol && form->Midend.SolveOptions.ManySol);
  form->SolOptBt->click();
  TSolOptForm* o = form->Solve->SolOptForm;
  QVERIFY(o->CountSolCB->isVisible() && o->CountSolCB->isChecked());
  QCOMPARE(o->SolMaxCB->currentText(), QString("20"));
  QCOMPARE(form->Solve->DistribForm->size(), QSize(640, 480));
}

QTEST_MAIN(TestSolveWindow)
#include "test_solve_window.moc"
