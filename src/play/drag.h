#pragma once
// TMoveDrag: a figure dragged with the mouse in play mode, turned into moves of the played line.
//
// While the button is held the figure (with the figures it pushes) follows the pointer cell by
// cell, and the line already holds the move shown, so that the counter, the track bar and the tree
// follow the drag; the release only records an undo point (the caller's). Offsets are in pixels
// from the press point; a direction wins by its dominant axis and the last half cell counts as a
// whole one. A move written into the line extends, shortens, replaces or takes back the move
// before it where the move kind allows, or becomes a new entry.
//
//   Begin(fig, wc, turn)  the press has become a drag of fig (0 under gravity)
//   DragTo(dx, dy)        the pointer moved; true when the move shown changed (repaint)
//   Cancel()              Esc: the figures go back to where they stood at the press
//
// With turn on (the "Поворачивать мышью" setting) each change is committed and measured anew from
// the figure's new place, so that a figure follows the pointer around corners. Nothing is
// allocated per pointer move: the copies of the map and of the positions live in the object.

#include <array>
#include <cstdint>
#include <vector>

#include "play/play_engine.h"

namespace zrk {

class TMoveDrag {
 public:
  explicit TMoveDrag(TPlayEngine& engine);

  void Begin(int fig, int wc, bool turn);
  bool DragTo(int dx, int dy);
  bool Cancel();

  // For tests and the view: the move now shown.
  int Dir() const { return DragDir; }
  int Len() const { return DragLen; }
  int Reach(int dir) const { return ReachTo[size_t(dir)]; }

 private:
  // (Re)starts the drag at the current entry; a new press also notes where the gesture began.
  void Restart(bool newPress);
  void ComputeReach(int dir);
  void RecordMove();
  // Puts entry DragBase back as it was when the drag (re)began.
  void RestoreBaseEntry();
  // Lays the saved map's field rows back into the start map.
  void RestoreMap(const std::vector<uint16_t>& saved);
  bool SameAsCurrent(const int16_t* positions) const;

  TPlayEngine& E;
  int WC = 30;
  bool Turn = false;

  int DragFig = 0;
  int DragDir = 0;
  int DragLen = 0;
  bool DragPushed = false;
  int DragBase = 0; // the entry the drag (re)began at
  int TurnBase = 0; // the entry of the press
  int OrgX = 0, OrgY = 0;
  TMove Prev;       // entry DragBase when the drag (re)began
  TMove TurnPrev;   // entry TurnBase at the press
  std::array<int, 4> ReachTo{};
  std::array<int, 4> FreeReach{};

  std::vector<uint16_t> DragStartMap, TurnStartMap, ScratchMap;
  std::array<int16_t, FigSlots> DragStartPositions{}, TurnStartPositions{}, Work{};
};

} // namespace zrk
