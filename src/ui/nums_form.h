#pragma once
// TNumsForm: the numbering window "Нумерация фигурок", shown while numbering mode is on. It lists
// the numbers 1..FigCount-1 with the figures holding them (the numbering tool gives the selected
// number to the figure clicked on the board, then moves to the next), names the single selected
// figure, and carries the options of how numbers and names are shown.

#include <QWidget>

#include "editor/number_list.h"
#include "model/task.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSettings;
class QToolButton;

namespace zrk {

// What the numbering window needs from the window that owns the task.
class INumsHost {
 public:
  virtual ~INumsHost() = default;
  virtual void NumsRefresh() = 0;         // redraw the board with an undo step
  virtual void NumsNotationChanged() = 0; // the move texts name figures differently now
  virtual void NumsClosed() = 0;          // the window was closed: leave numbering mode
};

class TNumsForm : public QWidget {
  Q_OBJECT
 public:
  TNumsForm(TTask& task, TNumberList& list, INumsHost& host, QSettings& ini, QWidget* parent);

  // When numbering mode starts and whenever the number of figures changes: the options, the list
  // from the task, the first number selected, the name field.
  void Fill();
  // The labels again (names or numbers changed) and the two number options.
  void RenewTexts();
  // The name field follows the selection: enabled with the figure's name when exactly one figure
  // is selected, else empty and disabled.
  void UpdateName();
  // After a release on the board in numbering mode: ready to type the selected figure's name.
  void FocusName();
  // The numbering tool took a number: the labels and the list's selection follow.
  void NumberTaken();
  void WritePlacement(QSettings& ini) const;

  QPushButton *NormBt, *ClearAllBt;
  QCheckBox *OrigNumsCB, *OrigMovesNumsCB, *OnlyNamesCB, *DifByNameCB;
  QLineEdit* NameE;
  QToolButton* ClearBt;
  QListWidget* LB;
  QLabel* NameRefusalL; // why the typed name was not taken

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TTask& Task;
  TNumberList& List;
  INumsHost& Host;
  bool Updating = false;

  TFig* SingleSelected() const;
  void ShowSelectedItem();
  void NormBtClick();
  void ClearAllBtClick();
  void OptionClick();
  void NameEChange(const QString& text);
};

} // namespace zrk
