#include "model/ops_picture.h"

namespace zrk {

TPictComparison ComparePictTask(const TTask& task, const TTask& reference, bool hasPicture) {
  TPictComparison result;
  if (!hasPicture) return result;
  result.PictSame = true;
  result.PictChanged = task.DimX != reference.DimX || task.DimY != reference.DimY ||
                       task.GridColor != reference.GridColor || task.WallColor != reference.WallColor;
  // The field is its own counterpart; every figure names its counterpart by PictIndex.
  for (int i = 0; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[i];
    const int counterpart = i == 0 ? 0 : f.PictIndex;
    const bool known = i == 0 || (counterpart != 0 && counterpart < reference.FigCount);
    if (!known || f.Cells != reference.Figs[counterpart].Cells) {
      result.PictSame = false;
      result.PictChanged = true;
      break;
    }
    if (!SameFig(f, reference.Figs[counterpart])) result.PictChanged = true;
  }
  return result;
}

} // namespace zrk
