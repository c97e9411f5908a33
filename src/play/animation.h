#pragma once
// TAnimation: replaying the played line towards an entry, the figures sliding cell by cell at the
// chosen speed. The clock is an argument: the window's 20 ms timer calls Tick with the time, and
// tests step it.
//
//   Start(target, now, wc)  begin an animation; a second start towards the same target only stops
//   Tick(now, wc)       the timer's beat: the next picture, the next entry, or nothing to redraw
//   Stop(wc)            stop at the nearer entry (every command that changes the line or the
//                       position stops an animation first)
//
// Between entries the board shows intermediate positions (the cells a long or a gravity move
// passes, computed once when the move begins) and, within a cell step, the moving figures shifted
// by Frac pixels in their direction Dirs[figure] (1 down, 2 right, 3 up, 4 left, 0 still). A
// cooperative move slides all of its mini-moves at once.

#include <array>
#include <cstdint>
#include <vector>

#include "play/play_engine.h"

namespace zrk {

constexpr int AnimSpeedCount = 14;
// Cell steps per second as the speed label shows them, and the milliseconds of one cell step.
extern const char* const AnimSpeedText[AnimSpeedCount];
extern const int AnimStepMs[AnimSpeedCount];
// The window timer's interval.
constexpr int AnimTimerMs = 20;
// The stop button shows only for animations longer than this.
constexpr int64_t AnimStopButtonMs = 300;

// What the caller does after an animation call.
struct TAnimEvent {
  bool Repaint = false; // the board shows another picture (or the animation's controls changed)
  bool Record = false;  // an entry was reached that the history keeps: the target, or a stop's snap
};

class TAnimation {
 public:
  explicit TAnimation(TPlayEngine& engine);

  int Speed = 5; // index into the speed tables

  TAnimEvent Start(int target, int64_t now, int wc);
  TAnimEvent Tick(int64_t now, int wc);
  TAnimEvent Stop(int wc);

  bool Animating() const { return Running; }
  int Target() const { return AnimTarget; }
  bool Backward() const { return AnimBackward; }
  bool StopShown() const { return StopVisible; }
  // A forward animation is showing the move after the current entry (the counter names that move).
  bool ShowsNextMove() const { return Running && !AnimBackward && (Steps != 0 || Frac != 0); }
  // The painter's offsets: figures with a direction are drawn Frac pixels that way.
  const std::array<uint8_t, FigSlots>& Dirs() const { return Dir; }
  int Offset() const { return Frac; }

 private:
  // The entry the move now shown ends at (the next or the previous one, a whole move when
  // cooperative), bounded by the target.
  int NextEntry() const;
  // The positions after j cell steps of the move shown, from the entry before it.
  const int16_t* FramePositions(int j) const;
  void BeginMove();
  void ComputeDirections();
  void Finish();

  TPlayEngine& E;
  bool Running = false;
  int AnimTarget = 0;
  bool AnimBackward = false;
  int Step = 0;  // cell steps completed within the move shown
  int Steps = 0; // cell steps of that move
  int Frac = 0;  // pixels, 0..wc, within the current cell step
  int Move = 0;  // the entry of the move shown (its positions are the move's end)
  bool StopVisible = false;
  int64_t StartTick = 0, CellTick = 0;
  std::array<uint8_t, FigSlots> Dir{};
  // Frames[j]: the positions after j cells of the move shown; no move on a board of at most 126
  // cells needs more than 128.
  std::vector<int16_t> Frames;
  std::vector<uint16_t> ScratchMap;
};

} // namespace zrk
