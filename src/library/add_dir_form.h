#pragma once
// TAddDirForm: "Добавить подпапку", a modeless dialog that names a new numbered subfolder of the
// folder selected in the navigator. The navigator does the adding when asked.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

namespace zrk {

class TAddDirForm : public QDialog {
  Q_OBJECT
 public:
  TAddDirForm(QSettings& ini, QWidget* parent);

  // Shows the dialog for the folder with an empty name.
  void Open(const QString& folderName);
  // The caption follows the navigator's selection.
  void SetFolderName(const QString& folderName);
  // The placement in section "AddDir".
  void WritePlacement(QSettings& ini) const;

  QLineEdit* E;
  QPushButton *AddBt, *AddCloseBt;
  QLabel* HintL;

 signals:
  void AddAsked(bool thenClose);
  void Closed();
};

} // namespace zrk
