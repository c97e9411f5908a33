// zrk-cli solve [options] TASK.zrk: the layered search from the task's position, for scripts and
// batch runs. The move rules come from the task file; the solve options from the command line.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/cli_reporter.h"
#include "cli/commands.h"
#include "model/platform.h"
#include "model/task_file.h"
#include "solver/distribution.h"
#include "solver/solver.h"

namespace zrk::cli {

namespace {

volatile std::sig_atomic_t Interrupted = 0;

void OnInterrupt(int) { Interrupted = 1; }

// Ctrl+C stops the search as the stop button does; a progress line refreshes about once a second.
class TTerminalProgress final : public ISolveProgress {
 public:
  explicit TTerminalProgress(bool show) : Show(show), Start(SteadyNowMs()), NextRefresh(Start + 1000) {}
  void Progress(TSolver& solver) override {
    if (Interrupted) solver.SolveStopped = true;
    if (!Show) return;
    const int64_t now = SteadyNowMs();
    if (now < NextRefresh) return;
    while (NextRefresh <= now) NextRefresh += 1000;
    const double seconds = double(now - Start) / 1000.0;
    std::fprintf(stderr, "\rслой %d, позиций %llu, %.0f поз./сек.   ", solver.L,
                 (unsigned long long)solver.PosTotal, seconds > 0 ? double(solver.PosTotal) / seconds : 0.0);
    std::fflush(stderr);
    Shown = true;
  }
  void Finish() {
    if (Shown) std::fputs("\r\033[K", stderr);
  }

 private:
  bool Show;
  bool Shown = false;
  int64_t Start;
  int64_t NextRefresh;
};

bool ParseBytes(const char* text, uint64_t& out) {
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (end == text) return false;
  uint64_t scale = 1;
  if (*end == 'K' || *end == 'k') scale = 1ull << 10;
  else if (*end == 'M' || *end == 'm') scale = 1ull << 20;
  else if (*end == 'G' || *end == 'g') scale = 1ull << 30;
  else if (*end != 0) return false;
  if (scale != 1 && end[1] != 0) return false;
  if (value > UINT64_MAX / scale) return false;
  out = value * scale;
  return out != 0;
}

const char* StopText(const TSolver& s) {
  if (!s.SolveStopped) return "none";
  if (s.LayerLimitHit) return "layers";
  if (s.OutOfMemory) return "memory";
  return "stopped";
}

void PrintJson(const TSolver& s, int64_t ms) {
  std::printf("{\"layers\":[");
  for (size_t i = 0; i < s.LayerCounts.size(); ++i) std::printf("%s%u", i ? "," : "", s.LayerCounts[i]);
  std::printf("],\"depth\":%d,\"positions\":%llu,\"generated\":%llu,\"expanded\":%llu,\"solution_layer\":%d,"
              "\"solution_count\":%d,\"stop\":\"%s\",\"forgotten\":%d,\"max_records\":%llu,\"time_ms\":%lld}\n",
              s.L, (unsigned long long)s.PosTotal, (unsigned long long)s.GeneratedTotal,
              (unsigned long long)s.ExpandedTotal, s.SolutionLayer, s.SolCount, StopText(s), s.ForgetIndex,
              (unsigned long long)s.MaxRecords, (long long)ms);
}

void PrintSummary(const TSolver& s, int64_t ms) {
  const double average = s.ExpandedTotal ? double(s.GeneratedTotal) / double(s.ExpandedTotal) : 0.0;
  std::printf("positions stored: %llu\n", (unsigned long long)s.PosTotal);
  std::printf("positions generated: %llu\n", (unsigned long long)s.GeneratedTotal);
  std::printf("positions expanded: %llu\n", (unsigned long long)s.ExpandedTotal);
  std::printf("average neighbours: %.2f\n", average);
  std::printf("time: %.3f s\n", double(ms) / 1000.0);
  std::printf("position budget: %llu\n", (unsigned long long)s.MaxRecords);
  if (s.ForgetIndex) std::printf("first layer still stored: %d\n", s.ForgetIndex);
}

void Usage() {
  std::fputs("Использование: zrk-cli solve [--remote|--no-remote] [--many N] [--count] [--forget] "
             "[--memory BYTES[K|M|G]] [--json] TASK.zrk\n",
             stderr);
}

} // namespace

int RunSolve(int argc, char** argv) {
  TSolveOptions options;
  bool json = false;
  const char* path = nullptr;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--remote") options.Remote = true;
    else if (a == "--no-remote") options.Remote = false;
    else if (a == "--count") options.CountSol = true;
    else if (a == "--forget") options.ForgetLayers = true;
    else if (a == "--json") json = true;
    else if (a == "--many" && i + 1 < argc) {
      char* end = nullptr;
      const long n = std::strtol(argv[++i], &end, 10);
      if (*end != 0 || n < 1 || n > MaxSolutions) {
        Usage();
        return 2;
      }
      options.ManySol = true;
      options.SolMax = int(n);
    } else if (a == "--memory" && i + 1 < argc) {
      if (!ParseBytes(argv[++i], options.AvailableMemory)) {
        Usage();
        return 2;
      }
    } else if (!a.empty() && a[0] != '-' && !path) {
      path = argv[i];
    } else {
      Usage();
      return 2;
    }
  }
  if (!path) {
    Usage();
    return 2;
  }

  TTask task;
  TStderrReporter reporter;
  TTaskIo io;
  io.Reporter = &reporter;
  if (!LoadTask(task, path, io)) {
    if (reporter.Count == 0) std::fprintf(stderr, "%s: не удалось прочитать файл\n", path);
    return 2;
  }
  const std::string problem = PreSolveCheck(task, options.Remote);
  if (!problem.empty()) {
    std::fprintf(stderr, "!: %s\n", problem.c_str());
    return 2;
  }
  if (!task.Options.OneFig()) {
    std::fprintf(stderr, "!: gravity and cooperative moves are not searched by this version\n");
    return 2;
  }

  Interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
  TTerminalProgress progress(isatty(STDERR_FILENO) != 0);
  TSolver solver;
  const int64_t start = SteadyNowMs();
  solver.Solve(task, options, &progress);
  const int64_t ms = SteadyNowMs() - start;
  progress.Finish();
  std::signal(SIGINT, SIG_DFL);
  if (!solver.StartValid()) {
    std::fprintf(stderr, "!: a figure stands across a wall\n");
    return 2;
  }
  if (json) {
    PrintJson(solver, ms);
  } else {
    std::fputs(DistributionText(solver, options, false).c_str(), stdout);
    PrintSummary(solver, ms);
  }
  return 0;
}

} // namespace zrk::cli
