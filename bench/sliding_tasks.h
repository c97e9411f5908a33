#pragma once
// Puzzles for the benchmark, built in code: sliding-tile boards and a board of mixed shapes.

#include <string>
#include <vector>

#include "model/task.h"

namespace zrk::bench {

// Rows of text: '.' an empty field cell, any other character a cell of that character's figure.
// Every figure gets its own colour unless `sameColour` lists it (those share one colour).
inline void BuildFromRows(TTask& task, const std::vector<std::string>& rows, const std::string& sameColour = "") {
  task.Clear(true, true, true);
  task.New(true, true);
  task.DimY = int(rows.size());
  task.DimX = int(rows[0].size());
  std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  std::string order;
  for (int y = 0; y < task.DimY; ++y) {
    for (int x = 0; x < task.DimX; ++x) {
      const char c = rows[y][x];
      uint16_t word = CellField;
      if (c != '.') {
        size_t at = order.find(c);
        if (at == std::string::npos) {
          order += c;
          at = order.size() - 1;
        }
        word |= uint16_t(at + 1);
      }
      task.StartMap[MakeCell(x, y)] = word;
    }
  }
  task.FigCount = int(order.size()) + 1;
  for (int i = 1; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    f.Init(&task, i);
    const bool shared = sameColour.find(order[i - 1]) != std::string::npos;
    f.Color = shared ? 0x808080 : Colour(0x102030 + i * 0x0B0705);
  }
  task.RebuildFigs(false);
}

// The w x h sliding-tile puzzle: distinct tiles, the blank in the bottom-right corner.
inline void SlidingTiles(TTask& task, int w, int h) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  char tile = 'A';
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x != w - 1 || y != h - 1) rows[y][x] = tile++;
  BuildFromRows(task, rows);
}

} // namespace zrk::bench
