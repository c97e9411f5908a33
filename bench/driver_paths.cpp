// zrk-bench --driver: the solve driver's two paths on the same puzzles, each in its own process.
// "command line": the search on the calling thread, as zrk-cli solve runs it. "window": the search
// on a worker thread while this thread wakes every 100 ms, beats the display's rhythm and takes the
// copy of the counts at every refresh, as the window's timer does, and is woken when the search
// ends, as the window is by the posted end. Both end with the lines and the summary of Finish.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "driver_paths.h"
#include "model/platform.h"
#include "play/play_engine.h"
#include "sliding_tasks.h"
#include "solver/solve_driver.h"

namespace zrk::bench {

namespace {

struct TPathCase {
  const char* Name;
  int W, H;
};

void RunPath(const TPathCase& c, bool window) {
  TTask task;
  SlidingTiles(task, c.W, c.H);
  task.Options.SetOneFig();
  task.Options.SetGrSlide(false);
  task.Options.SetMoveKind(OneCellMove);
  TPlayEngine engine(task);
  TSolveOptions options;
  options.Remote = true;
  TSolveDriver driver;
  int copies = 0;
  const int64_t start = SteadyNowMs();
  driver.Begin(task, engine, options, start);
  if (window) {
    std::mutex lock;
    std::condition_variable ended;
    driver.OnSearchEnd = [&] {
      std::lock_guard<std::mutex> hold(lock);
      ended.notify_one();
    };
    driver.Launch();
    std::unique_lock<std::mutex> hold(lock);
    while (driver.Searching()) {
      ended.wait_for(hold, std::chrono::milliseconds(TProgressRhythm::ProcessMs));
      if (driver.Beat(SteadyNowMs()).Refresh) {
        const TSolveCounts counts = driver.Latest();
        copies += counts.L >= 0;
      }
    }
  } else {
    driver.Search();
  }
  const TSolveResult result = driver.Finish(engine, SteadyNowMs());
  const double seconds = double(SteadyNowMs() - start) / 1000.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double stored = double(result.Counts.PosTotal);
  std::printf("%-22s %-13s %12llu %6d %9.2f %12.0f %8.1f %7d\n", c.Name, window ? "window" : "command line",
              (unsigned long long)result.Counts.PosTotal, result.Counts.L, seconds,
              seconds > 0 ? stored / seconds : 0.0, stored > 0 ? double(usage.ru_maxrss) * 1024.0 / stored : 0.0,
              copies);
  std::fflush(stdout);
}

} // namespace

int RunDriverPaths(const char* only) {
  const TPathCase cases[] = {{"2x5 tiles, one cell", 5, 2}, {"3x4 tiles, one cell", 4, 3}};
  std::printf("%-22s %-13s %12s %6s %9s %12s %8s %7s\n", "puzzle", "path", "positions", "depth", "seconds",
              "stored/s", "peak B/pos", "copies");
  for (const TPathCase& c : cases) {
    if (only && !std::strstr(c.Name, only)) continue;
    for (bool window : {false, true}) {
      std::fflush(stdout);
      const pid_t child = fork();
      if (child == 0) {
        RunPath(c, window);
        _exit(0);
      }
      int status = 0;
      waitpid(child, &status, 0);
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::printf("%-22s failed\n", c.Name);
    }
  }
  return 0;
}

} // namespace zrk::bench
