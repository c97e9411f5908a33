#include "ui/message_reporter.h"

#include <QMessageBox>
#include <QString>

namespace zrk {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
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
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  return box.exec() == QMessageBox::Yes;
}

} // namespace zrk
