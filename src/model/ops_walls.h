#pragma once
// Clearing the field's walls, and its grooves together with the figures' pins.

#include "model/task.h"

namespace zrk {

// Both return whether anything was removed; the maps are laid anew when it was.
bool ClearWalls(TTask& task);
bool ClearPinsAndGrooves(TTask& task);

} // namespace zrk
