#include "model/fig_class.h"

#include <cstdio>
#include <cstring>

namespace zrk {

void DistinguishingLabel(const TTask& task, const TFig& f, char label[4]) {
  std::memset(label, 0, 4);
  const TTaskOptions& o = task.Options;
  if (!o.DifByName) return;
  if (o.OnlyNames && !f.HasName()) return;
  if (!f.HasName() || o.OrigNums) {
    std::snprintf(label, 4, "%d", int(f.Num));
    return;
  }
  if (std::strcmp(f.Name, " ") == 0) return;
  std::memcpy(label, f.Name, 3);
}

std::string FigClassKey(const TTask& task, const TFig& f) {
  std::string key;
  key.push_back(char(f.Freedom));
  const uint32_t colour = f.Color;
  key.append(reinterpret_cast<const char*>(&colour), sizeof colour);
  char label[4];
  DistinguishingLabel(task, f, label);
  key.append(label, 4);
  for (int k = 0; k < f.CellCount(); ++k) {
    const uint16_t c = uint16_t(f.Cells[size_t(k)] + (f.Pinned(k) ? 0x4000 : 0));
    key.append(reinterpret_cast<const char*>(&c), sizeof c);
  }
  return key;
}

} // namespace zrk
