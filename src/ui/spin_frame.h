#pragma once
// TSpinFr: a small number-entry frame. An edit box shows the value; the up and down buttons step
// through a fixed ascending list; a typed number is taken after a confirmation (the OK button,
// Enter, leaving the box or a click anywhere else) and clamped to the list's range. Every change
// by the user goes through a handler that may lower the value.

#include <functional>
#include <vector>

#include <QFrame>

class QLineEdit;
class QToolButton;

namespace zrk {

class TSpinFr : public QFrame {
  Q_OBJECT
 public:
  using Handler = std::function<void(int tag, int& value)>;

  explicit TSpinFr(QWidget* parent = nullptr);
  ~TSpinFr() override;

  void Bind(std::vector<int> values, int initial, Handler handler, int tag);
  // Sets the value; with notify the handler runs and may change it.
  void SetValue(int v, bool notify);
  int Value() const { return Current; }
  bool Editing() const { return IsEditing; }

  void SpinUp();
  void SpinDown();
  void Confirm();
  void CancelEdit();

  // The frame that the user is typing into, if any.
  static TSpinFr* EditingFrame();

  QLineEdit* E = nullptr;
  QToolButton* UpBt = nullptr;
  QToolButton* DownBt = nullptr;
  QToolButton* OkBt = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Typed();
  void EndEdit();
  bool OwnsWidget(QObject* o) const;

  std::vector<int> Values;
  int Current = 0;
  int Tag = 0;
  Handler OnChange;
  bool IsEditing = false;
  bool Suppress = false;
};

// The value lists of the cell size and of the board's width and height.
const std::vector<int>& CellSizeValues();
const std::vector<int>& BoardSizeValues();

} // namespace zrk
