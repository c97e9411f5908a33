// The main window's clipboard commands and its task text and help windows, placed in the window;
// a task read whole updates the text window.

#include <QFrame>

#include "ui/clip_controller.h"
#include "ui/info_controller.h"
#include "ui/zrk_form.h"

namespace zrk {

void TZRKForm::BuildClipboard() {
  Clips = new TClipController(Midend, Clipboard, ToBufBt, FromBufBt, ToBufA, FromBufA, OpenMovesP, this);
  connect(Clips, &TClipController::StateReplaced, this, [this] { Solve->TaskReplaced(); });
  Info = new TInfoController(Midend, Clipboard, Paths, *Ini, this, TextBt, HelpBt, HelpA, CancelA);
}

void TZRKForm::TaskRead() {
  if (Info) Info->TaskRead();
}

} // namespace zrk
