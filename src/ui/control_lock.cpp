#include "ui/control_lock.h"

#include <QAction>
#include <QWidget>

namespace zrk {

void TControlLock::Lock(QWidget* root, const QList<QWidget*>& keep) {
  if (locked_) Unlock();
  locked_ = true;
  DisableBelow(root, keep);
  // Actions carry the shortcuts: a disabled action's shortcut does nothing.
  for (QAction* a : root->findChildren<QAction*>()) {
    if (!a->isEnabled()) continue;
    a->setEnabled(false);
    actions_ << a;
  }
}

// Children that hold a kept control are opened up; every other enabled child is disabled whole.
void TControlLock::DisableBelow(QWidget* w, const QList<QWidget*>& keep) {
  for (QObject* child : w->children()) {
    auto* c = qobject_cast<QWidget*>(child);
    if (!c || c->isWindow() || keep.contains(c)) continue;
    const bool holdsKept = std::any_of(keep.begin(), keep.end(), [c](QWidget* k) { return c->isAncestorOf(k); });
    if (holdsKept) {
      DisableBelow(c, keep);
    } else if (!c->testAttribute(Qt::WA_ForceDisabled)) {
      c->setEnabled(false);
      widgets_ << c;
    }
  }
}

void TControlLock::Unlock() {
  for (const QPointer<QWidget>& w : widgets_)
    if (w) w->setEnabled(true);
  for (const QPointer<QAction>& a : actions_)
    if (a) a->setEnabled(true);
  widgets_.clear();
  actions_.clear();
  locked_ = false;
}

} // namespace zrk
