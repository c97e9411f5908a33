#pragma once
// The numbering dialog's list: one item per number 1..FigCount-1, each naming the figure that
// holds that number, and the number the numbering tool gives next. A task file may hold any
// numbers: a number nobody holds shows bare, and numbers out of range are not listed.

#include <string>
#include <string_view>
#include <vector>

#include "model/task.h"

namespace zrk {

class TNumberList {
 public:
  // Rebuilds the table from the task and selects the first item.
  void Fill(const TTask& task);
  // Rebuilds the table from the task, keeping the selected item where it can.
  void Renew(const TTask& task);
  int Count() const { return int(Holder.size()); }
  // Figure index holding number item + 1 (the first in index order), 0 when nobody does.
  int FigureOf(int item) const;
  // The item's text in code page 1251: "12", or "12 (Ab)" when its figure has a name.
  std::string Label(const TTask& task, int item) const;

  int Selected() const { return Selected_; }
  void Select(int item);
  // The number the numbering tool gives: the selected item's; the selection moves on to the next
  // item, after the last back to the first. 0 when the list is empty.
  int TakeNumber();

 private:
  std::vector<uint8_t> Holder;
  int Selected_ = 0;
};

// "12" or "12 (Ab)": a figure's number with its name (code page 1251).
std::string FigureLabel(const TFig& f);

// Why this name (code page 1251, at most 3 bytes) cannot be a figure's name, as a UTF-8 message;
// null when it can. A move text must read the name back: it ends at a blank, and a leading digit
// reads as a figure number.
const char* NameRefusal(std::string_view name);

} // namespace zrk
