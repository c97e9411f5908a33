#include "play/shape_classes.h"

#include <map>
#include <string>

#include "model/fig_class.h"

namespace zrk {

void ComputeShapeClasses(TTask& task) {
  std::map<std::string, int> classes;
  for (int i = 1; i < task.FigCount && i < FigSlots; ++i) {
    TFig& f = task.Figs[size_t(i)];
    if (!f.OnField || f.Freedom == Fixed || f.EndPos == 0) {
      f.ShapeClass = NoShapeClass;
      continue;
    }
    auto [it, added] = classes.emplace(FigClassKey(task, f), int(classes.size()));
    f.ShapeClass = uint8_t(it->second);
  }
}

} // namespace zrk
