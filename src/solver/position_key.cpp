// The position key: one symbol per empty scan cell and per moving figure, in scan order.
#include <cstring>

#include "solver/solver.h"

namespace zrk {

void TSolver::EncodePosition(const uint8_t* occ, uint8_t* key) const {
  uint8_t* seen = Seen.data();
  std::memset(seen, 0, Seen.size());
  const uint8_t* classOf = ClassOf.data();
  if (IsPacked) {
    std::memset(key, 0, KeyBytes);
    int k = 0;
    for (int i = 0; i < N; ++i) {
      const uint8_t fig = occ[i];
      uint8_t symbol = 0;
      if (fig) {
        if (seen[fig]) continue;
        seen[fig] = 1;
        symbol = classOf[fig];
      }
      key[k >> 1] |= uint8_t(symbol << ((k & 1) * 4));
      ++k;
    }
  } else {
    int k = 0;
    for (int i = 0; i < N; ++i) {
      const uint8_t fig = occ[i];
      if (fig) {
        if (seen[fig]) continue;
        seen[fig] = 1;
        key[k++] = classOf[fig];
      } else {
        key[k++] = 0;
      }
    }
  }
}

void TSolver::DecodePosition(const uint8_t* key) {
  uint8_t* occ = Occ.data();
  std::memset(occ, 0, N);
  uint8_t taken[256];
  std::memset(taken, 0, Classes.size() + 1);
  GoalHits = 0;
  int i = 0;
  for (int k = 0; k < Symbols && i < N; ++k) {
    const int symbol = IsPacked ? (key[k >> 1] >> ((k & 1) * 4)) & 15 : key[k];
    if (symbol != 0 && symbol <= int(Classes.size())) {
      const TFigClass& cls = Classes[symbol - 1];
      const int p = cls.ByFirstCell[i];
      if (p >= 0 && taken[symbol] < cls.Instances.size()) {
        const int fig = cls.Instances[taken[symbol]++];
        FigPlacement[fig] = p;
        const TPlacement& pl = Placements[p];
        GoalHits += pl.GoalFlag;
        const int16_t* cells = &CellList[pl.Cells];
        for (int c = 0; c < pl.CellCount; ++c) occ[cells[c]] = uint8_t(fig);
      }
    }
    ++i;
    while (i < N && occ[i]) ++i;
  }
}

std::vector<int> TSolver::FirstSeenOrder(const uint8_t* occ) const {
  std::vector<int> order;
  std::vector<uint8_t> seen(NFigs + 1, 0);
  for (int i = 0; i < N; ++i) {
    const int fig = occ[i];
    if (fig && !seen[fig]) {
      seen[fig] = 1;
      order.push_back(fig);
    }
  }
  return order;
}

bool TSolver::IsGoal(const int32_t* figPlacement) const {
  int hits = 0;
  for (int s = 1; s <= NFigs; ++s) hits += Placements[figPlacement[s]].GoalFlag;
  return hits == Goals;
}

// The decoded position with one figure moved to another placement is a goal.
bool TSolver::GoalWith(int fig, int newPlacement) const {
  return GoalHits - Placements[FigPlacement[fig]].GoalFlag + Placements[newPlacement].GoalFlag == Goals;
}

} // namespace zrk
