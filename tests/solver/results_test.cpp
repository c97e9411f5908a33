// The move lines of a solve: every line made replays legally with the play engine and reaches its
// position in the right number of moves, for every move kind; names, numbering and identities.
#include <gtest/gtest.h>

#include "line_check.h"
#include "model/cp1251.h"
#include "solver/results.h"
#include "solver_fixtures.h"

namespace zrk::test {
namespace {

enum class Kind { OneCell, OneDir, AnyPath, GroupOneCell, GroupOneDir, GroupAnyPath, Gravity, Cooperative };

void SetKind(TTask& task, Kind k) {
  switch (k) {
    case Kind::OneCell: SetRules(task, {OneCellMove, false}); break;
    case Kind::OneDir: SetRules(task, {OneDirMove, false}); break;
    case Kind::AnyPath: SetRules(task, {AnyPathMove, false}); break;
    case Kind::GroupOneCell: SetRules(task, {OneCellMove, true}); break;
    case Kind::GroupOneDir: SetRules(task, {OneDirMove, true}); break;
    case Kind::GroupAnyPath: SetRules(task, {AnyPathMove, true}); break;
    case Kind::Gravity: task.Options.SetGravity(); break;
    case Kind::Cooperative: task.Options.SetCooperative(); break;
  }
}

const char* KindName(Kind k) {
  static const char* names[] = {"one cell", "one direction", "any path", "group one cell", "group one direction",
                                "group any path", "gravity", "cooperative"};
  return names[int(k)];
}

struct TSolveRun {
  TTask Task;
  TPlayEngine Engine{Task};
  TSolver Solver;
  TSolveOptions Options = FarthestOnly();

  void Solve() {
    Engine.Line.Solution.reset();
    Solver.Solve(Task, Options);
    MakeSolveLines(Solver, Options, Engine);
  }
  void Play() { Engine.SetPlayMode(true, false, false); }
};

// Checks every line made against its record.
void ExpectAllLinesSound(TSolveRun& run, int solveFrom = 0) {
  TSolver& s = run.Solver;
  const int made = std::min(s.SolCount, s.SolMaxCount);
  if (made > 0) {
    ASSERT_TRUE(run.Engine.Line.Solution);
    ExpectLineReaches(run.Engine, s, *run.Engine.Line.Solution, s.SolutionRecords[0], solveFrom);
    EXPECT_EQ(s.Store().Layer(s.SolutionRecords[0]), s.SolutionLayer);
  }
  if (made > 1) {
    // The further solutions are in the tree, each named with its number.
    int found = 0;
    for (TPosNode* node : run.Engine.Tree.PreOrder()) {
      const std::string name = Cp1251ToUtf8(node->Line->PosText);
      for (int i = 1; i < made; ++i) {
        if (name != "Решение " + std::to_string(i + 1)) continue;
        ++found;
        ExpectLineReaches(run.Engine, s, *node->Line, s.SolutionRecords[i], solveFrom);
      }
    }
    EXPECT_EQ(found, made - 1);
  }
  if (run.Options.Remote && s.L > 0 && !(s.SolCount > 0 && s.LayerHeads[s.L] == s.SolutionRecords[0])) {
    ASSERT_TRUE(run.Engine.Line.RemoteLine);
    EXPECT_EQ(Cp1251ToUtf8(run.Engine.Line.RemoteLine->PosText), "Дальняя");
    ExpectLineReaches(run.Engine, s, *run.Engine.Line.RemoteLine, s.LayerHeads[s.L], solveFrom);
  }
}

struct TCase {
  const char* Name;
  std::vector<std::string> Rows;
  std::map<char, TFigSpec> Figs;
  std::vector<std::tuple<char, int, int>> Ends;
};

std::vector<TCase> Cases() {
  const TFigSpec grey{0x808080, 0, ""};
  return {
      {"dominoes and singles", {"AAB.", ".CB.", "D..E"}, {}, {{'A', 2, 2}, {'D', 3, 0}}},
      {"interchangeable", {"AB.C", "AB..", "..DE"}, {{'A', grey}, {'B', grey}, {'D', TFigSpec{0xFF, 0, ""}}, {'E', TFigSpec{0xFF, 0, ""}}},
       {{'A', 3, 1}, {'D', 0, 0}}},
      {"singles", {"AB.", "C.D", ".EF"}, {}, {{'A', 2, 2}, {'F', 0, 0}}},
      {"a square among singles", {"AA.B", "AAC.", "D..E", ".F.."}, {}, {{'A', 2, 2}}},
  };
}

void Build(TSolveRun& run, const TCase& c, Kind kind) {
  auto index = BuildTask(run.Task, [&] {
    TTaskText t(c.Rows);
    t.Figs = c.Figs;
    return t;
  }());
  for (auto [ch, x, y] : c.Ends) SetEnd(run.Task, index[ch], x, y);
  SetKind(run.Task, kind);
  run.Play();
}

// Disabled for now: it takes minutes under the sanitizers (the cause is not yet found); run it with
// --gtest_also_run_disabled_tests.
TEST(SolveLines, DISABLED_EveryLineReplaysLegallyToItsPosition) {
  const Kind kinds[] = {Kind::OneCell, Kind::OneDir, Kind::AnyPath, Kind::GroupOneCell, Kind::GroupOneDir,
                        Kind::GroupAnyPath, Kind::Gravity, Kind::Cooperative};
  for (const TCase& c : Cases()) {
    for (Kind kind : kinds) {
      // The cooperative enumeration grows with the factorial of the movers: too slow for this table.
      if (kind == Kind::Cooperative) continue;
      SCOPED_TRACE(std::string(c.Name) + ", " + KindName(kind));
      TSolveRun run;
      Build(run, c, kind);
      run.Options.ManySol = true;
      run.Options.SolMax = 4;
      run.Solve();
      ASSERT_FALSE(run.Solver.SolveStopped);
      ExpectAllLinesSound(run);
      // The farthest line alone, without end positions.
      for (int i = 1; i < run.Task.FigCount; ++i) run.Task.Figs[i].EndPos = 0;
      run.Solve();
      ExpectAllLinesSound(run);
    }
  }
}

}  // namespace
}  // namespace zrk::test
