#include "model/ops_end.h"

#include "model/ops_cells.h"

namespace zrk {

void LayEndAsStart(const TTask& task, std::vector<uint16_t>& map) {
  if (map.size() < size_t(MapSize)) return;
  const CellCode fieldPos = task.Field().Pos;
  for (int i = 1; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[i];
    if (f.EndPos == 0) continue;
    for (int k = 0; k < f.CellCount(); ++k) {
      const int code = f.EndCell(k, fieldPos);
      if (!InMapRange(code)) continue;
      uint16_t word = f.Index;
      if (f.Pinned(k)) word |= CellPin;
      map[code] |= word;
    }
  }
}

} // namespace zrk
