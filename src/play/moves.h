#pragma once
// Moves and lines of moves.
//
//   TMove    one move or mini-move: the figure, the direction, the length and where the figure
//            stood; 12 bytes, as kept in the played line, the tree and the undo snapshots.
//   TMoves0  a line of moves from the initial position: the data of a position-tree node, the
//            solver's solution and remote lines, and the result of parsing a move text.

#include <cstdint>
#include <string>
#include <vector>

#include "model/cell_code.h"

namespace zrk {

struct TMove {
  uint8_t Fig = 0;    // moved figure, 1..FigCount-1 (no meaning in gravity moves)
  int8_t Dir = 0;     // 0 down, 1 right, 2 up, 3 left
  int8_t Len = 0;     // cells moved, at least 1 (unused by gravity moves)
  uint8_t Pushed = 0; // the last elementary step moved more than one figure
  CellCode Cell = 0;  // the moved figure's first cell before the move
  int16_t Sub = 0;    // 0-based mini-move number within its move
  int32_t N = 0;      // 1-based move number, shared by the mini-moves of one move
};
static_assert(sizeof(TMove) == 12, "TMove is a 12-byte record");

// The longest length a move can carry: Len is a signed byte.
constexpr int MaxMoveLen = 127;

// Orders moves for the children of a tree node: under gravity by direction only, otherwise by
// figure, then direction, then length. Cell, N and Sub are not compared.
int CompareMoves(const TMove& a, const TMove& b, bool gravity);

struct TMoves0 {
  std::vector<TMove> Moves;
  int SaveIndex = 0;            // pre-order number in the tree, set just before the tree is saved
  const TMoves0* Parent = nullptr; // the tree node this line branches from (a prefix of ours)
  bool Unfixed = false;         // created automatically where two saved lines diverged
  bool Expanded = false;        // expanded state of the tree node as read from a file
  std::string PosText;          // the user's note, code page 1251

  int Count() const { return int(Moves.size()); }
  int ParentCount() const { return Parent ? Parent->Count() : 0; }
};

} // namespace zrk
