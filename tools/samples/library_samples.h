#pragma once
// The sample library shipped with the program, one description per task.

#include <vector>

#include "sample_builder.h"

namespace zrk::samples {

const std::vector<TSample>& LibrarySamples();

} // namespace zrk::samples
