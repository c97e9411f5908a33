#include <gtest/gtest.h>

#include "model/ops_colours.h"
#include "model/ops_consistency.h"
#include "model/ops_figures.h"
#include "model/ops_paint.h"
#include "model/ops_selection.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;
using test::TTaskText;

struct TCountingView : IPaintView {
  int WidthChanges = 0, Repaints = 0;
  void FieldWidthChanged() override { ++WidthChanges; }
  void Repaint() override { ++Repaints; }
};

// Paints one cell the way a click does: PaintCell, then AfterPaint when it changed.
bool Click(TTask& task, int x, int y, bool on) {
  if (!PaintCell(task, MakeCell(x, y), on)) return false;
  AfterPaint(task, false, nullptr);
  return true;
}

TEST(OpsPaintTest, FieldCellsNextToAParkedFigureAreRefusedEvenDiagonally) {
  TTask task;
  auto fig = BuildTask(task, {{"...  ",
                               "...  ",
                               "    a"}});
  SelectOnly(task, 0);
  const std::vector<uint16_t> before = task.StartMap;
  EXPECT_FALSE(Click(task, 3, 1, true)); // diagonal to the parked figure
  EXPECT_FALSE(Click(task, 4, 1, true)); // above it
  EXPECT_FALSE(Click(task, 4, 2, true)); // on it
  EXPECT_EQ(task.StartMap, before);
  EXPECT_TRUE(Click(task, 3, 0, true));
  EXPECT_TRUE(Click(task, 2, 2, true)); // two columns away from the figure
  EXPECT_FALSE(Click(task, 2, 2, true)); // already a field cell
  EXPECT_EQ(task.Field().CellCount(), 8);
  EXPECT_EQ(test::ConsistencyFault(task), "");
  (void)fig;
}

TEST(OpsPaintTest, RemovingAFieldCellNextToAParkedFigureIsRefused) {
  // A task read from a file may already break the rule; erasing does not make it any worse.
  TTask task;
  BuildTask(task, {{"...  ",
                    "...  ",
                    "   a "}});
  SelectOnly(task, 0);
  EXPECT_FALSE(Click(task, 2, 1, false)); // diagonal to the parked figure
  EXPECT_TRUE(Click(task, 0, 0, false));
  EXPECT_FALSE(Click(task, 0, 0, false)); // no longer a field cell
  EXPECT_EQ(task.Field().CellCount(), 5);
}

TEST(OpsPaintTest, FigureCellsOffTheFieldMustKeepClearOfIt) {
  TTask task;
  BuildTask(task, {{"...   ",
                    "...   ",
                    "      ",
                    "      "}});
  TColourState colours;
  ASSERT_NE(AddFigure(task, colours), nullptr);
  EXPECT_FALSE(Click(task, 3, 2, true)); // diagonal to the field's corner
  EXPECT_FALSE(Click(task, 3, 0, true)); // beside it
  EXPECT_TRUE(Click(task, 4, 2, true));
  EXPECT_FALSE(Click(task, 2, 1, true)); // a parked figure cannot grow onto the field
  EXPECT_TRUE(Click(task, 5, 3, true));
  EXPECT_FALSE(task.SelFig->OnField);
  EXPECT_EQ(task.SelFig->CellCount(), 2);
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsPaintTest, AWallNeverSeparatesTwoCellsOfOneFigure) {
  // The centre cell (1,1) carries a wall below and on the right; its upper and left neighbours
  // carry the walls of its upper and left edges.
  struct TCase {
    int firstX, firstY, secondX, secondY;
    bool accepted;
  };
  const TCase cases[] = {
      {1, 1, 1, 2, false}, // across the wall below the first cell
      {1, 1, 2, 1, false}, // across the wall on its right
      {1, 1, 1, 0, false}, // across the wall below the cell above
      {1, 1, 0, 1, false}, // across the wall on the right of the cell to the left
      {1, 2, 1, 1, false}, // the same walls, painted from the other side
      {2, 1, 1, 1, false},
      {1, 0, 1, 1, false},
      {0, 1, 1, 1, false},
      {1, 2, 2, 2, true}, // beside the walls, not across them
      {2, 1, 2, 2, true},
  };
  for (const TCase& c : cases) {
    TTask task;
    TTaskText text({"...", "...", "..."});
    text.Flags[{1, 1}] = FlagWallBelow | FlagWallOnTheRight;
    text.Flags[{1, 0}] = FlagWallBelow;
    text.Flags[{0, 1}] = FlagWallOnTheRight;
    BuildTask(task, text);
    TColourState colours;
    AddFigure(task, colours);
    ASSERT_TRUE(Click(task, c.firstX, c.firstY, true));
    EXPECT_EQ(Click(task, c.secondX, c.secondY, true), c.accepted)
        << c.firstX << "," << c.firstY << " then " << c.secondX << "," << c.secondY;
    EXPECT_EQ(test::ConsistencyFault(task), "");
  }
}

TEST(OpsPaintTest, RemovingAFieldCellTakesTheWallsAndGroovesOfItsEdges) {
  TTask task;
  TTaskText text({"...", "...", "..."});
  text.Flags[{1, 0}] = FlagWallBelow | FlagGrooveDown | FlagWallOnTheRight; // upper neighbour
  text.Flags[{0, 1}] = FlagWallOnTheRight | FlagGrooveToTheRight | FlagWallBelow; // left neighbour
  text.Flags[{1, 1}] = FlagWallBelow;
  BuildTask(task, text);
  SelectOnly(task, 0);
  ASSERT_TRUE(Click(task, 1, 1, false));
  EXPECT_EQ(task.StartMap[MakeCell(1, 0)], CellField | WallOnTheRight);
  EXPECT_EQ(task.StartMap[MakeCell(0, 1)], CellField | WallBelow);
  EXPECT_EQ(task.StartMap[MakeCell(1, 1)], 0);
  EXPECT_EQ(task.FlaggedCells, 2);
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsPaintTest, CellsOutsideTheBoardAndCellsOfOthersAreRefused) {
  TTask task;
  auto fig = BuildTask(task, {{"AB.", "..."}});
  SelectOnly(task, fig['A']);
  EXPECT_FALSE(PaintCell(task, MakeCell(3, 0), true));  // right of the board
  EXPECT_FALSE(PaintCell(task, MakeCell(0, -1), true)); // the border row
  EXPECT_FALSE(PaintCell(task, MakeCell(1, 0), true));  // B's cell
  EXPECT_FALSE(PaintCell(task, MakeCell(1, 0), false)); // B's cell is not A's to erase
  EXPECT_TRUE(PaintCell(task, MakeCell(0, 0), false));
  EXPECT_EQ(task.StartMap[MakeCell(0, 0)], CellField);
  task.SelFig = nullptr; // several selected: nothing to paint
  EXPECT_FALSE(PaintCell(task, MakeCell(2, 0), true));
}

TEST(OpsPaintTest, ARectangleOfANewFigureStaysOnOneSideOfTheField) {
  TTask task;
  BuildTask(task, {{"..      ",
                    "..      ",
                    "        ",
                    "        "}});
  TColourState colours;
  AddFigure(task, colours);
  TPaintDrag drag;
  EXPECT_FALSE(drag.Start(task, MakeCell(2, 0), true)); // beside the field: refused
  // The rectangle covers the field and, lower down, cells far enough from it to park on; the
  // first cell painted decides the side.
  EXPECT_TRUE(drag.Move(task, MakeCell(0, 3)));
  EXPECT_EQ(test::ConsistencyFault(task), "");
  EXPECT_TRUE(task.SelFig->OnField);
  EXPECT_EQ(task.SelFig->CellCount(), 4);
}

TEST(OpsPaintTest, DraggingOutAndBackLeavesOnlyTheStartCell) {
  TTask task;
  BuildTask(task, {{".....", ".....", "....."}});
  TColourState colours;
  TFig* f = AddFigure(task, colours);
  const int index = f->Index;
  TPaintDrag drag;
  ASSERT_TRUE(drag.Start(task, MakeCell(1, 1), true));
  EXPECT_TRUE(drag.Move(task, MakeCell(3, 2)));
  EXPECT_EQ(task.Figs[index].CellCount(), 6);
  EXPECT_TRUE(drag.Move(task, MakeCell(2, 1)));
  EXPECT_EQ(task.Figs[index].CellCount(), 2);
  EXPECT_TRUE(drag.Move(task, MakeCell(1, 1)));
  EXPECT_EQ(task.Figs[index].CellCount(), 1);
  EXPECT_EQ(task.Figs[index].Pos, MakeCell(1, 1));
  drag.Stop();
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsPaintTest, EscRestoresTheTaskExactly) {
  TTask task;
  TTaskText text({"AA...", "..B..", "....."});
  text.Flags[{3, 0}] = FlagWallBelow | FlagGrooveToTheRight;
  auto fig = BuildTask(task, text);
  task.StartMap[MakeCell(2, 1)] |= CellPin;
  task.Figs[fig['A']].EndPos = int16_t(0x81 + MakeCell(3, 2) - MakeCell(0, 0));
  task.RebuildFigs(false);
  ASSERT_NE(task.Figs[fig['A']].EndPos, 0);
  SelectOnly(task, 0);
  const std::vector<uint16_t> before = task.StartMap;
  TCountingView view;
  TPaintDrag drag(&view);
  ASSERT_TRUE(drag.Start(task, MakeCell(4, 2), false));
  EXPECT_TRUE(drag.Move(task, MakeCell(3, 0)));
  EXPECT_NE(task.StartMap, before);
  EXPECT_EQ(task.Figs[fig['A']].EndPos, 0); // the end cells were taken off the field
  EXPECT_TRUE(drag.Cancel(task));
  EXPECT_EQ(task.StartMap, before);
  EXPECT_NE(task.Figs[fig['A']].EndPos, 0);
  EXPECT_FALSE(drag.Active());
  EXPECT_GE(view.Repaints, 3);
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsPaintTest, ShrinkingTheRectangleBringsBackADroppedEndPosition) {
  TTask task;
  auto fig = BuildTask(task, {{"A....", ".....", "....."}});
  task.Figs[fig['A']].EndPos = int16_t(0x81 + MakeCell(3, 1) - MakeCell(0, 0));
  task.RebuildFigs(false);
  SelectOnly(task, 0);
  TPaintDrag drag;
  ASSERT_TRUE(drag.Start(task, MakeCell(4, 2), false));
  ASSERT_TRUE(drag.Move(task, MakeCell(3, 1)));
  EXPECT_EQ(task.Figs[fig['A']].EndPos, 0);
  ASSERT_TRUE(drag.Move(task, MakeCell(4, 1)));
  EXPECT_EQ(task.Figs[fig['A']].EndPos, 0x81 + MakeCell(3, 1) - MakeCell(0, 0));
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsPaintTest, EndPositionsStayOnTheBoardWhenTheFieldGrowsLeft) {
  TTask task;
  auto fig = BuildTask(task, {{" A..", " ...", " ..."}});
  const int endOffset = 0x81 + MakeCell(3, 2) - MakeCell(1, 0);
  task.Figs[fig['A']].EndPos = int16_t(endOffset);
  task.RebuildFigs(false);
  SelectOnly(task, 0);
  TCountingView view;
  ASSERT_TRUE(PaintCell(task, MakeCell(0, 2), true));
  AfterPaint(task, false, &view);
  EXPECT_EQ(view.WidthChanges, 1);
  const TFig& a = task.Figs[fig['A']];
  EXPECT_EQ(a.EndCell(0, task.Field().Pos), MakeCell(3, 2));
}

TEST(OpsPaintTest, CancelCompactsAFigureThatNeverGotACell) {
  TTask task;
  BuildTask(task, {{"A..", "...", "..."}});
  TColourState colours;
  AddFigure(task, colours);
  ASSERT_EQ(task.FigCount, 3);
  TPaintDrag drag;
  ASSERT_TRUE(drag.Start(task, MakeCell(2, 2), true));
  EXPECT_TRUE(drag.Cancel(task));
  EXPECT_EQ(task.FigCount, 2);
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

} // namespace
} // namespace zrk
