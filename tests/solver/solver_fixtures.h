#pragma once
// Small helpers for the solver tests: tasks from text with move options, pins and end positions.

#include <string>
#include <vector>

#include "support/task_text.h"
#include "solver/solver.h"

namespace zrk::test {

struct TMoveRules {
  int Kind = OneCellMove;
  bool GroupSlide = false;
};

inline void SetRules(TTask& task, TMoveRules rules) {
  task.Options.SetOneFig();
  task.Options.SetGrSlide(rules.GroupSlide);
  task.Options.SetMoveKind(rules.Kind);
}

// Marks cell (x, y) of the figure standing there as pinned.
inline void AddPin(TTask& task, int x, int y) {
  task.StartMap[MakeCell(x, y)] |= CellPin;
  task.RebuildFigs(false);
}

// The figure's end position: its bounding box's top-left at board cell (x, y).
inline void SetEnd(TTask& task, int fig, int x, int y) {
  task.Figs[fig].EndPos = int16_t(0x81 + MakeCell(x, y) - task.Field().Pos);
}

// The w x h sliding-tile puzzle: distinct single tiles row by row, the bottom-right cell empty.
inline TTaskText SlidingTiles(int w, int h) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  char tile = 'A';
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x != w - 1 || y != h - 1) rows[y][x] = tile++;
  return TTaskText(rows);
}

inline std::vector<uint64_t> SolverLayers(const TSolver& s) {
  return std::vector<uint64_t>(s.LayerCounts.begin(), s.LayerCounts.end());
}

inline TSolveOptions FarthestOnly() {
  TSolveOptions o;
  o.Remote = true;
  o.AvailableMemory = uint64_t(4) << 30;
  return o;
}

} // namespace zrk::test
