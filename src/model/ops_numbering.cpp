#include "model/ops_numbering.h"

#include <array>

namespace zrk {

void CompactNumbers(TTask& task) {
  const int n = task.FigCount;
  for (int i = 0; i < FigSlots; ++i) task.Figs[i].Index = uint8_t(i);
  if (n <= 1) return;

  std::array<int, 256> holder;
  holder.fill(0);
  std::array<bool, FigSlots> unnumbered{};
  for (int i = 1; i < n; ++i) {
    const int num = task.Figs[i].Num;
    if (num == 0 || holder[num] != 0)
      unnumbered[i] = true;
    else
      holder[num] = i;
  }

  auto highestFrom = [&](int from) {
    while (from > 0 && holder[from] == 0) --from;
    return from;
  };
  int high = highestFrom(255);
  for (int s = n - 1; s >= 1 && high >= n; --s) {
    if (holder[s] != 0) continue;
    const int fig = holder[high];
    task.Figs[fig].Num = uint8_t(s);
    holder[s] = fig;
    holder[high] = 0;
    high = highestFrom(high);
  }

  int free = 1;
  for (int i = 1; i < n; ++i) {
    if (!unnumbered[i]) continue;
    while (holder[free] != 0) ++free;
    task.Figs[i].Num = uint8_t(free);
    holder[free] = i;
  }
}

void NumberByRows(TTask& task) {
  std::array<bool, FigSlots> numbered{};
  int next = 1;
  for (int row = 1; row <= task.DimY; ++row) {
    for (int col = 1; col <= task.DimX; ++col) {
      const int index = task.StartMap[(row << 7) | col] & CellFigMask;
      if (index == 0 || index >= task.FigCount || numbered[index]) continue;
      numbered[index] = true;
      task.Figs[index].Num = uint8_t(next++);
    }
  }
  // A figure with no cells is never met on the board; it still needs a number of its own.
  for (int i = 1; i < task.FigCount; ++i)
    if (!numbered[i]) task.Figs[i].Num = uint8_t(next++);
}

bool SetNum(TTask& task, int index, int num) {
  if (index < 1 || index >= task.FigCount || num < 1 || num >= task.FigCount) return false;
  TFig& f = task.Figs[index];
  if (f.Num == num) return false;
  for (int i = 1; i < task.FigCount; ++i) {
    if (task.Figs[i].Num != num) continue;
    task.Figs[i].Num = f.Num;
    break;
  }
  f.Num = uint8_t(num);
  return true;
}

} // namespace zrk
