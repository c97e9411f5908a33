#pragma once
// TClearForm: the clearing dialog "Очистка условия задачи". Its three boxes say what goes besides
// the figures; its three colour buttons put the default field, grid and wall colours back at once,
// while the dialog is open.

#include <optional>

#include <QDialog>

#include "editor/clear_task.h"

class QCheckBox;
class QPushButton;
class QSettings;

namespace zrk {

class TClearForm : public QDialog {
  Q_OBJECT
 public:
  enum class DefaultColour { Field, Grid, Walls };

  TClearForm(QSettings& ini, QWidget* parent);

  // Shows the dialog modally with every box ticked; the choice on OK.
  std::optional<TClearChoice> Ask();
  // The placement in section "Clear".
  void WritePlacement(QSettings& ini) const;

  QCheckBox *ClearFieldCB, *DefColCB, *ClearTextCB;
  QPushButton *FieldColBt, *GridColBt, *WallsColBt, *OkBt, *CancelBt;

 signals:
  // A colour button was pressed: the owner sets the colour and redraws with an undo step.
  void DefaultColourAsked(zrk::TClearForm::DefaultColour which);
};

} // namespace zrk
