#include "model/ops_figures.h"

#include "model/ops_numbering.h"
#include "model/ops_selection.h"

namespace zrk {

namespace {

// Releases the records that match and moves the others down, keeping their order. Returns how
// many were removed.
template <class Doomed>
int CloseGaps(TTask& task, Doomed doomed) {
  int to = 1;
  for (int from = 1; from < task.FigCount; ++from) {
    if (doomed(task.Figs[from])) {
      task.Figs[from].Init(&task, from);
      task.TempFixed[from] = 0;
      continue;
    }
    if (to != from) {
      task.MoveFig(to, from);
      task.TempFixed[to] = task.TempFixed[from];
      task.TempFixed[from] = 0;
    }
    ++to;
  }
  const int removed = task.FigCount - to;
  task.FigCount = to;
  return removed;
}

// Lays the start map from the records and derives everything else from it again.
void RelayMaps(TTask& task) {
  task.BuildMaps(false, false);
  task.RebuildFigs(false);
}

template <class Doomed>
bool RemoveFigures(TTask& task, Doomed doomed) {
  if (CloseGaps(task, doomed) == 0) return false;
  CompactNumbers(task);
  RelayMaps(task);
  return true;
}

TFig& NewRecord(TTask& task) {
  const int index = task.FigCount;
  TFig& f = task.Figs[index];
  f.Init(&task, index);
  task.TempFixed[index] = 0;
  return f;
}

bool CanAdd(const TTask& task) { return task.FigCount >= 1 && task.FigCount < MaxAddFigRecords; }

} // namespace

TFig* AddFigure(TTask& task, const TColourState& colours) {
  if (!CanAdd(task)) return nullptr;
  TFig& f = NewRecord(task);
  f.Color = PickColor(task, colours, task.Figs[f.Index - 1].Color);
  ++task.FigCount;
  SelectOnly(task, f.Index);
  return &f;
}

TFig* AddFigureLike(TTask& task, const TFig& pattern, bool pickColour, const TColourState& colours) {
  if (!CanAdd(task)) return nullptr;
  TFig& f = NewRecord(task);
  f.Freedom = pattern.Freedom;
  f.Selected = 1;
  f.Color = pickColour ? PickColor(task, colours, task.Figs[f.Index - 1].Color) : pattern.Color;
  ++task.FigCount;
  return &f;
}

bool DeleteSelected(TTask& task) {
  bool anySelected = false;
  for (int i = 1; i < task.FigCount; ++i)
    if (task.Figs[i].Selected) anySelected = true;
  if (anySelected) return RemoveFigures(task, [](const TFig& f) { return f.Selected != 0; });

  TFig& field = task.Field();
  if (field.Cells.empty()) return false;
  field.Cells.clear();
  task.FieldFlags.clear();
  task.FlaggedCells = 0;
  RelayMaps(task);
  return true;
}

bool DeleteOnField(TTask& task, TColourState& colours) {
  const bool removed = RemoveFigures(task, [](const TFig& f) { return f.OnField != 0; });
  ColourStats(task, colours);
  return removed;
}

bool DeleteFigure(TTask& task, int index) {
  if (index < 1 || index >= task.FigCount) return false;
  TFig* doomedRecord = &task.Figs[index];
  return RemoveFigures(task, [doomedRecord](const TFig& f) { return &f == doomedRecord; });
}

bool RemoveEmpty(TTask& task) {
  return RemoveFigures(task, [](const TFig& f) { return f.Cells.empty(); });
}

} // namespace zrk
