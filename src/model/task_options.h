#pragma once
// The options that belong to the current task and travel with it in its file.

#include <cstdint>

namespace zrk {

enum MoveKind : int { OneCellMove = 0, OneDirMove = 1, AnyPathMove = 2 };

struct TTaskOptions {
  int MoveKind = OneCellMove;
  bool GrSlide = true;
  bool MinGr = false;
  bool Gravity = false;
  bool Cooperative = false;
  bool GridF = true;
  bool GridE = true;
  bool ShowNums = false;
  bool EndPos = true;
  int WC = 30;
  bool OrigNums = false;
  bool OrigMovesNums = false;
  bool OnlyNames = false;
  bool DifByName = false;
  bool ChessNot = false;
  bool LatNot = false;
  bool Play = false;
  bool HasPicture = false;
  bool ShowPict = true;
  bool ShowDir = false;
  bool PictBkgr = false;

  // A move of one figure (neither a tilt of the whole board nor a cooperative move).
  bool OneFig() const { return !Gravity && !Cooperative; }

  // The rules that tie the options together: a minimal group needs one-cell moves with group slide.
  void SetMinGr(bool on) {
    MinGr = on;
    if (on) { MoveKind = OneCellMove; GrSlide = true; }
  }
  void SetGrSlide(bool on) { GrSlide = on; if (!on) MinGr = false; }
  void SetMoveKind(int kind) { MoveKind = kind; if (kind != OneCellMove) MinGr = false; }
  // Choosing one of the three move modes clears the flags of the other two.
  void SetOneFig() { Gravity = false; Cooperative = false; }
  void SetGravity() { Gravity = true; Cooperative = false; }
  void SetCooperative() { Gravity = false; Cooperative = true; }
};

} // namespace zrk
