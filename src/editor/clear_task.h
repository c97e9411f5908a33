#pragma once
// Clearing the task, as the clearing dialog asks: the figures always go; the field, the colours
// and the text when their boxes are ticked.

#include "model/task.h"

namespace zrk {

struct TClearChoice {
  bool Field = true;          // "Очистить поле"
  bool DefaultColours = true; // "Цвет поля и стенок по умолчанию"
  bool Text = true;           // "Очистить текст"
};

// Removes every figure (and what the choice names) and lays the maps anew.
void ClearTask(TTask& task, const TClearChoice& choice);

} // namespace zrk
