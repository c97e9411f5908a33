#include "editor/rect_field.h"

#include <algorithm>

#include "editor/board_geometry.h"
#include "editor/editor_messages.h"
#include "model/ops_cells.h"

namespace zrk {

namespace {

bool InRect(int code, int a, int b) { return CellX(code) < a && CellY(code) < b; }

// A figure must lie wholly inside the rectangle or wholly outside without touching it.
bool CrossesFigures(const TTask& task, int a, int b) {
  for (int i = 1; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[size_t(i)];
    int inside = 0;
    bool touches = false;
    for (int k = 0; k < f.CellCount(); ++k) {
      const int code = f.Cell(k);
      if (InRect(code, a, b)) {
        ++inside;
        continue;
      }
      for (int step : NeighbourSteps) {
        const int n = code + step;
        if (CellX(n) >= 0 && CellY(n) >= 0 && InRect(n, a, b)) touches = true;
      }
    }
    if (touches || (inside > 0 && inside < f.CellCount())) return true;
  }
  return false;
}

} // namespace

bool RectField(TTask& task, int a, int b, IReporter& reporter) {
  a = std::clamp(a, 1, MaxDim);
  b = std::clamp(b, 1, MaxDim);
  const int dimX = std::max(task.DimX, a), dimY = std::max(task.DimY, b);
  // The board as it will be must fit the image, not the rectangle alone.
  const TBoardGeometry g = TBoardGeometry::Compute(task.Options.WC, dimX, dimY, false, 0);
  if ((long long)g.MW * g.H > MaxImagePixels) {
    reporter.Report(MsgKind::Error, EditorErrorCaption, ImageAreaReduceCellText);
    return false;
  }
  if (CrossesFigures(task, a, b)) {
    reporter.Report(MsgKind::Error, EditorErrorCaption, FieldCrossesFiguresText);
    return false;
  }
  for (int y = 0; y < dimY; ++y)
    for (int x = 0; x < dimX; ++x) {
      uint16_t& w = task.StartMap[size_t(MakeCell(x, y))];
      w = uint16_t((w & CellFigMask) | (x < a && y < b ? CellField : 0));
    }
  task.DimX = dimX;
  task.DimY = dimY;
  task.RebuildFigs(false);
  return true;
}

} // namespace zrk
