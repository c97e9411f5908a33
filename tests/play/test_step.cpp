#include <gtest/gtest.h>

#include "play/shape_classes.h"
#include "play_fixture.h"

namespace zrk::test {
namespace {

using Rows = std::vector<std::string>;

void NoGroupSlide(TTaskOptions& o) { o.SetGrSlide(false); }
void GravityOn(TTaskOptions& o) { o.SetGravity(); }
void CooperativeOn(TTaskOptions& o) { o.SetCooperative(); }

TEST(Step, PushIntoHorizontalOnlyFigureFailsTheWholeStep) {
  TTaskText text{{"A.", "B.", ".."}};
  text.Figs['B'].Freedom = HorSlide;
  TPlayFixture t(text);
  EXPECT_FALSE(t.Step('A', DirDown));
  EXPECT_EQ(t.Rows(), (Rows{"A.", "B.", ".."}));
  // The same figure may be pushed sideways.
  bool pushed = false;
  TTaskText sideText{{"AB.", "..."}};
  sideText.Figs['B'].Freedom = HorSlide;
  TPlayFixture side(sideText);
  EXPECT_TRUE(side.Step('A', DirRight, &pushed));
  EXPECT_TRUE(pushed);
  EXPECT_EQ(side.Rows(), (Rows{".AB", "..."}));
}

TEST(Step, PushMovesTheGroupAndReportsIt) {
  TPlayFixture t(TTaskText{{"A.", "B.", ".."}});
  bool pushed = false;
  EXPECT_TRUE(t.Step('A', DirDown, &pushed));
  EXPECT_TRUE(pushed);
  EXPECT_EQ(t.Rows(), (Rows{"..", "A.", "B."}));
  EXPECT_FALSE(t.Step('A', DirDown)); // B stands on the field's edge
  EXPECT_TRUE(t.Step('A', DirRight, &pushed));
  EXPECT_FALSE(pushed);
}

TEST(Step, WithoutGroupSlideAnyPushFails) {
  TPlayFixture t(TTaskText{{"AB."}}, NoGroupSlide);
  EXPECT_FALSE(t.Step('A', DirRight));
  EXPECT_TRUE(t.Step('B', DirRight));
  EXPECT_TRUE(t.Step('A', DirRight));
  EXPECT_EQ(t.Rows(), (Rows{".AB"}));
}

TEST(Step, CooperativeStepsMayPushEvenWithoutGroupSlide) {
  TPlayFixture t(TTaskText{{"AB."}}, [](TTaskOptions& o) {
    o.SetGrSlide(false);
    o.SetCooperative();
  });
  EXPECT_TRUE(t.Step('A', DirRight));
}

TEST(Step, FixedFiguresAndFieldEdgesBlock) {
  TTaskText text{{"AF.", "..."}};
  text.Figs['F'].Freedom = Fixed;
  TPlayFixture t(text);
  EXPECT_FALSE(t.Step('A', DirRight));
  EXPECT_FALSE(t.Step('F', DirDown));
  EXPECT_FALSE(t.Step('A', DirLeft));
  EXPECT_FALSE(t.Step('A', DirUp));
  EXPECT_TRUE(t.Step('A', DirDown));
}

TEST(Step, WallBetweenTheCellsBelowStopsOnlyAWideFigure) {
  // A wall on the right of the lower-left cell runs between the two cells below the figure.
  TTaskText wide{{"AA", ".."}};
  wide.Flags[{0, 1}] = FlagWallOnTheRight;
  TPlayFixture t(wide);
  EXPECT_FALSE(t.Step('A', DirDown));

  TTaskText narrow{{"A.", ".."}};
  narrow.Flags[{0, 1}] = FlagWallOnTheRight;
  TPlayFixture n(narrow);
  EXPECT_TRUE(n.Step('A', DirDown));
  EXPECT_FALSE(n.Step('A', DirRight)); // but the wall itself cannot be crossed
}

TEST(Step, WallsBelowACellStopUpAndDown) {
  TTaskText text{{"A", ".", "B"}};
  text.Flags[{0, 0}] = FlagWallBelow;
  text.Flags[{0, 1}] = FlagWallBelow;
  TPlayFixture t(text);
  EXPECT_FALSE(t.Step('A', DirDown));
  EXPECT_FALSE(t.Step('B', DirUp));
}

TEST(Step, PinnedCellsFollowGroovesUnpinnedCellsDoNot) {
  // Figure A covers (0,0) and (1,0); only (0,0) carries a pin. A groove leads down from (0,0).
  TTaskText text{{"AA", "..", ".."}};
  text.Flags[{0, 0}] = FlagGrooveDown;
  TPlayFixture t(text);
  t.Pin({{0, 0}});
  ASSERT_EQ(t.Task.Figs[size_t(t.Fig['A'])].PinCount, 1);
  EXPECT_TRUE(t.Step('A', DirDown));  // the pin runs along the groove
  EXPECT_FALSE(t.Step('A', DirDown)); // no groove below (0,1)
  EXPECT_TRUE(t.Step('A', DirUp));    // up along the groove of the cell above
  EXPECT_FALSE(t.Step('A', DirRight));
}

TEST(Step, PinOnTheRightCellOfAGrooveToTheRight) {
  TTaskText text{{"A.."}};
  text.Flags[{0, 0}] = FlagGrooveToTheRight;
  TPlayFixture t(text);
  t.Pin({{0, 0}});
  EXPECT_TRUE(t.Step('A', DirRight));
  EXPECT_FALSE(t.Step('A', DirRight));
  EXPECT_TRUE(t.Step('A', DirLeft));
  EXPECT_FALSE(t.Step('A', DirLeft)); // the field's edge
}

TEST(Step, GravityStackAgainstTheEdgeStaysAndFallsTogetherWithRoom) {
  TPlayFixture stuck(TTaskText{{"A", "B"}}, GravityOn);
  EXPECT_FALSE(stuck.Step(0, DirDown));

  TPlayFixture t(TTaskText{{"A.", "B.", "..", ".C"}}, GravityOn);
  bool pushed = false;
  EXPECT_TRUE(t.Step(0, DirDown, &pushed));
  EXPECT_TRUE(pushed);
  EXPECT_EQ(t.Rows(), (Rows{"..", "A.", "B.", ".C"}));
  EXPECT_TRUE(t.Step(0, DirDown, &pushed));
  EXPECT_TRUE(pushed); // C rests on the edge; A and B fall together
  EXPECT_EQ(t.Rows(), (Rows{"..", "..", "A.", "BC"}));
  EXPECT_FALSE(t.Step(0, DirDown));
}

TEST(Step, GravityFigureRestingOnABlockedOneIsBlocked) {
  TTaskText text{{"A.", "F.", "..", ".."}};
  text.Figs['F'].Freedom = Fixed;
  TPlayFixture t(text, GravityOn);
  EXPECT_FALSE(t.Step(0, DirDown));
  EXPECT_TRUE(t.Step(0, DirRight, nullptr));
  EXPECT_EQ(t.Rows(), (Rows{".A", "F.", "..", ".."}));
}

TEST(Step, FailureLeavesPositionsAndMapUntouched) {
  TPlayFixture t(TTaskText{{"AB", ".."}}, NoGroupSlide);
  const auto map = t.Task.StartMap;
  const auto pos = t.Engine->CurPositions;
  EXPECT_FALSE(t.Step('A', DirRight));
  EXPECT_EQ(t.Task.StartMap, map);
  EXPECT_EQ(t.Engine->CurPositions, pos);
}

TEST(Line, PrevAndNextMoveIndexAtTheEnds) {
  for (bool mini : {false, true}) {
    TPlayFixture t(TTaskText{{"A.."}});
    t.Engine->MiniMoves = mini;
    EXPECT_EQ(t.Engine->PrevMoveIndex(), -1);
    EXPECT_EQ(t.Engine->NextMoveIndex(), -1);
  }
}

TEST(Line, MiniMoveNavigationJumpsOverWholeMoves) {
  TPlayFixture t(TTaskText{{"A....B"}});
  TPlayEngine& e = *t.Engine;
  e.MiniMoves = true;
  // Moves: 1 = entries 1..2, 2 = entry 3, 3 = entries 4..5.
  const int n[] = {0, 1, 1, 2, 3, 3};
  const int sub[] = {0, 0, 1, 0, 0, 1};
  for (int k = 1; k <= 5; ++k) {
    TMove m;
    m.Fig = uint8_t(k <= 3 ? t.Fig['A'] : t.Fig['B']);
    m.Dir = k <= 3 ? DirRight : DirLeft;
    m.Len = 1;
    e.AppendEntry(m, e.Line.Positions(k - 1));
  }
  for (int k = 1; k <= 5; ++k) {
    e.Line.Move(k).N = n[k];
    e.Line.Move(k).Sub = int16_t(sub[k]);
  }
  e.Line.Cur = 0;
  EXPECT_EQ(e.NextMoveIndex(), 2);
  e.Line.Cur = 2;
  EXPECT_EQ(e.NextMoveIndex(), 3);
  EXPECT_EQ(e.PrevMoveIndex(), 0);
  e.Line.Cur = 3;
  EXPECT_EQ(e.NextMoveIndex(), 5);
  EXPECT_EQ(e.PrevMoveIndex(), 2);
  e.Line.Cur = 5;
  EXPECT_EQ(e.PrevMoveIndex(), 3);
  e.MiniMoves = false;
  EXPECT_EQ(e.PrevMoveIndex(), 4);
}

TEST(Line, LoadLineReplaysPositionsAndPushes) {
  TPlayFixture t(TTaskText{{"AB..", "...."}});
  TMoves0 line;
  line.Moves = {TMove{uint8_t(t.Fig['A']), DirRight, 2, 0, 0, 0, 1}, TMove{uint8_t(t.Fig['B']), DirDown, 1, 0, 0, 0, 2}};
  t.Engine->LoadLine(line);
  ASSERT_EQ(t.Engine->Line.Count, 3);
  EXPECT_EQ(t.Engine->Line.Cur, 2);
  EXPECT_EQ(t.Engine->Line.Move(1).Pushed, 1);
  EXPECT_EQ(t.Engine->Line.Move(2).Pushed, 0);
  t.Engine->GoTo(2);
  EXPECT_EQ(t.Rows(), (Rows{"..A.", "...B"}));
  EXPECT_EQ(t.Task.Figs[size_t(t.Fig['B'])].Pos, MakeCell(3, 1));
  t.Engine->GoTo(0);
  EXPECT_EQ(t.Rows(), (Rows{"AB..", "...."}));
}

TEST(Line, GravityReplayRunsEachTiltToTheEnd) {
  TPlayFixture t(TTaskText{{"A..", "...", "..."}}, GravityOn);
  TMoves0 line;
  line.Moves = {TMove{0, DirDown, 0, 0, 0, 0, 1}, TMove{0, DirRight, 0, 0, 0, 0, 2}};
  t.Engine->LoadLine(line);
  t.Engine->GoTo(1);
  EXPECT_EQ(t.Rows(), (Rows{"...", "...", "A.."}));
  t.Engine->GoTo(2);
  EXPECT_EQ(t.Rows(), (Rows{"...", "...", "..A"}));
  EXPECT_EQ(t.Engine->Line.Move(2).Pushed, 0);
}

TEST(Line, CooperativeNumberingGroupsIndependentSteps) {
  TPlayFixture t(TTaskText{{"A.", "B.", ".."}}, CooperativeOn);
  TPlayEngine& e = *t.Engine;
  EXPECT_TRUE(e.MiniMoves);
  auto step = [&](char f, int dir) {
    int16_t pos[FigSlots];
    std::copy(e.CurPositions.begin(), e.CurPositions.end(), pos);
    bool pushed = false;
    ASSERT_TRUE(e.Step(pos, t.Task.StartMap.data(), t.Fig[f], dir, pushed));
    e.AppendEntry(TMove{uint8_t(t.Fig[f]), int8_t(dir), 1, 0, 0, 0, 0}, pos);
    e.GoTo(e.Line.Cur);
  };
  step('A', DirRight); // 1.1
  step('B', DirRight); // 1.2: another figure into another cell
  step('B', DirDown);  // 2.1: B moves a second time
  step('A', DirDown);  // 2.2: A enters the cell B left in the same direction, a train
  step('A', DirLeft);  // 3: A again
  const int n[] = {0, 1, 1, 2, 2, 3};
  const int sub[] = {0, 0, 1, 0, 1, 0};
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(e.Line.Move(k).N, n[k]) << k;
    EXPECT_EQ(e.Line.Move(k).Sub, sub[k]) << k;
  }
}

TEST(Line, CooperativeStepIntoACellVacatedSidewaysStartsANewMove) {
  TPlayFixture t(TTaskText{{"A.", "B."}}, CooperativeOn);
  TPlayEngine& e = *t.Engine;
  auto step = [&](char f, int dir) {
    int16_t pos[FigSlots];
    std::copy(e.CurPositions.begin(), e.CurPositions.end(), pos);
    bool pushed = false;
    ASSERT_TRUE(e.Step(pos, t.Task.StartMap.data(), t.Fig[f], dir, pushed));
    e.AppendEntry(TMove{uint8_t(t.Fig[f]), int8_t(dir), 1, 0, 0, 0, 0}, pos);
    e.GoTo(e.Line.Cur);
  };
  step('B', DirRight);
  step('A', DirDown); // enters the cell B left to the right: not at the same time
  EXPECT_EQ(e.Line.Move(2).N, 2);
  EXPECT_EQ(e.Line.Move(2).Sub, 0);
}

TEST(PlayMode, LeavingRestoresTheInitialPositionAndSelection) {
  TTask task;
  auto fig = BuildTask(task, TTaskText{{"A..", "..."}});
  task.Figs[size_t(fig['A'])].Selected = 1;
  task.SelSummary();
  TPlayEngine e(task);
  e.SetPlayMode(true, false, false);
  EXPECT_EQ(task.Figs[size_t(fig['A'])].Selected, 0);
  bool pushed = false;
  int16_t pos[FigSlots];
  std::copy(e.CurPositions.begin(), e.CurPositions.end(), pos);
  ASSERT_TRUE(e.Step(pos, task.StartMap.data(), fig['A'], DirRight, pushed));
  e.AppendEntry(TMove{uint8_t(fig['A']), DirRight, 1, 0, 0, 0, 0}, pos);
  e.GoTo(1);
  EXPECT_EQ(task.Figs[size_t(fig['A'])].Pos, MakeCell(1, 0));
  e.SetPlayMode(false, false, false);
  EXPECT_FALSE(task.Options.Play);
  EXPECT_EQ(task.Figs[size_t(fig['A'])].Pos, MakeCell(0, 0));
  EXPECT_EQ(task.StartMap[MakeCell(0, 0)] & CellFigMask, fig['A']);
  EXPECT_EQ(task.StartMap[MakeCell(1, 0)] & CellFigMask, 0);
  EXPECT_EQ(task.Figs[size_t(fig['A'])].Selected, 1);
}

TEST(PlayMode, KeepPositionMakesThePositionReachedTheEditedOne) {
  TPlayFixture t(TTaskText{{"A.."}});
  TPlayEngine& e = *t.Engine;
  int16_t pos[FigSlots];
  std::copy(e.CurPositions.begin(), e.CurPositions.end(), pos);
  bool pushed = false;
  ASSERT_TRUE(e.Step(pos, t.Task.StartMap.data(), t.Fig['A'], DirRight, pushed));
  e.AppendEntry(TMove{uint8_t(t.Fig['A']), DirRight, 1, 0, 0, 0, 0}, pos);
  e.GoTo(1);
  e.SetPlayMode(false, false, true);
  EXPECT_EQ(t.Rows(), (Rows{".A."}));
}

TEST(ShapeClasses, SameShapeFreedomAndColourShareAClass) {
  // A and B: equal one-cell figures of one colour; C another colour; all get end positions.
  TTaskText text{{"AB", "C.", ".."}};
  text.Figs['A'].Color = text.Figs['B'].Color = 0x0000FF;
  text.Figs['C'].Color = 0x00FF00;
  TTask task;
  auto fig = BuildTask(task, text);
  for (char c : {'A', 'B', 'C'}) task.Figs[size_t(fig[c])].EndPos = int16_t(0x81 + 128 * 2);
  ComputeShapeClasses(task);
  EXPECT_EQ(task.Figs[size_t(fig['A'])].ShapeClass, 0);
  EXPECT_EQ(task.Figs[size_t(fig['B'])].ShapeClass, 0);
  EXPECT_EQ(task.Figs[size_t(fig['C'])].ShapeClass, 1);

  task.Options.DifByName = true; // now the numbers tell them apart
  ComputeShapeClasses(task);
  EXPECT_EQ(task.Figs[size_t(fig['A'])].ShapeClass, 0);
  EXPECT_EQ(task.Figs[size_t(fig['B'])].ShapeClass, 1);
  EXPECT_EQ(task.Figs[size_t(fig['C'])].ShapeClass, 2);

  task.Figs[size_t(fig['B'])].EndPos = 0; // without an end position B has no class at all
  task.Options.DifByName = false;
  ComputeShapeClasses(task);
  EXPECT_EQ(task.Figs[size_t(fig['C'])].ShapeClass, 1);
  EXPECT_EQ(task.Figs[size_t(fig['B'])].ShapeClass, NoShapeClass);
}

} // namespace
} // namespace zrk::test
