#pragma once
// A task drawn from rows of text, switched to play mode with its engine.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "play/play_engine.h"
#include "support/task_text.h"

namespace zrk::test {

struct TPlayFixture {
  TTask Task;
  std::unique_ptr<TPlayEngine> Engine;
  std::map<char, int> Fig;

  explicit TPlayFixture(const TTaskText& text, void (*options)(TTaskOptions&) = nullptr) {
    Fig = BuildTask(Task, text);
    if (options) options(Task.Options);
    Engine = std::make_unique<TPlayEngine>(Task);
    Engine->SetPlayMode(true, false, false);
  }

  // Adds pins to the cells of figure c at the given board coordinates.
  void Pin(const std::vector<std::pair<int, int>>& cells) {
    Engine->SetPlayMode(false, false, false);
    for (auto [x, y] : cells) Task.StartMap[MakeCell(x, y)] |= CellPin;
    Task.RebuildFigs(false);
    Engine->SetPlayMode(true, false, false);
  }

  // One step on the board's own map and positions.
  bool Step(char fig, int dir, bool* pushed = nullptr) {
    bool p = false;
    const bool ok = Engine->Step(Engine->CurPositions.data(), Task.StartMap.data(), fig ? Fig.at(fig) : 0, dir, p);
    if (pushed) *pushed = p;
    return ok;
  }

  // The figure's top-left box cell in the current position, as (column, row) of the board.
  std::pair<int, int> At(char fig) const {
    const int pos = Engine->CurPositions[size_t(Fig.at(fig))];
    return {CellX(pos), CellY(pos)};
  }

  // The rows of the current position, drawn like the input (field '.', off field ' ').
  std::vector<std::string> Rows() const {
    std::map<int, char> name;
    for (auto [c, i] : Fig) name[i] = c;
    std::vector<std::string> rows;
    for (int y = 0; y < Task.DimY; ++y) {
      std::string r;
      for (int x = 0; x < Task.DimX; ++x) {
        const uint16_t w = Task.StartMap[MakeCell(x, y)];
        const int f = w & CellFigMask;
        r += f ? name[f] : (w & CellField) ? '.' : ' ';
      }
      rows.push_back(r);
    }
    return rows;
  }
};

} // namespace zrk::test
