#include "model/ops_paint.h"

#include "model/ops_cells.h"
#include "model/ops_figures.h"

namespace zrk {

namespace {

constexpr uint16_t FieldBits = CellField | CellFlagMask;

bool TouchesParkedFigure(const std::vector<uint16_t>& map, int cell) {
  for (int step : NeighbourSteps) {
    const uint16_t w = map[cell + step];
    if ((w & CellFigMask) && !(w & CellField)) return true;
  }
  return false;
}

bool TouchesField(const std::vector<uint16_t>& map, int cell) {
  for (int step : NeighbourSteps)
    if (map[cell + step] & CellField) return true;
  return false;
}

bool PaintFieldCell(std::vector<uint16_t>& map, int cell, bool on) {
  const uint16_t w = map[cell];
  if (w & CellFigMask) return false;
  if (bool(w & CellField) == on) return false;
  if (TouchesParkedFigure(map, cell)) return false;
  if (on) {
    map[cell] = CellField;
    return true;
  }
  // The walls and grooves on the upper and left edges live in the neighbours' words.
  map[cell] = 0;
  map[cell - RowStride] &= uint16_t(~(WallBelow | GrooveDown));
  map[cell - 1] &= uint16_t(~(WallOnTheRight | GrooveToTheRight));
  return true;
}

// side: the figure's side so far (1 on the field, 0 off it, -1 unknown while it has no cells);
// set by the first cell painted so that one rectangle cannot straddle the field's edge.
bool PaintFigureCell(std::vector<uint16_t>& map, int cell, int index, bool on, int& side) {
  const uint16_t w = map[cell];
  if (!on) {
    if ((w & CellFigMask) != index) return false;
    map[cell] = w & FieldBits;
    return true;
  }
  if (w & CellFigMask) return false;
  const int onField = (w & CellField) ? 1 : 0;
  if (!onField && TouchesField(map, cell)) return false;
  if (side >= 0 && side != onField) return false;
  auto holds = [&](int code) { return (map[code] & CellFigMask) == index; };
  if ((w & WallBelow) && holds(cell + RowStride)) return false;
  if ((w & WallOnTheRight) && holds(cell + 1)) return false;
  if ((map[cell - RowStride] & WallBelow) && holds(cell - RowStride)) return false;
  if ((map[cell - 1] & WallOnTheRight) && holds(cell - 1)) return false;
  map[cell] = uint16_t((w & FieldBits) | index);
  side = onField;
  return true;
}

bool PaintCellOf(TTask& task, int index, int cell, bool on, int& side) {
  if (index < 0 || index >= task.FigCount || !InBoard(task, cell)) return false;
  if (index == 0) return PaintFieldCell(task.StartMap, cell, on);
  return PaintFigureCell(task.StartMap, cell, index, on, side);
}

int PaintedIndex(const TTask& task) {
  if (!task.SelFig || task.SelFig->Task != &task) return -1;
  return task.SelFig->Index;
}

int SideOf(const TTask& task, int index) {
  if (index <= 0) return -1;
  const TFig& f = task.Figs[index];
  return f.Cells.empty() ? -1 : f.OnField;
}

void Finish(TTask& task, bool compact, IPaintView* view, bool paintingField, int widthBefore) {
  task.RebuildFigs(true);
  if (paintingField && task.Field().Width != widthBefore && view) view->FieldWidthChanged();
  if (compact) RemoveEmpty(task);
  if (view) view->Repaint();
}

} // namespace

bool PaintCell(TTask& task, CellCode cell, bool on) {
  const int index = PaintedIndex(task);
  int side = SideOf(task, index);
  return PaintCellOf(task, index, cell, on, side);
}

void AfterPaint(TTask& task, bool compact, IPaintView* view) {
  Finish(task, compact, view, PaintedIndex(task) == 0, task.Field().Width);
}

// ---------------------------------------------------------------------------------------------

bool TPaintDrag::Start(TTask& task, CellCode cell, bool on) {
  Active_ = InMapRange(cell);
  if (!Active_) return false;
  On = on;
  StartCell = LastCell = cell;
  Painted = PaintedIndex(task);
  StartSide = SideOf(task, Painted);
  Backup.Save(task);

  int side = StartSide;
  if (!PaintCellOf(task, Painted, cell, on, side)) return false;
  Finish(task, false, View, Painted == 0, task.Field().Width);
  return true;
}

bool TPaintDrag::Move(TTask& task, CellCode cell) {
  if (!Active_ || cell == LastCell || !InMapRange(cell)) return false;
  LastCell = cell;
  const std::vector<uint16_t> before = task.StartMap;
  task.StartMap = Backup.Map();
  int side = StartSide;
  ForEachCellInRect(StartCell, cell, [&](int code) { PaintCellOf(task, Painted, code, On, side); });
  if (task.StartMap == before) return false;
  // Repaint over the records as they were at the start too, so that an end position dropped
  // while the rectangle was larger comes back when it shrinks.
  const int widthBefore = task.Field().Width;
  std::vector<uint16_t> painted = std::move(task.StartMap);
  Backup.Restore(task);
  task.StartMap = std::move(painted);
  Finish(task, false, View, Painted == 0, widthBefore);
  return true;
}

bool TPaintDrag::Cancel(TTask& task) {
  if (!Active_) return false;
  Active_ = false;
  const bool changed = task.StartMap != Backup.Map();
  if (changed) {
    const int widthBefore = task.Field().Width;
    Backup.Restore(task);
    Finish(task, true, View, Painted == 0, widthBefore);
  }
  Backup.Clear();
  return changed;
}

void TPaintDrag::Stop() {
  Active_ = false;
  Backup.Clear();
}

} // namespace zrk
