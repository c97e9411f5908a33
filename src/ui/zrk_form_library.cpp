// The main window's side of the task library: NavigBt shows the navigator, the navigator opens
// and saves the current task through the window, and its tree follows tasks opened elsewhere.

#include <QSettings>
#include <QShowEvent>
#include <QToolButton>

#include "library/navig_form.h"
#include "ui/task_names.h"
#include "ui/updating.h"
#include "ui/zrk_form.h"

namespace zrk {

void TZRKForm::BuildLibrary() {
  NavigForm = new TNavigForm(*this, *Ini, this);
  connect(NavigBt, &QToolButton::toggled, this, &TZRKForm::NavigBtToggle);
  connect(NavigForm, &TNavigForm::Closed, this, [this] {
    TUpdating updating(Updating);
    NavigBt->setChecked(false);
  });
  // Open again when it was open at exit; its tree is read when this window is shown.
  TUpdating updating(Updating);
  NavigBt->setChecked(Ini->value("Navigate/Visible", 0).toInt() != 0);
}

void TZRKForm::NavigBtToggle(bool on) {
  if (Updating) return;
  NavigForm->setVisible(on);
  if (on) NavigForm->ShowLibrary();
}

void TZRKForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous() || !NavigBt->isChecked() || NavigForm->isVisible()) return;
  NavigForm->show();
  NavigForm->ShowLibrary();
}

// During a solve the task stays as the search found it.
bool TZRKForm::LoadLibraryTask(const QString& path) {
  if (Solve->Solving()) return false;
  const bool ok = Midend.OpenTask(path.toStdString(), true);
  Solve->TaskReplaced();
  if (ok) NavigForm->TaskLoaded(false);
  return ok;
}

bool TZRKForm::SaveLibraryTask(const QString& path) {
  return !Solve->Solving() && Midend.SaveTask(path.toStdString());
}

void TZRKForm::LibraryTaskMoved(const QString& path) {
  Settings.TaskFile = path.toStdString();
  ShowTaskName(true);
}

QString TZRKForm::LibraryDefaultName() const { return DefaultName(Task); }

} // namespace zrk
