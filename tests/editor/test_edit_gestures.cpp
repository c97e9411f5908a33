#include <gtest/gtest.h>

#include <random>

#include "editor/editor_fixture.h"
#include "editor/editor_messages.h"
#include "editor/gesture_fixture.h"
#include "model/ops_consistency.h"
#include "model/ops_selection.h"
#include "play/play_engine.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;
using test::StartRows;
using test::TMods;
using test::TTaskText;
using Rows = std::vector<std::string>;

class EditGesturesTest : public test::TGestureFixture {
 protected:
  std::map<char, int> Build(const Rows& rows) {
    auto fig = BuildTask(Task, TTaskText(rows));
    Task.SelSummary();
    return fig;
  }
  void Select(std::initializer_list<int> figs) {
    DeselectAll(Task);
    for (int f : figs) Task.Figs[size_t(f)].Selected = 1;
    Task.SelSummary();
  }
  void ExpectConsistent() { EXPECT_EQ(test::ConsistencyFault(Task), ""); }
};

// ---------------------------------------------------------------------------------------------
// Right-button drags

TEST_F(EditGesturesTest, ARightPressSelectsAnUnselectedFigureAloneAndTheDragMovesIt) {
  auto fig = Build({"A.B..", ".....", "....."});
  Select({fig['B']});
  Down(RightButton, At(0, 0));
  EXPECT_EQ(Task.SelCount, 1);
  EXPECT_TRUE(Task.Figs[size_t(fig['A'])].Selected);
  const int steps = UndoSteps;
  MoveTo(At(1, 1));
  MoveTo(At(3, 2));
  Up(RightButton, At(3, 2));
  EXPECT_EQ(StartRows(Task), (Rows{"..B..", ".....", "...A."}));
  EXPECT_EQ(UndoSteps, steps + 1); // the drag is one step, taken at the release
  ExpectConsistent();
}

TEST_F(EditGesturesTest, ARightDragOnASelectedFigureMovesTheWholeSelection) {
  auto fig = Build({"AB...", ".....", "....."});
  Select({fig['A'], fig['B']});
  Drag(RightButton, {At(1, 0), At(2, 1), At(3, 2)});
  EXPECT_EQ(StartRows(Task), (Rows{".....", ".....", "..AB."}));
  ExpectConsistent();
}

TEST_F(EditGesturesTest, APressAndReleaseWithinHalfACellMovesNothingAndRecordsNothing) {
  auto fig = Build({"A....", "....."});
  Select({fig['A']});
  const std::vector<uint16_t> before = Task.StartMap;
  const TPoint p = At(0, 0);
  Down(RightButton, p);
  MoveTo({p.X + 14, p.Y - 14});
  Up(RightButton, {p.X + 14, p.Y - 14});
  EXPECT_EQ(Task.StartMap, before);
  EXPECT_EQ(UndoSteps, 0);
  EXPECT_FALSE(Gestures.Dragging());
}

// Pressed on an empty cell beside the field (at its side or corner) the field moves with the
// figures standing on it; the parked figure stays.
TEST_F(EditGesturesTest, ADragFromBesideTheFieldMovesTheFieldWithItsFigures) {
  for (TPoint from : {At(1, 2), At(1, 1), At(4, 4)}) {
    Build({"        ",
           "        ",
           "  A.    ",
           "  ..    ",
           "        ",
           "       b"});
    const TPoint to{from.X + 2 * 30, from.Y};
    Drag(RightButton, {from, to});
    EXPECT_EQ(StartRows(Task), (Rows{"        ", "        ", "    A.  ", "    ..  ", "        ", "       b"}));
    ExpectConsistent();
  }
}

TEST_F(EditGesturesTest, ADragFarFromTheFieldMovesEverythingButNeverPastTheEdge) {
  Build({"        ",
         " A.     ",
         " ..     ",
         "        ",
         "      b "});
  Drag(RightButton, {At(7, 0), At(4, 2), At(-20, 30)});
  // The content already reaches the bottom row: it can only go left.
  EXPECT_EQ(StartRows(Task), (Rows{"        ", "A.      ", "..      ", "        ", "     b  "}));
  ExpectConsistent();
}

TEST_F(EditGesturesTest, ADragIntoTheEndViewSetsTheEndPositionAndLeavesTheFigure) {
  for (bool play : {false, true}) {
    SCOPED_TRACE(play);
    auto fig = Build({"A..", "...", "..."});
    Task.Options.EndPos = true;
    TPlayEngine engine(Task);
    if (play) engine.SetPlayMode(true, false, false);
    const std::vector<uint16_t> before = Task.StartMap;
    Down(RightButton, At(0, 0));
    MoveTo(At(1, 1));
    MoveTo(AtEnd(2, 1));
    Up(RightButton, AtEnd(2, 1));
    const TFig& a = Task.Figs[size_t(fig['A'])];
    EXPECT_EQ(a.EndPos, 0x81 + MakeCell(2, 1) - Task.Field().Pos);
    EXPECT_EQ(Task.StartMap, before);
    EXPECT_EQ(test::MapRows(Task, Task.EndMap, 3)[1], "..A");
    // Within the end view the end position moves on; off the end field it goes.
    Drag(RightButton, {AtEnd(2, 1), AtEnd(0, 2)});
    EXPECT_EQ(a.EndPos, 0x81 + MakeCell(0, 2) - Task.Field().Pos);
    Drag(RightButton, {AtEnd(0, 2), AtEnd(1, 1), AtEnd(6, 1)});
    EXPECT_EQ(a.EndPos, 0);
    EXPECT_EQ(Task.StartMap, before);
  }
}

TEST_F(EditGesturesTest, EscDuringADragPutsEverythingBack) {
  auto fig = Build({"A..  ", "...  ", "...  ", "     ", "     "});
  Task.Options.EndPos = true;
  TFig& a = Task.Figs[size_t(fig['A'])];
  a.EndPos = int16_t(0x81 + MakeCell(2, 2) - Task.Field().Pos);
  Task.BuildMaps(true, true);
  const std::vector<uint16_t> start = Task.StartMap, end = Task.EndMap;
  struct TCase {
    TPoint From, To;
  };
  const TCase cases[] = {
      {At(0, 0), At(2, 1)},       // the figure on the field
      {At(0, 0), At(0, 4)},       // parked
      {At(0, 0), AtEnd(1, 1)},    // into the end view
      {AtEnd(2, 2), AtEnd(0, 0)}, // its end position
      {At(3, 1), At(4, 2)},       // the field
      {At(3, 4), At(4, 4)},       // the whole board
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(&c - cases);
    Down(RightButton, c.From);
    MoveTo(c.To);
    ASSERT_TRUE(Gestures.Dragging());
    EXPECT_TRUE(Task.StartMap != start || Task.EndMap != end);
    Esc();
    Up(RightButton, c.To);
    EXPECT_EQ(Task.StartMap, start);
    EXPECT_EQ(Task.EndMap, end);
    ExpectConsistent();
  }
}

TEST_F(EditGesturesTest, EndPositionsMoveInTheEndViewUnlessAFixedFigureIsAmongThem) {
  for (bool withFixed : {false, true}) {
    SCOPED_TRACE(withFixed);
    auto fig = Build({"A..", "...", "F.."});
    Task.Options.EndPos = true;
    Task.Figs[size_t(fig['F'])].Freedom = Fixed;
    TFig& a = Task.Figs[size_t(fig['A'])];
    a.EndPos = int16_t(0x81 + 2); // the field's top-right cell
    Task.BuildMaps(true, true);
    TPlayEngine engine(Task);
    engine.SetPlayMode(true, false, false);
    Task.TempFixed[size_t(fig['A'])] = 1;
    if (withFixed) Select({fig['A'], fig['F']});
    else Select({fig['A']});
    Drag(RightButton, {AtEnd(2, 0), AtEnd(2, 1), AtEnd(1, 1)});
    EXPECT_EQ(a.EndPos, withFixed ? 0x81 + 2 : 0x81 + RowStride + 1);
    // Moved in play mode, the figure is no longer held where it stands.
    EXPECT_EQ(Task.TempFixed[size_t(fig['A'])], withFixed ? 1 : 0);
    ExpectConsistent();
  }
}

// ---------------------------------------------------------------------------------------------
// Deleting with both buttons

TEST_F(EditGesturesTest, TheLeftButtonWithTheRightHeldDeletes) {
  auto fig = Build({"ABC", "...", "..."});
  Task.Options.EndPos = true;
  // An unselected figure goes alone.
  Select({fig['A'], fig['B']});
  Down(RightButton, At(0, 0)); // on a selected figure: the selection stays
  Down(LeftButton, At(2, 0));
  Up(LeftButton, At(2, 0));
  Up(RightButton, At(2, 0));
  EXPECT_EQ(Task.FigCount, 3);
  // A selected one takes the whole selection with it.
  Select({fig['A'], fig['B']});
  Down(RightButton, At(0, 0));
  Down(LeftButton, At(1, 0));
  EXPECT_EQ(Task.FigCount, 1);
  Up(LeftButton, At(1, 0));
  Up(RightButton, At(1, 0));
  ExpectConsistent();

  // In the end view only the end position goes.
  fig = Build({"A..", "...", "..."});
  Task.Options.EndPos = true;
  Task.Figs[1].EndPos = int16_t(0x81 + RowStride);
  Task.BuildMaps(true, true);
  Down(RightButton, AtEnd(0, 2));
  Down(LeftButton, AtEnd(0, 1));
  EXPECT_EQ(Task.Figs[1].EndPos, 0);
  EXPECT_EQ(Task.FigCount, 2);
  ExpectConsistent();
}

// ---------------------------------------------------------------------------------------------
// Painting

TEST_F(EditGesturesTest, PaintingDragsAndTheirEsc) {
  auto fig = Build({"A...", "....", "    ", "    "});
  Task.Options.EndPos = true;
  Task.Figs[1].EndPos = int16_t(0x81 + 3);
  Task.BuildMaps(true, true);
  Select({});
  const std::vector<uint16_t> before = Task.StartMap;
  // The field: a drag from a field cell removes field cells, from outside adds them.
  Down(LeftButton, At(0, 2));
  MoveTo(At(1, 2));
  MoveTo(At(2, 3));
  EXPECT_EQ(StartRows(Task), (Rows{"A...", "....", "..  ", "  . "}));
  Esc();
  Up(LeftButton, At(2, 3));
  EXPECT_EQ(Task.StartMap, before);
  EXPECT_EQ(Task.Figs[1].EndPos, 0x81 + 3);

  // A figure: a press on it selects it, the drag paints it on.
  Drag(LeftButton, {At(0, 0), At(0, 1), At(1, 1)});
  EXPECT_EQ(StartRows(Task), (Rows{"A...", "AA..", "    ", "    "}));
  ExpectConsistent();

  // With several figures selected nothing is painted.
  fig = Build({"AB..", "....", "    "});
  Select({fig['A'], fig['B']});
  const std::vector<uint16_t> two = Task.StartMap;
  Drag(LeftButton, {At(2, 1), At(3, 1), At(3, 2)});
  EXPECT_EQ(Task.StartMap, two);
}

TEST_F(EditGesturesTest, NewFiguresWithThePlusToolOrTheRightButtonHeld) {
  Build({"....", "....", "    ", "    "});
  Gestures.Tool = EditTool::Plus;
  Drag(LeftButton, {At(0, 0), At(1, 0)});
  EXPECT_EQ(Gestures.Tool, EditTool::None); // the tool is released by its use
  EXPECT_EQ(StartRows(Task), (Rows{"AA..", "....", "    ", "    "}));
  // Right held, a left press on an empty cell starts another.
  Down(RightButton, At(3, 3));
  Down(LeftButton, At(3, 1));
  Up(LeftButton, At(3, 1));
  Up(RightButton, At(3, 1));
  EXPECT_EQ(StartRows(Task), (Rows{"AA..", "...B", "    ", "    "}));
  // A first cell that is refused (diagonally next to the field) leaves no figure behind.
  Gestures.Tool = EditTool::Plus;
  Down(LeftButton, At(0, 2));
  EXPECT_EQ(Task.FigCount, 4);
  Up(LeftButton, At(0, 2));
  EXPECT_EQ(Task.FigCount, 3);
  ExpectConsistent();
}

TEST_F(EditGesturesTest, ANewFigurePastTheLimitIsRefusedWithItsMessage) {
  Build({"...."});
  Task.FigCount = MaxAddFigRecords; // empty records stand in for 253 figures
  for (int i = 1; i < Task.FigCount; ++i) Task.Figs[size_t(i)].Init(&Task, i);
  Task.RebuildFigs(false);
  Gestures.Tool = EditTool::Plus;
  Drag(LeftButton, {At(0, 0)});
  ASSERT_EQ(Reporter.Messages.size(), 1u);
  EXPECT_EQ(Reporter.Messages[0].Text, TooManyFiguresText);
  EXPECT_EQ(Task.FigCount, MaxAddFigRecords);
}

TEST_F(EditGesturesTest, RectanglesPaintAndSelectAndEscTakesThemBack) {
  auto fig = Build({"A...", ".B..", "..C.", "...."});
  Select({});
  // Shift with the left button paints a rectangle of field cells off (Ctrl) or on.
  Down(LeftButton, At(3, 0), {.Shift = true, .Ctrl = true});
  MoveTo(At(3, 1), {.Shift = true, .Ctrl = true});
  EXPECT_TRUE(Gestures.PaintingRect());
  Up(LeftButton, At(3, 1));
  EXPECT_EQ(StartRows(Task), (Rows{"A.. ", ".B. ", "..C.", "...."}));
  // Shift with the right button selects a rectangle; Esc brings the old selection back.
  Select({fig['C']});
  Down(RightButton, At(0, 0), {.Shift = true});
  MoveTo(At(1, 1), {.Shift = true});
  EXPECT_EQ(Task.SelCount, 3);
  Esc();
  Up(RightButton, At(1, 1));
  EXPECT_EQ(Task.SelCount, 1);
  Drag(RightButton, {At(0, 0), At(1, 1)}, {.Shift = true});
  EXPECT_EQ(Task.SelCount, 3);
  ExpectConsistent();
}

// ---------------------------------------------------------------------------------------------
// Walls, grooves and pins

TEST_F(EditGesturesTest, WallsGroovesAndPinsFollowTheTools) {
  Build({"AA..", "....", "...."});
  const TBoardGeometry g = Geometry();
  // A press on the right edge of cell (2, 0) draws a wall; dragging down the same edge adds more.
  Gestures.Tool = EditTool::Walls;
  const int edgeX = g.CellLeft(3, false) - 2;
  Down(LeftButton, {edgeX, g.CellTop(0) + g.S / 2});
  MoveTo({edgeX, g.CellTop(1) + g.S / 2});
  Up(LeftButton, {edgeX, g.CellTop(1) + g.S / 2});
  EXPECT_TRUE(Task.StartMap[size_t(MakeCell(2, 0))] & WallOnTheRight);
  EXPECT_TRUE(Task.StartMap[size_t(MakeCell(2, 1))] & WallOnTheRight);
  EXPECT_EQ(Task.FlaggedCells, 2);
  // Not between the two cells of a figure.
  Drag(LeftButton, {{g.CellLeft(1, false) - 2, g.CellTop(0) + g.S / 2}});
  EXPECT_FALSE(Task.StartMap[size_t(MakeCell(0, 0))] & WallOnTheRight);

  Gestures.Tool = EditTool::Pins;
  Drag(LeftButton, {At(2, 2), At(3, 2), At(3, 1)});
  EXPECT_TRUE(Task.StartMap[size_t(MakeCell(2, 2))] & GrooveToTheRight);
  EXPECT_TRUE(Task.StartMap[size_t(MakeCell(3, 1))] & GrooveDown);
  Drag(LeftButton, {At(1, 0)}); // a click on a figure cell pins it
  EXPECT_EQ(Task.Figs[1].PinCount, 1);
  Drag(LeftButton, {At(2, 2), At(3, 2)}); // starting on a groove removes it
  EXPECT_FALSE(Task.StartMap[size_t(MakeCell(2, 2))] & GrooveToTheRight);
  ExpectConsistent();

  // Esc takes back everything the gesture drew.
  const std::vector<uint16_t> before = Task.StartMap;
  Gestures.Tool = EditTool::Walls;
  Down(LeftButton, {g.CellLeft(1, false) + g.S / 2, g.CellTop(2) - 2});
  EXPECT_NE(Task.StartMap, before);
  Esc();
  Up(LeftButton, {0, 0});
  EXPECT_EQ(Task.StartMap, before);
}

// ---------------------------------------------------------------------------------------------
// Copying and numbering

TEST_F(EditGesturesTest, AnAltDragCopiesAndEscRemovesTheCopies) {
  auto fig = Build({"A...", "....", "    ", "    "});
  Select({fig['A']});
  const std::vector<uint16_t> before = Task.StartMap;
  Down(RightButton, At(0, 0), {.Alt = true});
  EXPECT_EQ(Task.FigCount, 3);
  MoveTo(At(3, 1), {.Alt = true});
  EXPECT_EQ(StartRows(Task), (Rows{"A...", "...B", "    ", "    "}));
  Esc();
  Up(RightButton, At(3, 1));
  EXPECT_EQ(Task.StartMap, before);
  EXPECT_TRUE(Task.Figs[size_t(fig['A'])].Selected);
  // With Shift the copy keeps the colour.
  Drag(RightButton, {At(0, 0), At(2, 1)}, {.Shift = true, .Alt = true});
  EXPECT_EQ(Task.FigCount, 3);
  EXPECT_EQ(Task.Figs[2].Color, Task.Figs[1].Color);
  ExpectConsistent();
}

TEST_F(EditGesturesTest, TheNumberingToolGivesTheListsNumbers) {
  auto fig = Build({"ABC."});
  TNumberList list;
  list.Fill(Task);
  list.Select(2);
  Gestures.Numbers = &list;
  Gestures.Tool = EditTool::Nums;
  Drag(LeftButton, {At(0, 0)});
  EXPECT_EQ(Task.Figs[size_t(fig['A'])].Num, 3);
  EXPECT_EQ(Task.Figs[size_t(fig['C'])].Num, 1);
  Down(LeftButton, At(1, 0));
  EXPECT_TRUE(Last.NumberTaken);
  Up(LeftButton, At(1, 0));
  EXPECT_EQ(Task.Figs[size_t(fig['B'])].Num, 1);
  ExpectConsistent();
}

// ---------------------------------------------------------------------------------------------
// Random gestures

TEST_F(EditGesturesTest, RandomGesturesWithEscKeepTheTaskConsistent) {
  TTaskText text({"AAB..   ",
                  "A.B.C   ",
                  ".....   ",
                  "DD...   ",
                  "        ",
                  "       e"});
  text.Flags[{0, 2}] = FlagWallOnTheRight;
  text.Flags[{3, 1}] = FlagGrooveDown;
  BuildTask(Task, text);
  Task.Options.EndPos = true;
  Task.SelSummary();
  std::mt19937 rng(13);
  auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  const TBoardGeometry g = Geometry();
  for (int step = 0; step < 4000; ++step) {
    const TBoardGeometry now = Geometry();
    const TPoint p{pick(now.W + 20) - 10, pick(g.H + 20) - 10};
    const TMods m{pick(4) == 0, pick(5) == 0, pick(6) == 0};
    switch (pick(10)) {
      case 0:
      case 1: Down(pick(2) ? LeftButton : RightButton, p, m); break;
      case 2:
      case 3: Up(pick(2) ? LeftButton : RightButton, p, m); break;
      case 4: Esc(); break;
      case 5: Gestures.Tool = EditTool(pick(4) + 4); if (pick(2)) Gestures.Tool = EditTool::None; break;
      default: MoveTo(p, m); break;
    }
    const std::string fault = test::ConsistencyFault(Task);
    ASSERT_EQ(fault, "") << "step " << step;
  }
}

} // namespace
} // namespace zrk
