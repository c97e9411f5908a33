// zrk-cli solve [options] TASK.zrk: the layered search from the task's position, for scripts and
// batch runs. The move rules come from the task file; the solve options from the command line.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli_reporter.h"
#include "cli/commands.h"
#include "cli/play_session.h"
#include "model/cp1251.h"
#include "model/platform.h"
#include "play/notation.h"
#include "play/play_engine.h"
#include "model/task_file.h"
#include "solver/distribution.h"
#include "solver/results.h"
#include "solver/solve_driver.h"

namespace zrk::cli {

namespace {

volatile std::sig_atomic_t Interrupted = 0;

void OnInterrupt(int) { Interrupted = 1; }

// Ctrl+C stops the search as the stop button does; on a terminal a progress line is refreshed in
// the rhythm of the distribution window.
class TTerminalProgress {
 public:
  explicit TTerminalProgress(bool show) : Show(show) {}
  void Attach(TSolveDriver& driver) {
    driver.OnProgress = [this, &driver](const TSolveCounts& counts, TProgressRhythm::TBeat beat) {
      if (Interrupted) driver.Stop();
      if (Show && beat.Refresh) Print(counts);
    };
  }
  void Finish() {
    if (Shown) std::fputs("\r\033[K", stderr);
  }

 private:
  void Print(const TSolveCounts& c) {
    const double seconds = double(c.ElapsedMs) / 1000.0;
    std::fprintf(stderr, "\rслой %d, %s, %.0f поз./сек.   ", c.L, CountText(c.PosTotal, true).c_str(),
                 seconds > 0 ? double(c.PosTotal) / seconds : 0.0);
    std::fflush(stderr);
    Shown = true;
  }
  bool Show;
  bool Shown = false;
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

const char* StopText(const TSolveCounts& s) {
  if (!s.SolveStopped) return "none";
  if (s.LayerLimitHit) return "layers";
  if (s.OutOfMemory) return "memory";
  return "stopped";
}

// A line in the notation of the move list: loaded into the engine as the played line.
std::string LineUtf8(TPlayEngine& engine, const TMoves0& line) {
  engine.LoadLine(line);
  return Cp1251ToUtf8(LineText(engine, false));
}

void PutJsonString(const std::string& text) {
  std::putchar('"');
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') std::printf("\\%c", c);
    else if (c < 0x20) std::printf("\\u%04x", c);
    else std::putchar(c);
  }
  std::putchar('"');
}

void PrintJson(const TSolveCounts& s) {
  std::printf("{\"layers\":[");
  for (size_t i = 0; i < s.LayerCounts.size(); ++i) std::printf("%s%u", i ? "," : "", s.LayerCounts[i]);
  std::printf("],\"depth\":%d,\"positions\":%llu,\"generated\":%llu,\"expanded\":%llu,\"solution_layer\":%d,"
              "\"solution_count\":%d,\"stop\":\"%s\",\"forgotten\":%d,\"max_records\":%llu,\"time_ms\":%lld",
              s.L, (unsigned long long)s.PosTotal, (unsigned long long)s.GeneratedTotal,
              (unsigned long long)s.ExpandedTotal, s.SolutionLayer, s.SolCount, StopText(s), s.ForgetIndex,
              (unsigned long long)s.MaxRecords, (long long)s.ElapsedMs);
}

// The closing brace of PrintJson's object is replaced by the lines.
void PrintJsonLines(const std::vector<std::string>& solutions, const std::string* remote) {
  std::printf(",\"solutions\":[");
  for (size_t i = 0; i < solutions.size(); ++i) {
    if (i) std::putchar(',');
    PutJsonString(solutions[i]);
  }
  std::printf("],\"remote\":");
  if (remote) PutJsonString(*remote);
  else std::printf("null");
  std::printf("}\n");
}

void PrintSummary(const TSolveCounts& s) {
  const double average = s.ExpandedTotal ? double(s.GeneratedTotal) / double(s.ExpandedTotal) : 0.0;
  // The labels of the distribution window where it has one.
  std::printf("Перебрано позиций: %llu\n", (unsigned long long)s.PosTotal);
  std::printf("Порождено позиций: %llu\n", (unsigned long long)s.GeneratedTotal);
  std::printf("Раскрыто позиций: %llu\n", (unsigned long long)s.ExpandedTotal);
  std::printf("Среднее количество соседних позиций: %.2f\n", average);
  std::printf("Затрачено времени на решение: %.3f с\n", double(s.ElapsedMs) / 1000.0);
  std::printf("Предел числа позиций: %llu\n", (unsigned long long)s.MaxRecords);
  if (s.ForgetIndex) std::printf("Первый не удаленный уровень: %d\n", s.ForgetIndex);
}

} // namespace

int RunSolve(int argc, char** argv) {
  TSolveOptions options;
  bool json = false;
  const char* path = nullptr;
  const char* outPath = nullptr;
  long at = -1;
  auto fail = [](const std::string& problem) { return UsageError("solve", problem); };
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    const bool takesValue = a == "--many" || a == "--memory" || a == "--out" || a == "--at";
    if (takesValue && i + 1 >= argc) return fail(a + ": нет значения");
    if (a == "--remote") options.Remote = true;
    else if (a == "--no-remote") options.Remote = false;
    else if (a == "--count") options.CountSol = true;
    else if (a == "--forget") options.ForgetLayers = true;
    else if (a == "--json") json = true;
    else if (a == "--many") {
      char* end = nullptr;
      const long n = std::strtol(argv[++i], &end, 10);
      if (*end != 0 || n < 1 || n > MaxSolutions)
        return fail("--many: ожидается число от 1 до " + std::to_string(MaxSolutions));
      options.ManySol = true;
      options.SolMax = int(n);
    } else if (a == "--memory") {
      if (!ParseBytes(argv[++i], options.AvailableMemory))
        return fail("--memory: ожидается размер в байтах, можно с K, M или G");
    } else if (a == "--out") {
      outPath = argv[++i];
    } else if (a == "--at") {
      char* end = nullptr;
      at = std::strtol(argv[++i], &end, 10);
      if (*end != 0 || at < 0) return fail("--at: ожидается номер позиции (0, 1, 2, ...)");
    } else if (a.rfind("--", 0) == 0 || (a.size() > 1 && a[0] == '-')) {
      return fail("неизвестный параметр " + a);
    } else if (!path) {
      path = argv[i];
    } else {
      return fail("лишний параметр " + a);
    }
  }
  if (!path) return fail("не указан файл задачи");

  TPlaySession session;
  if (!session.Load(path)) return 2;
  TTask& task = session.Task;
  TPlayEngine& engine = session.Engine;
  // The solve starts where the window's would: in play mode, at an entry of the played line.
  if (at >= 0 && (!task.Options.Play || at >= engine.Line.Count)) {
    std::fprintf(stderr, "!: --at %ld: в задаче нет сыгранной линии с позицией %ld\n", at, at);
    return 2;
  }
  if (task.Options.Play) engine.GoTo(int(std::max(at, 0L))); // without --at from the initial position
  const std::string problem = TSolveDriver::Check(task, options);
  if (!problem.empty()) {
    std::fprintf(stderr, "!: %s\n", problem.c_str());
    return 2;
  }

  Interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
  TTerminalProgress progress(isatty(STDERR_FILENO) != 0);
  TSolveDriver driver;
  progress.Attach(driver);
  driver.Begin(task, engine, options, SteadyNowMs());
  driver.Search();
  const TSolveResult result = driver.Finish(engine, SteadyNowMs());
  progress.Finish();
  std::signal(SIGINT, SIG_DFL);
  if (!result.Error.empty()) {
    std::fprintf(stderr, "!: %s\n", result.Error.c_str());
    return 2;
  }
  std::vector<std::string> texts; // the lines in the notation; the farthest one last
  for (const TMoves0& line : result.Lines) texts.push_back(LineUtf8(engine, line));
  const bool hasRemote = engine.Line.RemoteLine != nullptr;
  if (json) {
    PrintJson(result.Counts);
    const std::vector<std::string> solutions(texts.begin(), texts.end() - (hasRemote ? 1 : 0));
    PrintJsonLines(solutions, hasRemote ? &texts.back() : nullptr);
  } else {
    std::fputs(result.Report.c_str(), stdout);
    for (size_t i = 0; i < texts.size(); ++i)
      std::printf("%s: %s\n", Cp1251ToUtf8(result.Lines[i].PosText).c_str(), texts[i].c_str());
    PrintSummary(result.Counts);
  }
  if (outPath) {
    ShowSolveLine(engine); // printing the lines loaded each in turn; with none made the line stays as loaded
    if (!SaveTask(task, outPath, session.Io())) return 2; // the writer has reported it
  }
  return 0;
}

} // namespace zrk::cli
