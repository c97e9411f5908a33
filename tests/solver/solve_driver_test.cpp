// The solve driver: the rhythm of the progress display, the counts handed over while the search
// runs, the final report lines and labels, a stop from another thread, a failure inside the search,
// and the results left in the play engine, with the same texts as zrk-cli solve.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "../cli/cli_run.h"
#include "../play/recording_reporter.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "solver/solve_driver.h"
#include "solver_fixtures.h"

namespace zrk::test {
namespace {

// A clock that advances by a fixed step every time it is read, from any thread.
class TSteppedClock final : public IClock {
 public:
  explicit TSteppedClock(int64_t step) : Step(step) {}
  int64_t NowMs() override { return Now.fetch_add(Step); }
  std::atomic<int64_t> Now{0};
  int64_t Step;
};

TEST(ProgressRhythm, ProcessesEvery100MsAndRefreshesOnceASecondFromTheFirstSecond) {
  struct TCase {
    int64_t Now;
    bool Process, Refresh, First;
  };
  const TCase cases[] = {
      {50, false, false, false},   {100, true, false, false},  {150, false, false, false},
      {999, true, false, false},   {1000, false, false, false}, // 100 ms after the last processing only
      {1099, true, true, true},    {1500, true, false, false},  {2000, true, true, false},
      {2050, false, false, false}, {5300, true, true, false},  // a late beat: one refresh, not three
      {5900, true, false, false},  {6000, true, true, false},
  };
  TProgressRhythm rhythm;
  rhythm.Start(0);
  for (const TCase& c : cases) {
    const TProgressRhythm::TBeat beat = rhythm.Beat(c.Now);
    EXPECT_EQ(beat.Process, c.Process) << c.Now;
    EXPECT_EQ(beat.Refresh, c.Refresh) << c.Now;
    EXPECT_EQ(beat.First, c.First) << c.Now;
  }
  EXPECT_EQ(rhythm.Refreshes(), 4);
}

struct TDriverRun {
  TTask Task;
  TPlayEngine Engine{Task};
  TSolveOptions Options = FarthestOnly();
};

TEST(SolveDriver, HandsOverConsistentCountsInTheRhythmOfTheClock) {
  TDriverRun run;
  BuildTask(run.Task, SlidingTiles(3, 3));
  SetRules(run.Task, {OneCellMove, false});
  TSteppedClock clock(60);
  TSolveDriver driver(&clock);
  std::vector<TSolveCounts> shown;
  std::vector<int64_t> processed;
  driver.OnProgress = [&](const TSolveCounts& counts, TProgressRhythm::TBeat beat) {
    processed.push_back(counts.ElapsedMs);
    if (beat.Refresh) shown.push_back(counts);
  };
  driver.Begin(run.Task, run.Engine, run.Options, clock.NowMs());
  driver.Launch();
  driver.Wait();
  uint64_t published = 0;
  const TSolveCounts last = driver.Latest(&published);
  const TSolveResult result = driver.Finish(run.Engine, clock.NowMs());

  ASSERT_GE(processed.size(), 3u);
  EXPECT_EQ(published, processed.size());
  for (size_t i = 1; i < processed.size(); ++i) EXPECT_GE(processed[i] - processed[i - 1], 100);
  ASSERT_FALSE(shown.empty());
  EXPECT_GE(shown.front().ElapsedMs, 1000);
  for (size_t i = 1; i < shown.size(); ++i) EXPECT_GE(shown[i].ElapsedMs - shown[i - 1].ElapsedMs, 1000);
  // A copy is one moment of the search: its layers add up to the positions stored, the last one growing.
  for (const TSolveCounts& c : {shown.back(), last}) {
    ASSERT_EQ(c.LayerCounts.size(), size_t(c.L) + 1);
    EXPECT_EQ(std::accumulate(c.LayerCounts.begin(), c.LayerCounts.end(), uint64_t(0)), c.PosTotal);
    EXPECT_LT(c.PosTotal, 181440u);
  }
  EXPECT_EQ(result.Counts.PosTotal, 181440u);
  EXPECT_EQ(result.Counts.L, 31);
  EXPECT_TRUE(DistributionText(last, run.Options, true).ends_with("?\n"));
}

TEST(SolveDriver, AStopFromAnotherThreadEndsALongSearchAtOnce) {
  TDriverRun run;
  BuildTask(run.Task, SlidingTiles(6, 2)); // 239,500,800 positions: far more than the budget below
  SetRules(run.Task, {OneCellMove, false});
  run.Options.AvailableMemory = uint64_t(640) << 20;
  TSolveDriver driver;
  driver.Begin(run.Task, run.Engine, run.Options, SteadyNowMs());
  driver.Launch();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(driver.Searching());
  const auto stop = std::chrono::steady_clock::now();
  driver.Stop();
  while (driver.Searching() && std::chrono::steady_clock::now() - stop < std::chrono::seconds(10))
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_LT(std::chrono::steady_clock::now() - stop, std::chrono::seconds(3));
  const TSolveResult result = driver.Finish(run.Engine, SteadyNowMs());
  EXPECT_TRUE(result.Counts.SolveStopped);
  EXPECT_FALSE(result.Counts.OutOfMemory);
  EXPECT_TRUE(result.Report.ends_with("?\nОстановлено\n")) << result.Report;
  EXPECT_TRUE(result.LineShown) << "the farthest position found so far is shown";
  EXPECT_TRUE(run.Engine.Summary.SolveStopped);
  EXPECT_TRUE(CountText(result.Counts.PosTotal, true).find("?") != std::string::npos);
}

// Throws where the library would when memory is refused, at the third progress step.
class TFailingProgress final : public ISolveProgress {
 public:
  void Progress(TSolver&) override {
    if (++Calls == 3) throw std::bad_alloc();
  }
  int Calls = 0;
};

TEST(SolveDriver, AFailureInsideTheSearchEndsItAsAMemoryEnd) {
  TTask task;
  BuildTask(task, SlidingTiles(3, 3));
  SetRules(task, {OneCellMove, false});
  for (uint32_t secondThreadFrom : {0u, 100u}) { // one thread; the generator on a thread of its own
    TSolveOptions options = FarthestOnly();
    options.SecondThreadFrom = secondThreadFrom;
    TFailingProgress progress;
    TSolver solver;
    solver.Solve(task, options, &progress);
    EXPECT_TRUE(solver.OutOfMemory) << secondThreadFrom;
    EXPECT_TRUE(solver.SolveStopped);
    ASSERT_EQ(solver.LayerCounts.size(), size_t(solver.L) + 1);
    EXPECT_EQ(std::accumulate(solver.LayerCounts.begin(), solver.LayerCounts.end(), uint64_t(0)), solver.PosTotal);
    EXPECT_TRUE(DistributionText(solver, options, false).ends_with("?\nНе хватило памяти\n"));
  }
}

TEST(SolveDriver, FinalReportEndsWithTheReasonOfTheEnd) {
  TSolveCounts base;
  base.LayerCounts = {1, 2, 3};
  base.L = 2;
  base.HasEndPosition = true;
  TSolveOptions remote, plain;
  plain.Remote = false;
  struct TCase {
    const char* Name;
    bool Stopped, LayerLimit, Memory;
    int SolCount;
    bool Remote;
    const char* Tail;
  };
  const TCase cases[] = {
      {"user stop", true, false, false, 0, true, "2) 3?\nОстановлено\n"},
      {"memory", true, false, true, 0, true, "2) 3?\nНе хватило памяти\n"},
      {"layer limit", true, true, false, 0, true, "2) 3?\nХодов более 10000\n"},
      {"stop in the solution layer", true, false, false, 4, true, "2) 3? Решений 4?\nОстановлено\n"},
      {"solution without remote", false, false, false, 1, false, "2) 3 Решение\n?\n"},
      {"solutions with remote", false, false, false, 2, true, "2) 3 Решений 2\n"},
      {"no solution", false, false, false, 0, true, "2) 3\nРешение не найдено\n"},
  };
  for (const TCase& c : cases) {
    TSolveCounts counts = base;
    counts.SolveStopped = c.Stopped;
    counts.LayerLimitHit = c.LayerLimit;
    counts.OutOfMemory = c.Memory;
    counts.SolCount = c.SolCount;
    counts.SolutionLayer = c.SolCount ? 2 : -1;
    const std::string text = DistributionText(counts, c.Remote ? remote : plain, false);
    EXPECT_EQ(text, std::string("0) 1\n1) 2\n") + c.Tail) << c.Name;
  }
  base.HasEndPosition = false;
  EXPECT_EQ(DistributionText(base, remote, false), "0) 1\n1) 2\n2) 3\n") << "no end position: no closing line";
  EXPECT_EQ(DistributionText(base, remote, true), "0) 1\n1) 2\n2) 3?\n") << "while solving";
}

TEST(SolveDriver, AStoredReportGivesBackItsLayers) {
  struct TCase {
    const char* Text;
    std::vector<uint32_t> Counts;
    int SolutionLayer;
    bool Complete;
  };
  const TCase cases[] = {
      {"0) 1\n1) 2\n2) 3 Решений 2\n", {1, 2, 3}, 2, true},
      {"0) 1\n1) 2 Решение\n?\n", {1, 2}, 1, false},
      {"0) 1\n1) 2?\nОстановлено\n", {1, 2}, -1, false},
      {"0) 1\n1) 4\nРешение не найдено\n", {1, 4}, -1, true},
      {"0) 1\n2) 5\n", {1}, -1, false}, // a layer out of order ends the list
      {"", {}, -1, false},
      {"мусор\n0) 1\n", {}, -1, false},
  };
  for (const TCase& c : cases) {
    const TListedLayers listed = ReadDistributionText(c.Text);
    EXPECT_EQ(listed.Counts, c.Counts) << c.Text;
    EXPECT_EQ(listed.SolutionLayer, c.SolutionLayer) << c.Text;
    EXPECT_EQ(listed.Complete, c.Complete) << c.Text;
  }
}

TEST(SolveDriver, LabelsOfTheDistributionWindow) {
  const std::pair<std::string, std::string> cases[] = {
      {TimeText(0, true), "0 сек."},
      {TimeText(1499, true), "1 сек."},
      {TimeText(1500, true), "2 сек."},
      {TimeText(345, false), "0,345 сек."},
      {TimeText(2345, false), "2,35 сек."},
      {TimeText(23456, false), "23,5 сек."},
      {TimeText(234567, false), "235 сек."},
      {CountText(999999, false), "999999 поз."},
      {CountText(25955, true), "25955? поз."},
      {CountText(1234567, false), "1,23 млн поз."},
      {CountText(239500800, true), "240? млн поз."},
      {CountText(uint64_t(5) << 32, false), "21475 млн поз."},
      {SummaryCountText(999999, true), "999999? поз."},
      {SummaryCountText(uint64_t(5) << 32, true), "21474,84? млн поз."},
      {MaxCountText(31317469), "31,3 млн макс."},
      {NubsText(0, 0), "0,00"},
      {NubsText(7, 3), "2,33"},
      {Lev0Text(0), ""},
      {Lev0Text(12), "12"},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);

  TSolveSummary summary;
  summary.SolveTime = 61234;
  summary.PosTotal = 500;
  summary.CountsPartial = true;
  const TSummaryLabels labels = SummaryLabels(summary);
  EXPECT_EQ(labels.Time, "61,2 сек.");
  EXPECT_EQ(labels.Count, "500? поз.");
  EXPECT_EQ(labels.Nubs, "") << "nothing expanded";
}

TEST(SolveDriver, FinishPlaysTheSolutionFromTheEntryWhereTheSolveStarted) {
  TDriverRun run;
  const auto index = BuildTask(run.Task, TTaskText({"A..", "...", "..B"}));
  SetEnd(run.Task, index.at('A'), 2, 0);
  SetRules(run.Task, {OneCellMove, false});
  run.Options.Remote = false;
  run.Engine.SetPlayMode(true, false, false);
  // Two moves played first: B left, B left; the solve starts at entry 2.
  for (int k = 0; k < 2; ++k) {
    TMove move;
    move.Fig = uint8_t(index.at('B'));
    move.Dir = DirLeft;
    move.Len = 1;
    std::vector<int16_t> positions(run.Engine.Line.Positions(run.Engine.Line.Cur),
                                   run.Engine.Line.Positions(run.Engine.Line.Cur) + run.Engine.Line.FigCount);
    bool pushed = false;
    std::vector<uint16_t> map = run.Task.StartMap;
    ASSERT_TRUE(run.Engine.Step(positions.data(), map.data(), move.Fig, move.Dir, pushed));
    move.Cell = run.Engine.FirstCell(move.Fig, run.Engine.Line.Positions(run.Engine.Line.Cur)[move.Fig]);
    run.Engine.AppendEntry(move, positions.data());
  }
  run.Engine.GoTo(2);
  ASSERT_EQ(run.Engine.Line.Cur, 2);
  ASSERT_EQ(TSolveDriver::Check(run.Task, run.Options), "");

  TSolveDriver driver;
  driver.Begin(run.Task, run.Engine, run.Options, 1000);
  EXPECT_EQ(run.Engine.Line.SolveFrom, 2);
  driver.Search();
  const TSolveResult result = driver.Finish(run.Engine, 1250);
  ASSERT_TRUE(result.Error.empty());
  ASSERT_TRUE(result.LineShown);
  const TMoves& line = run.Engine.Line;
  EXPECT_EQ(line.Cur, 2);
  EXPECT_EQ(line.Count, 2 + 2 + 1) << "the two played moves, then A two cells right";
  EXPECT_EQ(Cp1251ToUtf8(line.Solution->PosText), "Решение от хода 2");
  EXPECT_TRUE(result.Report.starts_with("0) 1\n1) 4\n2) ")) << result.Report;
  EXPECT_TRUE(result.Report.ends_with(" Решение\n?\n")) << result.Report;
  EXPECT_TRUE(result.CountsPartial);
  const TSolveSummary& sum = run.Engine.Summary;
  EXPECT_EQ(sum.SolveTime, 250);
  EXPECT_EQ(sum.PosTotal, result.Counts.PosTotal);
  EXPECT_EQ(Cp1251ToUtf8(sum.SolveReport), result.Report);
  EXPECT_TRUE(sum.CountsPartial);
  EXPECT_EQ(sum.SolMaxCount, 1);
}

TEST(SolveDriver, AFigureAcrossAWallIsRefusedWithoutASummary) {
  TDriverRun run;
  TTaskText text({"AA.", "..."});
  text.Flags[{0, 0}] = FlagWallOnTheRight; // between the two cells of A
  BuildTask(run.Task, text);
  SetRules(run.Task, {OneCellMove, false});
  TSolveDriver driver;
  driver.Begin(run.Task, run.Engine, run.Options, 0);
  driver.Search();
  const TSolveResult result = driver.Finish(run.Engine, 10);
  EXPECT_EQ(result.Error, "Фигурка стоит поперек стены, перебор невозможен");
  EXPECT_EQ(run.Engine.Summary.PosTotal, 0u);
  EXPECT_FALSE(result.LineShown);
}

TEST(SolveDriver, TheSampleGivesTheTextOfTheCommandLine) {
  TDriverRun run;
  TRecordingReporter reporter;
  ASSERT_TRUE(LoadTask(run.Task, SamplePath(), TTaskIo{&reporter, &run.Engine, nullptr}));
  TSolveDriver driver;
  driver.Begin(run.Task, run.Engine, TSolveOptions(), SteadyNowMs());
  driver.Launch();
  driver.Wait();
  const TSolveResult result = driver.Finish(run.Engine, SteadyNowMs());
  const TCliResult cli = RunCli("solve " + SamplePath());
  ASSERT_EQ(cli.Status, 0) << cli.Err;
  EXPECT_EQ(cli.Out.substr(0, result.Report.size()), result.Report);
  EXPECT_NE(result.Report.find(" Решений 2\n"), std::string::npos) << result.Report;
  EXPECT_EQ(result.Lines.size(), 2u) << "one solution and the farthest line";
}

} // namespace
} // namespace zrk::test
