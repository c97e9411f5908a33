// The move lines of a solve: every line made replays legally with the play engine and reaches its
// position in the right number of moves, for every move kind; names, numbering and identities.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

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
  const std::string from = solveFrom ? " от хода " + std::to_string(solveFrom) : "";
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
        if (name != "Решение " + std::to_string(i + 1) + from) continue;
        ++found;
        ExpectLineReaches(run.Engine, s, *node->Line, s.SolutionRecords[i], solveFrom);
      }
    }
    EXPECT_EQ(found, made - 1);
  }
  if (run.Options.Remote && s.L > 0 && !(s.SolCount > 0 && s.LayerHeads[s.L] == s.SolutionRecords[0])) {
    ASSERT_TRUE(run.Engine.Line.RemoteLine);
    EXPECT_EQ(Cp1251ToUtf8(run.Engine.Line.RemoteLine->PosText), "Дальняя" + from);
    ExpectLineReaches(run.Engine, s, *run.Engine.Line.RemoteLine, s.LayerHeads[s.L], solveFrom);
  }
}

struct TCase {
  const char* Name;
  std::vector<std::string> Rows;
  std::map<char, TFigSpec> Figs;
  std::vector<std::tuple<char, int, int>> Ends;
};

// Small enough that every kind, group any path and cooperative included, searches them in moments;
// each has figures standing in a row, so that group slides push and any-path walks turn corners.
std::vector<TCase> Cases() {
  const TFigSpec grey{0x808080, 0, ""};
  const TFigSpec blue{0xFF, 0, ""};
  return {
      {"dominoes and singles", {"AAB.", ".CB.", "D..."}, {}, {{'A', 2, 2}, {'D', 3, 0}}},
      {"interchangeable", {"AB.C", "AB..", "..DE"}, {{'A', grey}, {'B', grey}, {'D', blue}, {'E', blue}},
       {{'A', 3, 1}, {'D', 0, 0}}},
      {"singles", {"AB.", "C.D", "..."}, {}, {{'A', 2, 2}, {'D', 0, 0}}},
      {"a square among singles", {"AA.", "AAB", "C..", "..."}, {}, {{'A', 1, 2}}},
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

bool HasMiniMoves(const TMoves0* line) {
  if (!line) return false;
  for (const TMove& m : line->Moves)
    if (m.Sub > 0) return true;
  return false;
}

TEST(SolveLines, EveryLineReplaysLegallyToItsPosition) {
  const Kind kinds[] = {Kind::OneCell, Kind::OneDir, Kind::AnyPath, Kind::GroupOneCell, Kind::GroupOneDir,
                        Kind::GroupAnyPath, Kind::Gravity, Kind::Cooperative};
  std::set<Kind> withMiniMoves;
  for (const TCase& c : Cases()) {
    for (Kind kind : kinds) {
      SCOPED_TRACE(std::string(c.Name) + ", " + KindName(kind));
      TSolveRun run;
      Build(run, c, kind);
      run.Options.ManySol = true;
      run.Options.SolMax = 4;
      run.Solve();
      ASSERT_FALSE(run.Solver.SolveStopped);
      ExpectAllLinesSound(run);
      if (HasMiniMoves(run.Engine.Line.Solution.get())) withMiniMoves.insert(kind);
      // The farthest line alone, without end positions.
      for (int i = 1; i < run.Task.FigCount; ++i) run.Task.Figs[i].EndPos = 0;
      run.Solve();
      ExpectAllLinesSound(run);
      if (HasMiniMoves(run.Engine.Line.RemoteLine.get())) withMiniMoves.insert(kind);
    }
  }
  // The table really exercises moves made of several mini-moves where they exist, and nowhere else.
  EXPECT_EQ(withMiniMoves, (std::set<Kind>{Kind::AnyPath, Kind::GroupAnyPath, Kind::Cooperative}));
}

TEST(SolveLines, StartThatIsAGoalGivesAnEmptySolution) {
  TSolveRun run;
  const auto index = BuildTask(run.Task, TTaskText({"A.", ".."}));
  SetEnd(run.Task, index.at('A'), 0, 0);
  SetRules(run.Task, {OneCellMove, false});
  run.Play();
  run.Solve();
  EXPECT_EQ(run.Solver.SolutionLayer, 0);
  ASSERT_TRUE(run.Engine.Line.Solution);
  EXPECT_EQ(run.Engine.Line.Solution->Count(), 0);
  EXPECT_EQ(Cp1251ToUtf8(run.Engine.Line.Solution->PosText), "Решение");
  // The farthest position lies elsewhere and gets its own line.
  ExpectAllLinesSound(run);
}

TEST(SolveLines, FromAnEntryTheLinesStartWithThePlayedMoves) {
  TSolveRun run;
  Build(run, Cases()[2], Kind::OneCell);
  run.Options.Remote = false;
  run.Solve();
  ASSERT_TRUE(run.Engine.Line.Solution);
  const int whole = run.Solver.SolutionLayer;
  ASSERT_GT(whole, 6);
  // Five moves of the solution are played; the solve goes on from there.
  run.Engine.LoadLine(*run.Engine.Line.Solution);
  run.Engine.GoTo(5);
  run.Engine.Line.SolveFrom = 5;
  std::vector<TMove> played;
  for (int k = 1; k <= 5; ++k) played.push_back(run.Engine.Line.Move(k));
  run.Options.Remote = true;
  run.Options.ManySol = true;
  run.Solve();
  EXPECT_EQ(run.Solver.SolutionLayer, whole - 5);
  ASSERT_TRUE(run.Engine.Line.Solution);
  const TMoves0& line = *run.Engine.Line.Solution;
  EXPECT_EQ(Cp1251ToUtf8(line.PosText).substr(0, std::string("Решение").size()), "Решение");
  EXPECT_TRUE(Cp1251ToUtf8(line.PosText).ends_with(" от хода 5")) << Cp1251ToUtf8(line.PosText);
  ASSERT_EQ(line.Count(), whole);
  for (int k = 0; k < 5; ++k) {
    SCOPED_TRACE(k);
    const TMove& a = line.Moves[size_t(k)];
    const TMove& b = played[size_t(k)];
    EXPECT_EQ(std::tie(a.Fig, a.Dir, a.Len, a.Cell, a.Sub, a.N), std::tie(b.Fig, b.Dir, b.Len, b.Cell, b.Sub, b.N));
  }
  EXPECT_EQ(line.Moves[5].N, 6);
  ExpectAllLinesSound(run, 5);
}

TEST(SolveLines, CountingSolutionsMakesOneNumberedLine) {
  TSolveRun run;
  const auto index = BuildTask(run.Task, TTaskText({"A..", ".B.", "..."}));
  SetEnd(run.Task, index.at('A'), 2, 2);
  SetRules(run.Task, {OneCellMove, false});
  run.Play();
  run.Options.Remote = false;
  run.Options.CountSol = true;
  run.Solve();
  // A reaches the corner past B from either side: two solutions, from different parents.
  EXPECT_EQ(run.Solver.SolCount, 2);
  EXPECT_EQ(run.Solver.SolMaxCount, 1);
  ASSERT_TRUE(run.Engine.Line.Solution);
  EXPECT_EQ(Cp1251ToUtf8(run.Engine.Line.Solution->PosText), "Решение 1");
  EXPECT_FALSE(run.Engine.Line.RemoteLine);
  for (TPosNode* node : run.Engine.Tree.PreOrder())
    EXPECT_EQ(node->Line->PosText, "") << "a single line stays out of the tree";
  ExpectAllLinesSound(run);
}

TEST(SolveLines, InterchangeableFiguresShowTheOneThatMoved) {
  // Either grey single may reach the top right corner; B gets there first, and after its first step
  // it stands before A in reading order, where decoding would call it A.
  TSolveRun run;
  const TFigSpec grey{0x808080, 0, ""};
  TTaskText text({"...", "ABC"});
  text.Figs = {{'A', grey}, {'B', grey}};
  const auto index = BuildTask(run.Task, text);
  SetEnd(run.Task, index.at('A'), 2, 0);
  SetRules(run.Task, {OneCellMove, false});
  run.Play();
  run.Solve();
  ASSERT_EQ(run.Solver.SolutionLayer, 2);
  ASSERT_TRUE(run.Engine.Line.Solution);
  const TMoves0& line = *run.Engine.Line.Solution;
  ASSERT_EQ(line.Count(), 2);
  EXPECT_EQ(line.Moves[0].Fig, index.at('B'));
  EXPECT_EQ(line.Moves[0].Dir, DirUp);
  EXPECT_EQ(line.Moves[1].Fig, index.at('B'));
  EXPECT_EQ(line.Moves[1].Dir, DirRight);
  ExpectAllLinesSound(run);
}

TEST(SolveLines, GroupAnyPathRebuildsLinesOfKeysLongerThan256Bytes) {
  // Sixteen distinct singles shut in their own cells along the top row (byte symbols: more than 15
  // classes) and a single roaming the open rows below: a key of 272 symbols.
  TSolveRun run;
  std::vector<std::string> rows(16, std::string(17, '.'));
  for (int x = 0; x < 16; ++x) rows[0][x] = char('A' + x);
  rows[1][0] = 'Z';
  TTaskText text(rows);
  for (int x = 0; x < 17; ++x) text.Flags[{x, 0}] = FlagWallBelow | (x < 16 ? FlagWallOnTheRight : 0);
  const auto index = BuildTask(run.Task, text);
  SetEnd(run.Task, index.at('Z'), 16, 15);
  SetKind(run.Task, Kind::GroupAnyPath);
  run.Play();
  run.Options.Remote = false;
  run.Solve();
  ASSERT_GT(run.Solver.KeySize(), 256u);
  ASSERT_EQ(run.Solver.SolutionLayer, 1);
  ASSERT_TRUE(run.Engine.Line.Solution);
  ExpectAllLinesSound(run);
}

}  // namespace
}  // namespace zrk::test
