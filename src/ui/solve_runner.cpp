#include "ui/solve_runner.h"

namespace zrk {

TSolveRunner::TSolveRunner(IClock* clock, QObject* parent)
    : QObject(parent), clock_(clock ? *clock : steady_), driver_(&clock_) {
  timer_.setInterval(int(TProgressRhythm::ProcessMs));
  connect(&timer_, &QTimer::timeout, this, &TSolveRunner::Tick);
  // The end of the search is posted to this thread, so the solve finishes without waiting for a beat.
  driver_.OnSearchEnd = [this] { QMetaObject::invokeMethod(this, [this] { Tick(); }, Qt::QueuedConnection); };
}

TSolveRunner::~TSolveRunner() {
  driver_.Stop();
  driver_.Wait();
}

void TSolveRunner::Start(const TTask& task, TPlayEngine& engine, const TSolveOptions& options) {
  engine_ = &engine;
  driver_.Begin(task, engine, options, clock_.NowMs());
  driver_.Launch();
  timer_.start();
}

void TSolveRunner::Stop() {
  if (Solving()) driver_.Stop();
}

void TSolveRunner::StopAndFinish() {
  if (!Solving()) return;
  driver_.Stop();
  driver_.Wait();
  Complete();
}

void TSolveRunner::Tick() {
  if (!Solving()) return;
  if (!driver_.Searching()) {
    Complete();
    return;
  }
  try {
    const TProgressRhythm::TBeat beat = driver_.Beat(clock_.NowMs());
    if (!beat.Refresh) return;
    if (beat.First) emit FirstRefresh();
    uint64_t published = 0;
    const TSolveCounts counts = driver_.Latest(&published);
    emit Refresh(counts, published != 0);
  } catch (...) {
    driver_.Stop(); // no memory for the display: the solve ends at the next beat
  }
}

void TSolveRunner::Complete() {
  timer_.stop();
  TSolveResult result;
  try {
    result = driver_.Finish(*engine_, clock_.NowMs());
  } catch (...) {
    result = TSolveResult();
    result.Counts.SolveStopped = result.Counts.OutOfMemory = true;
    result.Report = DistributionText(result.Counts, driver_.Options(), false);
  }
  engine_ = nullptr;
  emit Finished(result);
}

} // namespace zrk
