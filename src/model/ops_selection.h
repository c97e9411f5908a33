#pragma once
// Selecting figures: one alone, by colour, inverted, saved and restored, and by dragging a
// rectangle over the start or the end view.

#include "model/task.h"

namespace zrk {

// Selects figure index alone; index 0 selects the field, that is no figure. False (and nothing
// changes) for an index that is not in use.
bool SelectOnly(TTask& task, int index);
// Clears every record's Selected, the field included; no summary.
void DeselectAll(TTask& task);
// Flips Selected of every figure (not the field); no summary.
void InvertSelection(TTask& task);
// Copies Selected into SavedSelected for every figure; with clear, also deselects them and
// runs the summary.
void SaveSelection(TTask& task, bool clear);
void RestoreSelection(TTask& task);
// As RestoreSelection, but summarises and reports true only when some flag changed.
bool RestoreSelectionIfChanged(TTask& task);
// Without toggle, selects exactly the records of this colour (the field included). With toggle,
// only records of this colour change: they all take the flipped value of the first of them.
void SelectByColor(TTask& task, Colour colour, bool toggle);

// A rectangle selection in progress: every figure met by the rectangle from the start cell to the
// pointer gets one value, on top of the selection saved when the drag began.
class TRectSelect {
 public:
  // Returns true when the figure under cell changed its selection (and the summary was run).
  bool Start(TTask& task, bool onEnd, CellCode cell, bool value);
  // Returns true when the selection changed (and the summary was run).
  bool Move(TTask& task, bool onEnd, CellCode cell);
  void Stop() { Active_ = false; }
  bool Active() const { return Active_; }

 private:
  bool Active_ = false;
  bool OnEnd = false;
  CellCode StartCell = 0;
  CellCode LastCell = 0;
  bool Value = false;
};

} // namespace zrk
