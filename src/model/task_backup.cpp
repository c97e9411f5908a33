#include "model/task_backup.h"

#include <algorithm>

namespace zrk {

void TTaskBackup::Save(const TTask& task) {
  Map_ = task.StartMap;
  Figs_.assign(task.Figs.begin(), task.Figs.begin() + std::clamp(task.FigCount, 0, FigSlots));
  FieldFlags_ = task.FieldFlags;
  FlaggedCells_ = task.FlaggedCells;
  Saved_ = true;
}

void TTaskBackup::Restore(TTask& task) const {
  if (!Saved_) return;
  task.StartMap = Map_;
  const int count = int(Figs_.size());
  for (int i = 0; i < count; ++i) task.CopyFig(task.Figs[size_t(i)], Figs_[size_t(i)]);
  // Records added since the save go again.
  for (int i = count; i < task.FigCount; ++i) task.Figs[size_t(i)].Init(&task, i);
  task.FigCount = count;
  task.FieldFlags = FieldFlags_;
  task.FlaggedCells = FlaggedCells_;
}

} // namespace zrk
