#include "ui/message_reporter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>

namespace zrk {

namespace {

// Room for the window buttons and the icon of a title bar beside the caption.
constexpr int TitleBarExtra = 140;

// Always on top, and wide enough that the title bar shows the whole caption: a message box is
// sized by its text alone, and a short text under a long caption would cut the caption.
void Prepare(QMessageBox& box, const QString& caption) {
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption) + TitleBarExtra;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  Prepare(box, caption);
  box.exec();
}

} // namespace

void TMessageReporter::Report(MsgKind kind, const std::string& caption, const std::string& text) {
  ShowBox(Parent, kind == MsgKind::Warning ? QMessageBox::Warning : QMessageBox::Critical,
          QString::fromStdString(caption), QString::fromStdString(text));
}

void ShowError(QWidget* parent, const QString& caption, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, caption, text);
}

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
  Prepare(box, caption);
  return box.exec() == QMessageBox::Yes;
}

} // namespace zrk
