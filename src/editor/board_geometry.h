#pragma once
// The board image's geometry: cell size, line widths, border, image size and the places of the
// marks, all derived from the cell size and the board's dimensions; and the pointer hit tests that
// the mouse gestures use, which must agree with the painter pixel for pixel.

#include "model/image_limit.h"
#include "model/task.h"

namespace zrk {

struct TBoardGeometry {
  int S = 30;     // cell side
  int Half = 15;  // cell centre offset
  int L = 2;      // line width of grid, outlines and marks
  int Lh = 1;     // inner half-thickness of walls
  int Lg = 3;     // outer half-thickness of walls
  int B = 22;     // border from the image edge to the first cell
  int G0 = 21;    // grid origin: lines are centred on cell edges
  int A1 = 4, A2 = 10, A3 = 2;   // arrow tip inset, arrowhead base inset, band inset
  int Band = 9, Band2 = 4;       // band that holds an arrow, and its half
  int Aw = 2;                    // half-width of an arrowhead
  int Fi = 3;                    // inset of the fixed-figure frame
  int F1 = 12, F2 = 9;           // label font sizes (points) for up to 2 and for 3 characters
  int MW = 345;                  // width of the main board part
  int H = 345;                   // image height
  int EX = 367;                  // left edge of the end-position view
  int W = 345;                   // image width
  int DimX = 10, DimY = 10;
  bool EndView = false;          // the end-position view is part of the image

  // wc is the cell size; fieldWidth the field's bounding-box width in cells (0 for no field).
  static TBoardGeometry Compute(int wc, int dimX, int dimY, bool endPos, int fieldWidth);
  static TBoardGeometry ForTask(const TTask& task);

  // Top-left pixel of the board cell at 0-based (x, y) in the main or the end view.
  int CellLeft(int x, bool endView) const { return (endView ? EX : B) + S * x; }
  int CellTop(int y) const { return B + S * y; }
};

// Largest columns and rows that keep the image within MaxImagePixels (MaxCellSize, the largest
// cell size, is the model's).
int MaxColumns(int s, int dimY);
int MaxRows(int s, int dimX);

struct TCellHit {
  bool Found = false;
  int Column = 0, Row = 0;
  bool InEndView = false;
};

TCellHit CellUnderPointer(const TBoardGeometry& g, int px, int py);
// Figure index on the cell under the pointer in StartMap or (in the end view) EndMap; 0 for none.
int FigureUnderPointer(const TBoardGeometry& g, const TTask& task, int px, int py);

struct TWallHit {
  bool Allowed = false;
  CellCode First = 0;   // the cell whose WallBelow or WallOnTheRight flag the wall is
  bool Vertical = false; // a wall between left and right neighbours (WallOnTheRight)
};

// The wall edge nearest the pointer in the main view, for the walls tool.
TWallHit WallUnderPointer(const TBoardGeometry& g, const TTask& task, int px, int py);

} // namespace zrk
