// Replay with animation on a stepped clock: timing, intermediate cells, stopping at the nearer
// entry, the stop button's delay, cooperative and gravity moves.

#include <gtest/gtest.h>

#include "model/cp1251.h"
#include "play/animation.h"
#include "play/notation.h"
#include "play_fixture.h"

namespace zrk::test {
namespace {

constexpr int WC = 30;
constexpr int Speed2 = 5; // "2": 500 ms a cell

struct TAnimFixture : TPlayFixture {
  TAnimation Anim{*Engine};
  int64_t Now = 0;

  TAnimFixture(const TTaskText& text, const char* moves, void (*options)(TTaskOptions&) = nullptr)
      : TPlayFixture(text, options) {
    ApplyMoveList(*Engine, Utf8ToCp1251(moves), nullptr);
    Engine->GoTo(0);
    Anim.Speed = Speed2;
  }

  // Beats of the 20 ms timer up to the time t; returns the time the animation ended (or -1).
  int64_t RunTo(int64_t t) {
    int64_t ended = -1;
    while (Now < t && Anim.Animating()) {
      Now += AnimTimerMs;
      Anim.Tick(Now, WC);
      if (!Anim.Animating()) ended = Now;
    }
    return ended;
  }
};

void OneDir(TTaskOptions& o) { o.MoveKind = OneDirMove; }

TEST(Animation, AThreeCellMoveAtSpeedTwoTakesOneAndAHalfSeconds) {
  TAnimFixture t({{"A..."}}, "1П3", OneDir);
  t.Anim.Start(1, 0, WC);
  EXPECT_EQ(t.RunTo(480), -1);
  EXPECT_EQ(t.At('A').first, 0);
  EXPECT_GT(t.Anim.Offset(), 0); // sliding within the first cell
  EXPECT_EQ(t.Anim.Dirs()[size_t(t.Fig['A'])], 2); // to the right
  t.RunTo(500);
  EXPECT_EQ(t.At('A').first, 1); // one cell every 500 ms
  EXPECT_EQ(t.Engine->Line.Cur, 0);
  t.RunTo(1000);
  EXPECT_EQ(t.At('A').first, 2);
  EXPECT_EQ(t.RunTo(2000), 1500);
  EXPECT_EQ(t.Engine->Line.Cur, 1);
  EXPECT_EQ(t.At('A').first, 3);
}

TEST(Animation, StoppingSnapsToTheNearerEntry) {
  struct Case {
    const char* Moves;
    int64_t StopAt;
    int Cur;
    int Col; // where A stands after the stop
  };
  const Case cases[] = {
      {"1П", 300, 1, 1},   // 60 % of a one-cell move: on to the next entry
      {"1П", 200, 0, 0},   // 40 %: back to the current one
      {"1П3", 1000, 1, 3}, // two of three cells
      {"1П3", 600, 0, 0},  // 1.2 of three cells
  };
  for (const Case& c : cases) {
    TAnimFixture t({{"A..."}}, c.Moves, OneDir);
    t.Anim.Start(1, 0, WC);
    t.RunTo(c.StopAt);
    const TAnimEvent ev = t.Anim.Stop(WC);
    EXPECT_TRUE(ev.Record);
    EXPECT_FALSE(t.Anim.Animating());
    EXPECT_EQ(t.Engine->Line.Cur, c.Cur) << c.Moves << " at " << c.StopAt;
    EXPECT_EQ(t.At('A').first, c.Col);
  }
}

TEST(Animation, ASecondStartTowardsTheSameTargetStops) {
  TAnimFixture t({{"A..."}}, "1П 1П 1П");
  t.Anim.Start(3, 0, WC);
  t.RunTo(820); // 1.64 moves made
  t.Anim.Start(3, t.Now, WC);
  EXPECT_FALSE(t.Anim.Animating());
  EXPECT_EQ(t.Engine->Line.Cur, 2);
  // Another target restarts from where it stopped.
  t.Anim.Start(0, t.Now, WC);
  EXPECT_TRUE(t.Anim.Animating());
  EXPECT_TRUE(t.Anim.Backward());
  t.RunTo(t.Now + 2000);
  EXPECT_EQ(t.Engine->Line.Cur, 0);
  EXPECT_EQ(t.At('A').first, 0);
}

TEST(Animation, TheStopButtonShowsOnlyAfterThreeHundredMilliseconds) {
  TAnimFixture t({{"A..."}}, "1П3", OneDir);
  t.Anim.Start(1, 0, WC);
  t.RunTo(300);
  EXPECT_FALSE(t.Anim.StopShown());
  t.RunTo(320);
  EXPECT_TRUE(t.Anim.StopShown());
  t.RunTo(2000);
  EXPECT_FALSE(t.Anim.StopShown());
  // A fast animation is over before the button would show.
  t.Engine->GoTo(0);
  t.Anim.Speed = AnimSpeedCount - 1;
  t.Anim.Start(1, t.Now, WC);
  bool shown = false;
  while (t.Anim.Animating()) {
    t.RunTo(t.Now + AnimTimerMs);
    shown = shown || t.Anim.StopShown();
  }
  EXPECT_FALSE(shown);
  EXPECT_EQ(t.Engine->Line.Cur, 1);
}

TEST(Animation, ACooperativeMoveSlidesAllItsMiniMovesAtOnce) {
  TAnimFixture t({{".A.", "B.C", "..."}}, "1П 2Н 3Н", [](TTaskOptions& o) { o.SetCooperative(); });
  ASSERT_EQ(t.Engine->Line.Count, 4);
  ASSERT_EQ(t.Engine->NextMoveIndex(), 3); // one move of three mini-moves
  t.Anim.Start(3, 0, WC);
  t.RunTo(200);
  for (char c : {'A', 'B', 'C'}) EXPECT_NE(t.Anim.Dirs()[size_t(t.Fig[c])], 0) << c;
  EXPECT_EQ(t.RunTo(1000), 500);
  EXPECT_EQ(t.Engine->Line.Cur, 3);
  // Stopped past the middle, it snaps to the end of the whole move, not to its first mini-move.
  t.Engine->GoTo(0);
  t.Anim.Start(3, t.Now, WC);
  t.RunTo(t.Now + 300);
  t.Anim.Stop(WC);
  EXPECT_EQ(t.Engine->Line.Cur, 3);
}

TEST(Animation, AGravityMoveAnimatesTheCellsItReallyFalls) {
  TAnimFixture t({{"A", ".", ".", ".", "."}}, "Н", [](TTaskOptions& o) { o.SetGravity(); });
  t.Engine->Line.Move(1).Len = 1; // as a drag records it
  t.Anim.Start(1, 0, WC);
  t.RunTo(1000);
  EXPECT_EQ(t.At('A').second, 2);
  EXPECT_EQ(t.RunTo(3000), 2000); // four cells
  EXPECT_EQ(t.At('A').second, 4);
}

TEST(Animation, ALineReplacedUnderTheAnimationEndsIt) {
  TAnimFixture t({{"A..."}}, "1П 1П 1П");
  t.Anim.Start(3, 0, WC);
  t.RunTo(200);
  t.Engine->ResetLine(); // as a task read or a new line would
  t.Engine->GoTo(0);
  t.Anim.Tick(t.Now + 300, WC);
  EXPECT_FALSE(t.Anim.Animating());
  EXPECT_EQ(t.At('A').first, 0);
}

} // namespace
} // namespace zrk::test
