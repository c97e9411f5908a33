// The layered search: known results, the group any-path walk, goals and the solve options, the
// memory budget and forgetting, and the set-up's position key.
#include <gtest/gtest.h>

#include "solver/distribution.h"
#include "solver_fixtures.h"

namespace zrk::test {
namespace {

TEST(Search, EightPuzzleHasItsKnownDepths) {
  TTask task;
  BuildTask(task, SlidingTiles(3, 3));
  SetRules(task, {OneCellMove, false});
  TSolver solver;
  solver.Solve(task, FarthestOnly());
  EXPECT_EQ(solver.PosTotal, 181440u);
  EXPECT_EQ(solver.L, 31);
  EXPECT_EQ(solver.LayerCounts[31], 2u);
  EXPECT_FALSE(solver.SolveStopped);

  SetRules(task, {OneCellMove, true}); // a move may push a row of tiles
  TSolver group;
  group.Solve(task, FarthestOnly());
  EXPECT_EQ(group.PosTotal, 181440u);
  EXPECT_EQ(group.L, 24);
}

// Two interchangeable vertical dominoes, a square and a single: each initiator's walk must reach every
// position its one-cell group moves lead to, whatever other initiators or twins have visited.
TEST(Search, GroupAnyPathReachesEveryPositionOfTheWalk) {
  TTaskText text({".DAA", ".DAA", "B...", "B.C."});
  TFigSpec domino;
  domino.Color = 0x808080;
  text.Figs['D'] = domino;
  text.Figs['B'] = domino;
  TTask task;
  BuildTask(task, text);
  SetRules(task, {AnyPathMove, true});
  TSolver solver;
  solver.Solve(task, FarthestOnly());
  EXPECT_EQ(SolverLayers(solver), (std::vector<uint64_t>{1, 23, 102, 176, 377, 424, 287, 26}));
}

TEST(Search, OneDirectionSlidesYieldEveryLength) {
  TTask task;
  BuildTask(task, TTaskText({"A", ".", ".", "."}));
  SetRules(task, {OneDirMove, false});
  TSolver solver;
  solver.Solve(task, FarthestOnly());
  EXPECT_EQ(SolverLayers(solver), (std::vector<uint64_t>{1, 3}));
}

TEST(Search, ManyScanCellsSwitchPruningOffWithoutChangingThePositions) {
  // 16 x 17 = 272 scan cells: the one-cell pruning's 8-bit record no longer names a cell.
  std::vector<std::string> rows(17, std::string(16, '.'));
  rows[0][0] = 'A';
  rows[5][7] = 'B';
  TTask task;
  BuildTask(task, TTaskText(rows));
  SetRules(task, {OneCellMove, false});
  TSolver solver;
  solver.Solve(task, FarthestOnly());
  EXPECT_EQ(solver.PosTotal, 272u * 271u);
}

TEST(Search, StartThatIsAGoalEndsAtOnce) {
  TTask task;
  const auto index = BuildTask(task, TTaskText({"A.", ".."}));
  SetEnd(task, index.at('A'), 0, 0);
  SetRules(task, {OneCellMove, false});
  TSolveOptions options = FarthestOnly();
  options.Remote = false;
  TSolver solver;
  solver.Solve(task, options);
  EXPECT_EQ(solver.SolutionLayer, 0);
  EXPECT_EQ(solver.SolCount, 1);
  EXPECT_EQ(solver.PosTotal, 1u);
  EXPECT_EQ(DistributionText(solver, options, false), "0) 1 Решение\n?\n");
}

TEST(Search, SolutionsFromDifferentParentsAreCountedAndKept) {
  // The single reaches the far corner from two different positions of layer 1.
  TTask task;
  const auto index = BuildTask(task, TTaskText({"A.", ".."}));
  SetEnd(task, index.at('A'), 1, 1);
  SetRules(task, {OneCellMove, false});
  TSolveOptions plain = FarthestOnly();
  plain.Remote = false;
  TSolver first;
  first.Solve(task, plain);
  EXPECT_EQ(first.SolutionLayer, 2);
  EXPECT_EQ(first.SolCount, 1);
  EXPECT_EQ(DistributionText(first, plain, false), "0) 1\n1) 2\n2) 1 Решение\n?\n");

  TSolveOptions count = plain;
  count.CountSol = true;
  TSolver counted;
  counted.Solve(task, count);
  EXPECT_EQ(counted.SolCount, 2);
  EXPECT_EQ(counted.SolutionRecords[0] != 0, true);

  TSolveOptions many = plain;
  many.ManySol = true;
  many.SolMax = 5;
  TSolver several;
  several.Solve(task, many);
  EXPECT_EQ(several.SolCount, 2);
  EXPECT_NE(several.SolutionRecords[0], several.SolutionRecords[1]);
  EXPECT_EQ(several.Store().Parent(several.SolutionRecords[0]) != several.Store().Parent(several.SolutionRecords[1]), true);

  TSolveOptions remote = plain;
  remote.Remote = true;
  TSolver farthest;
  farthest.Solve(task, remote);
  EXPECT_EQ(farthest.PosTotal, 4u);
  EXPECT_EQ(farthest.SolutionLayer, 2);
  EXPECT_EQ(DistributionText(farthest, remote, false), "0) 1\n1) 2\n2) 1 Решений 2\n");
}

TEST(Search, InterchangeableFiguresFillEitherEndPlace) {
  TTaskText text({"AB", ".."});
  TFigSpec same;
  same.Color = 0x808080;
  text.Figs['A'] = same;
  text.Figs['B'] = same;
  TTask task;
  const auto index = BuildTask(task, text);
  SetEnd(task, index.at('A'), 0, 1); // both end places in the bottom row
  SetEnd(task, index.at('B'), 1, 1);
  SetRules(task, {OneCellMove, false});
  TSolveOptions options = FarthestOnly();
  options.Remote = false;
  TSolver solver;
  solver.Solve(task, options);
  EXPECT_EQ(solver.SolutionLayer, 2);
}

TEST(Search, NoMovableFigureEndsAfterTheStart) {
  TTask task;
  const auto index = BuildTask(task, TTaskText({"AB"}));
  SetEnd(task, index.at('A'), 1, 0);
  SetRules(task, {OneCellMove, false});
  TSolveOptions options = FarthestOnly();
  options.Remote = false;
  TSolver solver;
  solver.Solve(task, options);
  EXPECT_EQ(solver.PosTotal, 1u);
  EXPECT_EQ(DistributionText(solver, options, false), "0) 1\nРешение не найдено\n");
}

TEST(Search, PreSolveCheckNamesTheMissingFigures) {
  TTask task;
  const auto index = BuildTask(task, TTaskText({"A."}));
  EXPECT_EQ(PreSolveCheck(task, false), "На конечной позиции нет подвижных фигурок");
  EXPECT_EQ(PreSolveCheck(task, true), "");
  task.Figs[index.at('A')].Freedom = Fixed;
  EXPECT_EQ(PreSolveCheck(task, true), "На начальной позиции нет подвижных фигурок");
}

TEST(Search, BudgetFollowsTheAvailableMemory) {
  EXPECT_EQ(TSolver::BudgetFor(1073741824, 20), 31317469u);
  EXPECT_EQ(TSolver::BudgetFor(uint64_t(100) << 20, 20), 0u) << "below 128 MB nothing is left";
  EXPECT_EQ(TSolver::BudgetFor(uint64_t(20) << 30, 18), ((uint64_t(20) << 30) - MemoryReserve) / 28);
}

TEST(Search, TooLittleMemoryEndsWithTheMemoryMessage) {
  TTask task;
  BuildTask(task, SlidingTiles(3, 3));
  SetRules(task, {OneCellMove, false});
  TSolveOptions options = FarthestOnly();
  options.AvailableMemory = uint64_t(100) << 20;
  TSolver solver;
  solver.Solve(task, options);
  EXPECT_TRUE(solver.OutOfMemory);
  EXPECT_TRUE(solver.SolveStopped);
  EXPECT_EQ(solver.MaxRecords, 0u);
  // The first new position finds no room: layer 0 is the last non-empty one, marked incomplete.
  EXPECT_EQ(DistributionText(solver, options, false), "0) 1?\nНе хватило памяти\n");
}

TEST(Search, ForgettingLayersGoesOnWhereMemoryWouldEndTheSearch) {
  TTask task;
  BuildTask(task, SlidingTiles(3, 3));
  SetRules(task, {OneCellMove, false});
  TSolver full;
  full.Solve(task, FarthestOnly());

  TSolveOptions tight = FarthestOnly();
  // 6 MB above the reserve: one record block and a table for about 100,000 positions, which holds
  // three layers of this puzzle but not all of it.
  tight.AvailableMemory = MemoryReserve + (uint64_t(6) << 20);
  TSolver stopped;
  stopped.Solve(task, tight);
  EXPECT_TRUE(stopped.OutOfMemory);
  EXPECT_LT(stopped.PosTotal, full.PosTotal);

  tight.ForgetLayers = true;
  TSolver forgetting;
  forgetting.Solve(task, tight);
  EXPECT_FALSE(forgetting.OutOfMemory);
  EXPECT_GT(forgetting.ForgetIndex, 0);
  EXPECT_EQ(forgetting.LayerCounts, full.LayerCounts);
}

TEST(Setup, OneRowDominoGivesThePackedKeyOfItsSymbols) {
  TTask task;
  BuildTask(task, TTaskText({".AA."}));
  TSolver solver;
  solver.PrepareSolver(task);
  EXPECT_EQ(solver.SymbolCount(), 3);
  EXPECT_TRUE(solver.Packed());
  ASSERT_EQ(solver.KeySize(), 2u);
  uint8_t key[2] = {0xEE, 0xEE};
  solver.EncodePosition(solver.Occupancy().data(), key);
  EXPECT_EQ(key[0], 0x10);
  EXPECT_EQ(key[1], 0x00);
  solver.DecodePosition(key);
  EXPECT_EQ(solver.Occupancy(), (std::vector<uint8_t>{0, 1, 1, 0}));
}

TEST(Setup, ClassesMergeEqualFiguresAndPackingStopsAtSixteen) {
  std::string row(16, '.');
  std::string figs = "ABCDEFGHIJKLMNOP";
  TTask task;
  BuildTask(task, TTaskText({figs.substr(0, 15) + "..", std::string(17, '.')}));
  TSolver solver;
  solver.PrepareSolver(task);
  EXPECT_EQ(solver.ClassCount(), 15);
  EXPECT_TRUE(solver.Packed());
  BuildTask(task, TTaskText({figs + ".", std::string(17, '.')}));
  solver.PrepareSolver(task);
  EXPECT_EQ(solver.ClassCount(), 16);
  EXPECT_FALSE(solver.Packed());
  EXPECT_EQ(solver.KeySize(), uint32_t(solver.SymbolCount()));

  TTaskText pair({"AB.."});
  TFigSpec same;
  same.Color = 0x808080;
  pair.Figs['A'] = same;
  pair.Figs['B'] = same;
  BuildTask(task, pair);
  solver.PrepareSolver(task);
  EXPECT_EQ(solver.ClassCount(), 1);
  EXPECT_EQ(solver.Class(1).Instances, (std::vector<uint8_t>{1, 2}));
}

TEST(Setup, FreedomsAndPinsCutLinks) {
  TTaskText text({"H.", "V.", ".P"});
  text.Figs['H'].Freedom = HorSlide;
  text.Figs['V'].Freedom = VertSlide;
  TTask task;
  BuildTask(task, text);
  AddPin(task, 1, 2); // no grooves at all: the pinned figure cannot move
  TSolver solver;
  solver.PrepareSolver(task);
  for (int c = 1; c <= solver.ClassCount(); ++c) {
    const TFigClass& cls = solver.Class(c);
    for (int p = cls.FirstPlacement; p < cls.FirstPlacement + cls.PlacementCount; ++p) {
      const TPlacement& pl = solver.Placement(p);
      if (c == 1) {
        EXPECT_TRUE(pl.Links[DirUp] < 0 && pl.Links[DirDown] < 0);
      } else if (c == 2) {
        EXPECT_TRUE(pl.Links[DirLeft] < 0 && pl.Links[DirRight] < 0);
      } else {
        EXPECT_TRUE(pl.Links[0] < 0 && pl.Links[1] < 0 && pl.Links[2] < 0 && pl.Links[3] < 0);
      }
    }
  }
}

TEST(Setup, AFigureAcrossAWallIsRefusedWithoutSearching) {
  TTaskText text({"AA."});
  text.Flags[{0, 0}] = FlagWallOnTheRight;
  TTask task;
  BuildTask(task, text);
  TSolver solver;
  solver.Solve(task, FarthestOnly());
  EXPECT_FALSE(solver.StartValid());
  EXPECT_EQ(solver.PosTotal, 0u);
}

} // namespace
} // namespace zrk::test
