#pragma once
// The rectangle dialog's values: the width and height of a rectangular field, at most 62 x 62,
// optionally kept square.

namespace zrk {

struct TRectChoice {
  static constexpr int MaxSide = 62;  // the largest side the dialog hands out
  static constexpr int MaxEntry = 100; // what the spin edits let the user type

  int X = 3, Y = 3;
  bool Square = false;

  // Values read from the settings: anything outside 1..MaxSide is brought inside.
  void Load(int x, int y, bool square);
  // Ticking "square" makes the height the width.
  void SetSquare(bool on);
  // A typed width or height: lowered to MaxSide; with Square both sides take it.
  void ChangeX(int v);
  void ChangeY(int v);
};

} // namespace zrk
