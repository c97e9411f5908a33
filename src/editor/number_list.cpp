#include "editor/number_list.h"

#include <algorithm>

namespace zrk {

void TNumberList::Fill(const TTask& task) {
  Renew(task);
  Selected_ = 0;
}

void TNumberList::Renew(const TTask& task) {
  const int count = std::clamp(task.FigCount - 1, 0, MaxFigRecords - 1);
  Holder.assign(size_t(count), 0);
  for (int i = 1; i <= count; ++i) {
    const int num = task.Figs[size_t(i)].Num;
    if (num >= 1 && num <= count && Holder[size_t(num - 1)] == 0) Holder[size_t(num - 1)] = uint8_t(i);
  }
  Select(Selected_);
}

int TNumberList::FigureOf(int item) const {
  return item >= 0 && item < Count() ? Holder[size_t(item)] : 0;
}

std::string TNumberList::Label(const TTask& task, int item) const {
  const int fig = FigureOf(item);
  if (fig == 0) return std::to_string(item + 1);
  return FigureLabel(task.Figs[size_t(fig)]);
}

void TNumberList::Select(int item) { Selected_ = Count() == 0 ? 0 : std::clamp(item, 0, Count() - 1); }

int TNumberList::TakeNumber() {
  if (Count() == 0) return 0;
  const int n = Selected_ + 1;
  Selected_ = n < Count() ? n : 0;
  return n;
}

std::string FigureLabel(const TFig& f) {
  std::string label = std::to_string(f.Num);
  if (f.HasName()) label += " (" + f.NameStr() + ")";
  return label;
}

const char* NameRefusal(std::string_view name) {
  if (std::any_of(name.begin(), name.end(), [](char c) { return uint8_t(c) <= 32; }))
    return "Имя фигурки не может содержать пробелы";
  if (!name.empty() && name[0] >= '0' && name[0] <= '9') return "Имя фигурки не может начинаться с цифры";
  return nullptr;
}

} // namespace zrk
