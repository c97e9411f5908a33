#pragma once
// Pasting figures from a "ZRKFigs" image into the start map. With figures selected in the image,
// only those arrive, as new figures at the free place nearest to where they stood in the copy
// (on free field cells or parked off the field). With none selected, the image's whole field
// arrives with its figures (only those on its field when the copy was made with "Только поле"):
// the current field, its walls and the figures on it are replaced, figures parked off it stay.

#include "editor/float_sel.h"
#include "model/figs_image.h"
#include "model/ops_colours.h"
#include "model/report.h"
#include "model/task.h"

namespace zrk {

// Pastes into an edit-mode task. keepColours (Shift): the new figures keep their colours from the
// copy, else each gets a fresh palette colour. fs.S must hold the cell size. On success the new
// figures are selected and laid where fs.CurCode says, the figures and maps are rebuilt, and the
// caller summarises and redraws with an undo step. Refused with its message and the task unchanged
// when the figures would pass the figure limit or find no room; false without a message when the
// image holds nothing to paste.
bool PasteFigs(TTask& task, TColourState& colours, TFloatSel& fs, const TFigsImage& image, bool keepColours,
               IReporter& reporter);

} // namespace zrk
