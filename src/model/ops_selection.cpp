#include "model/ops_selection.h"

#include <array>

#include "model/ops_cells.h"

namespace zrk {

bool SelectOnly(TTask& task, int index) {
  if (index < 0 || index >= std::max(task.FigCount, 1)) return false;
  for (int i = 0; i < FigSlots; ++i) task.Figs[i].Selected = 0;
  task.Figs[index].Selected = 1;
  task.SelSummary();
  return true;
}

void DeselectAll(TTask& task) {
  for (int i = 0; i < FigSlots; ++i) task.Figs[i].Selected = 0;
}

void InvertSelection(TTask& task) {
  for (int i = 1; i < task.FigCount; ++i) task.Figs[i].Selected = task.Figs[i].Selected ? 0 : 1;
}

void SaveSelection(TTask& task, bool clear) {
  for (int i = 1; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    f.SavedSelected = f.Selected;
    if (clear) f.Selected = 0;
  }
  if (clear) task.SelSummary();
}

void RestoreSelection(TTask& task) {
  for (int i = 1; i < task.FigCount; ++i) task.Figs[i].Selected = task.Figs[i].SavedSelected;
  task.SelSummary();
}

bool RestoreSelectionIfChanged(TTask& task) {
  bool changed = false;
  for (int i = 1; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    if (f.Selected != f.SavedSelected) changed = true;
    f.Selected = f.SavedSelected;
  }
  if (changed) task.SelSummary();
  return changed;
}

void SelectByColor(TTask& task, Colour colour, bool toggle) {
  int newValue = -1; // with toggle: the flipped value of the first record of the colour
  for (int i = 0; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    const bool match = f.Color == colour;
    if (!toggle) {
      f.Selected = match ? 1 : 0;
      continue;
    }
    if (!match) continue;
    if (newValue < 0) newValue = f.Selected ? 0 : 1;
    f.Selected = uint8_t(newValue);
  }
  task.SelSummary();
}

// ---------------------------------------------------------------------------------------------

namespace {

int FigureOn(const TTask& task, bool onEnd, int cell) {
  const std::vector<uint16_t>& map = onEnd ? task.EndMap : task.StartMap;
  const int index = map[cell] & CellFigMask;
  return index < task.FigCount ? index : 0;
}

} // namespace

bool TRectSelect::Start(TTask& task, bool onEnd, CellCode cell, bool value) {
  if (!InMapRange(cell)) return false;
  Active_ = true;
  OnEnd = onEnd;
  StartCell = LastCell = cell;
  Value = value;
  SaveSelection(task, false);
  const int index = FigureOn(task, onEnd, cell);
  if (index == 0 || bool(task.Figs[index].Selected) == value) return false;
  task.Figs[index].Selected = value ? 1 : 0;
  task.SelSummary();
  return true;
}

bool TRectSelect::Move(TTask& task, bool onEnd, CellCode cell) {
  if (!Active_ || onEnd != OnEnd || cell == LastCell || !InMapRange(cell)) return false;
  LastCell = cell;
  std::array<uint8_t, FigSlots> wanted{};
  for (int i = 1; i < task.FigCount; ++i) wanted[i] = task.Figs[i].SavedSelected;
  ForEachCellInRect(StartCell, cell, [&](int code) {
    const int index = FigureOn(task, onEnd, code);
    if (index != 0) wanted[index] = Value ? 1 : 0;
  });
  bool changed = false;
  for (int i = 1; i < task.FigCount; ++i) {
    if (task.Figs[i].Selected == wanted[i]) continue;
    task.Figs[i].Selected = wanted[i];
    changed = true;
  }
  if (changed) task.SelSummary();
  return changed;
}

} // namespace zrk
