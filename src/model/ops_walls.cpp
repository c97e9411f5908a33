#include "model/ops_walls.h"

namespace zrk {

namespace {

// Clears the flag bits from every field cell; drops the flag array when no flag is left.
bool ClearFieldFlags(TTask& task, uint8_t bits) {
  bool changed = false;
  for (uint8_t& flags : task.FieldFlags) {
    if (flags & bits) changed = true;
    flags = uint8_t(flags & ~bits);
  }
  task.CountCells();
  if (task.FlaggedCells == 0) task.FieldFlags.clear();
  return changed;
}

} // namespace

bool ClearWalls(TTask& task) {
  const bool changed = ClearFieldFlags(task, FlagWallBelow | FlagWallOnTheRight);
  if (changed) task.BuildMaps(false, true);
  return changed;
}

bool ClearPinsAndGrooves(TTask& task) {
  bool changed = ClearFieldFlags(task, FlagGrooveDown | FlagGrooveToTheRight);
  for (int i = 1; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    if (f.PinCount > 0) changed = true;
    f.Pins.clear();
    f.PinCount = 0;
  }
  if (changed) task.BuildMaps(false, true);
  return changed;
}

} // namespace zrk
