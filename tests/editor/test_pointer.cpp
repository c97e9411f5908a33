// The pointer in play mode, through the midend: the drag's threshold and its one undo point, a
// second button during a drag, Esc, the fixing mode, and moves ignored during an animation.

#include <gtest/gtest.h>

#include "editor/midend_fixture.h"

namespace zrk::test {
namespace {

class TManualClock final : public IClock {
 public:
  int64_t NowMs() override { return Now; }
  int64_t Now = 0;
};

struct TPlayBoard : TMidendFixture {
  explicit TPlayBoard(const TTaskText& text, int moveKind = OneDirMove) : TMidendFixture(text) {
    Task.Options.MoveKind = moveKind;
    Midend.SwitchMode(false);
  }

  TBoardGeometry G() const { return TBoardGeometry::ForTask(Task); }
  // The centre of a board cell in the main view, or in the end view.
  std::pair<int, int> Cell(int col, int row, bool end = false) const {
    const TBoardGeometry g = G();
    return {g.CellLeft(col, end) + g.S / 2, g.CellTop(row) + g.S / 2};
  }
  static TPointerEvent Event(int button, int held, std::pair<int, int> at) {
    TPointerEvent e;
    e.Button = button;
    e.Held = held;
    e.X = at.first;
    e.Y = at.second;
    return e;
  }
  void Press(std::pair<int, int> at, int button = LeftButton, int held = LeftButton) {
    Midend.Press(Event(button, held, at));
  }
  void MoveTo(std::pair<int, int> at, int held = LeftButton) { Midend.Move(Event(NoButton, held, at)); }
  void Release(std::pair<int, int> at) { Midend.Release(Event(LeftButton, NoButton, at)); }
  static std::pair<int, int> Plus(std::pair<int, int> p, int dx, int dy) { return {p.first + dx, p.second + dy}; }

  int Col(char fig) const { return CellX(Task.Figs[size_t(Fig.at(fig))].Pos); }
};

// The right button of play mode is the editing half's: dragged into the end view, the figure gets
// its end position there and stays where it is on the board; no move is made.
TEST(PlayPointer, ARightDragIntoTheEndViewSetsTheEndPositionOnly) {
  TPlayBoard b({{"A..", "...", "..."}});
  b.Task.Options.EndPos = true;
  const std::vector<uint16_t> start = b.Task.StartMap;
  const int slot = b.Midend.UndoRing.Cur;
  b.Press(b.Cell(0, 0), RightButton, RightButton);
  b.MoveTo(b.Cell(1, 1), RightButton);
  b.MoveTo(b.Cell(2, 2, true), RightButton);
  b.Midend.Release(TPlayBoard::Event(RightButton, NoButton, b.Cell(2, 2, true)));
  const TFig& a = b.Task.Figs[size_t(b.Fig.at('A'))];
  EXPECT_EQ(a.EndPos, 0x81 + 2 * RowStride + 2);
  EXPECT_EQ(b.Task.StartMap, start);
  EXPECT_EQ(b.Midend.Play.Line.Count, 1);
  EXPECT_NE(b.Midend.UndoRing.Cur, slot);
}

TEST(PlayPointer, AClickWithinHalfACellMakesNoMoveAndNoUndoStep) {
  TPlayBoard b({{"A...."}});
  const int slot = b.Midend.UndoRing.Cur;
  const auto a = b.Cell(0, 0);
  b.Press(a);
  b.MoveTo(b.Plus(a, 15, 0)); // half a cell is not yet a drag
  b.Release(b.Plus(a, 15, 0));
  EXPECT_EQ(b.Midend.Play.Line.Count, 1);
  EXPECT_EQ(b.Midend.UndoRing.Cur, slot);
}

TEST(PlayPointer, ADragShowsTheMoveWhileHeldAndRecordsOneUndoStepOnRelease) {
  TPlayBoard b({{"A...."}});
  const int slot = b.Midend.UndoRing.Cur;
  const int redraws = b.View.Redraws;
  const auto a = b.Cell(0, 0);
  b.Press(a);
  for (int dx = 10; dx <= 60; dx += 10) b.MoveTo(b.Plus(a, dx, 2));
  EXPECT_EQ(b.Col('A'), 2);
  EXPECT_EQ(b.Midend.Play.Line.Count, 2); // the line holds the move already
  EXPECT_GT(b.View.Redraws, redraws);
  EXPECT_EQ(b.Midend.UndoRing.Cur, slot);
  b.Release(b.Plus(a, 60, 2));
  EXPECT_EQ(b.Midend.UndoRing.Cur, slot + 1);
  EXPECT_EQ(b.Midend.Play.Line.Move(1).Len, 2);
  b.Midend.Undo();
  EXPECT_EQ(b.Col('A'), 0);
  EXPECT_EQ(b.Midend.Play.Line.Count, 1);
}

TEST(PlayPointer, ASecondButtonDuringADragChangesNothingAndEscStillPutsTheFigureBack) {
  TPlayBoard b({{"A....", "....."}});
  const std::vector<uint16_t> start = b.Task.StartMap;
  const auto a = b.Cell(0, 0);
  b.Press(a);
  b.MoveTo(b.Plus(a, 60, 0));
  ASSERT_EQ(b.Col('A'), 2);
  b.Press(b.Plus(a, 60, 0), RightButton, LeftButton | RightButton);
  EXPECT_TRUE(b.Midend.Pointer.Moving());
  b.MoveTo(b.Plus(a, 90, 0), LeftButton | RightButton);
  EXPECT_EQ(b.Col('A'), 3); // the drag goes on
  const int slot = b.Midend.UndoRing.Cur;
  b.Midend.Cancel();
  EXPECT_EQ(b.Col('A'), 0);
  EXPECT_EQ(b.Task.StartMap, start);
  EXPECT_EQ(b.Midend.Play.Line.Count, 1);
  EXPECT_EQ(b.Midend.UndoRing.Cur, slot); // the restored board is the snapshot already there
  b.Release(a);
  EXPECT_EQ(b.Midend.Play.Line.Count, 1);
}

TEST(PlayPointer, PressingBesideFiguresStartsNoDrag) {
  TPlayBoard b({{"A...."}});
  const auto empty = b.Cell(3, 0);
  b.Press(empty);
  b.MoveTo(b.Plus(empty, -60, 0));
  b.Release(b.Plus(empty, -60, 0));
  EXPECT_EQ(b.Midend.Play.Line.Count, 1);
  EXPECT_FALSE(b.Midend.Pointer.Moving());
}

TEST(PlayPointer, FixingModeFixesAndUnfixesByClicksAndDrags) {
  TPlayBoard b({{"AB.", "C.."}});
  TTask& t = b.Task;
  const int A = b.Fig['A'], B = b.Fig['B'], C = b.Fig['C'];
  b.Midend.SetFixMode(true);
  b.Press(b.Cell(0, 0));
  EXPECT_EQ(t.TempFixed[size_t(A)], 1);
  EXPECT_EQ(t.Figs[size_t(A)].EndPos, 0x81); // fixed where it stands
  b.MoveTo(b.Cell(1, 0));
  b.MoveTo(b.Cell(0, 1));
  b.Release(b.Cell(0, 1));
  EXPECT_EQ(t.TempFixed[size_t(B)], 1);
  EXPECT_EQ(t.TempFixed[size_t(C)], 1);
  // A press on a fixed figure unfixes, and the drag goes on unfixing.
  b.Press(b.Cell(1, 0));
  b.MoveTo(b.Cell(0, 0));
  EXPECT_EQ(t.TempFixed[size_t(B)], 0);
  EXPECT_EQ(t.TempFixed[size_t(A)], 0);
  EXPECT_EQ(t.TempFixed[size_t(C)], 1);
  b.Release(b.Cell(0, 0));
  // Esc leaves the fixing mode; the next drag moves figures again.
  const TGestureOutcome out = b.Midend.Cancel();
  EXPECT_TRUE(out.ToolChanged);
  EXPECT_FALSE(b.Midend.Pointer.FixMode);
  b.Press(b.Cell(1, 0));
  b.MoveTo(b.Cell(2, 0));
  EXPECT_EQ(b.Col('B'), 2);
}

// G's bounding box begins on an empty cell: its end position's code is a place where S can stand
// without G's end covering S. S has no end position and so no class of its own.
TEST(PlayPointer, FixingAFigureWithoutAClassNeverTakesAnotherFiguresEndPosition) {
  TMidendFixture f({{"S..", "...", "..G", ".GG"}});
  TTask& t = f.Task;
  TFig& g = t.Figs[size_t(f.Fig['G'])];
  g.EndPos = 0x81; // the box at the field's top-left corner
  t.BuildMaps(true, true);
  ASSERT_EQ(t.EndPosCount, 1);
  f.Midend.SwitchMode(false);
  f.Midend.SetFixMode(true);
  const TBoardGeometry geo = TBoardGeometry::ForTask(t);
  TPointerEvent e;
  e.Button = e.Held = LeftButton;
  e.X = geo.CellLeft(0, false) + 5;
  e.Y = geo.CellTop(0) + 5;
  f.Midend.Press(e);
  const TFig& s = t.Figs[size_t(f.Fig['S'])];
  EXPECT_EQ(t.TempFixed[size_t(s.Index)], 1);
  EXPECT_EQ(s.EndPos, 0x81);
  EXPECT_EQ(g.EndPos, 0x81); // G keeps its goal
  EXPECT_EQ(t.EndPosCount, 2);
}

TEST(PlayPointer, TheBoardIgnoresMouseMovesDuringAnAnimation) {
  TManualClock clock;
  TRecordingView view;
  TMidend m(view, &clock);
  auto fig = BuildTask(m.Task, {{"A...."}});
  m.Task.Options.MoveKind = OneDirMove;
  m.ShowTask();
  m.SwitchMode(false);
  m.AddMoves("1\xcf" "3"); // "1П3"
  ASSERT_EQ(m.Play.Line.Count, 2);
  m.Animate(1);
  ASSERT_TRUE(m.Anim.Animating());
  const TBoardGeometry g = TBoardGeometry::ForTask(m.Task);
  TPointerEvent e;
  e.Button = e.Held = LeftButton;
  e.X = g.CellLeft(0, false) + 15;
  e.Y = g.CellTop(0) + 15;
  m.Press(e);
  e.Button = NoButton;
  e.X += 60;
  m.Move(e);
  EXPECT_FALSE(m.Pointer.Moving());
  EXPECT_EQ(m.Play.Line.Count, 2);
  for (clock.Now = 20; clock.Now <= 2000; clock.Now += 20) m.AnimTick();
  EXPECT_FALSE(m.Anim.Animating());
  EXPECT_EQ(CellX(m.Task.Figs[size_t(fig['A'])].Pos), 3);
}

} // namespace
} // namespace zrk::test
