// Moving the selected rows of the order dialog's list as one block.
#include <gtest/gtest.h>

#include "tasklib/order_list.h"

namespace zrk {
namespace {

enum class TOp { First, Last, Up, Down, DropBefore, DropAfter };

TEST(OrderList, MovesTheSelectionAsOneBlock) {
  struct TCase {
    const char* What;
    std::vector<int> Sel; // selected rows of 0..5 in the opening order
    int Focus;
    TOp Op;
    int Row; // for a drop
    std::vector<int> Items;
    int FocusAfter;
  };
  const TCase cases[] = {
      {"to the start", {2, 4}, 4, TOp::First, 0, {2, 4, 0, 1, 3, 5}, 1},
      {"to the end", {0, 3}, 0, TOp::Last, 0, {1, 2, 4, 5, 0, 3}, 4},
      {"up from the middle", {2, 4}, 2, TOp::Up, 0, {0, 2, 4, 1, 3, 5}, 1},
      {"up at the top stays", {0, 3}, 3, TOp::Up, 0, {0, 3, 1, 2, 4, 5}, 1},
      {"down", {1, 2}, 1, TOp::Down, 0, {0, 3, 1, 2, 4, 5}, 2},
      {"down at the bottom", {4, 5}, 5, TOp::Down, 0, {0, 1, 2, 3, 4, 5}, 5},
      {"drop before a row", {4}, 4, TOp::DropBefore, 1, {0, 4, 1, 2, 3, 5}, 1},
      {"drop after a row", {0, 1}, 0, TOp::DropAfter, 3, {2, 3, 0, 1, 4, 5}, 2},
      {"drop on a selected row", {1, 3}, 1, TOp::DropAfter, 3, {0, 2, 1, 3, 4, 5}, 2},
      {"focus outside the block follows its row", {0}, 5, TOp::Last, 0, {1, 2, 3, 4, 5, 0}, 4},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TOrderList list(6);
    for (int r : c.Sel) list.Selected[r] = true;
    list.Focused = c.Focus;
    switch (c.Op) {
      case TOp::First: list.ToFirst(); break;
      case TOp::Last: list.ToLast(); break;
      case TOp::Up: list.Up(); break;
      case TOp::Down: list.Down(); break;
      case TOp::DropBefore: list.Drop(c.Row, false); break;
      case TOp::DropAfter: list.Drop(c.Row, true); break;
    }
    EXPECT_EQ(list.Items, c.Items);
    EXPECT_EQ(list.Focused, c.FocusAfter);
    // The moved elements are still the selected ones.
    for (int r = 0; r < list.Count(); ++r) {
      const bool wasSelected = std::find(c.Sel.begin(), c.Sel.end(), list.Items[r]) != c.Sel.end();
      EXPECT_EQ(list.Selected[r], wasSelected) << r;
    }
  }
}

TEST(OrderList, ChangedOnlyWhenTheOrderDiffers) {
  TOrderList list(3);
  EXPECT_FALSE(list.Changed());
  list.Up(); // nothing selected: nothing moves
  EXPECT_FALSE(list.Changed());
  list.Selected[2] = true;
  list.ToFirst();
  EXPECT_TRUE(list.Changed());
  list.ToLast();
  EXPECT_FALSE(list.Changed());
}

} // namespace
} // namespace zrk
