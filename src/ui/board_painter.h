#pragma once
// Draws the puzzle through a QPainter: the board with its outer grid, the field, the figures with
// outlines, selection hatch, freedom arrows, fixing frames, pins and labels, the walls and grooves,
// and the end-position view to the right. The same painter serves the window, exported images and
// the tests; it reads the task and changes nothing.

#include <string>

#include <QColor>
#include <QFont>

#include "model/task.h"
#include "editor/board_geometry.h"

class QPainter;

namespace zrk {

// What the board shows besides the task itself.
struct TBoardView {
  QColor Background = QColor(240, 240, 240); // the window's background colour
  QFont Font;                                // the window font; labels take its face
  bool NumsMode = false;                     // the numbering tool is active
  std::string CounterText;                   // play mode: the move counter (UTF-8)
  // A rectangle selection or painting in progress: the cells from RectFrom to RectTo (any two
  // corners) get a dotted frame, in the end view when RectInEnd.
  bool HasRect = false;
  CellCode RectFrom = 0, RectTo = 0;
  bool RectInEnd = false;
  // An animation step in progress: in the main view every figure with a direction in AnimDirs
  // (indexed by figure; 1 down, 2 right, 3 up, 4 left, 0 still) is drawn AnimFrac pixels that way.
  const uint8_t* AnimDirs = nullptr;
  int AnimFrac = 0;
};

QColor ToQColor(Colour c);  // 0x00BBGGRR
Colour FromQColor(const QColor& c);

// Paints the whole image of W x H pixels (geometry g, as computed for this task).
void DrawBoard(QPainter& p, const TTask& task, const TBoardGeometry& g, const TBoardView& view);

} // namespace zrk
