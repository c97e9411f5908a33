// zrk-bench: the solver on puzzles of growing size. Each puzzle runs in its own process so that its
// peak resident memory is its own. Prints, per puzzle: positions stored, seconds, positions stored
// per second, successors generated per second, peak resident bytes per stored position. With --driver
// [NAME] it compares the solve driver's command-line and window paths instead (driver_paths.cpp).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "float_bench.h"
#include "driver_paths.h"
#include "sliding_tasks.h"
#include "model/platform.h"
#include "solver/solver.h"

namespace {

using zrk::TTask;

struct TCase {
  const char* Name;
  std::function<void(TTask&)> Build;
  int MoveKind;
  bool GroupSlide;
};

void Configure(TTask& task, int kind, bool group) {
  task.Options.SetOneFig();
  task.Options.SetGrSlide(group);
  task.Options.SetMoveKind(kind);
}

void RunCase(const TCase& c) {
  TTask task;
  c.Build(task);
  Configure(task, c.MoveKind, c.GroupSlide);
  zrk::TSolver solver;
  zrk::TSolveOptions options;
  options.Remote = true;
  const int64_t start = zrk::SteadyNowMs();
  solver.Solve(task, options);
  const double seconds = double(zrk::SteadyNowMs() - start) / 1000.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double peak = double(usage.ru_maxrss) * 1024.0;
  const double stored = double(solver.PosTotal);
  std::printf("%-34s %12llu %6d %9.2f %12.0f %12.0f %8.1f%s\n", c.Name, (unsigned long long)solver.PosTotal, solver.L,
              seconds, seconds > 0 ? stored / seconds : 0.0,
              seconds > 0 ? double(solver.GeneratedTotal) / seconds : 0.0, stored > 0 ? peak / stored : 0.0,
              solver.OutOfMemory ? "  (memory ran out)" : "");
  std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--driver") == 0) return zrk::bench::RunDriverPaths(argc > 2 ? argv[2] : nullptr);
  using zrk::bench::BuildFromRows;
  using zrk::bench::SlidingTiles;
  const std::vector<TCase> cases = {
      {"2x4 tiles, one cell", [](TTask& t) { SlidingTiles(t, 4, 2); }, zrk::OneCellMove, false},
      {"3x3 tiles, one cell", [](TTask& t) { SlidingTiles(t, 3, 3); }, zrk::OneCellMove, false},
      {"3x3 tiles, group slide", [](TTask& t) { SlidingTiles(t, 3, 3); }, zrk::OneCellMove, true},
      {"2x5 tiles, one cell", [](TTask& t) { SlidingTiles(t, 5, 2); }, zrk::OneCellMove, false},
      {"2x6 tiles, one cell", [](TTask& t) { SlidingTiles(t, 6, 2); }, zrk::OneCellMove, false},
      {"mixed shapes 4x5, any path",
       [](TTask& t) { BuildFromRows(t, {"ABBC", "ABBC", "DEEF", "DGHF", "I..J"}, "ADCFGHIJ"); }, zrk::AnyPathMove,
       false},
      {"mixed shapes 4x5, group any path",
       [](TTask& t) { BuildFromRows(t, {"ABBC", "ABBC", "DEEF", "DGHF", "I..J"}, "ADCFGHIJ"); }, zrk::AnyPathMove,
       true},
      {"3x4 tiles, one cell", [](TTask& t) { SlidingTiles(t, 4, 3); }, zrk::OneCellMove, false},
  };
  const char* only = argc > 1 ? argv[1] : nullptr;
  std::printf("%-34s %12s %6s %9s %12s %12s %8s\n", "puzzle", "positions", "depth", "seconds", "stored/s",
              "generated/s", "peak B/pos");
  for (const TCase& c : cases) {
    if (only && !std::strstr(c.Name, only)) continue;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      RunCase(c);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::printf("%-34s failed\n", c.Name);
  }
  zrk::bench::RunFloatSelBench(only);
  return 0;
}
