#include <gtest/gtest.h>

#include "model/task.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;
using test::TTaskText;

// End position of figure f placed so that its top-left cell lands on field-relative (x, y).
int16_t EndAt(const TTask& task, int x, int y) {
  const TFig& field = task.Field();
  return int16_t(0x81 + (field.Pos + x + RowStride * y) - field.Pos);
}

TEST(Task, EmptyTaskHasTheFieldSelectedAndNoExtent) {
  TTask task;
  task.New(true, true);
  task.SelSummary();
  task.Extent();
  EXPECT_EQ(task.FigCount, 1);
  EXPECT_EQ(task.Field().CellCount(), 0);
  EXPECT_EQ(task.FreeCells, 0);
  EXPECT_EQ(task.SelFig, &task.Field());
  EXPECT_TRUE(task.Field().Selected);
  EXPECT_EQ(task.Field().Color, DefaultFieldColor);
  for (int v : {task.ExtMinX, task.ExtMinY, task.ExtMaxX, task.ExtMaxY, task.ExtW, task.ExtH}) EXPECT_EQ(v, 0);
}

TEST(Task, RebuildDerivesFiguresMapsAndCounts) {
  TTask task;
  TTaskText text{{"#AA.", "#A..", "b..."}};
  text.Flags[{1, 0}] = FlagWallBelow | FlagGrooveToTheRight;
  auto ix = BuildTask(task, text);
  const TFig& a = task.Figs[ix['A']];
  const TFig& b = task.Figs[ix['b']];
  EXPECT_EQ(task.FigCount, 3);
  EXPECT_EQ(a.Pos, MakeCell(1, 0));
  EXPECT_EQ(a.Cells, (std::vector<int16_t>{0, 1, 128}));
  EXPECT_EQ(a.Width, 2);
  EXPECT_EQ(a.Height, 2);
  EXPECT_TRUE(a.OnField);
  EXPECT_FALSE(b.OnField);
  EXPECT_EQ(task.Field().CellCount(), 9);
  EXPECT_EQ(task.FreeCells, 6);
  EXPECT_EQ(task.FlaggedCells, 1);
  ASSERT_EQ(task.FieldFlags.size(), 9u);
  EXPECT_EQ(task.FieldFlags[0], FlagWallBelow | FlagGrooveToTheRight);
  EXPECT_EQ(task.StartMap[MakeCell(1, 0)], CellField | WallBelow | GrooveToTheRight | ix['A']);
  EXPECT_EQ(task.StartMap[MakeCell(0, 2)], ix['b']);
  task.Extent();
  EXPECT_EQ(task.ExtMinX, 0);
  EXPECT_EQ(task.ExtMaxX, 4);
  EXPECT_EQ(task.ExtH, 3);
  task.SelSummary();
  EXPECT_FALSE(task.AllOnField);
  EXPECT_EQ(task.OnFieldCount, 1);
}

TEST(Task, EndMapLaysTheFieldAtColumnOneAndFiguresAtTheirEndPositions) {
  TTask task;
  auto ix = BuildTask(task, {{"  A..", "  ..."}});
  TFig& a = task.Figs[ix['A']];
  a.EndPos = EndAt(task, 2, 1);
  a.Pins = {1};
  task.BuildMaps(false, true);
  const int base = task.EndBase();
  EXPECT_EQ(base, MakeCell(0, 0));
  EXPECT_EQ(task.EndMap[base], CellField);
  EXPECT_EQ(task.EndMap[base + RowStride + 2], CellField | CellPin | ix['A']);
  EXPECT_EQ(task.EndPosCount, 1);
  EXPECT_EQ(task.StartMap[MakeCell(2, 0)], CellField | CellPin | ix['A']);
}

TEST(Task, EndPositionsThatDoNotFitAreDropped) {
  // A: a horizontal domino whose end position would straddle a wall; F: a fixed single whose end
  // cell is its start cell, which B's end position would overlap; C: off the field.
  TTask task;
  TTaskText text{{"AA..F", ".....", "B....", "c    "}};
  text.Figs['F'].Freedom = Fixed;
  text.Flags[{0, 1}] = FlagWallOnTheRight;
  auto ix = BuildTask(task, text);
  task.Figs[ix['A']].EndPos = EndAt(task, 0, 1);
  task.Figs[ix['B']].EndPos = EndAt(task, 4, 0);
  task.Figs[ix['c']].EndPos = EndAt(task, 1, 1);
  task.BuildMaps(false, true);
  EXPECT_EQ(task.Figs[ix['A']].EndPos, 0);
  EXPECT_EQ(task.Figs[ix['B']].EndPos, 0);
  EXPECT_EQ(task.Figs[ix['c']].EndPos, 0);
  EXPECT_EQ(task.Figs[ix['F']].EndPos, EndAt(task, 4, 0));
  EXPECT_EQ(task.EndPosCount, 0);
  // Nothing of the dropped figures is left in the end map.
  for (int code = 0; code < MapSize; ++code) {
    const int fig = task.EndMap[code] & CellFigMask;
    EXPECT_TRUE(fig == 0 || fig == ix['F']) << code;
  }
}

TEST(Task, FigureWhoseFirstCellIsOffTheFieldIsNotOnTheField) {
  TTask task;
  auto ix = BuildTask(task, {{".A", ".A"}});
  TFig& a = task.Figs[ix['A']];
  a.EndPos = EndAt(task, 0, 0);
  task.BuildMaps(false, true);
  ASSERT_TRUE(a.OnField);
  // A's first cell leaves the field; its second stays on it.
  task.StartMap[MakeCell(1, 0)] &= ~CellField;
  task.RebuildFigs(false);
  EXPECT_FALSE(a.OnField);
  EXPECT_EQ(a.EndPos, 0);
}

TEST(Task, GrowingTheFieldLeftKeepsEndPositionsOnTheBoard) {
  TTask task;
  auto ix = BuildTask(task, {{" A.", " .."}});
  TFig& a = task.Figs[ix['A']];
  a.EndPos = EndAt(task, 1, 1);
  task.BuildMaps(false, true);
  const int endCellBefore = task.Field().Pos + a.EndPos - 0x81;
  task.StartMap[MakeCell(0, 0)] = CellField; // a new field cell left of the top-left corner
  task.RebuildFigs(true);
  EXPECT_EQ(task.Field().Pos, MakeCell(0, 0));
  EXPECT_EQ(task.Field().Pos + a.EndPos - 0x81, endCellBefore);
  EXPECT_NE(a.EndPos, 0);
}

TEST(Task, FigureWithoutCellsHasAnEmptyBox) {
  TTask task;
  auto ix = BuildTask(task, {{"A."}});
  task.StartMap[MakeCell(0, 0)] = CellField;
  task.RebuildFigs(false);
  const TFig& a = task.Figs[ix['A']];
  EXPECT_EQ(a.CellCount(), 0);
  EXPECT_EQ(a.Width, 0);
  EXPECT_EQ(a.Height, 0);
  EXPECT_EQ(a.Pos, 0);
  EXPECT_FALSE(a.OnField);
}

TEST(Task, SelectionSummary) {
  TTask task;
  auto ix = BuildTask(task, {{"AB.", "...", "c  "}});
  Colour last = 0;
  task.LastColor = &last;
  task.Figs[ix['B']].Selected = 1;
  task.Figs[ix['B']].Freedom = Fixed;
  task.SelSummary();
  EXPECT_EQ(task.SelCount, 1);
  EXPECT_EQ(task.SelFig, &task.Figs[ix['B']]);
  EXPECT_FALSE(task.Field().Selected);
  EXPECT_TRUE(task.SelAllOnField);
  EXPECT_TRUE(task.SelHasFixedOnField);
  EXPECT_EQ(last, task.Figs[ix['B']].Color);
  task.Figs[ix['c']].Selected = 1;
  task.SelSummary();
  EXPECT_EQ(task.SelFig, nullptr);
  EXPECT_FALSE(task.SelSameSide);
  EXPECT_FALSE(task.SelAllOnField);
  task.Options.Play = true; // in play mode the last colour stays
  task.Figs[ix['B']].Selected = 0;
  task.Figs[ix['A']].Selected = 1;
  task.SelSummary();
  EXPECT_EQ(last, task.Figs[ix['B']].Color);
}

TEST(Task, CopyDuplicatesFiguresButNotTheText) {
  TTask from;
  test::TTaskText text{{"AA", ".b"}};
  text.Flags[{0, 1}] = FlagWallBelow;
  auto ix = BuildTask(from, text);
  from.Figs[ix['A']].Pins = {0, 1};
  from.Figs[ix['A']].PinCount = 1;
  from.Text = "text";
  TTask to;
  to.Copy(from);
  EXPECT_EQ(to.FigCount, from.FigCount);
  EXPECT_TRUE(to.Text.empty());
  EXPECT_EQ(to.FieldFlags, from.FieldFlags);
  for (int i = 0; i < from.FigCount; ++i) {
    EXPECT_TRUE(SameFig(to.Figs[i], from.Figs[i])) << i;
    EXPECT_EQ(to.Figs[i].Task, &to);
  }
  EXPECT_EQ(to.Figs[ix['A']].Pins, from.Figs[ix['A']].Pins);
}

TEST(Task, ShiftBoardMovesEverythingAndRebuilds) {
  TTask task;
  auto ix = BuildTask(task, {{"A.", ".."}});
  task.DimX = task.DimY = 3;
  task.ShiftBoard(1 + RowStride);
  EXPECT_EQ(task.Field().Pos, MakeCell(1, 1));
  EXPECT_EQ(task.Figs[ix['A']].Pos, MakeCell(1, 1));
  EXPECT_EQ(task.StartMap[MakeCell(0, 0)], 0);
}

TEST(Task, ClearAndNewResetTheTask) {
  TTask task;
  auto ix = BuildTask(task, {{"AB"}});
  task.TempFixed[ix['A']] = 1;
  task.Text = "x";
  task.GridColor = 0x123456;
  task.Clear(true, true, true);
  task.New(true, true);
  EXPECT_EQ(task.FigCount, 1);
  EXPECT_EQ(task.Figs[ix['A']].CellCount(), 0);
  EXPECT_EQ(task.TempFixed[ix['A']], 0);
  EXPECT_TRUE(task.Text.empty());
  EXPECT_EQ(task.GridColor, DefaultGridColor);
  EXPECT_EQ(task.Field().CellCount(), 0);
}

} // namespace
} // namespace zrk

namespace zrk {
namespace {

TEST(Task, RebuildDropsMapWordsThatBelongToNothing) {
  TTask task;
  auto ix = test::BuildTask(task, {{"A.", ".."}});
  task.StartMap[MakeCell(5, 5)] = CellField | 1;       // outside the 2 x 2 board
  task.StartMap[MakeCell(1, 1)] = CellField | 7;       // a figure record not in use
  task.StartMap[MakeCell(0, 1)] = CellField | CellPin; // a pin without a figure
  task.RebuildFigs(false);
  EXPECT_EQ(task.StartMap[MakeCell(5, 5)], 0);
  EXPECT_EQ(task.StartMap[MakeCell(1, 1)], CellField);
  EXPECT_EQ(task.StartMap[MakeCell(0, 1)], CellField);
  EXPECT_EQ(task.Figs[ix['A']].CellCount(), 1);
  EXPECT_EQ(task.FreeCells, 3);
}

} // namespace
} // namespace zrk
