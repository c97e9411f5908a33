#pragma once
// TMidend: the application's state and the operations on it, without a window. It owns the current
// task, the play engine with its line and tree, the colour state, the undo ring, the settings of
// the editor and of play mode, and the solve options. The desktop window and zrk-cli both drive the
// program through it; it asks its view (IMidendView) to lay the board out again, redraw, bring its
// controls in line, ask a yes/no question and report a message.
//
// Entry points:
//   SetPaths(exeDir, currentPath)     where the program's defaults and the automatic save live
//   ReadSettings(store), WriteSettings(store)   "ZRK.ini", numbers clamped to their ranges
//   StartFile(args)                   the file the command line asks for (and TaskFile with it)
//   Start(file)                       a new task, then the start file or an empty board
//   ShowTask()                        a task that arrived as a whole: controls, layout, redraw, undo base
//   Refresh(undo)                     the one redraw entry point, recording an undo step when asked
//   Relayout()                        the board's geometry may have changed
//   OpenTask(path, setTaskFile)       read a task file; a new history starts when it was read
//   SaveTask(path), ExportJson(path)  write the task (and make it TaskFile) or its JSON text
//   SaveState()                       the automatic save of the whole state ("Current.zrk")
//   SwitchMode(keepPosition)          the play button (false) and "Текущая позиция" (true)
//   Undo(), Redo()                    a neighbouring snapshot of the ring
//   Press/Move/Release(e), Cancel()   the pointer on the board image and Esc (TPointer)
//   GoToMove(k), Animate(k), StopAnimation(), AnimTick()   walking the played line (AnimTick is
//                                     the 20 ms timer's beat while Anim.Animating())
//   AddPosition(), SelectNode(n), DeleteNodes(self, subnodes), SetNote(text)   the position tree
//   AddMoves(text), OpenMovesFile(path)   a move text appended at the current entry
//   UnFixAll(), SetFixMode(on)        temporary fixing of figures in play mode
//
// Every command that changes the line or the position stops a running animation first, so that
// no beat of the timer ever lays frames of another line or another task.
//
// The view is called back from inside these operations only; the midend never calls it while it
// is being constructed.

#include <string>
#include <vector>

#include "editor/pointer.h"
#include "editor/settings.h"
#include "model/ops_colours.h"
#include "model/platform.h"
#include "model/report.h"
#include "model/task.h"
#include "model/task_file.h"
#include "play/animation.h"
#include "play/play_engine.h"
#include "play/undo.h"
#include "solver/solve_driver.h"

namespace zrk {

// What a refresh records: nothing, a new undo step, or a step that replaces the current one.
enum class UndoStep { None, New, Replace };

class IMidendView : public IReporter {
 public:
  // The board's size in pixels may have changed (cell size, board size, the end view).
  virtual void Relayout() = 0;
  // Draw the board again, with everything that follows each step: the move counter, the
  // navigation and undo buttons.
  virtual void Redraw() = 0;
  // Bring the option controls and the mode's panels in line with the task and the settings.
  virtual void SyncControls() = 0;
  // A question with Yes and No; true only for Yes.
  virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
  // The task file's name changed (the caption shows it).
  virtual void TaskFileChanged() {}
  // A task image was read whole, from a file or the clipboard: its text and options are in place.
  virtual void TaskRead() {}
  // What an undo snapshot keeps of the window itself: the scroll positions, the pressed editing
  // tool and whether the distribution window is shown (the other fields are the midend's).
  virtual TUndoView WindowState() const { return {}; }
  // Puts them back after a snapshot was restored, once the board has its new size.
  virtual void RestoreWindowState(const TUndoView&) {}
};

class TMidend final : private IUndoWindow, private ITaskFileHooks {
 public:
  // clock: the time of the animation; the steady clock when none is given.
  explicit TMidend(IMidendView& view, IClock* clock = nullptr);
  TMidend(const TMidend&) = delete;
  TMidend& operator=(const TMidend&) = delete;

  TTask Task;
  TPlayEngine Play;
  TColourState Colours; // its SameColor is the "Тот же цвет" setting
  TUndoRing UndoRing;
  TSettings Settings;
  TSolveOptions SolveOptions;
  TPointer Pointer; // the board's gestures; its FixMode is the fixing mode of play
  TAnimation Anim;

  IMidendView& View() { return view_; }
  IReporter& Reporter() { return view_; }
  // The task file's readers and writers with this midend's play engine, messages and history.
  TTaskIo Io() { return TTaskIo{&view_, &Play, this}; }

  // --- start and settings ---
  void SetPaths(const std::string& exeDir, const std::string& currentPath);
  const std::string& ExeDir() const { return exeDir_; }
  const std::string& CurrentPath() const { return currentPath_; }
  void ReadSettings(const ISettingsStore& store);
  void WriteSettings(ISettingsStore& store) const;
  // args: the command line after the program name. A file name makes it TaskFile; no argument
  // asks for the automatic save; "-" for nothing. Returns the file to load, empty for none.
  std::string StartFile(const std::vector<std::string>& args);
  // Makes the task new and loads file (when given); an empty or unreadable file leaves the empty
  // board on the screen.
  void Start(const std::string& file);

  // --- showing ---
  void ShowTask();
  void Refresh(UndoStep undo);
  void Relayout() { view_.Relayout(); }

  // --- files ---
  bool OpenTask(const std::string& path, bool setTaskFile);
  bool SaveTask(const std::string& path);
  bool ExportJson(const std::string& path);
  bool SaveState();

  // --- modes and history ---
  void SwitchMode(bool keepPosition);
  void Undo();
  void Redo();

  // --- the board ---
  // Each feeds the pointer and carries out what concerns the task: relayout, redraw, undo step.
  // The outcome tells the view the rest (focus, tool buttons, the numbering window).
  TGestureOutcome Press(const TPointerEvent& e);
  TGestureOutcome Move(const TPointerEvent& e); // ignored while an animation runs
  TGestureOutcome Release(const TPointerEvent& e);
  TGestureOutcome Cancel();

  // --- walking the line ---
  // Shows entry k (0 <= k < Count, another than the current one), recording an undo point.
  void GoToMove(int k);
  void Animate(int k);
  void StopAnimation();
  void AnimTick();
  void SetAnimSpeed(int speed);

  // --- the position tree ---
  void AddPosition();
  void SelectNode(TPosNode* node);
  void DeleteNodes(bool self, bool subnodes);
  // The selected node's note, code page 1251.
  void SetNote(const std::string& note);

  // --- move texts ---
  // Appends the moves of the text (code page 1251) at the current entry; errors are reported
  // with their place in the text, and the moves before an error are kept. True when any was.
  bool AddMoves(const std::string& text);
  // The same with a text file, which becomes MovesFile.
  bool OpenMovesFile(const std::string& path);

  // --- fixing ---
  void UnFixAll();
  void SetFixMode(bool on);

 private:
  // IUndoWindow
  TUndoView UndoView() const override;
  void RestoreUndoView(const TUndoView& view) override;
  // ITaskFileHooks
  void TaskLoaded(TTask&) override { view_.TaskRead(); }
  // Carries out the task's part of a pointer outcome.
  TGestureOutcome Apply(const TGestureOutcome& out);
  void ApplyAnim(const TAnimEvent& ev);

  IMidendView& view_;
  TSteadyClock steady_;
  IClock& clock_;
  std::string exeDir_, currentPath_;
};

} // namespace zrk
