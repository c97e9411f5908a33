#pragma once
// The board image may not exceed MaxImagePixels; the editor refuses larger boards and cells, and
// the task-file reader clamps a cell size that a file asks for beyond it.

#include <algorithm>
#include <cmath>

namespace zrk {

constexpr long long MaxImagePixels = 10'000'000;

// The largest cell size for a board of dimX x dimY cells.
inline int MaxCellSize(int dimX, int dimY) {
  return int(std::sqrt(double(MaxImagePixels) / ((dimX + 1.5) * (dimY + 1.5))));
}

// The smallest cell size the cell-width field offers.
constexpr int MinCellWidth = 7;

// A cell size read from outside, brought into MinCellWidth..MaxCellSize.
inline int ClampCellWidth(int wc, int dimX, int dimY) {
  return std::clamp(wc, MinCellWidth, std::max(MinCellWidth, MaxCellSize(dimX, dimY)));
}

} // namespace zrk
