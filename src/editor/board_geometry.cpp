#include "editor/board_geometry.h"

#include <algorithm>

namespace zrk {

// Fractions of the cell size are taken in integers so that no rounding of a binary fraction can
// move a line by a pixel: trunc(S x 0.15) is S x 15 / 100 for every positive S.
TBoardGeometry TBoardGeometry::Compute(int wc, int dimX, int dimY, bool endPos, int fieldWidth) {
  TBoardGeometry g;
  const int s = std::max(wc, 1);
  g.S = s;
  g.Half = s / 2;
  g.L = (s - 1) / 25 + 1;
  g.Lh = (g.L + 1) / 2;
  g.Lg = g.L + g.Lh;
  g.B = std::max(s * 3 / 4, 20);
  g.G0 = g.B - g.L / 2;
  g.A1 = std::max(1, s * 15 / 100);
  g.A2 = std::max(s / 5, 2) + g.A1;
  g.A3 = g.A1 / 2;
  g.Band = s * 3 / 10;
  g.Band2 = g.Band / 2;
  g.Aw = std::max(s * 7 / 100, 1);
  g.Fi = std::max(2 * g.L - g.L / 2, s / 10 - g.L);
  g.F1 = s * 2 / 5;
  g.F2 = s * 3 / 10;
  g.DimX = dimX;
  g.DimY = dimY;
  g.MW = 2 * g.B + s * dimX + 1;
  g.H = 2 * g.B + s * dimY + 1;
  g.EX = g.MW + g.B;
  g.EndView = endPos && fieldWidth > 0;
  g.W = g.EndView ? g.EX + std::max(fieldWidth * s, 100) + s : g.MW;
  return g;
}

TBoardGeometry TBoardGeometry::ForTask(const TTask& task) {
  const int fieldWidth = task.Field().CellCount() > 0 ? task.Field().Width : 0;
  return Compute(task.Options.WC, task.DimX, task.DimY, task.Options.EndPos, fieldWidth);
}

int MaxColumns(int s, int dimY) {
  const int b = std::max(s * 3 / 4, 20);
  return int((MaxImagePixels / (s * dimY + 2 * b) - 2 * b) / s);
}

int MaxRows(int s, int dimX) {
  const int b = std::max(s * 3 / 4, 20);
  return int((MaxImagePixels / (s * dimX + 2 * b) - 2 * b) / s);
}

TCellHit CellUnderPointer(const TBoardGeometry& g, int px, int py) {
  TCellHit hit;
  hit.InEndView = px > g.MW;
  const int dx = px - (hit.InEndView ? g.EX : g.B);
  const int dy = py - g.B;
  if (dx < 0 || dy < 0) return hit;
  hit.Column = dx / g.S;
  hit.Row = dy / g.S;
  hit.Found = hit.Column < g.DimX && hit.Row < g.DimY;
  return hit;
}

int FigureUnderPointer(const TBoardGeometry& g, const TTask& task, int px, int py) {
  const TCellHit hit = CellUnderPointer(g, px, py);
  if (!hit.Found) return 0;
  const auto& map = hit.InEndView ? task.EndMap : task.StartMap;
  return map[MakeCell(hit.Column, hit.Row)] & CellFigMask;
}

namespace {

// The end map holds the field with its left column at board column 0: a start-map cell lies there
// shifted left by the field's column.
int EndMapCode(const TTask& task, int code) { return code - ((task.Field().Pos & 0x7F) - 1); }

bool SameFigureIn(const std::vector<uint16_t>& map, int a, int b) {
  if (a < 0 || b < 0 || a >= MapSize || b >= MapSize) return false;
  const int fa = map[a] & CellFigMask;
  return fa != 0 && fa == (map[b] & CellFigMask);
}

} // namespace

TWallHit WallUnderPointer(const TBoardGeometry& g, const TTask& task, int px, int py) {
  TWallHit hit;
  const TCellHit cell = CellUnderPointer(g, px, py);
  if (!cell.Found || cell.InEndView) return hit;
  const int s = g.S;
  const int e = (px - g.B) % s, f = (py - g.B) % s;
  const int q = s / 4, t = s / 3;
  const int here = MakeCell(cell.Column, cell.Row);
  int first = 0, second = 0;
  bool allowed = false;
  if (e < f && e + f > s) {         // bottom edge
    allowed = q <= e && e <= s - q && f >= s - t;
    first = here, second = here + RowStride;
  } else if (e < f) {               // left edge
    allowed = q <= f && f <= s - q && e <= t;
    first = here - 1, second = here, hit.Vertical = true;
  } else if (e + f > s) {           // right edge
    allowed = q <= f && f <= s - q && e >= s - t;
    first = here, second = here + 1, hit.Vertical = true;
  } else {                          // top edge
    allowed = q <= e && e <= s - q && f <= t;
    first = here - RowStride, second = here;
  }
  hit.First = CellCode(first);
  if (!allowed) return hit;
  const auto& sm = task.StartMap;
  if (!(sm[first] & CellField) || !(sm[second] & CellField)) return hit;
  if (SameFigureIn(sm, first, second)) return hit;
  if (SameFigureIn(task.EndMap, EndMapCode(task, first), EndMapCode(task, second))) return hit;
  hit.Allowed = true;
  return hit;
}

} // namespace zrk
