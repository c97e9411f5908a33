#pragma once
// The standard palette of 28 figure colours (0x00BBGGRR), in the order the colour strip shows them.

#include <array>

#include "model/task.h"

namespace zrk {

constexpr int PaletteSize = 28;
constexpr std::array<Colour, PaletteSize> StandardPalette = {
    0xFFFF80, 0x80FF80, 0xFF80FF, 0x80FFFF, 0x0000FF, 0xFF8080, 0xBFBFBF, 0xD5D5FF, 0xFF80BF, 0x00AA55,
    0x00D5D5, 0xD5AAFF, 0xD5D500, 0x0000D5, 0xFFAAAA, 0xAAFFD5, 0xBF80FF, 0xAAAAFF, 0xFFBF80, 0xD4D4D4,
    0x00D56A, 0x80BFFF, 0xD500D5, 0x00AAAA, 0xFFD5AA, 0xFFAAFF, 0x949494, 0xFFAAD5};

// Index of the colour in the standard palette, -1 when it is not a palette colour.
constexpr int PaletteIndex(Colour colour) {
  for (int k = 0; k < PaletteSize; ++k)
    if (StandardPalette[k] == colour) return k;
  return -1;
}

} // namespace zrk
