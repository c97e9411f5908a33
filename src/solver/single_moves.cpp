// Moves of one figure: one cell, one direction, any path. A step of a figure is one link of its
// placement plus its front list; only the front cells are touched.
#include <cstring>

#include "solver/solver.h"

namespace zrk {

void TSolver::Expand(uint32_t record) {
  Expanding = record;
  DecodePosition(Parents.Key(record));
  if (!Batching) {
    // Batched successors are stored later, behind their parent's marker, which does this there.
    StoringParent = record;
    ParentSolution = false;
    // A gravity record marked NoExpand is skipped without being counted: the generator counts itself.
    if (!Target && MoveMode != GravityGenerator) ++ExpandedTotal;
  }
  switch (MoveMode) {
    case 0: ExpandOneCell(); break;
    case 1: ExpandOneDir(); break;
    case 2: ExpandAnyPath(); break;
    case 3: ExpandGroupOneCell(); break;
    case 4: ExpandGroupOneDir(); break;
    case 5: ExpandGroupAnyPath(); break;
    case GravityGenerator: ExpandGravity(); break;
    case CooperativeGenerator: ExpandCooperative(); break;
    default: break;
  }
}

bool TSolver::CanStep(int placement, int d) const {
  const TPlacement& p = Placements[placement];
  if (p.Links[d] < 0) return false;
  const int16_t* front = &CellList[p.Fronts[d]];
  for (int k = 0; k < p.FrontCount[d]; ++k) {
    if (Occ[front[k]]) return false;
  }
  return true;
}

void TSolver::DoStep(uint8_t* occ, int fig, int from, int d) {
  const TPlacement& p = Placements[from];
  const TPlacement& q = Placements[p.Links[d]];
  const int back = OppositeDir(d);
  const int16_t* left = &CellList[q.Fronts[back]];
  for (int k = 0; k < q.FrontCount[back]; ++k) occ[left[k]] = 0;
  const int16_t* entered = &CellList[p.Fronts[d]];
  for (int k = 0; k < p.FrontCount[d]; ++k) occ[entered[k]] = uint8_t(fig);
}

// The figure that made the move producing the expanded position: its first cell is the one recorded.
int TSolver::LastMovedFig(uint16_t moveInfo, bool wide) const {
  if (moveInfo == 0xFFFF || Target) return 0;
  int cell;
  if (wide) {
    cell = moveInfo;
  } else {
    if (N >= 256) return 0; // only the low 8 bits of the cell were recorded
    cell = moveInfo >> 8;
  }
  if (cell >= N) return 0;
  const int fig = Occ[cell];
  return fig && Placements[FigPlacement[fig]].FirstCell == cell ? fig : 0;
}

TSolver::Go TSolver::EmitSingle(int fig, int newPlacement, uint16_t moveInfo, int dir, int len) {
  if (Target) {
    if (!ReconstructHit(Occ.data())) return Go::On;
    Items->push_back(TMoveItem{fig, dir, len, ScanCells[Placements[FigPlacement[fig]].FirstCell]});
    return Go::Stop;
  }
  const bool goal = HasEndPosition && GoalWith(fig, newPlacement);
  if (Batching) {
    const size_t at = Batch.Keys.size();
    Batch.Keys.resize(at + KeyBytes);
    if (Symbols == N) {
      // Single-cell figures only: a symbol per cell, and the move changes just the two cells.
      uint8_t* key = &Batch.Keys[at];
      std::memcpy(key, Parents.Key(Expanding), KeyBytes);
      SetKeySymbol(key, Placements[FigPlacement[fig]].FirstCell, 0);
      SetKeySymbol(key, Placements[newPlacement].FirstCell, ClassOf[fig]);
    } else {
      EncodePosition(Occ.data(), &Batch.Keys[at]);
    }
    Batch.Entries.push_back(TPending{0, moveInfo, uint8_t(goal), 0, uint32_t(at / KeyBytes)});
    return Go::On;
  }
  KeyScratch.resize(KeyBytes);
  EncodePosition(Occ.data(), KeyScratch.data());
  return StoreSuccessor(KeyScratch.data(), Table.Hash(KeyScratch.data()), goal, moveInfo);
}

bool TSolver::ReconstructHit(const uint8_t* occ) {
  TargetScratch.resize(KeyBytes);
  EncodePosition(occ, TargetScratch.data());
  if (std::memcmp(TargetScratch.data(), Target, KeyBytes) != 0) return false;
  HitOcc.assign(occ, occ + N); // the child with the parent's figure numbers, for the real identities
  return true;
}

void TSolver::ExpandOneCell() {
  const uint16_t info = Parents.MoveInfo(Expanding);
  const int last = LastMovedFig(info, false);
  const int backDir = OppositeDir(info & 3);
  uint8_t* occ = Occ.data();
  // A figure steps in direction d only into empty cells that lie next to it in direction d, so only
  // the figures beside an empty cell are tried, in the same order as over every figure.
  uint8_t dirs[256];
  std::memset(dirs, 0, size_t(NFigs) + 1);
  const int16_t* around = Neighbours.data();
  for (int e = 0; e < N; ++e) {
    if (occ[e]) continue;
    for (int d = 0; d < 4; ++d) {
      const int c = around[e * 4 + OppositeDir(d)];
      if (c >= 0) dirs[occ[c]] |= uint8_t(1 << d);
    }
  }
  for (int fig = 1; fig <= NFigs; ++fig) {
    if (!dirs[fig]) continue;
    const int p = FigPlacement[fig];
    for (int d = 0; d < 4; ++d) {
      if (!(dirs[fig] >> d & 1)) continue;
      if (fig == last && d == backDir) continue;
      if (!CanStep(p, d)) continue;
      const int q = Placements[p].Links[d];
      DoStep(occ, fig, p, d);
      const Go go = EmitSingle(fig, q, uint16_t(d | ((Placements[q].FirstCell & 0xFF) << 8)), d, 1);
      DoStep(occ, fig, q, OppositeDir(d)); // back again: links come in pairs
      if (go == Go::Stop) return;
    }
  }
}

void TSolver::ExpandOneDir() {
  const uint16_t info = Parents.MoveInfo(Expanding);
  const int last = LastMovedFig(info, false);
  uint8_t* occ = Occ.data();
  for (int fig = 1; fig <= NFigs; ++fig) {
    const int p = FigPlacement[fig];
    for (int d = 0; d < 4; ++d) {
      if (fig == last && (d & 1) == (info & 1)) continue;
      int cur = p;
      int k = 0;
      Go go = Go::On;
      while (go == Go::On && CanStep(cur, d)) {
        DoStep(occ, fig, cur, d);
        cur = Placements[cur].Links[d];
        ++k;
        go = EmitSingle(fig, cur, uint16_t(d | ((Placements[cur].FirstCell & 0xFF) << 8)), d, k);
      }
      if (k > 0) {
        const TPlacement& reached = Placements[cur];
        for (int c = 0; c < reached.CellCount; ++c) occ[CellList[reached.Cells + c]] = 0;
        const TPlacement& from = Placements[p];
        for (int c = 0; c < from.CellCount; ++c) occ[CellList[from.Cells + c]] = uint8_t(fig);
      }
      if (go == Go::Stop) return;
    }
  }
}

void TSolver::ExpandAnyPath() {
  const int last = LastMovedFig(Parents.MoveInfo(Expanding), true);
  uint8_t* occ = Occ.data();
  if (Visited.size() != Placements.size()) {
    Visited.assign(Placements.size(), 0);
    From.assign(Placements.size(), -1);
  }
  for (int fig = 1; fig <= NFigs; ++fig) {
    if (fig == last) continue;
    const int p = FigPlacement[fig];
    const TPlacement& start = Placements[p];
    Queue.clear();
    Queue.push_back(p);
    Visited[p] = 1;
    From[p] = -1;
    bool lifted = false;
    Go go = Go::On;
    for (size_t head = 0; head < Queue.size() && go == Go::On; ++head) {
      const int x = Queue[head];
      for (int d = 0; d < 4 && go == Go::On; ++d) {
        const int y = Placements[x].Links[d];
        if (y < 0 || Visited[y] || !CanStep(x, d)) continue;
        if (!lifted) {
          for (int c = 0; c < start.CellCount; ++c) occ[CellList[start.Cells + c]] = 0;
          lifted = true;
        }
        const TPlacement& py = Placements[y];
        for (int c = 0; c < py.CellCount; ++c) occ[CellList[py.Cells + c]] = uint8_t(fig);
        Visited[y] = 1;
        From[y] = x;
        Queue.push_back(y);
        if (Target) {
          if (ReconstructHit(occ)) {
            // The path back to the start, as straight runs.
            std::vector<int> path;
            for (int at = y; at >= 0; at = From[at]) path.push_back(at);
            for (size_t i = path.size() - 1; i > 0; --i) {
              const int a = Placements[path[i]].Anchor, b = Placements[path[i - 1]].Anchor;
              int dir = 0;
              while (dir < 3 && a + DirStep[dir] != b) ++dir;
              if (!Items->empty() && i != path.size() - 1 && Items->back().Dir == dir) {
                ++Items->back().Len;
              } else {
                Items->push_back(TMoveItem{fig, dir, 1, ScanCells[Placements[path[i]].FirstCell]});
              }
            }
            go = Go::Stop;
          }
        } else {
          go = EmitSingle(fig, y, uint16_t(py.FirstCell), d, 1);
        }
        for (int c = 0; c < py.CellCount; ++c) occ[CellList[py.Cells + c]] = 0;
      }
    }
    for (int v : Queue) Visited[v] = 0;
    if (lifted) {
      for (int c = 0; c < start.CellCount; ++c) occ[CellList[start.Cells + c]] = uint8_t(fig);
    }
    if (go == Go::Stop) return;
  }
}

bool TSolver::ReconstructMove(uint32_t parent, const uint8_t* target, std::vector<TMoveItem>& items) {
  items.clear();
  Target = target;
  Items = &items;
  const bool batching = Batching;
  Batching = false;
  Expand(parent);
  Batching = batching;
  Target = nullptr;
  Items = nullptr;
  return !items.empty();
}

} // namespace zrk
