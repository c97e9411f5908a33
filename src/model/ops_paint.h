#pragma once
// Painting cells of the field or of the one selected figure into the start map, one cell at a
// time or as a rectangle that follows the pointer, without ever breaking the consistency rules:
// no cell of two figures, a figure wholly on or wholly off the field, no parked figure touching
// the field (diagonally included), no wall between two cells of one figure.

#include <vector>

#include "model/task.h"
#include "model/task_backup.h"

namespace zrk {

// What the window does when painting changed the task.
class IPaintView {
 public:
  virtual ~IPaintView() = default;
  virtual void FieldWidthChanged() {} // the board layout depends on the field's width
  virtual void Repaint() {}
};

// Paints (on) or erases (off) one cell of SelFig, the field when no figure is selected. Returns
// whether the word changed; a refused change leaves the map as it was. Cells outside the board are
// always refused. The figure records are not touched: call AfterPaint.
bool PaintCell(TTask& task, CellCode cell, bool on);
// Derives the figures from the painted map (keeping end positions where they were on the board);
// with compact, removes figures left without cells; then has the view repaint.
void AfterPaint(TTask& task, bool compact, IPaintView* view);

// A painting drag: the rectangle from the start cell to the pointer is painted over the task as
// it was when the drag started, so moving back shrinks it and Esc restores the task exactly.
class TPaintDrag {
 public:
  explicit TPaintDrag(IPaintView* view = nullptr) : View(view) {}

  // Returns whether the start cell was painted.
  bool Start(TTask& task, CellCode cell, bool on);
  // Returns whether the task changed.
  bool Move(TTask& task, CellCode cell);
  // Restores the task as it was at the start; returns whether anything had changed.
  bool Cancel(TTask& task);
  // Ends the drag keeping what was painted.
  void Stop();
  bool Active() const { return Active_; }

 private:
  IPaintView* View;
  bool Active_ = false;
  bool On = false;
  int Painted = -1;   // index of the record being painted: 0 the field
  int StartSide = -1; // the figure's side at the start: 1 on the field, 0 off, -1 not yet known
  CellCode StartCell = 0;
  CellCode LastCell = 0;
  TTaskBackup Backup;
};

} // namespace zrk
