#pragma once
// THelpForm: the window "Справка по программе" with the program's description from
// "Описание.txt" (read on the first opening, once per run), a button that copies the selected (or
// the whole) text, and a bottom panel with the author line whose click opens the project's page.

#include <functional>

#include <QUrl>
#include <QWidget>

#include "model/platform.h"
#include "model/report.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace zrk {

extern const char* const HelpFormCaption;   // "Справка по программе"
extern const char* const HelpMissingCaption; // "Файл справки отсутствует!"
extern const char* const ProjectPage;        // the address the bottom panel opens

class THelpForm : public QWidget {
  Q_OBJECT
 public:
  THelpForm(const QString& descrPath, IClipboard& clipboard, IReporter& reporter, QWidget* parent);

  // HelpBt and F1: the description is read when the window has none yet; then the window shows.
  void Open();
  void ToBufBtClick();

  QPlainTextEdit* E;
  QFrame* Panel1;
  QLabel *AuthorL, *VersionL;
  QToolButton* ToBufBt;
  // How the project's page is opened (the system's browser; tests look instead).
  std::function<void(const QUrl&)> OpenUrl;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString DescrPath;
  IClipboard& Clip;
  IReporter& Reporter;

  void LoadDescription();
};

} // namespace zrk
