#pragma once
// Small cell-map helpers shared by the editing operations: board bounds, the eight neighbours and
// the rectangle walk that rectangle selection and rectangle painting use.

#include <algorithm>

#include "model/cell_code.h"
#include "model/task.h"

namespace zrk {

// The eight neighbour offsets in the order they are tested: the four sides, then the corners.
constexpr int NeighbourSteps[8] = {RowStride, 1, -RowStride, -1, RowStride + 1, RowStride - 1,
                                   -RowStride - 1, -RowStride + 1};

constexpr bool InMapRange(int code) { return code >= 0 && code < MapSize; }

// A cell of the task's board (not its one-cell border). Every neighbour of such a cell is still
// inside the 128 x 128 map, so the neighbour tests need no further bounds checks.
inline bool InBoard(const TTask& task, int code) {
  if (!InMapRange(code)) return false;
  const int col = code & 0x7F, row = code >> 7;
  return col >= 1 && col <= task.DimX && row >= 1 && row <= task.DimY;
}

// Visits every cell of the rectangle spanned by two cells (inclusive, corners in any order),
// columns outer and rows inner. Both cells must lie inside the map.
template <class Visit>
void ForEachCellInRect(int a, int b, Visit visit) {
  const int col0 = std::min(a & 0x7F, b & 0x7F), col1 = std::max(a & 0x7F, b & 0x7F);
  const int row0 = std::min(a >> 7, b >> 7), row1 = std::max(a >> 7, b >> 7);
  for (int col = col0; col <= col1; ++col)
    for (int row = row0; row <= row1; ++row) visit((row << 7) | col);
}

} // namespace zrk
