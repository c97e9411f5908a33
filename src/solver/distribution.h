#pragma once
// What the user is told about a solve: the check made before it, the list of positions per layer
// and the labels of the distribution window. The window and zrk-cli print the same texts.

#include <cstdint>
#include <string>
#include <vector>

#include "model/task.h"
#include "solver/solver.h"

namespace zrk {

struct TSolveSummary;

// The counts of a search at one moment, copied out of the solver: a running search hands them to the
// window, a finished one to the final report.
struct TSolveCounts {
  std::vector<uint32_t> LayerCounts; // layers 0..L (the last one still growing while solving)
  int L = 0;
  uint64_t PosTotal = 0, GeneratedTotal = 0, ExpandedTotal = 0;
  uint64_t MaxRecords = 0;
  int SolCount = 0;
  int SolutionLayer = -1;
  int ForgetIndex = 0;
  bool SolveStopped = false, LayerLimitHit = false, OutOfMemory = false;
  bool HasEndPosition = false;
  int64_t ElapsedMs = 0;
};

TSolveCounts CountsOf(const TSolver& solver);

// The text of the failed pre-solve check (shown under the caption "!"), empty when the task can be solved.
std::string PreSolveCheck(const TTask& task, bool remote);

// The distribution list, one line per layer ("0) 1", ...) with the solution mark on the solution
// layer; at the end of a solve (solving false) followed by the closing line when there is one.
std::string DistributionText(const TSolveCounts& counts, const TSolveOptions& options, bool solving);
std::string DistributionText(const TSolver& solver, const TSolveOptions& options, bool solving);

// The layers read back from a distribution list (a stored report): the counts, the solution layer
// and whether the search went to its last layer, so that the farthest layer is the last one listed.
struct TListedLayers {
  std::vector<uint32_t> Counts;
  int SolutionLayer = -1;
  bool Complete = false;
};
TListedLayers ReadDistributionText(const std::string& text);

// The labels of the distribution window (UTF-8).
// TimeL: whole seconds while solving, else milliseconds with three significant digits or more.
std::string TimeText(int64_t ms, bool solving);
// CountL during and at the end of a solve; incomplete adds the "?".
std::string CountText(uint64_t posTotal, bool incomplete);
// CountL of a stored solve summary (two decimals in millions).
std::string SummaryCountText(uint64_t posTotal, bool incomplete);
// MaxCountL: the position budget in millions.
std::string MaxCountText(uint64_t maxRecords);
// NubsL: the average number of neighbour positions, 0 when nothing was expanded.
std::string NubsText(uint64_t generated, uint64_t expanded);
// Lev0L: the first layer still stored, empty when none was forgotten.
std::string Lev0Text(int forgetIndex);

// The labels as DistribBt shows them for the summary kept with a task.
struct TSummaryLabels {
  std::string Time, Count, Nubs;
};
TSummaryLabels SummaryLabels(const TSolveSummary& summary);

} // namespace zrk
