#pragma once
// Mouse events straight to a widget (the board), with the buttons held tracked as a real mouse would.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace zrk {

class TMouse {
 public:
  explicit TMouse(QWidget* board) : Board(board) {}
  void Press(Qt::MouseButton b, QPoint at, Qt::KeyboardModifiers m = {}) {
    Held |= b;
    Send(QEvent::MouseButtonPress, b, at, m);
  }
  void Move(QPoint at, Qt::KeyboardModifiers m = {}) { Send(QEvent::MouseMove, Qt::NoButton, at, m); }
  void Release(Qt::MouseButton b, QPoint at, Qt::KeyboardModifiers m = {}) {
    Held &= ~b;
    Send(QEvent::MouseButtonRelease, b, at, m);
  }
  void Click(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    Press(b, at);
    Release(b, at);
  }
  // Press, move through the points, release at the last.
  void Drag(Qt::MouseButton b, std::initializer_list<QPoint> path, Qt::KeyboardModifiers m = {}) {
    Press(b, *path.begin(), m);
    for (QPoint p : path) Move(p, m);
    Release(b, path.end()[-1], m);
  }

 private:
  void Send(QEvent::Type type, Qt::MouseButton b, QPoint at, Qt::KeyboardModifiers m) {
    QMouseEvent e(type, QPointF(at), Board->mapToGlobal(QPointF(at)), b, Held, m);
    QApplication::sendEvent(Board, &e);
  }
  QWidget* Board;
  Qt::MouseButtons Held;
};

} // namespace zrk
