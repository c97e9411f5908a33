#include "play/shape_classes.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace zrk {

namespace {

// The displayed name of a figure, as far as it tells figures apart when DifByName is on.
void FigLabel(const TTask& task, const TFig& f, char label[4]) {
  std::memset(label, 0, 4);
  const TTaskOptions& o = task.Options;
  if (!o.DifByName) return;
  if (o.OnlyNames && !f.HasName()) return;
  if (!f.HasName() || o.OrigNums) {
    std::snprintf(label, 4, "%d", int(f.Num));
    return;
  }
  if (std::strcmp(f.Name, " ") == 0) return;
  std::memcpy(label, f.Name, 4);
  label[3] = 0;
}

std::string ShapeKey(const TTask& task, const TFig& f) {
  std::string key;
  key.push_back(char(f.Freedom));
  const uint32_t colour = f.Color;
  key.append(reinterpret_cast<const char*>(&colour), sizeof colour);
  char label[4];
  FigLabel(task, f, label);
  key.append(label, 4);
  for (int k = 0; k < f.CellCount(); ++k) {
    int16_t c = f.Cells[size_t(k)];
    if (f.HasPins() && f.Pins[size_t(k)]) c = int16_t(c + 0x4000);
    key.append(reinterpret_cast<const char*>(&c), sizeof c);
  }
  return key;
}

} // namespace

void ComputeShapeClasses(TTask& task) {
  std::map<std::string, int> classes;
  for (int i = 1; i < task.FigCount && i < FigSlots; ++i) {
    TFig& f = task.Figs[size_t(i)];
    if (!f.OnField || f.Freedom == Fixed || f.EndPos == 0) continue;
    auto [it, added] = classes.emplace(ShapeKey(task, f), int(classes.size()));
    f.ShapeClass = uint8_t(it->second);
  }
}

} // namespace zrk
