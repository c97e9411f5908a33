// The main window's part of undo and redo: what a snapshot keeps of the window itself (scroll
// position, pressed tool) and how it is put back once the midend has restored the task.

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "ui/distrib_form.h"
#include "ui/updating.h"
#include "ui/zrk_form.h"

namespace zrk {

TUndoView TZRKForm::WindowState() const {
  TUndoView v;
  v.ScrollX = ImSB->horizontalScrollBar()->value();
  v.ScrollY = ImSB->verticalScrollBar()->value();
  for (int i = 0; i < ToolButtons.size() && v.Tool < 0; ++i)
    if (ToolButtons[i]->isChecked()) v.Tool = i;
  v.DistribShown = Solve->DistribForm->isVisible();
  return v;
}

// The controls already follow the restored task; the tool and the scroll positions come back here,
// without running the buttons' handlers.
void TZRKForm::RestoreWindowState(const TUndoView& view) {
  {
    TUpdating updating(Updating);
    for (int i = 0; i < ToolButtons.size(); ++i) ToolButtons[i]->setChecked(i == view.Tool);
  }
  if (NumsMode != NumsBt->isChecked()) SetNumsMode(NumsBt->isChecked());
  ToolsFromButtons();
  ImSB->horizontalScrollBar()->setValue(view.ScrollX);
  ImSB->verticalScrollBar()->setValue(view.ScrollY);
  Solve->RestoreView(view.DistribShown);
}

void TZRKForm::UndoBtClick() { Midend.Undo(); }

void TZRKForm::RedoBtClick() { Midend.Redo(); }

// While the last snapshot failed the buttons stay usable, so that they can say why they refuse.
void TZRKForm::EnableUndoButtons() {
  UndoBt->setEnabled(UndoRing.Failed || UndoRing.CanUndo());
  RedoBt->setEnabled(UndoRing.Failed || UndoRing.CanRedo());
}

} // namespace zrk
