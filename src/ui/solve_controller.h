#pragma once
// TSolveController: solving from the main window. SolveBt starts a solve (or stops the one running),
// SolOptBt opens the options dialog; the search runs on a worker thread (TSolveRunner) while the
// window stays responsive with everything that could change the task, the line, the mode or the
// file disabled; one second into a solve SolveBt turns into "Стоп" and the distribution window opens.
// At the end the solution (else the farthest line) is played from where the solve started, and the
// result buttons of SolP follow the played line.

#include <QObject>

#include "model/platform.h"
#include "play/play_engine.h"
#include "solver/solve_driver.h"

class QSettings;
class QToolButton;
class QWidget;

namespace zrk {

class TDistribForm;
class TSolOptForm;
class TSolPanel;
class TSolveRunner;

// What the controller needs of the main window.
class ISolveHost {
 public:
  virtual ~ISolveHost() = default;
  virtual TTask& SolveTask() = 0;
  virtual TPlayEngine& SolveEngine() = 0;
  virtual TSolveOptions& SolveOptions() = 0;
  // Switches to play mode as the play button does.
  virtual void EnterPlayMode() = 0;
  // A solve begins: every control and action that changes the task, the line, the mode or the file
  // is disabled (keep stays usable) and the secondary dialogs close; false gives them back.
  virtual void SolvingChanged(bool solving, const QList<QWidget*>& keep) = 0;
  // Before the played line is replaced (a running animation stops).
  virtual void StopAnimation() {}
  // The played line or the tree changed: the board, the tree and the play controls follow.
  virtual void LineChanged(bool undoPoint) = 0;
  virtual void ShowError(const QString& caption, const QString& text) = 0;
};

class TSolveController : public QObject {
  Q_OBJECT
 public:
  // window: the main window, parent of the secondary windows. clock: the solve's time (steady
  // when none is given).
  TSolveController(ISolveHost& host, QWidget* window, QToolButton* solveBt, QToolButton* solOptBt,
                   IClock* clock = nullptr);
  ~TSolveController() override;

  TSolPanel* SolP;
  TDistribForm* DistribForm;
  TSolOptForm* SolOptForm;

  bool Solving() const;
  void SolveBtClick();
  void SolOptBtClick();
  // Closing the window during a solve: the search is stopped, waited for and finished normally.
  void StopAndFinish();
  // The play-mode display: SolP and the result buttons follow the lines and the summary.
  void UpdateResultButtons();
  // Another task or state arrived (a file, an undo step): an open distribution window shows its summary.
  void TaskReplaced();
  // An undo step restored: with a summary in play mode the distribution window is shown as it was;
  // an open options dialog shows the restored options.
  void RestoreView(bool distribShown);
  // Leaving play mode closes the distribution window.
  void PlayModeChanged(bool play);
  void LoadPlacements(QSettings& ini);
  void SavePlacements(QSettings& ini);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ISolveHost& host_;
  QWidget* window_;
  QToolButton* solveBt_;
  TSolveRunner* runner_;
  bool hintsOff_ = false;

  void SetSolveButton(bool stop);
  void FirstRefresh();
  void Refresh(const TSolveCounts& counts, bool budgetKnown);
  void Finished(const TSolveResult& result);
  void ShowStoredLine(bool remote);
  void AddStoredLine(bool remote);
  void DistribBtClick(bool down);
};

} // namespace zrk
