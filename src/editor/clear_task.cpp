#include "editor/clear_task.h"

namespace zrk {

void ClearTask(TTask& task, const TClearChoice& choice) {
  task.Clear(choice.Field, choice.DefaultColours, choice.Text);
  task.New(choice.Field, choice.DefaultColours);
  task.SelSummary();
  task.BuildMaps(false, true);
}

} // namespace zrk
