#include "play/line_limits.h"

#include <algorithm>

namespace zrk {

const char* const LineTooLongText = "Слишком длинная цепочка ходов";

TLineCost::TLineCost(const TTask& task) {
  figCount_ = std::clamp(task.FigCount, 0, MaxFigRecords);
  const TFig& field = task.Field();
  width_ = std::max<int>(field.Width, 1);
  height_ = std::max<int>(field.Height, 1);
  gravity_ = task.Options.Gravity;
  pushing_ = task.Options.GrSlide || task.Options.Cooperative;
  for (int i = 1; i < figCount_; ++i) {
    cells_[i] = task.Figs[size_t(i)].CellCount();
    allCells_ += cells_[i];
  }
}

int64_t TLineCost::Move(const TMove& m) const {
  const int extent = (m.Dir & 1) ? width_ : height_;
  const int64_t steps = gravity_ ? extent : std::clamp<int>(m.Len, 1, extent);
  const int64_t carried = gravity_ || pushing_ || m.Fig >= figCount_ ? allCells_ : cells_[m.Fig];
  // Every entry also copies the positions of all figures.
  return steps * std::max<int64_t>(carried, 1) + figCount_;
}

} // namespace zrk
