// Cooperative moves: in one move several figures each step one cell, each in its own direction, as
// long as they do not get in each other's way. A step pushes the figures in front of it.
//
// The sets of steps are enumerated depth first. Each chosen step forbids, on its branch, every step
// that would conflict with it (entering a cell that a figure leaves sideways, two figures entering
// one cell), so that every set produced is legal without a separate check.
#include <cstring>

#include "solver/solver.h"

namespace zrk {

namespace {

constexpr uint8_t Stays = 255;

uint16_t Pair(int fig, int dir) { return uint16_t((fig << 2) | dir); }

} // namespace

void TSolver::ExpandCooperative() {
  StartGroupExpansion();
  const size_t slots = size_t(NFigs) + 1;
  CoopBlocked.assign(4 * slots, 0);
  CoopPushStart.assign(4 * slots + 1, 0);
  CoopPush.clear();
  for (int d = 0; d < 4; ++d) {
    for (int f = 1; f <= NFigs; ++f) {
      CoopBlocked[size_t(d) * slots + size_t(f)] = !FormGroup(Occ.data(), FigPlacement.data(), f, d);
      CoopPushStart[size_t(d) * slots + size_t(f)] = int32_t(CoopPush.size());
      const TPlacement& p = Placements[size_t(FigPlacement[size_t(f)])];
      const int16_t* front = &CellList[size_t(p.Fronts[d])];
      for (int c = 0; c < p.FrontCount[d]; ++c) {
        // Beside a fixed figure (no scan cell) the step is blocked and pushes nobody.
        if (front[c] >= 0 && Occ[size_t(front[c])]) CoopPush.push_back(Occ[size_t(front[c])]);
      }
    }
    CoopPushStart[size_t(d) * slots + slots] = int32_t(CoopPush.size());
  }
  Candidates.clear();
  for (int d = 0; d < 4; ++d)
    for (int f = 1; f <= NFigs; ++f)
      if (!CoopBlocked[size_t(d) * slots + size_t(f)]) Candidates.push_back(Pair(f, d));
  MoveDir.assign(slots, Stays);
  Movers.clear();
  Forbidden.assign(4 * slots, 0);
  ForbidStack.clear();
  CoopSeen.assign(slots, 0);
  const Go go = CoopBranch(0);
  if (Target) return;
  FlushSizeLists();
  if (go == Go::On) RegisterBestGoal();
}

// Forbids (fig, dir) and, transitively, every figure that stands in spreadDir of a forbidden one and
// does not move: stepping in dir it would push the forbidden one.
void TSolver::Forbid(int fig, int dir, int spreadDir) {
  const size_t slots = size_t(NFigs) + 1;
  std::vector<uint8_t> chain{uint8_t(fig)};
  CoopSeen[size_t(fig)] = 1;
  for (size_t k = 0; k < chain.size(); ++k) {
    const int f = chain[k];
    ++Forbidden[size_t(dir) * slots + size_t(f)];
    ForbidStack.push_back(Pair(f, dir));
    const size_t at = size_t(spreadDir) * slots + size_t(f);
    for (int32_t i = CoopPushStart[at]; i < CoopPushStart[at + 1]; ++i) {
      const int g = CoopPush[size_t(i)];
      if (MoveDir[size_t(g)] != Stays || CoopSeen[size_t(g)]) continue;
      CoopSeen[size_t(g)] = 1;
      chain.push_back(uint8_t(g));
    }
  }
  for (uint8_t f : chain) CoopSeen[f] = 0;
}

// What a new mover y forbids: stepping into the cells it leaves sideways, and into the cells it
// enters from any side.
void TSolver::ForbidMover(int y) {
  const int d = MoveDir[size_t(y)];
  const size_t slots = size_t(NFigs) + 1;
  for (int u = 0; u < 4; ++u) {
    if ((u & 1) == (d & 1)) continue;
    const size_t at = size_t(u) * slots + size_t(y);
    for (int32_t i = CoopPushStart[at]; i < CoopPushStart[at + 1]; ++i) {
      const int z = CoopPush[size_t(i)];
      if (MoveDir[size_t(z)] == Stays) Forbid(z, OppositeDir(u), u);
    }
  }
  const TPlacement& p = Placements[size_t(FigPlacement[size_t(y)])];
  const int16_t* front = &CellList[size_t(p.Fronts[d])];
  for (int c = 0; c < p.FrontCount[d]; ++c) {
    for (int w = 0; w < 4; ++w) {
      if (w == OppositeDir(d)) continue;
      const int n = Neighbours[size_t(front[c]) * 4 + size_t(w)];
      if (n < 0) continue;
      const int z = Occ[size_t(n)];
      if (z && MoveDir[size_t(z)] == Stays) Forbid(z, OppositeDir(w), w);
    }
  }
}

TSolver::Go TSolver::CoopBranch(size_t from) {
  const size_t slots = size_t(NFigs) + 1;
  for (size_t ci = from; ci < Candidates.size(); ++ci) {
    const int x = Candidates[ci] >> 2, d = Candidates[ci] & 3;
    if (MoveDir[size_t(x)] != Stays || Forbidden[size_t(d) * slots + size_t(x)]) continue;
    const size_t moversBefore = Movers.size(), forbidsBefore = ForbidStack.size();
    // x and everything it pushes that does not move yet, breadth first.
    MoveDir[size_t(x)] = uint8_t(d);
    Movers.push_back(uint8_t(x));
    bool legal = true;
    for (size_t m = moversBefore; m < Movers.size() && legal; ++m) {
      const size_t at = size_t(d) * slots + Movers[m];
      for (int32_t i = CoopPushStart[at]; i < CoopPushStart[at + 1]; ++i) {
        const int g = CoopPush[size_t(i)];
        if (MoveDir[size_t(g)] != Stays) continue;
        if (Forbidden[size_t(d) * slots + size_t(g)] || CoopBlocked[size_t(d) * slots + size_t(g)]) {
          legal = false;
          break;
        }
        MoveDir[size_t(g)] = uint8_t(d);
        Movers.push_back(uint8_t(g));
      }
    }
    Go go = Go::On;
    if (legal) {
      for (size_t m = moversBefore; m < Movers.size(); ++m) ForbidMover(Movers[m]);
      go = CoopEmit();
      if (go == Go::On) go = CoopBranch(ci + 1);
    }
    for (size_t k = forbidsBefore; k < ForbidStack.size(); ++k)
      --Forbidden[size_t(ForbidStack[k] & 3) * slots + size_t(ForbidStack[k] >> 2)];
    ForbidStack.resize(forbidsBefore);
    for (size_t m = moversBefore; m < Movers.size(); ++m) MoveDir[Movers[m]] = Stays;
    Movers.resize(moversBefore);
    if (go == Go::Stop) return Go::Stop;
  }
  return Go::On;
}

// The chosen set as one move: every mover leaves its cells, then enters its new ones.
TSolver::Go TSolver::CoopEmit() {
  Occ2.resize(size_t(N));
  FigPlacement2.resize(size_t(NFigs) + 1);
  std::memcpy(Occ2.data(), Occ.data(), size_t(N));
  std::memcpy(FigPlacement2.data(), FigPlacement.data(), sizeof(int32_t) * size_t(NFigs + 1));
  for (uint8_t m : Movers) {
    const TPlacement& p = Placements[size_t(FigPlacement[m])];
    for (int c = 0; c < p.CellCount; ++c) Occ2[size_t(CellList[size_t(p.Cells + c)])] = 0;
  }
  for (uint8_t m : Movers) {
    FigPlacement2[m] = Placements[size_t(FigPlacement[m])].Links[MoveDir[m]];
    const TPlacement& q = Placements[size_t(FigPlacement2[m])];
    for (int c = 0; c < q.CellCount; ++c) Occ2[size_t(CellList[size_t(q.Cells + c)])] = m;
  }
  if (Target) {
    if (!ReconstructHit(Occ2.data())) return Go::On;
    ReportTrains();
    return Go::Stop;
  }
  GroupList.assign(Movers.begin(), Movers.end()); // the group size orders the layer
  return EmitGroup(Occ2.data(), FigPlacement2.data(), 0);
}

// The move as mini-moves: one per train, led by its rearmost figure, which pushes the rest.
void TSolver::ReportTrains() {
  const size_t slots = size_t(NFigs) + 1;
  std::vector<uint8_t> reported(slots, 0);
  for (uint8_t m : Movers) {
    if (reported[m]) continue;
    const int d = MoveDir[m];
    int rear = m;
    std::vector<uint8_t> followed(slots, 0); // interlocking shapes may stand behind each other
    followed[m] = 1;
    for (bool more = true; more;) {
      more = false;
      const size_t at = size_t(OppositeDir(d)) * slots + size_t(rear);
      for (int32_t i = CoopPushStart[at]; i < CoopPushStart[at + 1]; ++i) {
        const int g = CoopPush[size_t(i)];
        if (MoveDir[size_t(g)] == d && !reported[size_t(g)] && !followed[size_t(g)]) {
          followed[size_t(g)] = 1;
          rear = g;
          more = true;
          break;
        }
      }
    }
    std::vector<uint8_t> train{uint8_t(rear)};
    reported[size_t(rear)] = 1;
    for (size_t k = 0; k < train.size(); ++k) {
      const size_t at = size_t(d) * slots + train[k];
      for (int32_t i = CoopPushStart[at]; i < CoopPushStart[at + 1]; ++i) {
        const int g = CoopPush[size_t(i)];
        if (reported[size_t(g)]) continue;
        reported[size_t(g)] = 1;
        train.push_back(uint8_t(g));
      }
    }
    Items->push_back(TMoveItem{rear, d, 1, ScanCells[size_t(Placements[size_t(FigPlacement[size_t(rear)])].FirstCell)]});
  }
}

} // namespace zrk
