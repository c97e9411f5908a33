#pragma once
// Figure colours: the standard palette, the usage statistics the colour strip shows, the choice of
// a colour for a new figure and the even spreading of palette colours over the figures.

#include <array>

#include "model/palette.h"
#include "model/task.h"

namespace zrk {

constexpr Colour NoSelectionColor = 0xFFFF00;

// The colour working values of the editor, refreshed by ColourStats on every redraw, and the
// "same colour" setting that decides how new figures are coloured.
struct TColourState {
  std::array<int, PaletteSize> PalUsage{}; // records (the field included) per palette colour
  int SelPalIndex = -1;                    // palette index of the first selected record's colour
  Colour SelColor = NoSelectionColor;      // colour of the first selected record
  bool SameColor = false;                  // new figures take the last selected figure's colour
};

// Recounts PalUsage, SelPalIndex and SelColor and sets every record's PalIndex.
void ColourStats(TTask& task, TColourState& state);
// The colour for a new figure: with SameColor the task's last selected colour; otherwise the
// least used palette colour other than avoid (ties to the lowest palette index).
Colour PickColor(const TTask& task, const TColourState& state, Colour avoid);
// Every selected record gets the colour; with no figure selected that is the field.
void SetColorOfSelected(TTask& task, Colour colour);
// Spreads the palette evenly over figures 1..FigCount-1; figures already in a fairly used palette
// colour keep it. Refreshes the statistics before and after.
void NormColors(TTask& task, TColourState& state);

} // namespace zrk
