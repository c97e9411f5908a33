#pragma once
// What makes two figures interchangeable: the same freedom, colour and cells (pinned cells marked)
// and, when figures are told apart by name, the same label. The solver merges figures of equal keys
// into one class; play numbers its shape classes by the same keys.

#include <string>

#include "model/task.h"

namespace zrk {

// The label that tells figures apart when DifByName is on: the number, the name, or nothing
// (OnlyNames without a name, or a name of one space); at most 3 bytes, zero-filled. All zeros when
// DifByName is off.
void DistinguishingLabel(const TTask& task, const TFig& f, char label[4]);

// Equal keys, interchangeable figures.
std::string FigClassKey(const TTask& task, const TFig& f);

} // namespace zrk
