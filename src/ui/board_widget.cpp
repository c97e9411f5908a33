#include "ui/board_widget.h"

#include <QMouseEvent>

namespace zrk {

namespace {

int ButtonsOf(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? LeftButton : 0) | (b & Qt::RightButton ? RightButton : 0);
}

} // namespace

TPointerEvent PointerEventOf(const QMouseEvent& e) {
  TPointerEvent p;
  p.Button = ButtonsOf(e.button());
  p.Held = ButtonsOf(e.buttons());
  const Qt::KeyboardModifiers m = e.modifiers();
  p.Shift = m & Qt::ShiftModifier;
  p.Ctrl = m & Qt::ControlModifier;
  p.Alt = m & Qt::AltModifier;
  const QPoint at = e.position().toPoint();
  p.X = at.x();
  p.Y = at.y();
  return p;
}

// A double click's second press arrives as a press too (QWidget's default), so quick clicks on
// cells are never lost.
void TBoardWidget::mousePressEvent(QMouseEvent* e) {
  const TPointerEvent p = PointerEventOf(*e);
  if (Input && p.Button != NoButton) Input->BoardPress(p);
}

void TBoardWidget::mouseMoveEvent(QMouseEvent* e) {
  if (Input) Input->BoardMove(PointerEventOf(*e));
}

void TBoardWidget::mouseReleaseEvent(QMouseEvent* e) {
  const TPointerEvent p = PointerEventOf(*e);
  if (Input && p.Button != NoButton) Input->BoardRelease(p);
}

} // namespace zrk
