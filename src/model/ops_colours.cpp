#include "model/ops_colours.h"

namespace zrk {

void ColourStats(TTask& task, TColourState& state) {
  state.PalUsage.fill(0);
  state.SelPalIndex = -1;
  state.SelColor = NoSelectionColor;
  bool seenSelected = false;
  for (int i = 0; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    const int k = PaletteIndex(f.Color);
    f.PalIndex = int8_t(k);
    if (k >= 0) ++state.PalUsage[k];
    if (f.Selected && !seenSelected) {
      seenSelected = true;
      state.SelColor = f.Color;
      state.SelPalIndex = k;
    }
  }
}

Colour PickColor(const TTask& task, const TColourState& state, Colour avoid) {
  if (state.SameColor) return task.LastColor ? *task.LastColor : StandardPalette[0];
  int best = -1;
  for (int k = 0; k < PaletteSize; ++k) {
    if (StandardPalette[k] == avoid) continue;
    if (best < 0 || state.PalUsage[k] < state.PalUsage[best]) best = k;
  }
  return StandardPalette[best];
}

void SetColorOfSelected(TTask& task, Colour colour) {
  for (int i = 0; i < task.FigCount; ++i)
    if (task.Figs[i].Selected) task.Figs[i].Color = colour;
}

void NormColors(TTask& task, TColourState& state) {
  ColourStats(task, state);
  const int figures = task.FigCount - 1;
  if (figures <= 0) return;

  // Deal the figures over the palette: with m figures the first m mod 28 entries get one more.
  std::array<int, PaletteSize> quota{}, need{};
  for (int k = 0; k < PaletteSize; ++k) quota[k] = figures / PaletteSize + (k < figures % PaletteSize ? 1 : 0);
  const Colour fieldColour = task.Field().Color;
  for (int k = 0; k < PaletteSize; ++k) {
    const int used = state.PalUsage[k] - (StandardPalette[k] == fieldColour ? 1 : 0);
    if (used < quota[k]) {
      need[k] = quota[k] - used;
      quota[k] = used;
    }
  }

  int cursor = 0;
  for (int i = 1; i < task.FigCount; ++i) {
    TFig& f = task.Figs[i];
    if (f.PalIndex >= 0 && quota[f.PalIndex] > 0) {
      --quota[f.PalIndex];
      continue;
    }
    // The needs add up to the figures that cannot keep their colour, so one is always found.
    for (int step = 0; step < PaletteSize; ++step, cursor = (cursor + 1) % PaletteSize) {
      if (need[cursor] == 0) continue;
      --need[cursor];
      f.Color = StandardPalette[cursor];
      break;
    }
  }
  ColourStats(task, state);
}

} // namespace zrk
