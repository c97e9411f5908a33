#pragma once
// Checks a task against the consistency rules and re-derives its derived data independently.
// Returns an empty string when everything holds, otherwise a description of the first fault.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "model/ops_cells.h"
#include "model/task.h"

namespace zrk::test {

inline std::string ConsistencyFault(const TTask& task) {
  std::ostringstream out;
  auto fault = [&](auto... parts) {
    (out << ... << parts);
    return out.str();
  };
  const std::vector<uint16_t>& map = task.StartMap;
  const int n = task.FigCount;
  if (n < 1 || n > MaxFigRecords) return fault("FigCount ", n);

  // Map words: nothing outside the board, no dangling figure index, no flags off the field.
  std::vector<int> cellsOf(FigSlots, 0);
  int fieldCells = 0;
  for (int code = 0; code < MapSize; ++code) {
    const uint16_t w = map[code];
    if (!InBoard(task, code)) {
      if (w != 0) return fault("word outside the board at ", code);
      continue;
    }
    const int fi = w & CellFigMask;
    if (fi >= n) return fault("dangling index ", fi, " at ", code);
    if ((w & CellPin) && fi == 0) return fault("pin without figure at ", code);
    if ((w & CellFlagMask) && !(w & CellField)) return fault("flags off the field at ", code);
    if (w & 0xC000) return fault("unknown bits at ", code);
    ++cellsOf[fi];
    if (w & CellField) ++fieldCells;
  }

  // Records against the map.
  int freeCells = task.Field().CellCount();
  for (int i = 0; i < FigSlots; ++i) {
    const TFig& f = task.Figs[i];
    if (i >= n) {
      if (!f.Cells.empty()) return fault("free record ", i, " has cells");
      continue;
    }
    if (f.Index != i || f.Task != &task) return fault("record ", i, " index/task");
    const int count = f.CellCount();
    if (i == 0 ? count != fieldCells : count != cellsOf[i]) return fault("cell count of ", i);
    if (!std::is_sorted(f.Cells.begin(), f.Cells.end()) ||
        std::adjacent_find(f.Cells.begin(), f.Cells.end()) != f.Cells.end())
      return fault("cells of ", i, " not ascending");
    int minCol = 200, minRow = 200, maxCol = -1, maxRow = -1, pins = 0;
    for (int k = 0; k < count; ++k) {
      const int code = f.Pos + f.Cells[k];
      if (!InBoard(task, code)) return fault("cell of ", i, " off the board");
      const uint16_t w = map[code];
      if (i == 0 ? !(w & CellField) : (w & CellFigMask) != i) return fault("cell of ", i, " not in the map");
      minCol = std::min(minCol, f.Cells[k] & 0x7F), maxCol = std::max(maxCol, f.Cells[k] & 0x7F);
      minRow = std::min(minRow, f.Cells[k] >> 7), maxRow = std::max(maxRow, f.Cells[k] >> 7);
      if (i == 0) continue;
      if (w & CellPin) ++pins;
      if (bool(w & CellField) != bool(f.OnField)) return fault("figure ", i, " straddles the field's edge");
      if (!f.OnField)
        for (int step : NeighbourSteps)
          if (map[code + step] & CellField) return fault("parked figure ", i, " touches the field");
      if ((w & WallBelow) && (map[code + RowStride] & CellFigMask) == i) return fault("wall inside ", i);
      if ((w & WallOnTheRight) && (map[code + 1] & CellFigMask) == i) return fault("wall inside ", i);
      if (f.HasPins() && bool(f.Pins[k]) != bool(w & CellPin)) return fault("pin array of ", i);
    }
    if (count > 0) {
      if (minCol != 0 || minRow != 0) return fault("box of ", i, " not at its top-left");
      if (f.Width != maxCol + 1 || f.Height != maxRow + 1) return fault("size of ", i);
      if (f.X != (f.Pos & 0x7F) || f.Y != (f.Pos >> 7) || f.X2 != f.X + f.Width || f.Y2 != f.Y + f.Height)
        return fault("box fields of ", i);
    } else if (f.Width != 0 || f.Height != 0 || (i > 0 && f.OnField)) {
      return fault("empty figure ", i, " has a box");
    }
    if (i == 0) continue;
    if (pins != f.PinCount) return fault("pin count of ", i);
    if (f.PinCount > 0 && int(f.Pins.size()) != count) return fault("pin array size of ", i);
    if (f.OnField) freeCells -= count;
  }
  if (freeCells != task.FreeCells) return fault("FreeCells ", task.FreeCells, " expected ", freeCells);

  // Field flags.
  int flagged = 0;
  for (int k = 0; k < task.Field().CellCount(); ++k) {
    const uint16_t w = map[task.Field().Pos + task.Field().Cells[k]];
    const uint8_t flags = uint8_t((w & CellFlagMask) >> FieldFlagShift);
    if (flags) ++flagged;
    if (!task.FieldFlags.empty() && task.FieldFlags[k] != flags) return fault("FieldFlags byte ", k);
  }
  if (flagged != task.FlaggedCells) return fault("FlaggedCells");
  if (flagged > 0 && int(task.FieldFlags.size()) != task.Field().CellCount()) return fault("FieldFlags size");

  // Selection summary.
  int selCount = 0, onField = 0, selOn = 0, selOff = 0;
  const TFig* single = nullptr;
  for (int i = 1; i < n; ++i) {
    const TFig& f = task.Figs[i];
    onField += f.OnField;
    if (!f.Selected) continue;
    ++selCount;
    single = &f;
    (f.OnField ? selOn : selOff) += 1;
  }
  if (selCount != task.SelCount) return fault("SelCount ", task.SelCount, " expected ", selCount);
  if (bool(task.Field().Selected) != (selCount == 0)) return fault("field selection");
  const TFig* selFig = selCount == 0 ? &task.Field() : selCount == 1 ? single : nullptr;
  if (task.SelFig != selFig) return fault("SelFig");
  if (task.OnFieldCount != onField || task.AllOnField != (onField == n - 1)) return fault("on-field counts");
  if (task.SelSameSide != (selCount > 0 && (selOn == 0 || selOff == 0))) return fault("SelSameSide");
  if (task.SelAllOnField != (task.SelSameSide && selOn > 0)) return fault("SelAllOnField");

  // Numbers are a permutation of 1..n-1.
  std::vector<bool> seen(n, false);
  for (int i = 1; i < n; ++i) {
    const int num = task.Figs[i].Num;
    if (num < 1 || num >= n || seen[num]) return fault("numbers not a permutation at ", i);
    seen[num] = true;
  }

  // End positions and the end map.
  int endCount = 0;
  const int base = task.EndBase();
  for (int i = 1; i < n; ++i) {
    const TFig& f = task.Figs[i];
    if (f.EndPos == 0) continue;
    if (!f.OnField) return fault("parked figure ", i, " has an end position");
    if (f.Freedom == Fixed && f.EndPos != f.Pos - task.Field().Pos + 0x81) return fault("fixed end of ", i);
    if (f.Freedom != Fixed) ++endCount;
    for (int k = 0; k < f.CellCount(); ++k) {
      const int code = f.EndPos - 0x81 + base + f.Cells[k];
      if (!InMapRange(code) || (task.EndMap[code] & CellFigMask) != i) return fault("end cell of ", i);
      if (!(task.EndMap[code] & CellField)) return fault("end cell of ", i, " off the field");
    }
  }
  if (endCount != task.EndPosCount) return fault("EndPosCount");
  return "";
}

} // namespace zrk::test
