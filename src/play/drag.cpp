#include "play/drag.h"

#include <algorithm>
#include <cstring>

namespace zrk {

namespace {

// No figure moves farther than across the board.
constexpr int MaxSteps = RowStride;

} // namespace

TMoveDrag::TMoveDrag(TPlayEngine& engine)
    : E(engine), DragStartMap(MapSize, 0), TurnStartMap(MapSize, 0), ScratchMap(MapSize, 0) {}

void TMoveDrag::Begin(int fig, int wc, bool turn) {
  WC = std::max(wc, 1);
  Turn = turn;
  DragFig = E.Task.Options.Gravity ? 0 : fig;
  Restart(true);
}

void TMoveDrag::Restart(bool newPress) {
  TMoves& line = E.Line;
  DragLen = 0;
  DragDir = 0;
  DragBase = line.Cur;
  if (newPress) {
    OrgX = OrgY = 0;
    TurnBase = line.Cur;
    TurnPrev = line.Move(TurnBase);
  }
  Prev = line.Move(DragBase);
  const int words = E.MapWords();
  std::copy_n(E.Task.StartMap.begin(), words, DragStartMap.begin());
  DragStartPositions = E.CurPositions;
  if (newPress && Turn) {
    std::copy_n(E.Task.StartMap.begin(), words, TurnStartMap.begin());
    TurnStartPositions = E.CurPositions;
  }
  for (int dir = 0; dir < 4; ++dir) ComputeReach(dir);
}

// How far the figure can go in dir from the drag's start, and how many of those steps push
// nothing. A move of several cells in one go needs a single figure and a move kind longer than a
// cell; otherwise (one-cell moves, cooperative and gravity moves) the reach is at most one.
void TMoveDrag::ComputeReach(int dir) {
  const TTaskOptions& o = E.Task.Options;
  const bool far = o.OneFig() && o.MoveKind != OneCellMove;
  std::copy_n(DragStartMap.begin(), E.MapWords(), ScratchMap.begin());
  Work = DragStartPositions;
  int steps = 0, free = 0;
  bool pushed = false;
  while (steps < MaxSteps && E.Step(Work.data(), ScratchMap.data(), DragFig, dir, pushed)) {
    ++steps;
    if (!pushed) ++free;
    if (!far) break;
  }
  ReachTo[size_t(dir)] = steps;
  FreeReach[size_t(dir)] = free;
}

void TMoveDrag::RestoreMap(const std::vector<uint16_t>& saved) {
  std::copy_n(saved.begin(), E.MapWords(), E.Task.StartMap.begin());
}

bool TMoveDrag::SameAsCurrent(const int16_t* positions) const {
  for (int i = 1; i < E.Line.FigCount; ++i)
    if (E.CurPositions[size_t(i)] != positions[i]) return false;
  return true;
}

bool TMoveDrag::DragTo(int dx, int dy) {
  const int a = dx - OrgX, b = dy - OrgY;
  const int h = WC / 2;
  // The dominant axis wins; on the diagonals right and down (a >= 0) or up and left (a < 0).
  int dir, d;
  if (b > a) {
    if (a < -b) dir = DirLeft, d = (h - a) / WC;
    else dir = DirDown, d = (h + b) / WC;
  } else {
    if (a < -b) dir = DirUp, d = (h - b) / WC;
    else dir = DirRight, d = (h + a) / WC;
  }
  d = std::min(d, ReachTo[size_t(dir)]);
  if (dir == DragDir && d == DragLen) return false;

  RestoreMap(DragStartMap);
  DragDir = dir;
  DragLen = d;
  DragPushed = d > FreeReach[size_t(dir)];
  Work = DragStartPositions;
  bool pushed = false;
  if (d > 0 && E.Task.Options.Gravity) {
    for (int s = 0; s < MaxSteps && E.Step(Work.data(), E.Task.StartMap.data(), 0, dir, pushed); ++s) {}
  } else {
    for (int s = 0; s < d; ++s) E.Step(Work.data(), E.Task.StartMap.data(), DragFig, dir, pushed);
  }
  E.TakePositions(Work.data());
  RecordMove();
  if (Turn) {
    const int px = d * WC;
    switch (dir) {
      case DirDown: OrgY += px; break;
      case DirRight: OrgX += px; break;
      case DirUp: OrgY -= px; break;
      default: OrgX -= px; break;
    }
    Restart(false);
  }
  return true;
}

void TMoveDrag::RestoreBaseEntry() {
  if (DragBase <= 0) return;
  TMoves& line = E.Line;
  line.Move(DragBase) = Prev;
  std::memcpy(line.Positions(DragBase), DragStartPositions.data(), sizeof(int16_t) * size_t(line.FigCount));
}

void TMoveDrag::RecordMove() {
  TMoves& line = E.Line;
  const TTaskOptions& o = E.Task.Options;
  const int base = DragBase;

  // Back at the drag's start: the line ends at its base entry, as that entry was.
  if (DragLen == 0) {
    RestoreBaseEntry();
    line.Cur = base;
    line.Count = base + 1;
    return;
  }
  // Back where the figures stood before the last move: that move is taken back.
  if (base > 0 && SameAsCurrent(line.Positions(base - 1))) {
    line.Cur = base - 1;
    line.Count = base;
    return;
  }

  bool changed = false; // the move before was changed instead of adding one
  TMove& e = line.Move(base);
  const bool sameAxis = (Prev.Dir & 1) == (DragDir & 1);
  if (base > 0 && e.Fig == DragFig && sameAxis) {
    if (o.Gravity) {
      // A tilt along the same axis replaces the one before.
      e.Dir = int8_t(DragDir);
      changed = true;
    } else if (!o.Cooperative && o.MoveKind != OneCellMove) {
      // One figure moving farther than a cell: the move before grows, shrinks or turns round.
      if (DragDir == Prev.Dir) {
        e.Len = int8_t(std::min(Prev.Len + DragLen, int(MaxMoveLen)));
        changed = true;
      } else if (!Prev.Pushed) {
        // A move that pushed cannot be shortened by pulling back: that becomes a new move.
        if (DragLen > Prev.Len) e.Dir = int8_t(DragDir), e.Len = int8_t(DragLen - Prev.Len);
        else e.Dir = Prev.Dir, e.Len = int8_t(Prev.Len - DragLen); // equal lengths were taken back above
        changed = true;
      }
      if (changed) e.Pushed = uint8_t(Prev.Pushed || DragPushed);
    }
    if (changed) line.Cur = base;
  }

  if (!changed) {
    // An earlier call of this drag may have changed the base entry in place.
    RestoreBaseEntry();
    line.Count = base + 1;
    const int k = line.Append();
    TMove& n = line.Move(k);
    const TMove& before = line.Move(base);
    n.Dir = int8_t(DragDir);
    n.Len = int8_t(DragLen);
    n.Pushed = DragPushed ? 1 : 0;
    n.Cell = E.FirstCell(DragFig, DragStartPositions[size_t(DragFig)]);
    if (E.MiniMoves && o.OneFig()) {
      // Any path: a figure moving on continues its move in a new mini-move.
      const bool continues = before.Fig == DragFig;
      n.N = continues ? before.N : before.N + 1;
      n.Sub = continues ? int16_t(before.Sub + 1) : 0;
    } else {
      n.N = k;
      n.Sub = 0;
    }
    line.Cur = k;
  }

  line.Count = line.Cur + 1;
  TMove& last = line.Move(line.Cur);
  last.Fig = uint8_t(DragFig);
  std::memcpy(line.Positions(line.Cur), E.CurPositions.data(), sizeof(int16_t) * size_t(line.FigCount));
  if (o.Cooperative) E.NumberLastEntry();
}

bool TMoveDrag::Cancel() {
  const std::array<int16_t, FigSlots>& start = Turn ? TurnStartPositions : DragStartPositions;
  if (SameAsCurrent(start.data()) && (!Turn || TurnBase == E.Line.Cur)) return false;
  RestoreMap(Turn ? TurnStartMap : DragStartMap);
  E.TakePositions(start.data());
  DragLen = 0;
  if (!Turn) {
    RecordMove();
    return true;
  }
  // The entry of the press may have been changed in place by a later part of the drag.
  TMoves& line = E.Line;
  line.Move(TurnBase) = TurnPrev;
  std::memcpy(line.Positions(TurnBase), TurnStartPositions.data(), sizeof(int16_t) * size_t(line.FigCount));
  line.Cur = TurnBase;
  line.Count = TurnBase + 1;
  return true;
}

} // namespace zrk
