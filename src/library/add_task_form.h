#pragma once
// TAddTaskForm: "Добавить задачу в папку", a modeless dialog that names the file under which the
// current task is added to the folder selected in the navigator. While it is open the user may
// load other tasks and select other folders; the navigator does the adding when asked.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

namespace zrk {

class TAddTaskForm : public QDialog {
  Q_OBJECT
 public:
  TAddTaskForm(QSettings& ini, QWidget* parent);

  // Shows the dialog for the folder; the name field gets the proposal, the main box is cleared.
  void Open(const QString& folderName, const QString& proposal);
  void SetFolderName(const QString& folderName);
  // The placement in section "AddTask" and the "Имя по умолчанию" box ("DefName").
  void WriteSettings(QSettings& ini) const;

  QLineEdit* E;
  QCheckBox *MainCB, *DefNameCB;
  QPushButton *ClearBt, *AddBt, *AddCloseBt;
  QLabel *ChangeL, *EmptyL;

 signals:
  void AddAsked(bool thenClose);
  // DefNameCB was checked: the name field wants the default name.
  void DefaultNameAsked();
  void Closed();
};

} // namespace zrk
