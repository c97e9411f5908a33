#include "editor/rect_choice.h"

#include <algorithm>

namespace zrk {

namespace {

int Side(int v) { return std::clamp(v, 1, TRectChoice::MaxSide); }

} // namespace

void TRectChoice::Load(int x, int y, bool square) {
  X = Side(x);
  Y = Side(y);
  SetSquare(square);
}

void TRectChoice::SetSquare(bool on) {
  Square = on;
  if (Square) Y = X;
}

void TRectChoice::ChangeX(int v) {
  X = Side(v);
  if (Square) Y = X;
}

void TRectChoice::ChangeY(int v) {
  Y = Side(v);
  if (Square) X = Y;
}

} // namespace zrk
