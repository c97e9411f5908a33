#pragma once
// TSolveDriver: one solve of the current task, as the window and zrk-cli run it.
//
//   Check(task, options)             the pre-solve check; a failure's text goes under the caption "!"
//   Begin(task, engine, options, now) play mode, the last solve's lines dropped, SolveFrom noted, and
//                                    a private copy of the task for the search
//   Search() or Launch()             the search on this thread, or on a worker thread
//   Stop()                           any thread: the stop buttons, an interrupt
//   Beat(now), Latest()              the display's rhythm and the latest copy of the counts
//   Finish(engine, now)              the result lines, the solve summary, the shown line, the report
//
// Begin and Finish run on the thread that owns the task and the play engine. In between the search
// reads only its copy of the task and writes only the solver; it hands its counts over as a copy
// taken at its progress step, at most every 100 ms.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/platform.h"
#include "model/task.h"
#include "play/moves.h"
#include "play/play_engine.h"
#include "solver/distribution.h"
#include "solver/solver.h"

namespace zrk {

// When the progress display is refreshed and pending work processed: processing at most every
// 100 ms, the display one second after the start and then once a second.
class TProgressRhythm {
 public:
  static constexpr int64_t ProcessMs = 100;
  static constexpr int64_t RefreshMs = 1000;

  struct TBeat {
    bool Process = false; // 100 ms have passed since the last processing
    bool Refresh = false; // the display is due
    bool First = false;   // the first refresh of the solve ("Стоп", the distribution window)
  };

  void Start(int64_t now);
  TBeat Beat(int64_t now);
  // The beat of a caller that processes at its own pace (a window timer): only the refresh is timed.
  TBeat Processing(int64_t now);
  int Refreshes() const { return refreshes_; }

 private:
  int64_t nextProcess_ = 0;
  int64_t nextRefresh_ = 0;
  int refreshes_ = 0;
};

class TSteadyClock final : public IClock {
 public:
  int64_t NowMs() override { return SteadyNowMs(); }
};

// What a finished solve leaves beside the engine's lines and summary.
struct TSolveResult {
  // A start that cannot be searched (a figure across a wall): shown under "!", no summary is made.
  std::string Error;
  TSolveCounts Counts;        // the final counts; ElapsedMs is the solve time
  std::string Report;         // the distribution list with its closing line (UTF-8)
  bool CountsPartial = false; // solutions were found and later layers not explored
  bool LineShown = false;     // the solution, else the farthest line, is now the played line
  std::vector<TMoves0> Lines; // copies of the lines made: the solutions in order, then the farthest
};

class TSolveDriver final : private ISolveProgress {
 public:
  // clock: read by the search at its progress steps, so it must be safe to call from its thread.
  explicit TSolveDriver(IClock* clock = nullptr);
  ~TSolveDriver() override; // stops and waits for a search still running
  TSolveDriver(const TSolveDriver&) = delete;
  TSolveDriver& operator=(const TSolveDriver&) = delete;

  static std::string Check(const TTask& task, const TSolveOptions& options);

  // The engine must be in play mode or is switched to it here; SolveFrom becomes its current entry.
  void Begin(const TTask& task, TPlayEngine& engine, const TSolveOptions& options, int64_t now);
  void Search();
  void Launch();
  bool Searching() const { return running_; }
  void Wait();
  void Stop();
  TSolveResult Finish(TPlayEngine& engine, int64_t now);

  // Between Begin and Finish.
  bool Active() const { return active_; }
  const TSolveOptions& Options() const { return options_; }
  // The display's beat, for a view whose timer does the processing.
  TProgressRhythm::TBeat Beat(int64_t now) { return viewRhythm_.Processing(now); }
  // The latest copy of the counts; published counts the copies handed over so far (0: none yet).
  TSolveCounts Latest(uint64_t* published = nullptr) const;

  // Called on the search's thread at every processing beat, with the copy just taken.
  std::function<void(const TSolveCounts&, TProgressRhythm::TBeat)> OnProgress;
  // Called on the worker thread when a launched search has ended (Searching is false by then), so
  // that the owner can finish at once instead of at its next timer beat.
  std::function<void()> OnSearchEnd;

 private:
  void Progress(TSolver& solver) override;

  TSteadyClock steadyClock_;
  IClock& clock_;
  std::unique_ptr<TSolver> solver_; // its pools and tables live from one solve to the next
  TTask work_;                      // the copy of the task the search reads
  TSolveOptions options_;
  int64_t start_ = 0;
  TProgressRhythm searchRhythm_; // on the search's thread
  TProgressRhythm viewRhythm_;   // on the owner's thread
  mutable std::mutex progressLock_;
  TSolveCounts latest_;
  uint64_t published_ = 0;
  std::thread worker_;
  std::atomic<bool> running_{false};
  bool active_ = false;
  bool failed_ = false; // the search ended by an exception outside its own handling
};

} // namespace zrk
