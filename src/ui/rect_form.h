#pragma once
// TRectForm: the rectangle dialog "Размеры прямоугольника", which asks for the width and height of
// a rectangular field (at most 62 x 62, optionally square). Its last values live in the settings.

#include <optional>

#include <QDialog>
#include <QSize>

#include "editor/rect_choice.h"

class QCheckBox;
class QPushButton;
class QSettings;
class QSpinBox;

namespace zrk {

class TRectForm : public QDialog {
  Q_OBJECT
 public:
  TRectForm(QSettings& ini, QWidget* parent);

  // Shows the dialog modally, centred on its parent; the chosen width and height on "Да".
  std::optional<QSize> Ask();
  // "RectSquare", "RectX" and "RectY" in section "Opt".
  void WriteSettings(QSettings& ini) const;

  QSpinBox *XSE, *YSE;
  QCheckBox* SquareCB;
  QPushButton *OkBt, *CancelBt;

 private:
  TRectChoice Choice;
  bool Updating = false;

  void ShowChoice();
};

} // namespace zrk
