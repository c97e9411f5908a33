#pragma once
// TTextForm: the window "Информация о задаче" that shows and edits the task's free text (where the
// puzzle comes from, its author, remarks). Every change of the edit goes into the task's text at
// once. The buttons empty the text, insert the clipboard's text, copy the selected (or the whole)
// text, and put the standard attribute lines of "Attributes.txt" at its head; the check box says
// whether the window opens by itself when a task with a text is loaded.

#include <QWidget>

#include "editor/settings.h"
#include "model/platform.h"
#include "model/report.h"
#include "model/task.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace zrk {

extern const char* const TextFormCaption; // "Информация о задаче"

class TTextForm : public QWidget {
  Q_OBJECT
 public:
  TTextForm(TTask& task, TSettings& settings, IClipboard& clipboard, const QString& attrPath, IReporter& reporter,
            QWidget* parent);

  // The edit takes the task's text.
  void ShowText();
  // The edit holds the task's text (as the task stores it).
  bool HoldsTaskText() const;

  void ClearBtClick();
  void FromBufBtClick();
  void ToBufBtClick();
  void AttrsBtClick();

  QPlainTextEdit* E;
  QToolButton *ClearBt, *FromBufBt, *ToBufBt;
  QPushButton* AttrsBt;
  QLabel* SizeL;
  QCheckBox* OpenInfoCB;

 signals:
  // The task's text changed through the window.
  void TextEdited();
  // The user closed the window.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TTask& Task;
  TSettings& Settings;
  IClipboard& Clip;
  QString AttrPath;
  IReporter& Reporter;
  bool Filling = false;
  std::string Shown; // the task's text as the edit last took or gave it

  void Edited();
  // Replaces the whole text through the edit's cursor, so that the edit's own undo can take it back.
  void ReplaceAll(const QString& text);
  void ShowSize();
};

} // namespace zrk
