#pragma once
// TInfoController: the main window's side of the task text window and the help window. TextBt
// ("T", a toggle) shows and hides the text window, whose edit always mirrors the task's text while
// the button is down; the button's caption is blue while the task has a text. A loaded task with
// a text opens the window when the user asked for that. HelpBt and F1 open the help window, Esc
// in the main window hides it.

#include <QObject>

#include "editor/midend.h"
#include "model/platform.h"

class QAction;
class QSettings;
class QToolButton;

namespace zrk {

struct TAppPaths;
class THelpForm;
class TTextForm;

class TInfoController : public QObject {
  Q_OBJECT
 public:
  // window: the main window, parent of both windows. Restores the text window's placement and,
  // when it was open at the last exit, opens it with the task's text.
  TInfoController(TMidend& midend, IClipboard& clipboard, const TAppPaths& paths, QSettings& ini, QWidget* window,
                  QToolButton* textBt, QToolButton* helpBt, QAction* helpA, QAction* cancelA);

  TTextForm* TextForm;
  THelpForm* HelpForm;

  void TextBtClick();
  void HelpBtClick();
  // After every redraw: the button's colour, and the edit follows a text changed elsewhere (a
  // cleared task, a damaged file read as an empty task).
  void Sync();
  // A task image was read whole (a file or the clipboard).
  void TaskRead();
  // A solve begins: the text and help windows close, as the other secondary windows do.
  void CloseWindows();
  bool TextShown() const;
  void SavePlacements(QSettings& ini) const;

 private:
  TMidend& M;
  QToolButton* TextBt;

  void ShowTextButtonColour();
};

} // namespace zrk
