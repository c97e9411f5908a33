#pragma once
// What one line of moves, and all the lines of a position tree, may ask of memory and time. A task
// file or a move text can name any number of moves; the readers and the move-text command check
// these bounds before they build anything, so that no input can make the program allocate
// gigabytes or replay a line for minutes.
//
//   entries      the played line keeps a move and every figure's position per entry
//   tree moves   every tree node keeps its whole line from the initial position, so a chain of
//                nodes that each add one move holds a number of moves quadratic in its length
//   work         replaying a line steps figures cell by cell: the cells a replay may visit

#include <cstdint>

#include "model/task.h"
#include "play/moves.h"

namespace zrk {

constexpr int64_t MaxLineEntries = int64_t(1) << 21;        // about 2 million entries
constexpr int64_t MaxLinePositionWords = int64_t(1) << 24;  // entries x figures: 32 MB of positions
constexpr int64_t MaxTreeMoves = int64_t(1) << 22;          // moves held by all lines of a tree: 48 MB
constexpr int64_t MaxLineWork = int64_t(1) << 27;           // cell visits of one replay: about 0.5 s

// The refusal of a move text that would make the line longer: "Слишком длинная цепочка ходов".
extern const char* const LineTooLongText;

// Whether a played line of the given number of entries (the initial position included) fits.
inline bool LineEntriesFit(int64_t entries, int figCount) {
  return entries >= 0 && entries <= MaxLineEntries &&
         entries * (figCount > 0 ? figCount : 1) <= MaxLinePositionWords;
}

// An upper bound of the cells that replaying a move visits on the task: the steps the move can
// make (a figure cannot travel further than the field is wide) times the cells that each step
// may carry (the moved figure alone, or every figure when a step may push or the board tilts).
class TLineCost {
 public:
  explicit TLineCost(const TTask& task);
  int64_t Move(const TMove& m) const;

 private:
  int figCount_ = 0;
  int width_ = 1, height_ = 1;
  bool gravity_ = false;
  bool pushing_ = false;
  int64_t allCells_ = 0;
  int32_t cells_[FigSlots] = {};
};

} // namespace zrk
