// Reconstruction of one parent/child pair for the move lines: the generator runs again with the
// child's key as its target, and the figure identities that decoding forgets (interchangeable
// figures always come out in order of appearance) are carried along with the figures that moved.
#include <cstring>

#include "solver/solver.h"

namespace zrk {

namespace {

std::vector<int> RankOf(const std::vector<int>& order, int figures) {
  std::vector<int> rank(size_t(figures) + 1, 0);
  for (size_t k = 0; k < order.size(); ++k) rank[size_t(order[k])] = int(k);
  return rank;
}

} // namespace

// Items from firstItem on name the parent's decoded figures; they get their real identities, and
// realOrder moves on to the child, whose occupancy (in the parent's numbering) is HitOcc.
void TSolver::CarryRealOrder(const std::vector<int>& parentRank, std::vector<int>& realOrder,
                             std::vector<TMoveItem>& items, size_t firstItem) {
  for (size_t k = firstItem; k < items.size(); ++k) items[k].Fig = realOrder[size_t(parentRank[size_t(items[k].Fig)])];
  const std::vector<int> childOrder = FirstSeenOrder(HitOcc.data());
  std::vector<int> next(childOrder.size());
  for (size_t u = 0; u < childOrder.size(); ++u) next[u] = realOrder[size_t(parentRank[size_t(childOrder[u])])];
  realOrder.swap(next);
}

bool TSolver::ReconstructPair(uint32_t parent, uint32_t child, std::vector<int>& realOrder,
                              std::vector<TMoveItem>& items) {
  items.clear();
  if (!parent || !child || realOrder.size() != size_t(NFigs)) return false;
  std::vector<uint8_t> target(Records.Key(child), Records.Key(child) + KeyBytes);
  if (MoveMode == 5) return ReconstructGroupAnyPath(parent, target.data(), realOrder, items);
  DecodePosition(Records.Key(parent));
  const std::vector<int> rank = RankOf(FirstSeenOrder(Occ.data()), NFigs);
  HitOcc.clear();
  if (!ReconstructMove(parent, target.data(), items) || HitOcc.empty()) return false;
  CarryRealOrder(rank, realOrder, items, 0);
  return true;
}

// Group one cell and group one direction: the initiator leads the group; its direction and length
// follow from where it stood and where it stands now.
TSolver::Go TSolver::GroupHit(const uint8_t* occ, const int32_t* fp) {
  if (!ReconstructHit(occ)) return Go::On;
  const int x = GroupList.empty() ? 0 : GroupList[0];
  if (!x) return Go::On;
  const TPlacement& from = Placements[FigPlacement[x]];
  const int delta = Placements[fp[x]].Anchor - from.Anchor;
  // The field is narrower than a row of the board, so a horizontal run never reaches +-128.
  int dir = 0, len = 0;
  if (delta > 0 && delta % RowStride == 0) dir = DirDown, len = delta / RowStride;
  else if (delta < 0 && -delta % RowStride == 0) dir = DirUp, len = -delta / RowStride;
  else if (delta > 0) dir = DirRight, len = delta;
  else dir = DirLeft, len = -delta;
  Items->push_back(TMoveItem{x, dir, len, ScanCells[size_t(from.FirstCell)]});
  return Go::Stop;
}

// Group any path: the initiator's walk is repeated with a link from every entry to the one it came
// from until the child is reached; each cell of the walk back is then one group one-cell move, and
// straight runs of one figure merge into one item.
bool TSolver::ReconstructGroupAnyPath(uint32_t parent, const uint8_t* target, std::vector<int>& realOrder,
                                      std::vector<TMoveItem>& items) {
  const size_t entry = KeyBytes + 2;
  std::vector<uint8_t> parentKey(Records.Key(parent), Records.Key(parent) + KeyBytes);
  std::vector<uint8_t> key(KeyBytes);
  std::vector<uint32_t> from;
  size_t found = 0;
  DecodePosition(parentKey.data());
  StartGroupExpansion();
  std::vector<int32_t> parentPlacement = FigPlacement;
  for (int x = 1; x <= NFigs && !found; ++x) {
    TravClear();
    from.assign(1, 0);
    TravAdd(parentKey.data(), Placements[parentPlacement[size_t(x)]].FirstCell);
    for (size_t e = 0; e < TravCount && !found; ++e) {
      const int initiator = TravLoad(e, key.data());
      if (!initiator) continue;
      for (int d = 0; d < 4 && !found; ++d) {
        if (!FormGroup(Occ.data(), FigPlacement.data(), initiator, d)) continue;
        std::memcpy(Occ2.data(), Occ.data(), size_t(N));
        std::memcpy(FigPlacement2.data(), FigPlacement.data(), sizeof(int32_t) * size_t(NFigs + 1));
        MoveGroup(Occ2.data(), FigPlacement2.data(), d);
        EncodePosition(Occ2.data(), key.data());
        if (!TravAdd(key.data(), Placements[FigPlacement2[size_t(initiator)]].FirstCell)) continue;
        from.push_back(uint32_t(e));
        if (std::memcmp(key.data(), target, KeyBytes) == 0) found = TravCount - 1;
      }
    }
  }
  if (!found) return false;

  std::vector<size_t> chain;
  for (size_t e = found; e != 0; e = from[e]) chain.push_back(e);
  chain.push_back(0);
  std::vector<std::vector<uint8_t>> keys;
  for (size_t i = chain.size(); i-- > 0;)
    keys.emplace_back(&TravKeys[chain[i] * entry], &TravKeys[chain[i] * entry] + KeyBytes);

  std::vector<TMoveItem> steps;
  for (size_t i = 0; i + 1 < keys.size(); ++i) {
    DecodePosition(keys[i].data());
    const std::vector<int> rank = RankOf(FirstSeenOrder(Occ.data()), NFigs);
    StartGroupExpansion();
    HitOcc.clear();
    const size_t before = steps.size();
    Target = keys[i + 1].data();
    Items = &steps;
    GroupOneCellFrom(0, false, nullptr);
    Target = nullptr;
    Items = nullptr;
    if (steps.size() != before + 1 || HitOcc.empty()) return false;
    CarryRealOrder(rank, realOrder, steps, before);
  }
  for (const TMoveItem& s : steps) {
    if (!items.empty() && items.back().Fig == s.Fig && items.back().Dir == s.Dir) items.back().Len += s.Len;
    else items.push_back(s);
  }
  return !items.empty();
}

} // namespace zrk
