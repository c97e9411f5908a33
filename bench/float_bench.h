#pragma once
// The floating selection's timings on the largest board: the drag's start (collecting the group
// and listing its placements) and one pointer move (the nearest placement, the start map written
// and the figures derived again). A drag stays smooth while a move takes well under 16 ms.

namespace zrk::bench {

// Runs the cases whose name contains `only` (all when null); prints one line per case.
void RunFloatSelBench(const char* only);

} // namespace zrk::bench
