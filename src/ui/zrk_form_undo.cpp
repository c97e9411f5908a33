// The main window's part of undo and redo: what a snapshot keeps of the window (scroll position,
// pressed tool, settings-level options) and how a restored snapshot is put back on the screen.

#include <QAction>
#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "ui/distrib_form.h"
#include "ui/updating.h"
#include "ui/zrk_form.h"

namespace zrk {

TUndoView TZRKForm::UndoView() const {
  TUndoView v;
  v.ScrollX = ImSB->horizontalScrollBar()->value();
  v.ScrollY = ImSB->verticalScrollBar()->value();
  for (int i = 0; i < ToolButtons.size() && v.Tool < 0; ++i)
    if (ToolButtons[i]->isChecked()) v.Tool = i;
  v.DistribShown = Solve->DistribForm->isVisible();
  v.OnlyField = OnlyField;
  v.SameColor = Colours.SameColor;
  v.Remote = Solver.Remote;
  v.ManySol = Solver.ManySol;
  return v;
}

// The task is already restored; the controls follow it without running their handlers, and the
// refresh records nothing, so that the restored slot stays the current one.
void TZRKForm::RestoreUndoView(const TUndoView& view) {
  OnlyField = view.OnlyField;
  Colours.SameColor = view.SameColor;
  Solver.Remote = view.Remote;
  Solver.ManySol = view.ManySol;
  {
    TUpdating updating(Updating);
    for (int i = 0; i < ToolButtons.size(); ++i) ToolButtons[i]->setChecked(i == view.Tool);
    if (!Task.Options.Play) {
      FixDir1Bt->setChecked(false);
      FixMode = false;
    }
  }
  if (NumsMode != NumsBt->isChecked()) SetNumsMode(NumsBt->isChecked());
  ToolsFromButtons();
  ApplyOptionsToControls();
  Task.SelSummary();
  Relayout();
  ImSB->horizontalScrollBar()->setValue(view.ScrollX);
  ImSB->verticalScrollBar()->setValue(view.ScrollY);
  Refresh(UndoStep::None);
  Solve->RestoreView(view.DistribShown);
}

void TZRKForm::UndoBtClick() {
  UndoRing.Undo(Reporter);
  EnableUndoButtons();
}

void TZRKForm::RedoBtClick() {
  UndoRing.Redo(Reporter);
  EnableUndoButtons();
}

// While the last snapshot failed the buttons stay usable, so that they can say why they refuse.
void TZRKForm::EnableUndoButtons() {
  UndoBt->setEnabled(UndoRing.Failed || UndoRing.CanUndo());
  RedoBt->setEnabled(UndoRing.Failed || UndoRing.CanRedo());
}

} // namespace zrk
