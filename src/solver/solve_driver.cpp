#include "solver/solve_driver.h"

#include <algorithm>
#include <climits>
#include <exception>

#include "model/cp1251.h"
#include "solver/results.h"

namespace zrk {

namespace {

const char* const StartAcrossWall = "Фигурка стоит поперек стены, перебор невозможен";

// Everything the set-up reads: the figures, the cell flags, the move options, the temporary fixing
// and the cell maps of the current position.
void CopyForSearch(const TTask& from, TTask& to) {
  to.Copy(from);
  to.Options = from.Options;
  to.TempFixed = from.TempFixed;
  to.StartMap = from.StartMap;
  to.EndMap = from.EndMap;
}

} // namespace

// ---- the rhythm ----

void TProgressRhythm::Start(int64_t now) {
  nextProcess_ = now + ProcessMs;
  nextRefresh_ = now + RefreshMs;
  refreshes_ = 0;
}

TProgressRhythm::TBeat TProgressRhythm::Beat(int64_t now) {
  if (now < nextProcess_) return TBeat();
  return Processing(now);
}

TProgressRhythm::TBeat TProgressRhythm::Processing(int64_t now) {
  TBeat beat;
  beat.Process = true;
  nextProcess_ = now + ProcessMs;
  if (now >= nextRefresh_) {
    beat.Refresh = true;
    beat.First = refreshes_ == 0;
    ++refreshes_;
    // A late beat skips the refreshes it missed rather than catching up with them.
    while (nextRefresh_ <= now) nextRefresh_ += RefreshMs;
  }
  return beat;
}

// ---- the driver ----

TSolveDriver::TSolveDriver(IClock* clock) : clock_(clock ? *clock : steadyClock_), solver_(std::make_unique<TSolver>()) {}

TSolveDriver::~TSolveDriver() {
  Stop();
  Wait();
}

std::string TSolveDriver::Check(const TTask& task, const TSolveOptions& options) {
  return PreSolveCheck(task, options.Remote);
}

void TSolveDriver::Begin(const TTask& task, TPlayEngine& engine, const TSolveOptions& options, int64_t now) {
  Wait();
  if (!task.Options.Play) engine.SetPlayMode(true, false, false);
  engine.Line.Solution.reset();
  engine.Line.RemoteLine.reset();
  engine.Line.SolveFrom = engine.Line.Cur;
  CopyForSearch(task, work_);
  options_ = options;
  start_ = now;
  searchRhythm_.Start(now);
  viewRhythm_.Start(now);
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    latest_ = TSolveCounts();
    published_ = 0;
  }
  failed_ = false;
  solver_->SolveStopped = false;
  active_ = true;
}

void TSolveDriver::Search() {
  try {
    solver_->Solve(work_, options_, this);
  } catch (...) {
    // The set-up could not get its tables: nothing of the search is usable.
    failed_ = true;
    solver_->SolveStopped = true;
  }
}

void TSolveDriver::Launch() {
  Wait();
  running_ = true;
  try {
    worker_ = std::thread([this] {
      Search();
      running_ = false;
      if (OnSearchEnd) OnSearchEnd();
    });
  } catch (...) {
    // No thread to be had: the search runs here instead.
    Search();
    running_ = false;
  }
}

void TSolveDriver::Wait() {
  if (worker_.joinable()) worker_.join();
}

void TSolveDriver::Stop() { solver_->SolveStopped = true; }

void TSolveDriver::Progress(TSolver& solver) {
  const int64_t now = clock_.NowMs();
  const TProgressRhythm::TBeat beat = searchRhythm_.Beat(now);
  if (!beat.Process) return;
  TSolveCounts counts = CountsOf(solver);
  counts.ElapsedMs = now - start_;
  if (OnProgress) OnProgress(counts, beat);
  std::lock_guard<std::mutex> lock(progressLock_);
  latest_ = std::move(counts);
  ++published_;
}

TSolveCounts TSolveDriver::Latest(uint64_t* published) const {
  std::lock_guard<std::mutex> lock(progressLock_);
  if (published) *published = published_;
  TSolveCounts counts = latest_;
  return counts;
}

TSolveResult TSolveDriver::Finish(TPlayEngine& engine, int64_t now) {
  Wait();
  active_ = false;
  TSolveResult result;
  const int64_t elapsed = std::max<int64_t>(now - start_, 0);
  TSolver& s = *solver_;
  if (!failed_ && !s.StartValid()) {
    result.Error = StartAcrossWall;
    return result;
  }
  if (failed_) {
    result.Counts.SolveStopped = result.Counts.OutOfMemory = true;
  } else {
    try {
      result.CountsPartial = MakeSolveLines(s, options_, engine, &result.Lines);
      result.Counts = CountsOf(s);
    } catch (...) {
      // The lines could not be made: the counts stand, ended as a memory end.
      engine.Line.Solution.reset();
      engine.Line.RemoteLine.reset();
      result.Lines.clear();
      result.Counts = CountsOf(s);
      result.Counts.SolveStopped = result.Counts.OutOfMemory = true;
    }
  }
  result.Counts.ElapsedMs = elapsed;
  result.Report = DistributionText(result.Counts, options_, false);

  TSolveSummary& sum = engine.Summary;
  sum.SolveTime = int32_t(std::min<int64_t>(elapsed, INT32_MAX));
  sum.PosTotal = result.Counts.PosTotal;
  sum.SolveStopped = result.Counts.SolveStopped;
  sum.SolveReport = Utf8ToCp1251(result.Report);
  sum.ExpandedTotal = result.Counts.ExpandedTotal;
  sum.GeneratedTotal = result.Counts.GeneratedTotal;
  sum.SolCount = result.Counts.SolCount;
  sum.SolMaxCount = failed_ ? 0 : s.SolMaxCount;
  sum.CountsPartial = result.CountsPartial;

  result.LineShown = ShowSolveLine(engine);
  return result;
}

} // namespace zrk
