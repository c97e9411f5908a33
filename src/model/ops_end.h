#pragma once
// Laying the end position where the start position is, for making the end position the start.

#include <vector>

#include "model/task.h"

namespace zrk {

// Ors every figure with an end position into map (a start-coordinate map of MapSize words that
// the caller prepared) at the place of its end position, with the pin bit on pinned cells. Cells
// that would fall outside the map are skipped.
void LayEndAsStart(const TTask& task, std::vector<uint16_t>& map);

} // namespace zrk
