#pragma once
// Copying the selected figures: the copies are new records placed at the free place nearest to
// the figures they copy, and become the selection, floating, so that a drag can carry them on.

#include "editor/float_sel.h"
#include "model/ops_colours.h"
#include "model/report.h"
#include "model/task.h"

namespace zrk {

// Copies the selected figures (fs.S must hold the cell size; pressX, pressY is the pointer, in
// image pixels, from which the group is held). With newColours the copies get fresh palette
// colours, else the colours of their originals. Refused, with its message and the task unchanged,
// when the copies would take the task past the figure limit or find no room; false then, and
// false without a message when no figure is selected. On success fs holds the copies at their
// place (CurCode) with the main-view candidates, the figures are rebuilt, and the caller redraws
// and records the undo step.
bool CopyFigs(TTask& task, TColourState& colours, TFloatSel& fs, int pressX, int pressY, bool newColours,
              IReporter& reporter);

} // namespace zrk
