// The position key: one symbol per empty scan cell and per moving figure, in scan order.
#include <cstring>

#include "solver/solver.h"

namespace zrk {

// Every local below is hoisted out of the members: the byte stores would otherwise make the compiler
// reload them after each one (a byte store may alias anything).
void TSolver::EncodePosition(const uint8_t* occ, uint8_t* key) const {
  uint8_t* seen = Seen.data();
  std::memset(seen, 0, Seen.size());
  const uint8_t* classOf = ClassOf.data(); // entry 0 (an empty cell) is 0
  const int n = N;
  if (IsPacked && Symbols == n) {
    // Every figure is a single cell (a symbol per cell): no figure can be seen twice.
    uint8_t* out = key;
    uint64_t word = 0;
    int k = 0;
    for (int i = 0; i < n; ++i) {
      word |= uint64_t(classOf[occ[i]]) << (4 * k);
      if (++k == 16) {
        std::memcpy(out, &word, 8);
        out += 8;
        word = 0;
        k = 0;
      }
    }
    std::memcpy(out, &word, KeyBytes - size_t(out - key));
  } else if (IsPacked) {
    // Sixteen nibbles gather in a word, which is stored whole.
    uint8_t* out = key;
    uint64_t word = 0;
    int k = 0;
    for (int i = 0; i < n; ++i) {
      const uint8_t fig = occ[i];
      uint64_t symbol = 0;
      if (fig) {
        if (seen[fig]) continue;
        seen[fig] = 1;
        symbol = classOf[fig];
      }
      word |= symbol << (4 * k);
      if (++k == 16) {
        std::memcpy(out, &word, 8);
        out += 8;
        word = 0;
        k = 0;
      }
    }
    std::memcpy(out, &word, KeyBytes - size_t(out - key)); // the machine is little-endian
  } else {
    int k = 0;
    for (int i = 0; i < n; ++i) {
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

void TSolver::SetKeySymbol(uint8_t* key, int k, uint8_t symbol) const {
  if (IsPacked) {
    const int shift = (k & 1) * 4;
    key[k >> 1] = uint8_t((key[k >> 1] & ~(15 << shift)) | (symbol << shift));
  } else {
    key[k] = symbol;
  }
}

void TSolver::DecodePosition(const uint8_t* key) {
  uint8_t* occ = Occ.data();
  const int n = N;
  const int symbols = Symbols;
  const bool packed = IsPacked;
  const TFigClass* classes = Classes.data();
  const int classCount = int(Classes.size());
  const TPlacement* placements = Placements.data();
  const int16_t* cellList = CellList.data();
  int32_t* figPlacement = FigPlacement.data();
  std::memset(occ, 0, size_t(n));
  uint8_t taken[256];
  std::memset(taken, 0, size_t(classCount) + 1);
  int goalHits = 0;
  if (symbols == n) {
    // Every figure is a single cell: symbol k stands on cell k.
    for (int k = 0; k < n; ++k) {
      const int symbol = packed ? (key[k >> 1] >> ((k & 1) * 4)) & 15 : key[k];
      if (symbol == 0 || symbol > classCount) continue;
      const TFigClass& cls = classes[symbol - 1];
      const int p = cls.ByFirstCell[k];
      if (p < 0 || taken[symbol] >= cls.Instances.size()) continue;
      const int fig = cls.Instances[taken[symbol]++];
      figPlacement[fig] = p;
      goalHits += placements[p].GoalFlag;
      occ[k] = uint8_t(fig);
    }
    GoalHits = goalHits;
    return;
  }
  int i = 0;
  for (int k = 0; k < symbols && i < n; ++k) {
    const int symbol = packed ? (key[k >> 1] >> ((k & 1) * 4)) & 15 : key[k];
    if (symbol != 0 && symbol <= classCount) {
      const TFigClass& cls = classes[symbol - 1];
      const int p = cls.ByFirstCell[i];
      if (p >= 0 && taken[symbol] < cls.Instances.size()) {
        const int fig = cls.Instances[taken[symbol]++];
        figPlacement[fig] = p;
        const TPlacement& pl = placements[p];
        goalHits += pl.GoalFlag;
        const int16_t* cells = &cellList[pl.Cells];
        const int cellCount = pl.CellCount;
        for (int c = 0; c < cellCount; ++c) occ[cells[c]] = uint8_t(fig);
      }
    }
    ++i;
    while (i < n && occ[i]) ++i;
  }
  GoalHits = goalHits;
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
