#pragma once
// The rectangular field: the field becomes the rectangle of a x b cells in the board's top-left
// corner, growing the board when it is smaller.

#include "model/report.h"
#include "model/task.h"

namespace zrk {

// Replaces the field by the a x b rectangle (1..62 each): the old field with its walls and grooves
// and every pin are gone, the figures keep their cells. Refused with its message, the task
// unchanged, when the board would exceed the image limit or when a figure lies partly in the
// rectangle or touches it from outside. The board grows to hold the rectangle; the caller shows the
// new size, relayouts and records the undo step.
bool RectField(TTask& task, int a, int b, IReporter& reporter);

} // namespace zrk
