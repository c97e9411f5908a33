#include <gtest/gtest.h>

#include "model/ops_colours.h"
#include "model/ops_consistency.h"
#include "model/ops_figures.h"
#include "model/ops_selection.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;

std::string Letters(const TTask& task, const std::map<char, int>& original) {
  // Names each remaining record by the letter it was built from (records keep their colour).
  std::string out;
  for (int i = 1; i < task.FigCount; ++i)
    for (const auto& [c, index] : original)
      if (test::kTestPalette[index - 1] == task.Figs[i].Color) out += c;
  return out;
}

TEST(OpsFiguresTest, AddFigureIsRefusedAt254Records) {
  TTask task;
  task.New(true, true);
  TColourState colours;
  for (int i = 1; i < MaxAddFigRecords; ++i) ASSERT_NE(AddFigure(task, colours), nullptr) << i;
  EXPECT_EQ(task.FigCount, 254);
  EXPECT_EQ(AddFigure(task, colours), nullptr);
  EXPECT_EQ(AddFigureLike(task, task.Figs[1], false, colours), nullptr);
  EXPECT_EQ(task.FigCount, 254);
}

TEST(OpsFiguresTest, AddFigureSelectsTheNewEmptyFigureAloneInAFreshColour) {
  TTask task;
  auto fig = BuildTask(task, {{"AB.", "..."}});
  SelectOnly(task, fig['A']);
  TColourState colours;
  ColourStats(task, colours);
  TFig* f = AddFigure(task, colours);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Index, 3);
  EXPECT_EQ(f->Num, 3);
  EXPECT_EQ(f->CellCount(), 0);
  EXPECT_EQ(task.SelFig, f);
  EXPECT_EQ(task.SelCount, 1);
  // Palette entries 0 and 1 are taken by A and B; the least used colour is entry 2.
  EXPECT_EQ(f->Color, StandardPalette[2]);
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsFiguresTest, WithSameColourANewFigureTakesTheLastSelectedColour) {
  TTask task;
  Colour last = 0;
  task.LastColor = &last;
  auto fig = BuildTask(task, {{"AB."}});
  SelectOnly(task, fig['B']);
  TColourState colours;
  colours.SameColor = true;
  TFig* f = AddFigure(task, colours);
  EXPECT_EQ(f->Color, task.Figs[fig['B']].Color);
  EXPECT_EQ(last, f->Color);
}

TEST(OpsFiguresTest, AddFigureLikeCopiesFreedomAndKeepsTheSelection) {
  TTask task;
  test::TTaskText text({"AB."});
  text.Figs['B'] = {0x123456, Fixed, "x"};
  auto fig = BuildTask(task, text);
  SelectOnly(task, fig['A']);
  TColourState colours;
  ColourStats(task, colours);
  TFig* same = AddFigureLike(task, task.Figs[fig['B']], false, colours);
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(same->Freedom, Fixed);
  EXPECT_EQ(same->Color, 0x123456u);
  EXPECT_EQ(same->Index, 3);
  TFig* picked = AddFigureLike(task, task.Figs[fig['B']], true, colours);
  EXPECT_NE(picked->Color, 0x123456u);
  task.SelSummary();
  EXPECT_EQ(task.SelCount, 3);
}

TEST(OpsFiguresTest, DeleteSelectedClosesTheGapsAndRenumbers) {
  TTask task;
  auto fig = BuildTask(task, {{"ABC", "DE.", "..."}});
  task.Figs[fig['E']].Num = 1;
  task.Figs[fig['A']].Num = 5;
  task.Figs[fig['B']].Selected = 1;
  task.Figs[fig['D']].Selected = 1;
  task.SelSummary();
  ASSERT_TRUE(DeleteSelected(task));
  task.BuildMaps(false, true);
  task.RebuildFigs(false);
  EXPECT_EQ(Letters(task, fig), "ACE");
  EXPECT_EQ(task.FigCount, 4);
  // A held 5, out of range now: it takes the highest missing number, 2.
  EXPECT_EQ(task.Figs[1].Num, 2);
  EXPECT_EQ(task.Figs[2].Num, 3);
  EXPECT_EQ(task.Figs[3].Num, 1);
  EXPECT_EQ(task.StartMap[MakeCell(1, 1)] & CellFigMask, 3); // E's cell carries E's new index
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsFiguresTest, DeleteSelectedWithNoFigureSelectedEmptiesTheField) {
  TTask task;
  test::TTaskText text({"A..", "..."});
  text.Flags[{1, 1}] = FlagWallBelow;
  BuildTask(task, text);
  SelectOnly(task, 0);
  ASSERT_TRUE(DeleteSelected(task));
  EXPECT_EQ(task.Field().CellCount(), 0);
  EXPECT_EQ(task.FlaggedCells, 0);
  EXPECT_EQ(task.FigCount, 2); // the figure stays, now off a field that no longer exists
  EXPECT_FALSE(task.Figs[1].OnField);
  EXPECT_EQ(test::ConsistencyFault(task), "");
  EXPECT_FALSE(DeleteSelected(task));
}

TEST(OpsFiguresTest, DeleteOnFieldKeepsTheParkedFigures) {
  TTask task;
  auto fig = BuildTask(task, {{"A.B.   ", "....  c", "       ", "d      "}});
  TColourState colours;
  ASSERT_TRUE(DeleteOnField(task, colours));
  EXPECT_EQ(Letters(task, fig), "cd");
  EXPECT_EQ(colours.PalUsage[fig['c'] - 1], 1);
  EXPECT_EQ(colours.PalUsage[fig['A'] - 1], 0);
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsFiguresTest, DeleteFigureAndRemoveEmpty) {
  TTask task;
  auto fig = BuildTask(task, {{"ABC"}});
  EXPECT_FALSE(DeleteFigure(task, 0));
  EXPECT_FALSE(DeleteFigure(task, task.FigCount));
  ASSERT_TRUE(DeleteFigure(task, fig['B']));
  EXPECT_EQ(Letters(task, fig), "AC");
  EXPECT_EQ(test::ConsistencyFault(task), "");

  TColourState colours;
  AddFigure(task, colours);
  AddFigure(task, colours);
  task.Figs[3].Color = 1; // keep the letters apart from the new records
  task.Figs[4].Color = 2;
  EXPECT_TRUE(RemoveEmpty(task));
  EXPECT_EQ(task.FigCount, 3);
  EXPECT_FALSE(RemoveEmpty(task));
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

} // namespace
} // namespace zrk
