// The main window's settings, its start task and automatic save, and the commands that open and
// save task files.

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "library/navig_form.h"
#include "ui/info_controller.h"
#include "ui/ini_store.h"
#include "ui/rect_form.h"
#include "ui/task_names.h"
#include "ui/zrk_form.h"

namespace zrk {

namespace {

const QString ZrkFilter = "ZRK (*.zrk)";
const QString JsonFilter = "JSON (*.json)";

} // namespace

void TZRKForm::WriteSettings() {
  QSettings& ini = *Ini;
  SavePlacement(ini, *this, "0", false);
  Solve->SavePlacements(ini);
  Settings.InfoOpened = Info->TextShown();
  Info->SavePlacements(ini);
  TIniStore store(ini);
  Midend.WriteSettings(store);
  ini.setValue("Navigate/Visible", NavigForm->isVisible() ? 1 : 0);
  NavigForm->WriteSettings(ini);
  RectForm->WriteSettings(ini);
  ClearForm->WritePlacement(ini);
  NumsForm->WritePlacement(ini);
  ini.sync();
  if (ini.status() != QSettings::NoError)
    Reporter->Report(MsgKind::Warning, CannotWriteFileCaption, Paths.IniPath.toStdString());
}

void TZRKForm::Shutdown() {
  if (ShutdownDone) return;
  ShutdownDone = true;
  if (ClosingWithoutSave) return;
  WriteSettings();
  Midend.SaveState();
}

void TZRKForm::closeEvent(QCloseEvent* event) {
  // A close during a solve ends the solve first; its results are saved with the rest.
  Solve->StopAndFinish();
  Shutdown();
  QMainWindow::closeEvent(event);
}

// --- opening ---

bool TZRKForm::OpenTaskFile(const QString& path, bool setTaskFile) {
  const bool ok = Midend.OpenTask(path.toStdString(), setTaskFile);
  Solve->TaskReplaced();
  if (ok) NavigForm->TaskLoaded(true);
  return ok;
}

void TZRKForm::OpenBtClick() {
  const QFileInfo info(TaskFile());
  QFileDialog dialog(this, QStringLiteral("Открыть задачу"), info.path(), ZrkFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("zrk");
  dialog.selectFile(info.completeBaseName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  OpenTaskFile(dialog.selectedFiles().first(), true);
}

void TZRKForm::OpenMovesBtClick(bool fromClipboard) {
  if (!Task.Options.Play) return;
  Midend.StopAnimation();
  if (fromClipboard) {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty()) Midend.AddMoves(text.toStdString());
    return;
  }
  const QFileInfo last(QString::fromStdString(Settings.MovesFile));
  QFileDialog dialog(this, QStringLiteral("Открыть цепочку ходов"), last.isDir() ? last.filePath() : last.path(),
                     QStringLiteral("Ходы из текста (*.txt)"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("txt");
  if (!last.isDir()) dialog.selectFile(last.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  Midend.OpenMovesFile(dialog.selectedFiles().first().toStdString());
}

void TZRKForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!Solve->Solving() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only the first of several dropped files is opened.
void TZRKForm::dropEvent(QDropEvent* event) {
  if (Solve->Solving()) return; // the task stays as the search found it
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  const QString file = urls.first().toLocalFile().left(300);
  event->acceptProposedAction();
  OpenTaskFile(file, true);
}

// --- saving ---

QString TZRKForm::ProposedSaveName(bool saveAs) const {
  return SaveProposal(saveAs, TaskFile(), Paths.CurrentPath, Task, FilesOnDisk());
}

bool TZRKForm::SaveTaskTo(const QString& path, bool json) {
  return json ? Midend.ExportJson(path.toStdString()) : Midend.SaveTask(path.toStdString());
}

void TZRKForm::SaveBtClick(bool saveAs) {
  const QFileInfo info(TaskFile());
  QFileDialog dialog(this, QStringLiteral("Сохранить задачу"), info.path(), ZrkFilter + ";;" + JsonFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("zrk");
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(filter == JsonFilter ? "json" : "zrk"); });
  dialog.selectFile(ProposedSaveName(saveAs));
  // The dialog asks in its own words; the program asks its own question below.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().first();
  if (QFileInfo::exists(file) && !Ask(QStringLiteral("Файл уже существует"), QStringLiteral("Сохранять?"))) return;
  SaveTaskTo(file, dialog.selectedNameFilter() == JsonFilter);
}

} // namespace zrk
