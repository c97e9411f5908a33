#pragma once
// Whether the picture overlay still fits the task it was fitted to (the reference task).

#include "model/task.h"

namespace zrk {

struct TPictComparison {
  bool PictSame = false;    // the field and every figure have the cells of their counterparts
  bool PictChanged = false; // the task differs from the reference in anything shown
};

// Compares task with the reference task; both flags are false when there is no picture.
TPictComparison ComparePictTask(const TTask& task, const TTask& reference, bool hasPicture);

} // namespace zrk
