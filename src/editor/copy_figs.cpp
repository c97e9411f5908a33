#include "editor/copy_figs.h"

#include "editor/editor_messages.h"
#include "model/ops_figures.h"

namespace zrk {

namespace {

// Takes back the records added since oldCount and the selection they replaced.
void DropCopies(TTask& task, int oldCount) {
  for (int i = oldCount; i < task.FigCount; ++i) task.Figs[size_t(i)].Init(&task, i);
  task.FigCount = oldCount;
  for (int i = 1; i < oldCount; ++i) task.Figs[size_t(i)].Selected = task.Figs[size_t(i)].SavedSelected;
  task.SelSummary();
}

} // namespace

bool CopyFigs(TTask& task, TColourState& colours, TFloatSel& fs, int pressX, int pressY, bool newColours,
              IReporter& reporter) {
  if (!fs.Collect(FloatMode::Figs, task, false)) return false;
  int copies = 0;
  for (int i = 1; i < task.FigCount; ++i) copies += fs.Carried[size_t(i)];
  // The same limit as adding one figure, for the whole copy at once.
  if (task.FigCount + copies > MaxAddFigRecords) {
    reporter.Report(MsgKind::Error, EditorErrorCaption, TooManyFiguresText);
    return false;
  }
  fs.OffX = pressX - fs.S * fs.MinX;
  fs.OffY = pressY - fs.S * fs.MinY;
  // The originals stay where they are, so the copies must find room beside them.
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, false);
  fs.ClearPlacements();
  if (fs.FindFigurePlacements(true, true, task.FlaggedCells > 0) == 0) {
    reporter.Report(MsgKind::Error, EditorErrorCaption, NoRoomToCopyText);
    return false;
  }

  const int oldCount = task.FigCount;
  std::array<uint8_t, FigSlots> copyOf{};
  for (int i = 1; i < oldCount; ++i) {
    TFig& f = task.Figs[size_t(i)];
    f.SavedSelected = f.Selected;
    if (!fs.Carried[size_t(i)]) {
      f.Selected = 0;
      continue;
    }
    f.Selected = 0;
    const TFig* copy = AddFigureLike(task, f, newColours, colours);
    if (!copy) {
      DropCopies(task, oldCount);
      reporter.Report(MsgKind::Error, EditorErrorCaption, TooManyFiguresText);
      return false;
    }
    copyOf[size_t(i)] = copy->Index;
    // Count the new colour, so that several copies get different fresh colours.
    if (newColours) ColourStats(task, colours);
  }
  task.SelSummary();
  fs.RemapIndices(copyOf);
  fs.PlaceNearest(task, pressX, pressY, false, false);
  task.RebuildFigs(false);
  return true;
}

} // namespace zrk
