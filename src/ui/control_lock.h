#pragma once
// TControlLock: disables every control and action of a window except a few that stay usable (the
// stop buttons during a solve), and gives back exactly the enabling it took away. A control that
// was disabled already stays so; painting goes on, since disabled widgets still repaint.

#include <QList>
#include <QPointer>

class QAction;
class QWidget;

namespace zrk {

class TControlLock {
 public:
  void Lock(QWidget* root, const QList<QWidget*>& keep);
  void Unlock();
  bool Locked() const { return locked_; }

 private:
  void DisableBelow(QWidget* w, const QList<QWidget*>& keep);
  QList<QPointer<QWidget>> widgets_;
  QList<QPointer<QAction>> actions_;
  bool locked_ = false;
};

} // namespace zrk
