#pragma once
// TClipController: the clipboard commands of the main window. ToBufBt and Ctrl+C / Ctrl+Ins copy
// (the button with Ctrl, and play mode, copy the whole state), FromBufBt and Ctrl+V, Shift+Ins,
// Alt+Ins, Ctrl+Shift+V paste (with Shift the pasted figures keep their colours), and
// MovesToBufBt places the moves up to the current position as text (with Ctrl those from it on).
//
// The Ctrl that is part of Ctrl+C and Ctrl+Ins is the shortcut's, not the whole-state modifier;
// the Shift of Shift+Ins and Ctrl+Shift+V is the colour modifier, as it is on the button.

#include <QObject>

#include "editor/midend.h"
#include "model/platform.h"

class QAction;
class QToolButton;
class QWidget;

namespace zrk {

class TClipController : public QObject {
  Q_OBJECT
 public:
  // movesPanel: the play-mode panel that receives MovesToBufBt beside the moves file button.
  TClipController(TMidend& midend, IClipboard& clipboard, QToolButton* toBufBt, QToolButton* fromBufBt,
                  QAction* toBufA, QAction* fromBufA, QWidget* movesPanel, QObject* parent);

  QToolButton* MovesToBufBt;

  void Copy(bool wholeState);
  void Paste(bool keepColours);
  void CopyMoves(bool fromCurrent);

 signals:
  // A whole state was pasted: another task with its own history.
  void StateReplaced();

 private:
  TMidend& M;
  IClipboard& Clip;
};

} // namespace zrk
