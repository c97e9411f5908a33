#include "ui/tool_button.h"

#include <QToolButton>

namespace zrk {

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolTip(hint);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

} // namespace zrk
