// The main window's part of solving: the solve controller placed in the window, the play mode it
// asks for, the controls it locks during a solve and the refresh after it.

#include <QLayout>
#include <QToolButton>

#include "library/navig_form.h"
#include "ui/info_controller.h"
#include "ui/rect_form.h"
#include "ui/sol_panel.h"
#include "ui/zrk_form.h"

namespace zrk {

void TZRKForm::BuildSolving() {
  Solve = new TSolveController(*this, this, SolveBt, SolOptBt);
  TreeP->layout()->addWidget(Solve->SolP);
}

void TZRKForm::EnterPlayMode() {
  if (!Task.Options.Play) SwitchMode(false);
}

void TZRKForm::SolvingChanged(bool solving, const QList<QWidget*>& keep) {
  NavigForm->SolvingChanged(solving);
  if (!solving) {
    SolveLock.Unlock();
    return;
  }
  const QList<QWidget*> dialogs{static_cast<QWidget*>(RectForm), static_cast<QWidget*>(ClearForm),
                                static_cast<QWidget*>(NumsForm)};
  for (QWidget* dialog : dialogs)
    if (dialog && dialog->isVisible()) dialog->close();
  if (Info) Info->CloseWindows();
  SolveLock.Lock(this, keep);
}

void TZRKForm::LineChanged(bool undoPoint) { Refresh(undoPoint ? UndoStep::New : UndoStep::None); }

void TZRKForm::ShowError(const QString& caption, const QString& text) {
  Reporter->Report(MsgKind::Error, caption.toStdString(), text.toStdString());
}

} // namespace zrk
