#include "tasklib/order_list.h"

#include <algorithm>
#include <numeric>

namespace zrk {

TOrderList::TOrderList(int count) : Items(size_t(std::max(count, 0))), Selected(Items.size(), false) {
  std::iota(Items.begin(), Items.end(), 0);
}

int TOrderList::FirstSelected() const {
  const auto at = std::find(Selected.begin(), Selected.end(), true);
  return at == Selected.end() ? -1 : int(at - Selected.begin());
}

bool TOrderList::Changed() const {
  for (int r = 0; r < Count(); ++r)
    if (Items[r] != r) return true;
  return false;
}

int TOrderList::UnselectedBefore(int row) const {
  return int(std::count(Selected.begin(), Selected.begin() + std::clamp(row, 0, Count()), false));
}

void TOrderList::MoveSelection(int p) {
  std::vector<int> block, rest;
  int focusInBlock = -1, focusInRest = -1;
  for (int r = 0; r < Count(); ++r) {
    std::vector<int>& to = Selected[r] ? block : rest;
    if (r == Focused) (Selected[r] ? focusInBlock : focusInRest) = int(to.size());
    to.push_back(Items[r]);
  }
  if (block.empty()) return;
  p = std::clamp(p, 0, int(rest.size()));
  Items.assign(rest.begin(), rest.begin() + p);
  Items.insert(Items.end(), block.begin(), block.end());
  Items.insert(Items.end(), rest.begin() + p, rest.end());
  std::fill(Selected.begin(), Selected.end(), false);
  std::fill(Selected.begin() + p, Selected.begin() + p + int(block.size()), true);
  if (focusInBlock >= 0) Focused = p + focusInBlock;
  else if (focusInRest >= 0) Focused = focusInRest < p ? focusInRest : focusInRest + int(block.size());
}

void TOrderList::ToFirst() { MoveSelection(0); }

void TOrderList::ToLast() { MoveSelection(Count()); }

// The first selected element's row is also the number of unselected elements before it.
void TOrderList::Up() {
  const int first = FirstSelected();
  if (first >= 0) MoveSelection(first - 1);
}

void TOrderList::Down() {
  const int first = FirstSelected();
  if (first >= 0) MoveSelection(first + 1);
}

void TOrderList::Drop(int row, bool after) {
  if (row < 0 || row >= Count()) return;
  MoveSelection(UnselectedBefore(row) + (after && !Selected[row] ? 1 : 0));
}

} // namespace zrk
