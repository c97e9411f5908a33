#include <gtest/gtest.h>

#include "model/ops_numbering.h"
#include "support/task_text.h"

namespace zrk {
namespace {

std::vector<int> Numbers(const TTask& task) {
  std::vector<int> out;
  for (int i = 1; i < task.FigCount; ++i) out.push_back(task.Figs[i].Num);
  return out;
}

void SetNumbers(TTask& task, const std::vector<int>& nums) {
  task.FigCount = int(nums.size()) + 1;
  for (int i = 1; i < task.FigCount; ++i) task.Figs[i].Num = uint8_t(nums[i - 1]);
}

TEST(OpsNumberingTest, CompactNumbersMovesAsFewNumbersAsPossible) {
  struct TCase {
    std::vector<int> before, after;
  };
  const TCase cases[] = {
      {{1, 2, 5, 7}, {1, 2, 3, 4}}, // 4 goes to the holder of 7, then 3 to the holder of 5
      {{7, 5, 2, 1}, {4, 3, 2, 1}},
      {{3, 1, 2}, {3, 1, 2}},       // already a permutation: untouched
      {{2, 9}, {2, 1}},
      {{4, 4, 1}, {3, 2, 1}},       // a repeated number: 3 to the first 4, the second takes 2
      {{0, 2}, {1, 2}},             // no number at all
      {{255, 254, 1}, {3, 2, 1}},
  };
  for (const TCase& c : cases) {
    TTask task;
    task.New(true, true);
    SetNumbers(task, c.before);
    CompactNumbers(task);
    EXPECT_EQ(Numbers(task), c.after) << ::testing::PrintToString(c.before);
  }
}

TEST(OpsNumberingTest, CompactNumbersSetsEveryIndexToItsSlot) {
  TTask task;
  task.New(true, true);
  SetNumbers(task, {1, 2});
  task.Figs[2].Index = 7;
  CompactNumbers(task);
  EXPECT_EQ(task.Figs[2].Index, 2);
}

TEST(OpsNumberingTest, NumberByRowsFollowsTheFirstCellsOnTheBoard) {
  TTask task;
  auto fig = test::BuildTask(task, {{"..AA", "BB.C", "....", "    ", "d   "}});
  for (int i = 1; i < task.FigCount; ++i) task.Figs[i].Num = uint8_t(task.FigCount - i);
  TFig& empty = task.Figs[task.FigCount];
  empty.Init(&task, task.FigCount);
  empty.Num = 1;
  ++task.FigCount; // a figure without cells is never met on the board: it comes last
  NumberByRows(task);
  EXPECT_EQ(task.Figs[fig['A']].Num, 1);
  EXPECT_EQ(task.Figs[fig['B']].Num, 2);
  EXPECT_EQ(task.Figs[fig['C']].Num, 3);
  EXPECT_EQ(task.Figs[fig['d']].Num, 4);
  EXPECT_EQ(task.Figs[task.FigCount - 1].Num, 5);
}

TEST(OpsNumberingTest, NumberByRowsIgnoresTheIndexOrder) {
  TTask task;
  test::BuildTask(task, {{"A.", "B."}});
  // Swap the figures' cells in the map: B now has the upper cell.
  task.StartMap[MakeCell(0, 0)] = CellField | 2;
  task.StartMap[MakeCell(0, 1)] = CellField | 1;
  task.RebuildFigs(false);
  NumberByRows(task);
  EXPECT_EQ(Numbers(task), (std::vector<int>{2, 1}));
}

TEST(OpsNumberingTest, SetNumSwapsWithTheHolder) {
  TTask task;
  task.New(true, true);
  SetNumbers(task, {1, 2, 3, 4});
  EXPECT_TRUE(SetNum(task, 1, 3));
  EXPECT_EQ(Numbers(task), (std::vector<int>{3, 2, 1, 4}));
  EXPECT_FALSE(SetNum(task, 1, 3)); // already has it
  EXPECT_FALSE(SetNum(task, 1, 5)); // out of range
  EXPECT_FALSE(SetNum(task, 1, 0));
  EXPECT_FALSE(SetNum(task, 0, 2)); // the field has no number
  EXPECT_FALSE(SetNum(task, 5, 2));
  EXPECT_EQ(Numbers(task), (std::vector<int>{3, 2, 1, 4}));
}

} // namespace
} // namespace zrk
