#pragma once
// Adding and removing figure records. Removing closes the gaps (later records move down in order)
// and renumbers; the maps are then laid anew from the records, so that no map word keeps the
// index a record had before it moved.

#include "model/ops_colours.h"
#include "model/task.h"

namespace zrk {

// Appends an empty figure, selected alone, in a colour from PickColor (avoiding the colour of the
// record before it). Null when the task already has MaxAddFigRecords records.
TFig* AddFigure(TTask& task, const TColourState& colours);
// Appends an empty figure with the template's freedom, selected beside the current selection, in
// a picked colour or the template's own. The caller learns the new index from the result and runs
// the summary. Null at the same limit.
TFig* AddFigureLike(TTask& task, const TFig& pattern, bool pickColour, const TColourState& colours);
// Removes the selected figures; with no figure selected it empties the field instead. False when
// nothing was removed.
bool DeleteSelected(TTask& task);
// Removes every figure that stands on the field and refreshes the colour statistics.
bool DeleteOnField(TTask& task, TColourState& colours);
// Removes one figure. False for an index that is not a figure in use.
bool DeleteFigure(TTask& task, int index);
// Removes every figure without cells. False when there was none.
bool RemoveEmpty(TTask& task);

} // namespace zrk
