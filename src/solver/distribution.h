#pragma once
// What the user is told about a solve: the check made before it and the list of positions per layer.

#include <string>

#include "model/task.h"
#include "solver/solver.h"

namespace zrk {

// The text of the failed pre-solve check (shown under the caption "!"), empty when the task can be solved.
std::string PreSolveCheck(const TTask& task, bool remote);

// The distribution list, one line per layer ("0) 1", ...) with the solution mark on the solution
// layer; at the end of a solve (solving false) followed by the closing line when there is one.
std::string DistributionText(const TSolver& solver, const TSolveOptions& options, bool solving);

} // namespace zrk
