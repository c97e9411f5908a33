#pragma once
// Builds tasks for tests from rows of text: '.' an empty field cell, ' ' or '#' a board cell off the
// field, any other character a cell of the figure named by that character, standing on the field.
// Lower-case letters stand on cells off the field. Figures get indices 1, 2, ... in the order their
// characters first appear (row by row, left to right). By default every character gets its own
// palette colour; give the same colour to make figures of equal shape interchangeable.

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/task.h"

namespace zrk::test {

struct TFigSpec {
  Colour Color = 0;     // 0: the character's own palette colour
  int Freedom = 0;
  std::string Name;
};

struct TTaskText {
  TTaskText(std::vector<std::string> rows) : Rows(std::move(rows)) {}
  std::vector<std::string> Rows;
  std::map<char, TFigSpec> Figs;                 // optional per-figure attributes
  std::map<std::pair<int, int>, uint8_t> Flags;  // (x, y) of a field cell -> its flag byte
};

inline const Colour kTestPalette[] = {0xFFFF80, 0x80FF80, 0xFF80FF, 0x80FFFF, 0x0000FF, 0xFF8080, 0xBFBFBF,
                                      0xD5D5FF, 0xFF80BF, 0x00AA55, 0x00D5D5, 0xD5AAFF, 0xD5D500, 0x0000D5,
                                      0xFFAAAA, 0xAAFFD5, 0xBF80FF, 0xAAAAFF, 0xFFBF80, 0xD4D4D4, 0x00D56A,
                                      0x80BFFF, 0xD500D5, 0x00AAAA, 0xFFD5AA, 0xFFAAFF, 0x949494, 0xFFAAD5};

// Fills task from the text and returns the figure index of each character.
inline std::map<char, int> BuildTask(TTask& task, const TTaskText& text) {
  task.Clear(true, true, true);
  task.New(true, true);
  task.DimY = int(text.Rows.size());
  task.DimX = 0;
  for (const auto& r : text.Rows) task.DimX = std::max(task.DimX, int(r.size()));
  std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  std::map<char, int> index;
  for (int y = 0; y < int(text.Rows.size()); ++y) {
    for (int x = 0; x < int(text.Rows[y].size()); ++x) {
      const char c = text.Rows[y][x];
      if (c == ' ' || c == '#') continue;
      uint16_t word = 0;
      const bool offField = std::islower(static_cast<unsigned char>(c));
      if (!offField) word = CellField;
      auto flag = text.Flags.find({x, y});
      if (flag != text.Flags.end()) word |= uint16_t(flag->second << FieldFlagShift);
      if (c != '.') {
        auto [it, added] = index.emplace(c, int(index.size()) + 1);
        word |= uint16_t(it->second);
      }
      task.StartMap[MakeCell(x, y)] = word;
    }
  }
  task.FigCount = int(index.size()) + 1;
  int order = 0;
  for (auto& [c, i] : index) {
    TFig& f = task.Figs[i];
    f.Init(&task, i);
    auto given = text.Figs.find(c);
    const TFigSpec s = given == text.Figs.end() ? TFigSpec{} : given->second;
    f.Color = s.Color ? s.Color : kTestPalette[(order++) % 28];
    f.Freedom = int8_t(s.Freedom);
    f.SetName(s.Name);
  }
  task.RebuildFigs(false);
  return index;
}

} // namespace zrk::test
