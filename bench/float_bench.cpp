#include "float_bench.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

#include "editor/float_sel.h"
#include "model/task.h"

namespace zrk::bench {

namespace {

constexpr int Board = 126;

// A 126 x 126 board, the field on its top 110 rows with a wall after every eighth column, and a
// block of 4 x 4 figures (wide x tall) in the field's top-left corner, all selected.
void BuildCrowdedBoard(TTask& task, int wide, int tall) {
  task.Clear(true, true, true);
  task.New(true, true);
  task.DimX = task.DimY = Board;
  std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  for (int y = 0; y < 110; ++y)
    for (int x = 0; x < Board; ++x)
      task.StartMap[size_t(MakeCell(x, y))] = uint16_t(CellField | (x % 8 == 7 && y >= 60 ? WallOnTheRight : 0));
  int index = 1;
  for (int fy = 0; fy < tall; ++fy)
    for (int fx = 0; fx < wide; ++fx, ++index)
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) task.StartMap[size_t(MakeCell(4 * fx + x, 4 * fy + y))] |= uint16_t(index);
  task.FigCount = index;
  for (int i = 1; i < index; ++i) {
    task.Figs[size_t(i)].Init(&task, i);
    task.Figs[size_t(i)].Selected = 1;
  }
  task.RebuildFigs(false);
}

void StartDrag(TTask& task, TFloatSel& fs) {
  fs.Collect(FloatMode::Figs, task, false);
  fs.S = 30;
  fs.OffX = fs.OffY = 0;
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
  fs.ClearPlacements();
  fs.FindFigurePlacements(true, true, task.FlaggedCells > 0);
}

// Milliseconds per call of step, over enough calls to take a quarter of a second.
double MsPerCall(const std::function<void(int)>& step) {
  using Clock = std::chrono::steady_clock;
  int calls = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  do {
    step(calls++);
    elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  } while (elapsed < 250 || calls < 5);
  return elapsed / calls;
}

void RunCase(const char* name, int wide, int tall) {
  TTask task;
  BuildCrowdedBoard(task, wide, tall);
  TFloatSel fs;
  const double start = MsPerCall([&](int) { StartDrag(task, fs); });
  StartDrag(task, fs);
  // The pointer walks over the board diagonally, one cell per move, and back.
  const double move = MsPerCall([&](int k) {
    const int step = k % (2 * Board), d = step < Board ? step : 2 * Board - step;
    if (fs.PlaceNearest(task, 30 * d, 30 * d, false, true)) task.RebuildFigs(false);
  });
  std::printf("%-34s %7d %7d %10zu %10.3f %10.3f\n", name, task.SelCount, fs.PrimaryCount, fs.MainCandidates.size(),
              start, move);
}

} // namespace

void RunFloatSelBench(const char* only) {
  struct TCase {
    const char* Name;
    int Wide, Tall;
  };
  const TCase cases[] = {
      {"float: one 4x4 figure", 1, 1},
      {"float: 96 figures, 48x32 block", 12, 8},
      {"float: 253 figures, 44x92 block", 11, 23},
  };
  bool header = false;
  for (const TCase& c : cases) {
    if (only && !std::strstr(c.Name, only)) continue;
    if (!header) {
      std::printf("\n%-34s %7s %7s %10s %10s %10s\n", "floating selection, 126 x 126", "figures", "cells",
                  "places", "start ms", "move ms");
      header = true;
    }
    RunCase(c.Name, c.Wide, c.Tall);
    std::fflush(stdout);
  }
}

} // namespace zrk::bench
