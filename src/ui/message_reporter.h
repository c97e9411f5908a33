#pragma once
// Errors the user must see: a message box with the stop or the warning icon, always on top.

#include <QString>

#include "model/report.h"

class QWidget;

namespace zrk {

class TMessageReporter final : public IReporter {
 public:
  explicit TMessageReporter(QWidget* parent) : Parent(parent) {}
  void Report(MsgKind kind, const std::string& caption, const std::string& text) override;

 private:
  QWidget* Parent;
};

// ShowError: the stop icon.
void ShowError(QWidget* parent, const QString& caption, const QString& text);
// A question with Yes and No, always on top; true only for Yes.
bool AskYesNo(QWidget* parent, const QString& caption, const QString& text);

} // namespace zrk
