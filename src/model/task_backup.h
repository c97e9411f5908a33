#pragma once
// A copy of what an editing gesture can change in a task (the start map, the figure records, the
// field's flags), to put the task back exactly when the gesture is cancelled.

#include <vector>

#include "model/task.h"

namespace zrk {

class TTaskBackup {
 public:
  void Save(const TTask& task);
  // Puts the saved map and records back; the end map is the caller's to lay again.
  void Restore(TTask& task) const;
  void Clear() { *this = TTaskBackup(); }
  bool Saved() const { return Saved_; }
  const std::vector<uint16_t>& Map() const { return Map_; }

 private:
  std::vector<uint16_t> Map_;
  std::vector<TFig> Figs_;
  std::vector<uint8_t> FieldFlags_;
  int FlaggedCells_ = 0;
  bool Saved_ = false;
};

} // namespace zrk
