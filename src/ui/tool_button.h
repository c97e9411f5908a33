#pragma once
// A tool button of the program's panels: named for tests and the window's design, with a hint,
// and never taking the keyboard focus, so that keys stay the window's.

#include <QString>

class QToolButton;
class QWidget;

namespace zrk {

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text, const QString& hint);

} // namespace zrk
