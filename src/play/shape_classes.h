#pragma once
// Shape classes: figures that the solver may treat as interchangeable (model/fig_class.h).
// ComputeShapeClasses numbers the movable figures that stand on the field and have an end position
// 0, 1, 2, ... in index order; equal keys (freedom, colour, label, cells with pins) share a number.
// Every other figure has no class (NoShapeClass), which matches no figure.

#include "model/task.h"

namespace zrk {

constexpr uint8_t NoShapeClass = 255; // at most 254 figures: classes run from 0 to 253

void ComputeShapeClasses(TTask& task);

} // namespace zrk
