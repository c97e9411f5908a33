// Group-slide moves: a moving figure (the initiator) pushes every figure standing where the moving
// figures are about to go, transitively. The group is re-formed from the live position each time.
#include <algorithm>
#include <cstring>

#include "solver/solver.h"

namespace zrk {

// Gathers x's group for a one-cell move in d into GroupList; false when some member cannot step that
// way (off the field, a wall, a groove, its freedom, a fixed figure), which blocks the whole group.
bool TSolver::FormGroup(const uint8_t* occ, const int32_t* fp, int x, int d) {
  GroupList.clear();
  GroupList.push_back(uint8_t(x));
  InGroup[x] = 1;
  bool possible = true;
  for (size_t m = 0; m < GroupList.size() && possible; ++m) {
    const TPlacement& p = Placements[fp[GroupList[m]]];
    if (p.Links[d] < 0) {
      possible = false;
      break;
    }
    const int16_t* front = &CellList[p.Fronts[d]];
    for (int k = 0; k < p.FrontCount[d]; ++k) {
      const int z = occ[front[k]];
      if (z && !InGroup[z]) {
        InGroup[z] = 1;
        GroupList.push_back(uint8_t(z));
      }
    }
  }
  for (uint8_t m : GroupList) InGroup[m] = 0;
  return possible;
}

// Moves the gathered group one cell: every member first leaves its trailing cells, then enters its
// leading ones, so that members may follow each other.
void TSolver::MoveGroup(uint8_t* occ, int32_t* fp, int d) {
  const int back = OppositeDir(d);
  for (uint8_t m : GroupList) {
    const TPlacement& q = Placements[Placements[fp[m]].Links[d]];
    const int16_t* left = &CellList[q.Fronts[back]];
    for (int k = 0; k < q.FrontCount[back]; ++k) occ[left[k]] = 0;
  }
  for (uint8_t m : GroupList) {
    const TPlacement& p = Placements[fp[m]];
    const int16_t* entered = &CellList[p.Fronts[d]];
    for (int k = 0; k < p.FrontCount[d]; ++k) occ[entered[k]] = m;
    fp[m] = p.Links[d];
  }
}

void TSolver::StartGroupExpansion() {
  Occ2.resize(N);
  FigPlacement2.resize(NFigs + 1);
  InGroup.assign(NFigs + 1, 0);
  SizeHead.assign(NFigs + 2, 0);
  SizeTail.assign(NFigs + 2, 0);
  BestGoal = 0;
  BestGoalSize = NFigs + 1;
  GoalTests = true;
}

TSolver::Go TSolver::EmitGroup(const uint8_t* occ, const int32_t* fp, uint16_t moveInfo) {
  if (Target) return GroupHit(occ, fp);
  // New positions wait in lists by group size; a goal is only kept while its group is the smallest.
  const int size = int(GroupList.size());
  KeyScratch.resize(KeyBytes);
  EncodePosition(occ, KeyScratch.data());
  const uint32_t sum = Table.Hash(KeyScratch.data());
  uint32_t found;
  if (LookUp(KeyScratch.data(), sum, found) == Go::Stop) return Go::Stop;
  const bool goal = GoalTests && size < BestGoalSize && GoalMayCount(found) && IsGoal(fp);
  if (!found) {
    if (!StoreNew(KeyScratch.data(), sum, SizeHead[size], SizeTail[size])) return Go::Stop;
  } else if (goal) {
    KeepKnownGoal(KeyScratch.data());
  }
  if (!found || goal) {
    const uint32_t rec = UseSpare(moveInfo);
    if (goal) {
      BestGoal = rec;
      BestGoalSize = size;
    }
  }
  if (GeneratedTotal > NextProgress && ProgressStep()) return Go::Stop;
  return Go::On;
}

// New positions join the layer ordered by the size of the group that made them.
void TSolver::FlushSizeLists() {
  for (int size = 1; size <= NFigs; ++size) {
    const uint32_t head = SizeHead[size];
    if (!head) continue;
    if (NewTail) Records.SetNext(NewTail, head);
    else NewHead = head;
    NewTail = SizeTail[size];
    SizeHead[size] = SizeTail[size] = 0;
  }
}

TSolver::Go TSolver::RegisterBestGoal() {
  if (!BestGoal) return Go::On;
  const uint32_t rec = BestGoal;
  BestGoal = 0;
  BestGoalSize = NFigs + 1;
  if (!RegisterSolution(rec)) return Go::Stop;
  ParentSolution = true;
  return Go::On;
}

// Every initiator but `skip`, every direction; optionally remembers (initiator, direction) of the
// successors for the any-path traversal.
TSolver::Go TSolver::GroupOneCellFrom(int skip, bool keepResults, std::vector<std::pair<int, int>>* results) {
  for (int d = 0; d < 4; ++d) {
    for (int x = 1; x <= NFigs; ++x) {
      if (x == skip) continue;
      if (!FormGroup(Occ.data(), FigPlacement.data(), x, d)) continue;
      std::memcpy(Occ2.data(), Occ.data(), N);
      std::memcpy(FigPlacement2.data(), FigPlacement.data(), sizeof(int32_t) * (NFigs + 1));
      MoveGroup(Occ2.data(), FigPlacement2.data(), d);
      const uint16_t info = keepResults ? uint16_t(Placements[FigPlacement2[x]].FirstCell) : 0;
      if (EmitGroup(Occ2.data(), FigPlacement2.data(), info) == Go::Stop) return Go::Stop;
      if (keepResults) results->push_back({x, d});
    }
  }
  return Go::On;
}

void TSolver::ExpandGroupOneCell() {
  StartGroupExpansion();
  const Go go = GroupOneCellFrom(0, false, nullptr);
  FlushSizeLists();
  if (go == Go::On) RegisterBestGoal();
}

void TSolver::ExpandGroupOneDir() {
  StartGroupExpansion();
  Go go = Go::On;
  for (int d = 0; d < 4 && go == Go::On; ++d) {
    for (int x = 1; x <= NFigs && go == Go::On; ++x) {
      std::memcpy(Occ2.data(), Occ.data(), N);
      std::memcpy(FigPlacement2.data(), FigPlacement.data(), sizeof(int32_t) * (NFigs + 1));
      // Members stay in contact while they slide together, so re-forming the group from the live
      // position each cell gathers the old members and whoever they meet.
      for (int k = 1; go == Go::On && FormGroup(Occ2.data(), FigPlacement2.data(), x, d); ++k) {
        MoveGroup(Occ2.data(), FigPlacement2.data(), d);
        go = EmitGroup(Occ2.data(), FigPlacement2.data(), uint16_t(d | (x << 8)));
      }
    }
  }
  FlushSizeLists();
  if (go == Go::On) RegisterBestGoal();
}

// ---- group any path ----

void TSolver::TravClear() {
  TravCount = 0;
  TravKeys.clear();
  std::fill(TravIndex.begin(), TravIndex.end(), 0);
}

int TSolver::TravLoad(size_t e, uint8_t* key) {
  const size_t entry = KeyBytes + 2;
  std::memcpy(key, &TravKeys[e * entry], KeyBytes);
  uint16_t cell;
  std::memcpy(&cell, &TravKeys[e * entry + KeyBytes], 2);
  DecodePosition(key);
  return Occ[cell];
}

bool TSolver::TravAdd(const uint8_t* key, int cell) {
  const size_t entry = KeyBytes + 2;
  if (TravIndex.size() < 2 * (TravCount + 1) + 16) {
    size_t size = 64;
    while (size < 4 * (TravCount + 1)) size *= 2;
    TravIndex.assign(size, 0);
    for (size_t i = 0; i < TravCount; ++i) {
      const uint8_t* k = &TravKeys[i * entry];
      uint32_t h = Table.Hash(k) * 2654435761u ^ LoadTail(k + KeyBytes, 2);
      size_t at = h & (size - 1);
      while (TravIndex[at]) at = (at + 1) & (size - 1);
      TravIndex[at] = uint32_t(i + 1);
    }
  }
  const uint16_t c = uint16_t(cell);
  const size_t mask = TravIndex.size() - 1;
  size_t at = (Table.Hash(key) * 2654435761u ^ c) & mask;
  while (TravIndex[at]) {
    const uint8_t* stored = &TravKeys[(TravIndex[at] - 1) * entry];
    if (LoadTail(stored + KeyBytes, 2) == c && std::memcmp(stored, key, KeyBytes) == 0) return false;
    at = (at + 1) & mask;
  }
  TravKeys.insert(TravKeys.end(), key, key + KeyBytes);
  TravKeys.push_back(uint8_t(c));
  TravKeys.push_back(uint8_t(c >> 8));
  TravIndex[at] = uint32_t(++TravCount);
  return true;
}

// A move is a walk of one initiator by one-cell group moves, changing direction at will. Every
// position the walk reaches is a successor of the expanded position. Each initiator's walk keeps
// its own visited set of (position, initiator cell), so that neither another initiator's results
// nor an interchangeable twin standing elsewhere cut it short.
void TSolver::ExpandGroupAnyPath() {
  StartGroupExpansion();
  const uint32_t parent = Expanding;
  const int skip = LastMovedFig(Records.MoveInfo(parent), true);
  std::vector<std::pair<int, int>> results;
  Go go = GroupOneCellFrom(skip, true, &results);
  FlushSizeLists();
  if (go == Go::On) go = RegisterBestGoal();
  if (ParentSolution) GoalTests = false;
  if (go == Go::Stop) return;

  std::vector<uint8_t> parentKey(Records.Key(parent), Records.Key(parent) + KeyBytes);
  std::vector<int32_t> parentPlacement = FigPlacement;
  std::vector<uint8_t> parentOcc = Occ;
  std::vector<uint8_t> key(KeyBytes);
  for (int x = 1; x <= NFigs && go == Go::On; ++x) {
    TravClear();
    TravAdd(parentKey.data(), Placements[parentPlacement[x]].FirstCell);
    // First-stage results of x: redo its one-cell moves on the parent to learn their positions.
    for (const auto& [fig, d] : results) {
      if (fig != x) continue;
      std::memcpy(Occ.data(), parentOcc.data(), N);
      std::memcpy(FigPlacement.data(), parentPlacement.data(), sizeof(int32_t) * (NFigs + 1));
      if (!FormGroup(Occ.data(), FigPlacement.data(), x, d)) continue;
      MoveGroup(Occ.data(), FigPlacement.data(), d);
      EncodePosition(Occ.data(), key.data());
      TravAdd(key.data(), Placements[FigPlacement[x]].FirstCell);
    }
    // The walk: entries in the order found, each tried in the four directions.
    for (size_t e = 1; e < TravCount && go == Go::On; ++e) {
      const int initiator = TravLoad(e, key.data());
      if (!initiator) continue;
      for (int d = 0; d < 4 && go == Go::On; ++d) {
        if (!FormGroup(Occ.data(), FigPlacement.data(), initiator, d)) continue;
        std::memcpy(Occ2.data(), Occ.data(), N);
        std::memcpy(FigPlacement2.data(), FigPlacement.data(), sizeof(int32_t) * (NFigs + 1));
        MoveGroup(Occ2.data(), FigPlacement2.data(), d);
        const int newCell = Placements[FigPlacement2[initiator]].FirstCell;
        EncodePosition(Occ2.data(), key.data());
        if (!TravAdd(key.data(), newCell)) continue;
        go = EmitGroup(Occ2.data(), FigPlacement2.data(), uint16_t(newCell));
      }
      FlushSizeLists();
      if (go == Go::On) go = RegisterBestGoal();
      if (ParentSolution) GoalTests = false;
    }
  }
  Occ = parentOcc;
  FigPlacement = parentPlacement;
}

} // namespace zrk
