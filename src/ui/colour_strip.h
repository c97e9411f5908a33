#pragma once
// The palette strip below the board: 28 squares of the standard colours, each with the number of
// records that wear it, and a dotted white frame around the colour of the first selected record.

#include <array>

#include <QFont>

#include "model/task.h"

class QPainter;

namespace zrk {

constexpr int StripColours = 28;
constexpr int StripSquare = 20;
constexpr int StripWidth = StripColours * StripSquare + 1;  // 561
constexpr int StripHeight = StripSquare + 1;                // 21

struct TStripState {
  std::array<Colour, StripColours> Palette{};
  std::array<int, StripColours> Usage{}; // records (the field included) of each palette colour
  int SelPalIndex = -1;                  // square of the first selected record, -1 for none
};

void DrawColourStrip(QPainter& p, const TStripState& state, const QFont& font);

// The palette square under a click at x, or -1 outside the strip.
int StripSquareAt(int x);

} // namespace zrk
