#pragma once
// The palette strip below the board: 28 squares of the standard colours, each with the number of
// records that wear it, and a dotted white frame around the colour of the first selected record.

#include <QFont>

#include "model/ops_colours.h"

class QPainter;

namespace zrk {

constexpr int StripColours = PaletteSize;
constexpr int StripSquare = 20;
constexpr int StripWidth = StripColours * StripSquare + 1;  // 561
constexpr int StripHeight = StripSquare + 1;                // 21

// Draws the strip from the statistics of the last ColourStats.
void DrawColourStrip(QPainter& p, const TColourState& state, const QFont& font);

// The palette square under a click at x, or -1 outside the strip.
int StripSquareAt(int x);

} // namespace zrk
