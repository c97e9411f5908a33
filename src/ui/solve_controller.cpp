#include "ui/solve_controller.h"

#include <QApplication>
#include <QEvent>
#include <QSettings>
#include <QToolButton>

#include "solver/results.h"
#include "ui/app_settings.h"
#include "ui/distrib_form.h"
#include "ui/sol_opt_form.h"
#include "ui/sol_panel.h"
#include "ui/solve_runner.h"

namespace zrk {

namespace {

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

const QColor IdleColour(0, 128, 0);
const QColor StopColour(200, 0, 0);

} // namespace

TSolveController::TSolveController(ISolveHost& host, QWidget* window, QToolButton* solveBt, QToolButton* solOptBt,
                                   IClock* clock)
    : QObject(window), host_(host), window_(window), solveBt_(solveBt) {
  SolP = new TSolPanel(window);
  SolP->hide();
  DistribForm = new TDistribForm(window);
  SolOptForm = new TSolOptForm(host.SolveOptions(), window);
  runner_ = new TSolveRunner(clock, this);
  SetSolveButton(false);

  connect(solveBt, &QToolButton::clicked, this, &TSolveController::SolveBtClick);
  connect(solOptBt, &QToolButton::clicked, this, &TSolveController::SolOptBtClick);
  connect(SolP->SolutionBt, &QToolButton::clicked, this, [this] { ShowStoredLine(false); });
  connect(SolP->RemoteBt, &QToolButton::clicked, this, [this] { ShowStoredLine(true); });
  connect(SolP->AddSolBt, &QToolButton::clicked, this, [this] { AddStoredLine(false); });
  connect(SolP->AddRemBt, &QToolButton::clicked, this, [this] { AddStoredLine(true); });
  connect(SolP->DistribBt, &QToolButton::clicked, this, &TSolveController::DistribBtClick);
  connect(DistribForm, &TDistribForm::StopClicked, runner_, &TSolveRunner::Stop);
  connect(DistribForm, &TDistribForm::Closed, this, [this] { SolP->DistribBt->setChecked(false); });
  connect(runner_, &TSolveRunner::FirstRefresh, this, &TSolveController::FirstRefresh);
  connect(runner_, &TSolveRunner::Refresh, this, &TSolveController::Refresh);
  connect(runner_, &TSolveRunner::Finished, this, &TSolveController::Finished);
}

TSolveController::~TSolveController() {
  if (hintsOff_) qApp->removeEventFilter(this);
}

bool TSolveController::Solving() const { return runner_->Solving(); }

void TSolveController::SetSolveButton(bool stop) {
  solveBt_->setText(stop ? QStringLiteral("Стоп") : QStringLiteral("Решить"));
  QPalette p = solveBt_->palette();
  p.setColor(QPalette::ButtonText, stop ? StopColour : IdleColour);
  solveBt_->setPalette(p);
}

void TSolveController::SolveBtClick() {
  if (Solving()) {
    runner_->Stop();
    return;
  }
  TSolveOptions& options = host_.SolveOptions();
  const std::string problem = TSolveDriver::Check(host_.SolveTask(), options);
  if (!problem.empty()) {
    host_.ShowError(QStringLiteral("!"), Utf8(problem));
    return;
  }
  host_.StopAnimation();
  if (!host_.SolveTask().Options.Play) host_.EnterPlayMode();
  SolOptForm->close();
  SolP->SolutionBt->hide();
  SolP->AddSolBt->hide();
  SolP->RemoteBt->hide();
  SolP->AddRemBt->hide();
  DistribForm->BeginSolve();
  DistribForm->Solving = true;
  host_.SolvingChanged(true, {solveBt_});
  runner_->Start(host_.SolveTask(), host_.SolveEngine(), options);
}

void TSolveController::SolOptBtClick() {
  if (!Solving()) SolOptForm->ShowOptions();
}

void TSolveController::StopAndFinish() { runner_->StopAndFinish(); }

// One second into the solve: the stop button, the result panel and the distribution window.
void TSolveController::FirstRefresh() {
  SetSolveButton(true);
  hintsOff_ = true;
  qApp->installEventFilter(this);
  SolP->show();
  SolP->DistribBt->setChecked(true);
  DistribForm->StopBt->show();
  DistribForm->show();
}

void TSolveController::Refresh(const TSolveCounts& counts, bool budgetKnown) {
  DistribForm->ShowRunning(counts, runner_->Options(), budgetKnown);
  if (counts.SolCount > 0 && counts.ForgetIndex == 0) {
    SolP->SolutionBt->setChecked(false);
    SolP->SolutionBt->show();
  }
}

void TSolveController::Finished(const TSolveResult& result) {
  DistribForm->Solving = false;
  DistribForm->StopBt->hide();
  SetSolveButton(false);
  if (hintsOff_) qApp->removeEventFilter(this);
  hintsOff_ = false;
  host_.SolvingChanged(false, {});
  if (!result.Error.empty()) {
    host_.ShowError(QStringLiteral("!"), Utf8(result.Error));
    UpdateResultButtons();
    return;
  }
  DistribForm->ShowFinal(result, runner_->Options());
  host_.LineChanged(true);
  UpdateResultButtons();
}

void TSolveController::UpdateResultButtons() {
  if (Solving()) return;
  const TPlayEngine& engine = host_.SolveEngine();
  const TMoves& line = engine.Line;
  const bool play = host_.SolveTask().Options.Play;
  SolP->setVisible(play && (engine.Summary.PosTotal != 0 || line.Solution || line.RemoteLine));
  SolP->SolutionBt->setVisible(line.Solution != nullptr);
  SolP->AddSolBt->setVisible(line.Solution != nullptr);
  SolP->RemoteBt->setVisible(line.RemoteLine != nullptr);
  SolP->AddRemBt->setVisible(line.RemoteLine != nullptr);
  SolP->SolutionBt->setChecked(PlaysLine(line, line.Solution.get()));
  SolP->RemoteBt->setChecked(PlaysLine(line, line.RemoteLine.get()));
  SolP->DistribBt->setChecked(DistribForm->isVisible());
}

void TSolveController::TaskReplaced() {
  if (!Solving() && DistribForm->isVisible()) DistribForm->ShowSummary(host_.SolveEngine().Summary);
  UpdateResultButtons();
}

void TSolveController::RestoreView(bool distribShown) {
  if (Solving()) return;
  if (SolOptForm->isVisible()) SolOptForm->FillControls();
  const bool summary = host_.SolveTask().Options.Play && host_.SolveEngine().Summary.PosTotal != 0;
  if (summary && distribShown) {
    DistribForm->ShowSummary(host_.SolveEngine().Summary);
    DistribForm->show();
  } else if (summary) {
    DistribForm->close();
  }
  UpdateResultButtons();
}

void TSolveController::PlayModeChanged(bool play) {
  if (!play && !Solving()) DistribForm->close();
  UpdateResultButtons();
}

void TSolveController::ShowStoredLine(bool remote) {
  if (Solving()) return;
  TMoves& line = host_.SolveEngine().Line;
  const TMoves0* stored = remote ? line.RemoteLine.get() : line.Solution.get();
  if (!stored) return;
  host_.StopAnimation();
  ShowLine(host_.SolveEngine(), stored);
  host_.LineChanged(true);
  UpdateResultButtons();
}

void TSolveController::AddStoredLine(bool remote) {
  if (Solving()) return;
  TPlayEngine& engine = host_.SolveEngine();
  const TMoves0* stored = remote ? engine.Line.RemoteLine.get() : engine.Line.Solution.get();
  if (!stored) return;
  host_.StopAnimation();
  engine.Tree.AddLineCopy(*stored, true);
  host_.LineChanged(true);
  UpdateResultButtons();
}

void TSolveController::DistribBtClick(bool down) {
  if (down) {
    if (!Solving()) DistribForm->ShowSummary(host_.SolveEngine().Summary);
    DistribForm->show();
    DistribForm->raise();
  } else if (!DistribForm->close()) {
    SolP->DistribBt->setChecked(true); // refused during a solve
  }
}

void TSolveController::LoadPlacements(QSettings& ini) {
  LoadPlacement(ini, *SolOptForm, QStringLiteral("SolOpt"), true);
  LoadPlacement(ini, *DistribForm, QStringLiteral("Distrib"), false);
}

void TSolveController::SavePlacements(QSettings& ini) {
  SavePlacement(ini, *SolOptForm, QStringLiteral("SolOpt"), true);
  SavePlacement(ini, *DistribForm, QStringLiteral("Distrib"), false);
}

// While the solve runs past its first second the main window shows no hints.
bool TSolveController::eventFilter(QObject* watched, QEvent* event) {
  if (hintsOff_ && event->type() == QEvent::ToolTip) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && w->window() == window_) return true;
  }
  return QObject::eventFilter(watched, event);
}

} // namespace zrk
