// Dragging figures into moves: direction and length from pixel offsets, and how a drag extends,
// shortens, replaces or takes back the move before it.

#include <gtest/gtest.h>

#include "play/drag.h"
#include "play_fixture.h"

namespace zrk::test {
namespace {

constexpr int WC = 30;

void OneDir(TTaskOptions& o) { o.MoveKind = OneDirMove; }
void AnyPath(TTaskOptions& o) { o.MoveKind = AnyPathMove; }
void OneCell(TTaskOptions& o) { o.MoveKind = OneCellMove; }

struct TDragFixture : TPlayFixture {
  TMoveDrag Drag{*Engine};
  using TPlayFixture::TPlayFixture;

  // One gesture: press on fig, the pointer at each offset in turn, release.
  void Gesture(char fig, std::initializer_list<std::pair<int, int>> offsets, bool turn = false) {
    Drag.Begin(fig ? Fig.at(fig) : 0, WC, turn);
    for (auto [dx, dy] : offsets) Drag.DragTo(dx, dy);
  }

  // The line as "fig dir len N.Sub" entries, after the initial position.
  std::string Line() const {
    static const char* dirs = "DRUL";
    std::map<int, char> name;
    for (auto [c, i] : Fig) name[i] = c;
    std::string out;
    const TMoves& line = Engine->Line;
    for (int k = 1; k < line.Count; ++k) {
      const TMove& m = line.Move(k);
      if (!out.empty()) out += ' ';
      out += name.count(m.Fig) ? name[m.Fig] : '0';
      out += dirs[m.Dir];
      out += std::to_string(m.Len);
      out += m.Pushed ? "p" : "";
      if (Engine->MiniMoves) out += "/" + std::to_string(m.N) + "." + std::to_string(m.Sub);
    }
    return out;
  }

  // Every entry's positions are those its moves lead to, and the board shows entry Cur.
  void ExpectConsistentLine() {
    TMoves& line = Engine->Line;
    std::vector<int16_t> stored(line.Positions(0), line.Positions(0) + size_t(line.FigCount) * size_t(line.Count));
    Engine->ReplayLine();
    std::vector<int16_t> replayed(line.Positions(0), line.Positions(0) + size_t(line.FigCount) * size_t(line.Count));
    EXPECT_EQ(stored, replayed);
    for (int i = 1; i < line.FigCount; ++i) EXPECT_EQ(Engine->CurPositions[size_t(i)], line.Positions(line.Cur)[i]);
  }
};

TEST(Drag, OneDirectionMovesGrowShrinkAndAreTakenBack) {
  struct Case {
    const char* Name;
    int Back; // the second drag, in cells (negative: back to the left)
    const char* Line;
    int Col;  // where A stands
  };
  const Case cases[] = {
      {"further right extends", 1, "AR3", 4},
      {"back one shortens", -1, "AR1", 2},
      {"back two takes the move back", -2, "", 1},
  };
  for (const Case& c : cases) {
    TDragFixture t(TTaskText{{".A...."}}, OneDir);
    t.Gesture('A', {{10, 0}, {60, 0}});
    ASSERT_EQ(t.Line(), "AR2");
    t.Gesture('A', {{c.Back * WC, 0}});
    EXPECT_EQ(t.Line(), c.Line) << c.Name;
    EXPECT_EQ(t.At('A').first, c.Col) << c.Name;
    t.ExpectConsistentLine();
  }
}

TEST(Drag, AMoveThatPushedIsNotShortenedByPullingBack) {
  TDragFixture t(TTaskText{{"AB..."}}, OneDir);
  t.Gesture('A', {{WC, 0}});
  ASSERT_EQ(t.Line(), "AR1p");
  t.Gesture('A', {{-WC, 0}});
  EXPECT_EQ(t.Line(), "AR1p AL1");
  t.ExpectConsistentLine();
}

TEST(Drag, ADragEndingWhereTheLastMoveStartedTakesItBackWhateverFigure) {
  TDragFixture t(TTaskText{{"AB..."}}, OneDir);
  t.Gesture('A', {{WC, 0}}); // A pushes B
  t.Gesture('B', {{-WC, 0}}); // B pushes A back
  EXPECT_EQ(t.Line(), "");
  EXPECT_EQ(t.Engine->Line.Cur, 0);
}

// The pointer goes one cell right and back within one press: the line keeps the move before the
// press exactly as it was, so that the board, the line and a replay agree.
TEST(Drag, BackToLengthZeroRestoresTheMoveItHadExtended) {
  for (bool turn : {false, true}) {
    TDragFixture t(TTaskText{{".A....."}}, OneDir);
    t.Gesture('A', {{60, 0}});
    t.Gesture('A', {{15, 0}, {0, 0}}, turn);
    EXPECT_EQ(t.Line(), "AR2") << turn;
    EXPECT_EQ(t.At('A').first, 3);
    t.ExpectConsistentLine();
  }
}

TEST(Drag, EscapeWithTurningRestoresTheEntryOfThePress) {
  TDragFixture t(TTaskText{{".A.....", "......."}}, OneDir);
  t.Gesture('A', {{60, 0}});
  // Extends the move to three cells, turns, goes down and right again.
  t.Gesture('A', {{30, 0}, {30, 30}, {60, 30}}, true);
  ASSERT_NE(t.Line(), "AR2");
  EXPECT_TRUE(t.Drag.Cancel());
  EXPECT_EQ(t.Line(), "AR2");
  EXPECT_EQ(t.At('A'), std::make_pair(3, 0));
  t.ExpectConsistentLine();
  EXPECT_FALSE(t.Drag.Cancel()); // nothing left to cancel
}

TEST(Drag, AnyPathLShapeWithTurningMakesMiniMovesOfOneMove) {
  TDragFixture t(TTaskText{{"A..", "...", "..B"}}, AnyPath);
  t.Gesture('A', {{WC, 0}, {WC, WC}}, true);
  EXPECT_EQ(t.Line(), "AR1/1.0 AD1/1.1");
  t.Gesture('B', {{-WC, 0}}, true);
  EXPECT_EQ(t.Line(), "AR1/1.0 AD1/1.1 BL1/2.0");
  // Several turns, then Esc: the figure is back at the press and the line is cut there.
  t.Gesture('A', {{0, -WC}, {WC, -WC}, {WC, 0}}, true);
  EXPECT_EQ(t.At('A'), std::make_pair(2, 1));
  EXPECT_TRUE(t.Drag.Cancel());
  EXPECT_EQ(t.At('A'), std::make_pair(1, 1));
  EXPECT_EQ(t.Line(), "AR1/1.0 AD1/1.1 BL1/2.0");
  t.ExpectConsistentLine();
}

TEST(Drag, OneCellMovesReachOneCell) {
  TDragFixture t(TTaskText{{".A..."}}, OneCell);
  t.Gesture('A', {{60, 0}});
  EXPECT_EQ(t.Drag.Reach(DirRight), 1);
  EXPECT_EQ(t.Drag.Reach(DirLeft), 1);
  EXPECT_EQ(t.Line(), "AR1");
}

TEST(Drag, TheLastHalfCellCountsAsAWholeOne) {
  struct Case {
    int Dx, Dy;
    const char* Line;
  };
  const Case cases[] = {{14, 0, ""},    {15, 0, "AR1"}, {44, 0, "AR1"}, {45, 0, "AR2"}, {-15, 0, "AL1"},
                        {0, 45, "AD2"}, {0, -15, "AU1"}, {30, 30, "AR1"}, {-30, -30, "AU1"}, {-30, 30, "AD1"},
                        {200, 0, "AR3"}}; // the reach ends at the field's edge
  for (const Case& c : cases) {
    TDragFixture t(TTaskText{{".....", ".....", ".A...", ".....", "....."}}, OneDir);
    t.Gesture('A', {{c.Dx, c.Dy}});
    EXPECT_EQ(t.Line(), c.Line) << c.Dx << "," << c.Dy;
  }
}

TEST(Drag, GravityTiltsTheWholeBoardAndReplacesATiltOnTheSameAxis) {
  TDragFixture t(TTaskText{{"A..", "...", "..B"}}, [](TTaskOptions& o) { o.SetGravity(); });
  t.Gesture(0, {{0, WC}});
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{"...", "...", "A.B"}));
  t.Gesture(0, {{WC, 0}});
  EXPECT_EQ(t.Line(), "0D1 0R1");
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{"...", "...", ".AB"}));
  t.Gesture(0, {{-WC, 0}}); // left after right: the tilt right is replaced
  EXPECT_EQ(t.Line(), "0D1 0L1");
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{"...", "...", "AB."}));
  t.ExpectConsistentLine();
}

} // namespace
} // namespace zrk::test
