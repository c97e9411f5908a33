// Gravity: a move tilts the whole field and every figure slides in that direction as far as it can.
//
// A tilt never needs to be repeated, nor undone by the opposite tilt (the opposite tilt of the
// parent gives the same), so a record created by a tilt in d is expanded only across that axis; a
// record that a tilt on the other axis meets again is settled both ways and is not expanded at all
// (its NoExpand mark, the high byte of MoveInfo).
#include <cstring>

#include "solver/solver.h"

namespace zrk {

void TSolver::ExpandGravity() {
  const uint32_t rec = Expanding;
  const bool start = Records.Layer(rec) == 0;
  const uint16_t info = Records.MoveInfo(rec);
  if (!start && (info >> 8) != 0) return;
  if (!Target) ++ExpandedTotal;
  const int b = start ? -1 : (info & 3);
  for (int d = 0; d < 4; ++d) {
    if (b >= 0 && (d == b || d == OppositeDir(b))) continue;
    if (!Tilt(d)) continue;
    if (EmitGravity(d) == Go::Stop) return;
  }
}

// Marks, from StuckList[from] on, every figure standing right behind a stuck one as stuck too.
void TSolver::SpreadStuck(const uint8_t* occ, const int32_t* fp, int d, size_t from) {
  const int back = OppositeDir(d);
  for (size_t k = from; k < StuckList.size(); ++k) {
    const TPlacement& p = Placements[size_t(fp[StuckList[k]])];
    const int16_t* behind = &CellList[size_t(p.Fronts[back])];
    for (int c = 0; c < p.FrontCount[back]; ++c) {
      // A field cell that is no scan cell holds a fixed figure: nothing stands there to stop.
      if (behind[c] < 0) continue;
      const int g = occ[behind[c]];
      if (g && !Stuck[size_t(g)]) {
        Stuck[size_t(g)] = 1;
        StuckList.push_back(uint8_t(g));
      }
    }
  }
}

// The tilt in d on Occ2 and FigPlacement2; false when nothing can move.
bool TSolver::Tilt(int d) {
  Stuck.assign(size_t(NFigs) + 1, 0);
  StuckList.clear();
  for (int f = 1; f <= NFigs; ++f) {
    if (Placements[size_t(FigPlacement[size_t(f)])].Links[d] < 0) {
      Stuck[size_t(f)] = 1;
      StuckList.push_back(uint8_t(f));
    }
  }
  SpreadStuck(Occ.data(), FigPlacement.data(), d, 0);
  if (StuckList.size() == size_t(NFigs)) return false;

  Occ2.resize(size_t(N));
  FigPlacement2.resize(size_t(NFigs) + 1);
  std::memcpy(Occ2.data(), Occ.data(), size_t(N));
  std::memcpy(FigPlacement2.data(), FigPlacement.data(), sizeof(int32_t) * size_t(NFigs + 1));
  uint8_t* occ = Occ2.data();
  int32_t* fp = FigPlacement2.data();
  while (StuckList.size() < size_t(NFigs)) {
    const size_t known = StuckList.size();
    for (int f = 1; f <= NFigs; ++f) {
      if (Stuck[size_t(f)]) continue;
      const TPlacement& p = Placements[size_t(fp[f])];
      for (int c = 0; c < p.CellCount; ++c) occ[CellList[size_t(p.Cells + c)]] = 0;
    }
    for (int f = 1; f <= NFigs; ++f) {
      if (Stuck[size_t(f)]) continue;
      fp[f] = Placements[size_t(fp[f])].Links[d];
      const TPlacement& q = Placements[size_t(fp[f])];
      for (int c = 0; c < q.CellCount; ++c) occ[CellList[size_t(q.Cells + c)]] = uint8_t(f);
      bool stuck = q.Links[d] < 0;
      const int16_t* front = &CellList[size_t(q.Fronts[d])];
      for (int c = 0; c < q.FrontCount[d] && !stuck; ++c) {
        const int g = occ[front[c]];
        stuck = g && Stuck[size_t(g)];
      }
      if (stuck) {
        Stuck[size_t(f)] = 1;
        StuckList.push_back(uint8_t(f));
      }
    }
    SpreadStuck(occ, fp, d, known);
  }
  return true;
}

TSolver::Go TSolver::EmitGravity(int d) {
  if (Target) return ReconstructHit(Occ2.data()) ? Go::Stop : Go::On;
  KeyScratch.resize(KeyBytes);
  EncodePosition(Occ2.data(), KeyScratch.data());
  const uint8_t* key = KeyScratch.data();
  const uint32_t sum = Table.Hash(key);
  uint32_t found;
  if (LookUp(key, sum, found) == Go::Stop) return Go::Stop;
  if (found && Records.Layer(found) != 0) {
    const uint16_t info = Records.MoveInfo(found);
    if ((info & 1) != (d & 1)) Records.SetMoveInfo(found, uint16_t((info & 0xFF) | 0x100));
  }
  return KeepSuccessor(key, sum, found, HasEndPosition && IsGoal(FigPlacement2.data()), uint16_t(d));
}

} // namespace zrk
