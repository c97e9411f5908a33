#include "play/animation.h"

#include <algorithm>
#include <cstring>

namespace zrk {

const char* const AnimSpeedText[AnimSpeedCount] = {"0,3", "0,5", "0,7", "1",  "1,5", "2",  "3",
                                                   "5",   "7",   "10",  "15", "20",  "30", "50"};
const int AnimStepMs[AnimSpeedCount] = {3333, 2000, 1429, 1000, 667, 500, 333, 200, 143, 100, 67, 50, 33, 20};

namespace {

constexpr int MaxFrames = 128;

// The direction code of the painter for a figure that moved by delta in one cell step.
uint8_t DirOfDelta(int delta) {
  switch (delta) {
    case RowStride: return 1;
    case 1: return 2;
    case -RowStride: return 3;
    case -1: return 4;
    default: return 0;
  }
}

} // namespace

TAnimation::TAnimation(TPlayEngine& engine)
    : E(engine), Frames(size_t(MaxFrames) * FigSlots, 0), ScratchMap(MapSize, 0) {}

TAnimEvent TAnimation::Start(int target, int64_t now, int wc) {
  TAnimEvent ev;
  if (Running) {
    const int running = AnimTarget;
    ev = Stop(wc);
    // A second click on the same command ends the animation.
    if (target == running) return ev;
  }
  const TMoves& line = E.Line;
  if (target == line.Cur || target < 0 || target >= line.Count) return ev;
  Running = true;
  AnimTarget = target;
  AnimBackward = target < line.Cur;
  Step = Steps = Frac = 0;
  Dir.fill(0);
  StartTick = CellTick = now;
  ev.Repaint = true;
  return ev;
}

int TAnimation::NextEntry() const {
  const int cur = E.Line.Cur;
  if (!E.Task.Options.Cooperative) return AnimBackward ? cur - 1 : cur + 1;
  // A cooperative move is one slide of all its mini-moves.
  return AnimBackward ? std::max(E.PrevMoveIndex(), AnimTarget) : std::min(E.NextMoveIndex(), AnimTarget);
}

const int16_t* TAnimation::FramePositions(int j) const {
  if (j <= 0) return E.Line.Positions(Move - 1);
  if (j >= Steps) return E.Line.Positions(Move);
  return Frames.data() + size_t(j) * FigSlots;
}

// The positions a move passes are computed once, when it begins: a long move's cells, and the
// steps a gravity move really takes (its Len says nothing about them).
void TAnimation::BeginMove() {
  const TMoves& line = E.Line;
  Move = AnimBackward ? line.Cur : line.Cur + 1;
  const TMove& m = line.Move(Move);
  const bool gravity = E.Task.Options.Gravity;
  Steps = std::clamp<int>(m.Len, 0, MaxFrames - 1);
  if (Steps <= 1 && !gravity) return;
  int16_t* frames = Frames.data();
  std::memcpy(frames, line.Positions(Move - 1), sizeof(int16_t) * size_t(line.FigCount));
  E.SetPosition(frames, ScratchMap.data(), true);
  // A normal move needs its Len - 1 inner cells; a gravity move falls while it can.
  const int last = gravity ? MaxFrames - 1 : Steps - 1;
  int made = 0;
  while (made < last) {
    int16_t* next = frames + size_t(made + 1) * FigSlots;
    std::memcpy(next, frames + size_t(made) * FigSlots, sizeof(int16_t) * size_t(line.FigCount));
    bool pushed = false;
    if (!E.Step(next, ScratchMap.data(), m.Fig, m.Dir, pushed)) break;
    ++made;
  }
  if (gravity) Steps = made;
}

void TAnimation::ComputeDirections() {
  const int16_t* a;
  const int16_t* b;
  if (E.Task.Options.Cooperative) {
    a = E.Line.Positions(E.Line.Cur);
    b = E.Line.Positions(NextEntry());
  } else {
    const int j = AnimBackward ? Steps - Step : Step;
    a = FramePositions(j);
    b = FramePositions(AnimBackward ? j - 1 : j + 1);
  }
  Dir.fill(0);
  for (int i = 1; i < E.Line.FigCount; ++i) Dir[size_t(i)] = DirOfDelta(b[i] - a[i]);
}

void TAnimation::Finish() {
  Running = false;
  StopVisible = false;
  Step = Steps = Frac = 0;
  Dir.fill(0);
}

TAnimEvent TAnimation::Tick(int64_t now, int wc) {
  TAnimEvent ev;
  if (!Running) return ev;
  // The line may have changed under the animation; it never lays frames of another line.
  const TMoves& line = E.Line;
  if (AnimTarget >= line.Count || line.Cur >= line.Count || line.Cur == AnimTarget) {
    Finish();
    ev.Repaint = true;
    return ev;
  }
  if (!StopVisible && now - StartTick > AnimStopButtonMs) {
    StopVisible = true;
    ev.Repaint = true;
  }
  const int stepMs = AnimStepMs[std::clamp(Speed, 0, AnimSpeedCount - 1)];
  const int64_t elapsed = std::max<int64_t>(0, now - CellTick);
  // A cell step is complete half a timer interval before its end.
  const bool complete = elapsed > stepMs - AnimTimerMs / 2;
  int f = 0;
  if (!complete) {
    f = int(double(elapsed) * wc / stepMs + 0.5);
    if (f == Frac) return ev;
  }
  if (Step == 0 && Frac == 0) BeginMove();
  if (complete) {
    ++Step;
    Frac = 0;
    Dir.fill(0);
    CellTick = now;
    ev.Repaint = true;
    if (Step >= Steps) {
      Step = 0;
      Steps = 0;
      const int e = NextEntry();
      E.GoTo(e);
      if (e == AnimTarget) {
        Finish();
        ev.Record = true;
      }
      return ev;
    }
    E.SetPosition(FramePositions(AnimBackward ? Steps - Step : Step), E.Task.StartMap.data(), false);
    return ev;
  }
  if (Frac == 0) ComputeDirections();
  Frac = f;
  ev.Repaint = true;
  return ev;
}

TAnimEvent TAnimation::Stop(int wc) {
  TAnimEvent ev;
  if (!Running) return ev;
  ev.Repaint = true;
  if (Step != 0 || Frac != 0) {
    // Snap to the nearer entry: on when more than half of the move was made, else back.
    const bool pastHalf = wc * Steps < 2 * (Step * wc + Frac);
    E.GoTo(pastHalf ? NextEntry() : E.Line.Cur);
    ev.Record = true;
  }
  Finish();
  return ev;
}

} // namespace zrk
