#include <gtest/gtest.h>

#include "model/ops_selection.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;

class OpsSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fig = BuildTask(task, {{"AAB..",
                            "..B..",
                            "CC..D",
                            ".....",
                            "     ",
                            "e    "}});
  }
  std::vector<int> Selected() const {
    std::vector<int> out;
    for (int i = 0; i < task.FigCount; ++i)
      if (task.Figs[i].Selected) out.push_back(i);
    return out;
  }
  TTask task;
  std::map<char, int> fig;
};

TEST_F(OpsSelectionTest, SelectOnlyPicksOneFigureOrTheField) {
  task.Figs[fig['A']].Selected = 1;
  ASSERT_TRUE(SelectOnly(task, fig['C']));
  EXPECT_EQ(Selected(), std::vector<int>{fig['C']});
  EXPECT_EQ(task.SelFig, &task.Figs[fig['C']]);
  ASSERT_TRUE(SelectOnly(task, 0));
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(task.SelFig, &task.Field());
  EXPECT_FALSE(SelectOnly(task, task.FigCount));
  EXPECT_FALSE(SelectOnly(task, -1));
  EXPECT_EQ(Selected(), std::vector<int>{0});
}

TEST_F(OpsSelectionTest, InvertAndDeselectLeaveTheSummaryToTheCaller) {
  SelectOnly(task, fig['A']);
  InvertSelection(task);
  EXPECT_EQ(Selected(), (std::vector<int>{fig['B'], fig['C'], fig['D'], fig['e']}));
  DeselectAll(task);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(task.SelCount, 1); // the summary still describes the earlier selection
}

TEST_F(OpsSelectionTest, SaveAndRestoreSelection) {
  SelectOnly(task, fig['B']);
  SaveSelection(task, true);
  EXPECT_EQ(Selected(), std::vector<int>{0}); // cleared and summarised: the field is selected
  EXPECT_TRUE(RestoreSelectionIfChanged(task));
  EXPECT_EQ(Selected(), std::vector<int>{fig['B']});
  EXPECT_FALSE(RestoreSelectionIfChanged(task));
  task.Figs[fig['D']].Selected = 1;
  RestoreSelection(task);
  EXPECT_EQ(Selected(), std::vector<int>{fig['B']});
}

TEST_F(OpsSelectionTest, SelectByColourWithoutToggleSelectsExactlyThatColour) {
  task.Figs[fig['C']].Color = task.Figs[fig['A']].Color;
  SelectOnly(task, fig['D']);
  SelectByColor(task, task.Figs[fig['A']].Color, false);
  EXPECT_EQ(Selected(), (std::vector<int>{fig['A'], fig['C']}));
}

TEST_F(OpsSelectionTest, SelectByColourWithToggleGivesAllTheFlippedValueOfTheFirst) {
  const Colour shared = task.Figs[fig['A']].Color;
  task.Figs[fig['D']].Color = shared;
  SelectOnly(task, fig['D']); // the later one is selected, the first one is not
  SelectByColor(task, shared, true);
  EXPECT_EQ(Selected(), (std::vector<int>{fig['A'], fig['D']}));
  SelectByColor(task, shared, true);
  EXPECT_EQ(Selected(), std::vector<int>{0});
}

TEST_F(OpsSelectionTest, RectangleSelectionFollowsThePointerOverTheSavedSelection) {
  SelectOnly(task, fig['D']);
  TRectSelect rect;
  EXPECT_FALSE(rect.Start(task, false, MakeCell(3, 0), true)); // an empty field cell
  EXPECT_TRUE(rect.Start(task, false, MakeCell(0, 0), true));
  EXPECT_EQ(Selected(), (std::vector<int>{fig['A'], fig['D']}));
  EXPECT_TRUE(rect.Move(task, false, MakeCell(2, 2)));
  EXPECT_EQ(Selected(), (std::vector<int>{fig['A'], fig['B'], fig['C'], fig['D']}));
  EXPECT_FALSE(rect.Move(task, false, MakeCell(2, 2))); // the same cell again
  EXPECT_FALSE(rect.Move(task, true, MakeCell(0, 5)));  // the other view
  EXPECT_TRUE(rect.Move(task, false, MakeCell(1, 0)));  // back: B and C drop out again
  EXPECT_EQ(Selected(), (std::vector<int>{fig['A'], fig['D']}));
  EXPECT_TRUE(RestoreSelectionIfChanged(task));
  EXPECT_EQ(Selected(), std::vector<int>{fig['D']});
}

TEST_F(OpsSelectionTest, RectangleDeselectionAndCornersInAnyOrder) {
  for (int i = 1; i < task.FigCount; ++i) task.Figs[i].Selected = 1;
  task.SelSummary();
  TRectSelect rect;
  EXPECT_FALSE(rect.Start(task, false, MakeCell(4, 3), false));
  EXPECT_TRUE(rect.Move(task, false, MakeCell(1, 1)));
  EXPECT_EQ(Selected(), (std::vector<int>{fig['A'], fig['e']}));
  EXPECT_EQ(task.SelCount, 2);
  EXPECT_FALSE(task.SelSameSide);
}

} // namespace
} // namespace zrk
