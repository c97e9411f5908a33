#pragma once
// TSolveRunner: a solve started from the window. The search runs on a worker thread; a 100 ms timer
// on the interface thread beats the display's rhythm and hands the latest counts to the display once
// a second from the first second on; the end of the search is posted here and the solve finished on
// this thread, so that the lines, the summary and the played line change only here.

#include <memory>

#include <QObject>
#include <QTimer>

#include "solver/solve_driver.h"

namespace zrk {

class TSolveRunner : public QObject {
  Q_OBJECT
 public:
  // clock: the time of the rhythm and of the solve; the steady clock when none is given.
  explicit TSolveRunner(IClock* clock = nullptr, QObject* parent = nullptr);
  ~TSolveRunner() override;

  bool Solving() const { return driver_.Active(); }
  const TSolveOptions& Options() const { return driver_.Options(); }
  // The engine is in play mode (the window has switched) and stays untouched until Finished.
  void Start(const TTask& task, TPlayEngine& engine, const TSolveOptions& options);
  // Sets the stop flag; the search sees it at its next position and the timer finishes the solve.
  void Stop();
  // Stops and finishes at once, waiting for the search (closing the window during a solve).
  void StopAndFinish();

 signals:
  void FirstRefresh();
  // counts: the latest copy; budgetKnown: the search has handed over at least one copy.
  void Refresh(const TSolveCounts& counts, bool budgetKnown);
  void Finished(const TSolveResult& result);

 private:
  void Tick();
  void Complete();

  TSteadyClock steady_;
  IClock& clock_;
  TSolveDriver driver_;
  TPlayEngine* engine_ = nullptr;
  QTimer timer_;
};

} // namespace zrk
