// The main window's editing with the mouse: the board's pointer events into the gestures and their
// outcome onto the screen, the tool buttons (PlusBt/Ins, WallsBt, PinsBt, NumsBt) with their
// cursors, Esc, and the rectangle, clearing and numbering dialogs.

#include <QAction>
#include <QKeyEvent>
#include <QSettings>
#include <QToolButton>

#include "editor/clear_task.h"
#include "editor/rect_field.h"
#include "ui/rect_form.h"
#include "ui/spin_frame.h"
#include "ui/updating.h"
#include "ui/zrk_form.h"

namespace zrk {

namespace {

constexpr int NumsToolIndex = int(EditTool::Nums);

} // namespace

void TZRKForm::BuildEditing() {
  Gestures = &Midend.Pointer.Edit;
  Gestures->Numbers = &Numbers;
  Im->Input = this;
  Task.Hooks = this;
  RectForm = new TRectForm(*Ini, this);
  ClearForm = new TClearForm(*Ini, this);
  NumsForm = new TNumsForm(Task, Numbers, *this, *Ini, this);

  for (int i = 0; i < ToolButtons.size(); ++i) {
    if (i == NumsToolIndex) connect(ToolButtons[i], &QToolButton::clicked, this, &TZRKForm::NumsBtClick);
    else connect(ToolButtons[i], &QToolButton::clicked, this, [this, i] { ToolBtClick(i); });
  }
  connect(PlusA, &QAction::triggered, this, [this] {
    if (Task.Options.Play) return;
    PlusBt->setChecked(!PlusBt->isChecked());
    ToolBtClick(int(EditTool::Plus));
  });
  connect(CancelA, &QAction::triggered, this, &TZRKForm::CancelAClick);
  connect(RectBt, &QToolButton::clicked, this, &TZRKForm::RectBtClick);
  connect(ClearAllBt, &QToolButton::clicked, this, &TZRKForm::ClearAllBtClick);
  connect(ClearForm, &TClearForm::DefaultColourAsked, this, &TZRKForm::DefaultColour);
  UpdateBoardCursor();
}

// --- the board ---

void TZRKForm::BoardPress(const TPointerEvent& e) {
  ToolsFromButtons();
  ApplyGesture(Midend.Press(e));
}

void TZRKForm::BoardMove(const TPointerEvent& e) { ApplyGesture(Midend.Move(e)); }

void TZRKForm::BoardRelease(const TPointerEvent& e) { ApplyGesture(Midend.Release(e)); }

void TZRKForm::CancelAClick() { ApplyGesture(Midend.Cancel()); }

// The midend has redrawn what the gesture changed; the window's own controls follow here.
void TZRKForm::ApplyGesture(const TGestureOutcome& out) {
  if (out.ClearFocus)
    if (QWidget* focused = focusWidget()) focused->clearFocus();
  if (out.ToolChanged) {
    TUpdating updating(Updating);
    for (int i = 0; i < ToolButtons.size(); ++i) ToolButtons[i]->setChecked(i == int(Gestures->Tool));
    FixDir1Bt->setChecked(Midend.Pointer.FixMode);
  }
  if (out.NumberTaken) NumsForm->NumberTaken();
  if (out.FocusNumbers && NumsMode) NumsForm->FocusName();
  UpdateBoardCursor();
}

void TZRKForm::UpdateBoardCursor() {
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (Gestures->Dragging() || Midend.Pointer.Moving()) {
    shape = Qt::ClosedHandCursor;
  } else if (!Task.Options.Play) {
    switch (Gestures->Tool) {
      case EditTool::Plus: shape = Qt::CrossCursor; break;
      case EditTool::Walls: shape = Qt::IBeamCursor; break; // a bar, as the wall it draws
      case EditTool::Pins:
      case EditTool::Nums: shape = Qt::PointingHandCursor; break;
      case EditTool::AddColumn:
      case EditTool::DeleteColumn: shape = Qt::SplitHCursor; break;
      case EditTool::AddRow:
      case EditTool::DeleteRow: shape = Qt::SplitVCursor; break;
      case EditTool::None: break;
    }
  }
  if (Im->cursor().shape() != shape) Im->setCursor(shape);
}

// --- tool buttons ---

void TZRKForm::ToolsFromButtons() {
  EditTool tool = EditTool::None;
  for (int i = 0; i < ToolButtons.size() && tool == EditTool::None; ++i)
    if (ToolButtons[i]->isChecked()) tool = EditTool(i);
  Gestures->Tool = tool;
  Gestures->NumsMode = NumsMode;
  UpdateBoardCursor();
}

// At most one tool is down; pressing one of the first seven leaves numbering mode.
void TZRKForm::ToolBtClick(int index) {
  if (Updating) return;
  QToolButton* pressed = ToolButtons[index];
  if (pressed->isChecked()) {
    if (NumsMode) SetNumsMode(false);
    TUpdating updating(Updating);
    for (QToolButton* b : ToolButtons)
      if (b != pressed) b->setChecked(false);
  }
  ToolsFromButtons();
}

void TZRKForm::NumsBtClick() {
  if (Updating) return;
  // Numbers are not given while the figures slide.
  if (Midend.Anim.Animating()) {
    TUpdating updating(Updating);
    NumsBt->setChecked(NumsMode);
    return;
  }
  if (NumsBt->isChecked()) {
    TUpdating updating(Updating);
    for (QToolButton* b : ToolButtons)
      if (b != NumsBt) b->setChecked(false);
  }
  SetNumsMode(NumsBt->isChecked());
  // With the numbers on the board anyway nothing looks different.
  if (Task.Options.ShowNums) {
    UndoRing.RecordUndo();
    EnableUndoButtons();
  } else {
    Refresh(UndoStep::New);
  }
}

void TZRKForm::SetNumsMode(bool on) {
  {
    TUpdating updating(Updating);
    NumsBt->setChecked(on);
  }
  NumsMode = on;
  if (on) {
    NumsForm->Fill();
    NumsForm->show();
    NumsForm->raise();
  } else {
    NumsForm->hide();
  }
  ToolsFromButtons();
}

// --- the numbering window ---

void TZRKForm::FigCountChanged() {
  if (NumsMode && NumsForm) NumsForm->Fill();
}

void TZRKForm::SelectionChanged() {
  if (NumsMode && NumsForm) NumsForm->UpdateName();
}

void TZRKForm::NumsRefresh() { Refresh(UndoStep::New); }

void TZRKForm::NumsNotationChanged() { Refresh(UndoStep::None); }

void TZRKForm::NumsClosed() {
  if (!NumsMode) return;
  SetNumsMode(false);
  if (Task.Options.ShowNums) {
    UndoRing.RecordUndo();
    EnableUndoButtons();
  } else {
    Refresh(UndoStep::New);
  }
}

void TZRKForm::keyReleaseEvent(QKeyEvent* event) {
  QMainWindow::keyReleaseEvent(event);
  if (NumsMode && event->modifiers() == Qt::NoModifier && Task.SelFig) NumsForm->FocusName();
}

// --- the rectangle and clearing dialogs ---

void TZRKForm::RectBtClick() {
  if (Updating || Task.Options.Play) return;
  const std::optional<QSize> size = RectForm->Ask();
  if (!size || !RectField(Task, size->width(), size->height(), *Reporter)) return;
  {
    TUpdating updating(Updating);
    DimXSF->SetValue(Task.DimX, false);
    DimYSF->SetValue(Task.DimY, false);
  }
  Relayout();
  Refresh(UndoStep::New);
}

void TZRKForm::ClearAllBtClick() {
  if (Updating || Task.Options.Play) return;
  const std::optional<TClearChoice> choice = ClearForm->Ask();
  if (!choice) return;
  if (WallsBt->isChecked()) {
    TUpdating updating(Updating);
    WallsBt->setChecked(false);
  }
  ToolsFromButtons();
  ClearTask(Task, *choice);
  Relayout();
  Refresh(UndoStep::New);
}

void TZRKForm::DefaultColour(TClearForm::DefaultColour which) {
  switch (which) {
    case TClearForm::DefaultColour::Field: Task.Field().Color = DefaultFieldColor; break;
    case TClearForm::DefaultColour::Grid: Task.GridColor = DefaultGridColor; break;
    case TClearForm::DefaultColour::Walls: Task.WallColor = DefaultWallColor; break;
  }
  Refresh(UndoStep::New);
}

} // namespace zrk
