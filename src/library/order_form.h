#pragma once
// TOrderForm: the modal dialog that puts a folder's tasks or subfolders into a new order. Rows are
// selected with the left button and dragged with the right one; four buttons move the selection
// to the start, the end, one place up or down. The navigator renames the entries on OK.

#include <QDialog>
#include <QListWidget>

#include "tasklib/order_list.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zrk {

// The list of the dialog: a press of the right button selects the row (alone, unless it is
// selected already) and starts a drag; its release drops the selection on the row under it.
class TOrderListBox : public QListWidget {
  Q_OBJECT
 public:
  using QListWidget::QListWidget;
  static constexpr int RowHeight = 16;
  static constexpr int LowerPart = 8; // a drop more than this far below a row's top goes after it

 signals:
  void Dropped(int row, bool after);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool Dragging = false;
};

class TOrderForm : public QDialog {
  Q_OBJECT
 public:
  explicit TOrderForm(QWidget* parent);

  // Fills the dialog for the elements, shown by these texts in their present order.
  void Setup(const QString& folderName, const QStringList& shown, bool forTasks, bool hasMain);
  // After OK: the elements' positions before the dialog in their new order, and whether the
  // first task is to be the main one.
  const std::vector<int>& Order() const { return List.Items; }
  bool MainFirst() const;

  QLabel *DirL, *DragL;
  QCheckBox* MainCB;
  TOrderListBox* LB;
  QPushButton *FirstBt, *LastBt, *UpBt, *DownBt, *OkBt, *CancelBt;
  QWidget* TopP;

 private:
  TOrderList List{0};
  QStringList Shown;
  bool ForTasks = false;

  // The widget's selection into the list, a move, and the rows back with their selection.
  template <class F> void Move(F move);
  void ShowRows();
  void FitHeight();
};

} // namespace zrk
