#pragma once
// Small views of cell maps for the editor tests: a map drawn back as rows of text.

#include <string>
#include <vector>

#include "editor/float_sel.h"
#include "model/task.h"

namespace zrk::test {

// One character per board cell: ' ' empty and off the field, '.' an empty field cell, a letter for
// a figure ('A' for index 1, 'B' for 2, ...), upper case on the field and lower case off it.
inline std::vector<std::string> MapRows(const TTask& task, const std::vector<uint16_t>& map, int width = -1) {
  if (width < 0) width = task.DimX;
  std::vector<std::string> rows;
  for (int y = 0; y < task.DimY; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const uint16_t w = map[size_t(MakeCell(x, y))];
      const int fi = w & CellFigMask;
      if (fi == 0) row += (w & CellField) ? '.' : ' ';
      else row += char(((w & CellField) ? 'A' : 'a') + fi - 1);
    }
    rows.push_back(row);
  }
  return rows;
}

inline std::vector<std::string> StartRows(const TTask& task) { return MapRows(task, task.StartMap); }

// The floating group within its box: '#' a cell with a figure, '*' one with a pin, '.' a cell
// without a figure, ' ' no cell.
inline std::vector<std::string> GroupRows(const TFloatSel& fs) {
  std::vector<std::string> rows(size_t(fs.FloatH), std::string(size_t(fs.FloatW), ' '));
  for (const TFloatCell& c : fs.Cells) {
    const char mark = (c.Word & CellPin) ? '*' : (c.Word & CellFigMask) ? '#' : '.';
    rows[size_t(c.Rel >> 7)][size_t(c.Rel & 0x7F)] = mark;
  }
  return rows;
}

} // namespace zrk::test
