#include "editor/midend.h"

#include <algorithm>

#include "model/json_export.h"
#include "model/streams.h"
#include "play/json_play.h"
#include "play/notation.h"

namespace zrk {

namespace {

const char* const LeaveTreeCaption = "Перейти в редактирование?";
const char* const LeaveTreeText = "Дерево позиций будет потеряно!";

constexpr int MaxAnimSpeed = AnimSpeedCount - 1;
constexpr int MaxColour = 0xFFFFFF;

} // namespace

TMidend::TMidend(IMidendView& view, IClock* clock)
    : Play(Task), UndoRing(Play, *this), Pointer(Task, Play, Colours, Settings, view), Anim(Play), view_(view),
      clock_(clock ? *clock : steady_) {
  Task.LastColor = &Settings.LastColor;
}

// ---------------------------------------------------------------------------------------------
// Start and settings

void TMidend::SetPaths(const std::string& exeDir, const std::string& currentPath) {
  exeDir_ = exeDir;
  currentPath_ = currentPath;
  Settings.TaskFile.clear();
  Settings.MovesFile = Settings.PictFile = exeDir;
}

void TMidend::ReadSettings(const ISettingsStore& ini) {
  const char* opt = OptSection;
  TSettings& s = Settings;
  TSolveOptions& o = SolveOptions;
  s.OnlyField = ReadBoolSetting(ini, opt, "OnlyField", true);
  s.TreeWidth = ReadIntSetting(ini, opt, "TreeWidth", DefaultTreeWidth, MinTreeWidth, MaxTreeWidth);
  s.InfoOpened = ReadBoolSetting(ini, opt, "InfoOpened", false);
  Colours.SameColor = ReadBoolSetting(ini, opt, "SameColor", false);
  s.Turn = ReadBoolSetting(ini, opt, "Turn", false);
  o.Remote = ReadBoolSetting(ini, opt, "Remote", true);
  o.ManySol = ReadBoolSetting(ini, opt, "ManySol", false);
  o.CountSol = ReadBoolSetting(ini, opt, "CountSol", false);
  o.ForgetLayers = ReadBoolSetting(ini, opt, "ForgetLayers", false);
  o.UseEval = ReadBoolSetting(ini, opt, "UseEval", false);
  o.SolMax = ReadIntSetting(ini, opt, "SolMax", 10, 1, MaxSolutions);
  s.LastColor = Colour(ReadIntSetting(ini, opt, "LastColor", int(StandardPalette[0]), 0, MaxColour));
  s.OpenInfo = ReadBoolSetting(ini, opt, "OpenInfo", true);
  s.AnimSpeed = ReadIntSetting(ini, opt, "AnimSpeed", DefaultAnimSpeed, 0, MaxAnimSpeed);
  s.PictFile = ReadStringSetting(ini, opt, "PictFile", exeDir_);
  s.TaskFile = ReadStringSetting(ini, opt, "TaskFile", currentPath_);
  s.MovesFile = ReadStringSetting(ini, opt, "MovesFile", exeDir_);
}

void TMidend::WriteSettings(ISettingsStore& ini) const {
  const char* opt = OptSection;
  const TSettings& s = Settings;
  const TSolveOptions& o = SolveOptions;
  WriteBoolSetting(ini, opt, "OnlyField", s.OnlyField);
  WriteBoolSetting(ini, opt, "OpenInfo", s.OpenInfo);
  WriteBoolSetting(ini, opt, "InfoOpened", s.InfoOpened);
  WriteBoolSetting(ini, opt, "SameColor", Colours.SameColor);
  WriteBoolSetting(ini, opt, "Turn", s.Turn);
  WriteBoolSetting(ini, opt, "Remote", o.Remote);
  WriteBoolSetting(ini, opt, "ManySol", o.ManySol);
  WriteBoolSetting(ini, opt, "CountSol", o.CountSol);
  WriteBoolSetting(ini, opt, "ForgetLayers", o.ForgetLayers);
  WriteBoolSetting(ini, opt, "UseEval", o.UseEval);
  WriteIntSetting(ini, opt, "SolMax", o.SolMax);
  ini.Set(opt, "TaskFile", s.TaskFile);
  ini.Set(opt, "MovesFile", s.MovesFile);
  ini.Set(opt, "PictFile", s.PictFile);
  WriteIntSetting(ini, opt, "TreeWidth", s.TreeWidth);
  WriteIntSetting(ini, opt, "AnimSpeed", s.AnimSpeed);
  WriteIntSetting(ini, opt, "LastColor", s.LastColor);
}

std::string TMidend::StartFile(const std::vector<std::string>& args) {
  if (args.empty()) return currentPath_;
  if (args[0] == "-") return std::string();
  Settings.TaskFile = args[0];
  return args[0];
}

void TMidend::Start(const std::string& file) {
  Task.New(true, true);
  if (file.empty()) ShowTask();
  else OpenTask(file, false);
}

// ---------------------------------------------------------------------------------------------
// Showing

void TMidend::ShowTask() {
  view_.SyncControls();
  Task.SelSummary();
  view_.Relayout();
  Refresh(UndoStep::New);
}

void TMidend::Refresh(UndoStep undo) {
  if (undo != UndoStep::None) UndoRing.RecordUndo(undo == UndoStep::Replace);
  view_.Redraw();
}

// ---------------------------------------------------------------------------------------------
// Files

bool TMidend::OpenTask(const std::string& path, bool setTaskFile) {
  StopAnimation();
  const bool ok = LoadTask(Task, path, Io());
  // A new task starts a new history; after a refused file the old one still describes the task.
  if (ok) UndoRing.ClearUndo();
  if (ok && setTaskFile) Settings.TaskFile = path;
  Pointer.FixMode = false;
  ShowTask();
  view_.TaskFileChanged();
  return ok;
}

bool TMidend::SaveTask(const std::string& path) {
  StopAnimation();
  if (!zrk::SaveTask(Task, path, Io())) return false;
  Settings.TaskFile = path;
  view_.TaskFileChanged();
  return true;
}

// The export is for other programs; the task keeps its own file.
bool TMidend::ExportJson(const std::string& path) {
  const std::string text = ExportTaskJson(Task, JsonPlayData(Play));
  return WriteWholeFile(path, text.data(), text.size(), &view_);
}

bool TMidend::SaveState() { return zrk::SaveTask(Task, currentPath_, Io()); }

// ---------------------------------------------------------------------------------------------
// Modes and history

void TMidend::SwitchMode(bool keepPosition) {
  const bool play = !Task.Options.Play;
  // The last snapshot could not hold the position tree, so leaving play mode loses it for good.
  if (!play && UndoRing.Failed && !view_.Confirm(LeaveTreeCaption, LeaveTreeText)) return;
  // "Текущая позиция" only leaves play mode.
  if (play && keepPosition) return Refresh(UndoStep::New);
  StopAnimation();
  Pointer.FixMode = false;
  Play.SetPlayMode(play, false, keepPosition);
  view_.SyncControls();
  Refresh(UndoStep::New);
}

// A restored snapshot redraws the window itself; a refusal has been reported.
void TMidend::Undo() {
  StopAnimation();
  UndoRing.Undo(&view_);
}

void TMidend::Redo() {
  StopAnimation();
  UndoRing.Redo(&view_);
}

TUndoView TMidend::UndoView() const {
  TUndoView v = view_.WindowState();
  v.OnlyField = Settings.OnlyField;
  v.SameColor = Colours.SameColor;
  v.Remote = SolveOptions.Remote;
  v.ManySol = SolveOptions.ManySol;
  return v;
}

// The task is already restored; the controls follow it, and the refresh records nothing, so that
// the restored slot stays the current one.
void TMidend::RestoreUndoView(const TUndoView& v) {
  Settings.OnlyField = v.OnlyField;
  Colours.SameColor = v.SameColor;
  SolveOptions.Remote = v.Remote;
  SolveOptions.ManySol = v.ManySol;
  if (!Task.Options.Play) Pointer.FixMode = false;
  Task.SelSummary();
  view_.SyncControls();
  view_.Relayout();
  view_.RestoreWindowState(v);
  Refresh(UndoStep::None);
}

// ---------------------------------------------------------------------------------------------
// The board

TGestureOutcome TMidend::Apply(const TGestureOutcome& out) {
  if (out.Relayout) view_.Relayout();
  if (out.Redraw) Refresh(out.UndoStep ? UndoStep::New : UndoStep::None);
  else if (out.UndoStep) Refresh(UndoStep::New);
  return out;
}

TGestureOutcome TMidend::Press(const TPointerEvent& e) { return Apply(Pointer.Press(e)); }

// While an animation runs the board does not follow the mouse: its frames would fight the drag.
TGestureOutcome TMidend::Move(const TPointerEvent& e) {
  if (Anim.Animating()) return {};
  return Apply(Pointer.Move(e));
}

TGestureOutcome TMidend::Release(const TPointerEvent& e) { return Apply(Pointer.Release(e)); }

TGestureOutcome TMidend::Cancel() { return Apply(Pointer.Cancel()); }

// ---------------------------------------------------------------------------------------------
// Walking the line

void TMidend::ApplyAnim(const TAnimEvent& ev) {
  if (ev.Record) Refresh(UndoStep::New);
  else if (ev.Repaint) Refresh(UndoStep::None);
}

void TMidend::GoToMove(int k) {
  StopAnimation();
  if (!Task.Options.Play || k == Play.Line.Cur || k < 0 || k >= Play.Line.Count) return;
  Play.GoTo(k);
  Refresh(UndoStep::New);
}

void TMidend::Animate(int k) {
  if (!Task.Options.Play) return;
  Anim.Speed = Settings.AnimSpeed;
  ApplyAnim(Anim.Start(k, clock_.NowMs(), Task.Options.WC));
}

void TMidend::StopAnimation() { ApplyAnim(Anim.Stop(Task.Options.WC)); }

void TMidend::AnimTick() {
  Anim.Speed = Settings.AnimSpeed;
  ApplyAnim(Anim.Tick(clock_.NowMs(), Task.Options.WC));
}

void TMidend::SetAnimSpeed(int speed) { Settings.AnimSpeed = std::clamp(speed, 0, MaxAnimSpeed); }

// ---------------------------------------------------------------------------------------------
// The position tree

void TMidend::AddPosition() {
  if (!Task.Options.Play) return;
  StopAnimation();
  Play.AddCurrent();
  Refresh(UndoStep::New);
}

// Selecting a node, or clicking the current one again, brings its position back.
void TMidend::SelectNode(TPosNode* node) {
  if (!Task.Options.Play) return;
  StopAnimation();
  if (!node) {
    Play.Tree.Select(nullptr);
    view_.Redraw();
    return;
  }
  Play.LoadNode(node);
  Refresh(UndoStep::New);
}

void TMidend::DeleteNodes(bool self, bool subnodes) {
  if (!Task.Options.Play) return;
  Play.Tree.DeleteNodes(self, subnodes);
  Refresh(UndoStep::New);
}

void TMidend::SetNote(const std::string& note) {
  TPosNode* node = Play.Tree.Selected;
  if (!node || node->Line->PosText == note) return;
  // The tree's structure stays: the view renews the node's text without rebuilding itself, so that
  // typing a note keeps the view as it is.
  node->Line->PosText = note;
  view_.Redraw();
}

// ---------------------------------------------------------------------------------------------
// Move texts

bool TMidend::AddMoves(const std::string& text) {
  if (!Task.Options.Play) return false;
  StopAnimation();
  if (!ApplyMoveList(Play, MoveTextToCp1251(text), &view_).Appended) return false;
  Refresh(UndoStep::New);
  return true;
}

bool TMidend::OpenMovesFile(const std::string& path) {
  Settings.MovesFile = path;
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, &view_);
  if (!bytes) return false;
  return AddMoves(std::string(bytes->begin(), bytes->end()));
}

// ---------------------------------------------------------------------------------------------
// Fixing

void TMidend::UnFixAll() {
  Task.TempFixed.fill(0);
  Refresh(UndoStep::New);
}

void TMidend::SetFixMode(bool on) { Pointer.FixMode = on && Task.Options.Play; }

} // namespace zrk
