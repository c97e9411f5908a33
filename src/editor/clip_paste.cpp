#include "editor/clip_paste.h"

#include "editor/editor_messages.h"
#include "model/ops_figures.h"
#include "model/ops_selection.h"
#include "model/task_backup.h"

namespace zrk {

namespace {

// The records the task keeps before the pasted figures are added: a whole field replaces the
// figures standing on the current field.
int KeptRecords(const TTask& task, bool wholeField) {
  if (!wholeField) return task.FigCount;
  int kept = 1;
  for (int i = 1; i < task.FigCount; ++i) kept += task.Figs[size_t(i)].OnField == 0;
  return kept;
}

// The start map as a pasted field finds it: without the field, its walls and grooves, and the
// figures standing on it.
std::vector<uint16_t> WithoutField(const TTask& task) {
  std::vector<uint16_t> map = task.StartMap;
  for (uint16_t& w : map) {
    const int fi = w & CellFigMask;
    const bool onFieldFigure = fi != 0 && fi < task.FigCount && task.Figs[size_t(fi)].OnField;
    if ((w & CellField) || onFieldFigure) w = 0;
  }
  return map;
}

// Lists the places where the group may land. Figures land wholly on free field cells (no wall
// cutting a figure) or wholly off the field; a field may touch no figure parked beside it, and
// the figures parked beside it in the copy land on no figure.
bool FindRoom(TFloatSel& fs, const TTask& task, bool wholeField) {
  fs.ClearPlacements();
  if (!wholeField) {
    fs.SetTarget(task.StartMap, task.DimX, task.DimY, false);
    return fs.FindFigurePlacements(true, true, task.FlaggedCells > 0) > 0;
  }
  fs.SetTarget(WithoutField(task), task.DimX, task.DimY, false);
  fs.BuildOcc(OccKind::AroundOthers);
  if (fs.SecondaryCount() > 0) fs.BuildOcc(OccKind::OffField, true);
  return fs.FindPlacements(false, false) > 0;
}

} // namespace

bool PasteFigs(TTask& task, TColourState& colours, TFloatSel& fs, const TFigsImage& image, bool keepColours,
               IReporter& reporter) {
  const bool wholeField = image.SelCount() == 0;
  TFloatSource source;
  source.Map = &image.Map;
  // The image's own map is scanned whole: its board need not be the current one.
  source.DimX = source.DimY = MaxDim;
  for (int i = 1; i < image.FigCount; ++i) {
    const TFigsEntry& e = image.Figs[size_t(i)];
    source.Marked[size_t(i)] = wholeField ? !image.OnlyField || e.OnField : e.Selected;
  }
  source.ParkedToo = wholeField && !image.OnlyField;

  fs.Collect(wholeField ? FloatMode::Field : FloatMode::Figs, source);
  // The same limit as adding figures one by one, checked for the whole paste before anything
  // changes. Only figures with cells arrive.
  int pasted = 0;
  for (int i = 1; i < image.FigCount; ++i) pasted += fs.Carried[size_t(i)];
  const int wanted = wholeField ? pasted : image.SelCount();
  if (KeptRecords(task, wholeField) + wanted > MaxAddFigRecords) {
    reporter.Report(MsgKind::Error, EditorErrorCaption, TooManyFiguresText);
    return false;
  }
  if (fs.Empty()) return false;
  if (!FindRoom(fs, task, wholeField)) {
    reporter.Report(MsgKind::Error, EditorErrorCaption, NoRoomToCopyText);
    return false;
  }
  // Nearest to where the group stood in the copy.
  fs.OffX = fs.OffY = 0;
  const std::optional<TFloatPlace> place = fs.Nearest(fs.S * fs.MinX, fs.S * fs.MinY, false, true);
  if (!place) return false;

  TTaskBackup backup;
  backup.Save(task);
  DeselectAll(task);
  if (wholeField) {
    DeleteOnField(task, colours);
    task.Field().Color = image.Figs[0].Color;
  }
  std::array<uint8_t, FigSlots> copyOf{};
  for (int i = 1; i < image.FigCount; ++i) {
    if (!fs.Carried[size_t(i)]) continue;
    const TFigsEntry& e = image.Figs[size_t(i)];
    TFig pattern;
    pattern.Freedom = e.Freedom;
    pattern.Color = e.Color;
    TFig* copy = AddFigureLike(task, pattern, !keepColours, colours);
    if (!copy) {
      // Not reached after the check above; kept so that a refused add can never leave half a paste.
      backup.Restore(task);
      task.BuildMaps(true, true);
      reporter.Report(MsgKind::Error, EditorErrorCaption, TooManyFiguresText);
      return false;
    }
    copy->SetName(e.Name);
    // The end position is relative to the field, so it holds when the field comes along.
    if (wholeField) copy->EndPos = e.EndPos;
    copyOf[size_t(i)] = copy->Index;
    // Count the new colour, so that the next figure gets another fresh one.
    if (!keepColours) ColourStats(task, colours);
  }
  fs.RemapIndices(copyOf);
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, wholeField);
  const CellCode code = MakeCell(place->Col, place->Row);
  fs.WriteFloat(task, code, true);
  fs.CurCode = code;
  fs.CurInEnd = false;
  task.RebuildFigs(false);
  return true;
}

} // namespace zrk
