// The main window's settings, its start task and automatic save, and the commands that open and
// save task files.

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "model/json_export.h"
#include "play/json_play.h"
#include "ui/rect_form.h"
#include "ui/task_names.h"
#include "ui/zrk_form.h"

namespace zrk {

namespace {

const QString ZrkFilter = "ZRK (*.zrk)";
const QString JsonFilter = "JSON (*.json)";

bool ReadBool(QSettings& ini, const char* key, bool def) { return ini.value(QString("Opt/") + key, def ? 1 : 0).toInt() != 0; }
int ReadInt(QSettings& ini, const char* key, int def) {
  bool ok = false;
  const int v = ini.value(QString("Opt/") + key, def).toInt(&ok);
  return ok ? v : def;
}
QString ReadStr(QSettings& ini, const char* key, const QString& def) {
  return ini.value(QString("Opt/") + key, def).toString();
}
void WriteBool(QSettings& ini, const char* key, bool v) { ini.setValue(QString("Opt/") + key, v ? 1 : 0); }

} // namespace

void TZRKForm::ReadSettings(const QStringList& args, QString& fileToLoad) {
  QSettings& ini = *Ini;
  LoadPlacement(ini, *this, "0", false);
  {
    Updating = true;
    OnlyField = ReadBool(ini, "OnlyField", true);
    TreeWidth = std::max(299, ReadInt(ini, "TreeWidth", 357));
    InfoOpened = ReadBool(ini, "InfoOpened", false);
    Colours.SameColor = ReadBool(ini, "SameColor", false);
    Turn = ReadBool(ini, "Turn", false);
    Solver.Remote = ReadBool(ini, "Remote", true);
    Solver.ManySol = ReadBool(ini, "ManySol", false);
    Solver.CountSol = ReadBool(ini, "CountSol", false);
    Solver.ForgetLayers = ReadBool(ini, "ForgetLayers", false);
    Solver.UseEval = ReadBool(ini, "UseEval", false);
    Solver.SolMax = ReadInt(ini, "SolMax", 10);
    Updating = false;
  }
  LastColor = Colour(ReadInt(ini, "LastColor", int(StandardPalette[0]))) & 0xFFFFFF;
  OpenInfo = ReadBool(ini, "OpenInfo", true);
  AnimSpeed = ReadInt(ini, "AnimSpeed", 5);
  PictFile = ReadStr(ini, "PictFile", Paths.ExeDir);
  if (!args.isEmpty() && args[0] != "-") {
    TaskFile = args[0];
    fileToLoad = TaskFile;
  } else if (args.isEmpty()) {
    fileToLoad = Paths.CurrentPath;
  }
  if (TaskFile.isEmpty()) TaskFile = ReadStr(ini, "TaskFile", Paths.CurrentPath);
  MovesFile = ReadStr(ini, "MovesFile", Paths.ExeDir);
}

void TZRKForm::WriteSettings() {
  QSettings& ini = *Ini;
  SavePlacement(ini, *this, "0", false);
  Solve->SavePlacements(ini);
  WriteBool(ini, "OnlyField", OnlyField);
  WriteBool(ini, "OpenInfo", OpenInfo);
  WriteBool(ini, "InfoOpened", false); // the task text window is not part of this window yet
  WriteBool(ini, "SameColor", Colours.SameColor);
  WriteBool(ini, "Turn", Turn);
  WriteBool(ini, "Remote", Solver.Remote);
  WriteBool(ini, "ManySol", Solver.ManySol);
  WriteBool(ini, "CountSol", Solver.CountSol);
  WriteBool(ini, "ForgetLayers", Solver.ForgetLayers);
  WriteBool(ini, "UseEval", Solver.UseEval);
  ini.setValue("Opt/SolMax", Solver.SolMax);
  ini.setValue("Opt/TaskFile", TaskFile);
  ini.setValue("Opt/MovesFile", MovesFile);
  ini.setValue("Opt/PictFile", PictFile);
  ini.setValue("Opt/TreeWidth", TreeWidth);
  ini.setValue("Opt/AnimSpeed", AnimSpeed);
  ini.setValue("Opt/LastColor", int(LastColor));
  ini.setValue("Navigate/Visible", 0);
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
  SaveTask(Task, Paths.CurrentPath.toStdString(), Io());
}

void TZRKForm::closeEvent(QCloseEvent* event) {
  // A close during a solve ends the solve first; its results are saved with the rest.
  Solve->StopAndFinish();
  Shutdown();
  QMainWindow::closeEvent(event);
}

// --- opening ---

bool TZRKForm::OpenTaskFile(const QString& path, bool setTaskFile) {
  const bool ok = LoadTask(Task, path.toStdString(), Io());
  // A new task starts a new history; after a refused file the old one still describes the task.
  if (ok) UndoRing.ClearUndo();
  if (ok && setTaskFile) TaskFile = path;
  ShowTask();
  Solve->TaskReplaced();
  ShowTaskName(true);
  return ok;
}

void TZRKForm::OpenBtClick() {
  const QFileInfo info(TaskFile);
  QFileDialog dialog(this, QStringLiteral("Открыть задачу"), info.path(), ZrkFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("zrk");
  dialog.selectFile(info.completeBaseName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  OpenTaskFile(dialog.selectedFiles().first(), true);
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
  return SaveProposal(saveAs, TaskFile, Paths.CurrentPath, Task, FilesOnDisk());
}

bool TZRKForm::SaveTaskTo(const QString& path, bool json) {
  if (json) {
    // The export is for other programs; the task keeps its own file.
    const std::string text = ExportTaskJson(Task, JsonPlayData(Play));
    return WriteWholeFile(path.toStdString(), text.data(), text.size(), Reporter);
  }
  if (!SaveTask(Task, path.toStdString(), Io())) return false;
  TaskFile = path;
  ShowTaskName(true);
  return true;
}

void TZRKForm::SaveBtClick(bool saveAs) {
  const QFileInfo info(TaskFile);
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
