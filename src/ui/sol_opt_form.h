#pragma once
// TSolOptForm: the solve options dialog ("Настройки решения"), modeless. Its controls take the
// options when it is shown; every click stores into the options at once. The solution count is
// offered only with several solutions wanted, the counting of solutions only without the farthest
// position (which explores every layer anyway).

#include <QDialog>

#include "solver/solver.h"

class QCheckBox;
class QComboBox;

namespace zrk {

class TSolOptForm : public QDialog {
  Q_OBJECT
 public:
  // options: the program's solve options, edited in place.
  TSolOptForm(TSolveOptions& options, QWidget* parent = nullptr);

  QCheckBox *RemoteCB, *ManySolCB, *CountSolCB, *ForgetLayersCB, *UseEvalCB;
  QComboBox* SolMaxCB;

  // Fills the controls from the options and shows the dialog.
  void ShowOptions();
  // The controls from the options, without storing anything back.
  void FillControls();

 private:
  TSolveOptions& options_;
  bool updating_ = false;
  void ApplyVisibility();
};

} // namespace zrk
