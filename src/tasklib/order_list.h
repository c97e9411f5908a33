#pragma once
// The list of the order dialog: elements in their present order, some of them selected. Every move
// takes the selected elements out, in their order, and puts them back as one block among the
// unselected ones; the selection and the focused element go with them.

#include <vector>

namespace zrk {

class TOrderList {
 public:
  explicit TOrderList(int count);

  // The element at row r is Items[r]: its position before the dialog opened.
  std::vector<int> Items;
  std::vector<bool> Selected; // by row
  int Focused = -1;           // row, -1 none

  int Count() const { return int(Items.size()); }
  int FirstSelected() const; // row, -1 when nothing is selected
  bool Changed() const;      // not in the opening order

  // The block goes to position p among the unselected elements: 0 before all of them, their
  // count after all of them.
  void MoveSelection(int p);
  void ToFirst();
  void ToLast();
  void Up();   // one place before the first selected element's index
  void Down(); // one place after it
  // A drop on a row: before it, or after it when dropped on its lower part.
  void Drop(int row, bool after);

 private:
  int UnselectedBefore(int row) const;
};

} // namespace zrk
