#include <gtest/gtest.h>

#include "model/ops_colours.h"
#include "support/task_text.h"

namespace zrk {
namespace {

// A task with figures of the given colours (no cells needed for colouring).
void MakeFigures(TTask& task, const std::vector<Colour>& colours) {
  task.Clear(true, true, true);
  task.New(true, true);
  task.FigCount = int(colours.size()) + 1;
  for (int i = 1; i < task.FigCount; ++i) {
    task.Figs[i].Init(&task, i);
    task.Figs[i].Color = colours[i - 1];
  }
}

TEST(OpsColoursTest, ThePaletteLookup) {
  EXPECT_EQ(PaletteIndex(0xFFFF80), 0);
  EXPECT_EQ(PaletteIndex(0xFFAAD5), 27);
  EXPECT_EQ(PaletteIndex(DefaultFieldColor), -1);
  EXPECT_EQ(StandardPalette, std::to_array(test::kTestPalette));
}

TEST(OpsColoursTest, ColourStatsCountsRecordsAndFindsTheFirstSelected) {
  TTask task;
  MakeFigures(task, {StandardPalette[3], 0x010203, StandardPalette[3], StandardPalette[5]});
  task.Field().Color = StandardPalette[5];
  TColourState state;
  ColourStats(task, state);
  EXPECT_EQ(state.PalUsage[3], 2);
  EXPECT_EQ(state.PalUsage[5], 2); // the field counts
  EXPECT_EQ(state.SelColor, NoSelectionColor);
  EXPECT_EQ(state.SelPalIndex, -1);
  EXPECT_EQ(task.Figs[2].PalIndex, -1);
  EXPECT_EQ(task.Figs[4].PalIndex, 5);

  task.Figs[2].Selected = task.Figs[4].Selected = 1;
  ColourStats(task, state);
  EXPECT_EQ(state.SelColor, 0x010203u);
  EXPECT_EQ(state.SelPalIndex, -1); // the first selected colour is not a palette colour
  task.Field().Selected = 1;
  ColourStats(task, state);
  EXPECT_EQ(state.SelColor, StandardPalette[5]);
  EXPECT_EQ(state.SelPalIndex, 5);
}

TEST(OpsColoursTest, PickColorTakesTheLeastUsedOtherThanAvoided) {
  TTask task;
  TColourState state;
  state.PalUsage.fill(3);
  state.PalUsage[4] = 1;
  state.PalUsage[9] = 1;
  EXPECT_EQ(PickColor(task, state, 0), StandardPalette[4]); // ties go to the lower index
  EXPECT_EQ(PickColor(task, state, StandardPalette[4]), StandardPalette[9]);
  state.PalUsage.fill(0);
  EXPECT_EQ(PickColor(task, state, StandardPalette[0]), StandardPalette[1]);
  state.SameColor = true;
  EXPECT_EQ(PickColor(task, state, 0), StandardPalette[0]); // no last colour yet: the start value
  Colour last = 0x445566;
  task.LastColor = &last;
  EXPECT_EQ(PickColor(task, state, 0x445566), 0x445566u);
}

TEST(OpsColoursTest, SetColorOfSelectedRecolorsTheFieldWhenNoFigureIsSelected) {
  TTask task;
  MakeFigures(task, {1, 2});
  task.SelSummary();
  SetColorOfSelected(task, 0xABCDEF);
  EXPECT_EQ(task.Field().Color, 0xABCDEFu);
  task.Figs[2].Selected = 1;
  task.SelSummary();
  SetColorOfSelected(task, 7);
  EXPECT_EQ(task.Figs[2].Color, 7u);
  EXPECT_EQ(task.Figs[1].Color, 1u);
  EXPECT_EQ(task.Field().Color, 0xABCDEFu);
}

TEST(OpsColoursTest, NormColorsOnThirtyFiguresOfOneColour) {
  TTask task;
  MakeFigures(task, std::vector<Colour>(30, StandardPalette[0]));
  TColourState state;
  NormColors(task, state);
  std::vector<Colour> expected = {StandardPalette[0], StandardPalette[0], StandardPalette[1], StandardPalette[1]};
  for (int k = 2; k < PaletteSize; ++k) expected.push_back(StandardPalette[k]);
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(task.Figs[i].Color, expected[i - 1]) << i;
  EXPECT_EQ(state.PalUsage[0], 2); // the statistics are refreshed
}

TEST(OpsColoursTest, NormColorsKeepsFairColoursAndMovesTheRestOnFromTheCursor) {
  TTask task;
  MakeFigures(task, {0x010101, StandardPalette[1], StandardPalette[1], StandardPalette[2]});
  TColourState state;
  NormColors(task, state);
  // Four figures: entries 0..3 get one each. Entry 1 keeps one figure, entry 2 keeps its own.
  EXPECT_EQ(task.Figs[1].Color, StandardPalette[0]);
  EXPECT_EQ(task.Figs[2].Color, StandardPalette[1]);
  EXPECT_EQ(task.Figs[3].Color, StandardPalette[3]);
  EXPECT_EQ(task.Figs[4].Color, StandardPalette[2]);
}

TEST(OpsColoursTest, NormColorsDoesNotCountTheFieldsUseOfAColour) {
  TTask task;
  MakeFigures(task, {0x010101, 0x020202});
  task.Field().Color = StandardPalette[1];
  TColourState state;
  NormColors(task, state);
  EXPECT_EQ(task.Figs[1].Color, StandardPalette[0]);
  EXPECT_EQ(task.Figs[2].Color, StandardPalette[1]);
  EXPECT_EQ(task.Field().Color, StandardPalette[1]);
}

TEST(OpsColoursTest, NormColorsWithoutFiguresChangesNothing) {
  TTask task;
  MakeFigures(task, {});
  TColourState state;
  NormColors(task, state);
  EXPECT_EQ(task.Field().Color, DefaultFieldColor);
}

} // namespace
} // namespace zrk
