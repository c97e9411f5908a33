#pragma once
// TZRKForm: the main window, the composition root of the desktop program. The application's state
// (task, play engine, undo ring, settings, solve options) is the midend's; the window shows it,
// carries the tool, option, mode and file controls, turns their changes into calls on the midend
// and is the midend's view. Panels and dialogs are classes of their own that it places.

#include <functional>
#include <memory>

#include <QMainWindow>
#include <QStringList>

#include "editor/edit_gestures.h"
#include "editor/midend.h"
#include "editor/number_list.h"
#include "library/library_host.h"
#include "model/ops_colours.h"
#include "model/task.h"
#include "model/task_file.h"
#include "play/play_engine.h"
#include "play/undo.h"
#include "ui/app_settings.h"
#include "ui/board_widget.h"
#include "solver/solver.h"
#include "ui/clear_form.h"
#include "ui/control_lock.h"
#include "ui/nums_form.h"
#include "ui/qt_clipboard.h"
#include "ui/solve_controller.h"

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;
class QScrollArea;
class QSettings;
class QSplitter;
class QToolButton;
class QTreeWidget;

namespace zrk {

class TClipController;
class TImageView;
class TNavigForm;
class TInfoController;
class TPlayNavPanel;
class TRectForm;
class TTreePanel;
class TSpinFr;

class TZRKForm : public QMainWindow,
                 private IMidendView,
                 private ITaskViewHooks,
                 private IBoardInput,
                 private INumsHost,
                 private ISolveHost,
                 private ILibraryHost {
  Q_OBJECT
 public:
  // args: the command line after the program name. reporter: where errors go (message boxes when
  // none is given).
  TZRKForm(const TAppPaths& paths, const QStringList& args, IReporter* reporter = nullptr);
  ~TZRKForm() override;

  TMidend Midend;
  // The midend's parts, named as the window's code has always named them.
  TTask& Task;
  TPlayEngine& Play;
  TColourState& Colours;
  TUndoRing& UndoRing;
  TSettings& Settings;
  TAppPaths Paths;
  bool NumsMode = false;
  TSolveController* Solve = nullptr;
  TQtClipboard Clipboard;
  TClipController* Clips = nullptr; // copy and paste, the moves as text
  TInfoController* Info = nullptr;  // the task text window and the help window
  bool Updating = false;
  // Yes/No questions (caption, text): a message box unless a test answers instead.
  std::function<bool(const QString&, const QString&)> Ask;

  // --- controls (object names as in the window's design) ---
  TSpinFr *CellWSF, *DimXSF, *DimYSF;
  QToolButton *FitCellBt, *FitDimBt, *RectBt;
  QFrame *DimP, *EditP, *SymP, *EditBegP, *FixDirP, *OpenMovesP, *MoveKindP, *SlideOptP, *TreeP;
  QCheckBox *GridFCB, *GridECB, *NumsCB, *OnlyFieldCB, *GrSlideCB, *MinGrCB, *SameColCB;
  QToolButton *NumsBt, *EndPosBt;
  QToolButton *PlusBt, *MinusBt, *ClearAllBt, *CopyBt, *Copy1Bt, *AddColBt, *DelColBt, *AddRowBt, *DelRowBt,
      *ClearWallsBt, *WallsBt, *ClearPinsBn, *PinsBt;
  QToolButton *UndoBt, *RedoBt, *ToEndBt, *ToBegBt, *ToBufBt, *FromBufBt, *TextBt;
  QToolButton *EditBegBt, *PlayBt, *SolveBt, *SolOptBt;
  QToolButton *OpenBt, *SaveBt, *SaveAsBt, *NavigBt, *HelpBt, *PictBt;
  QToolButton *AllDirBt, *HorDirBt, *VertDirBt, *FixDirBt, *FlipHorBt, *FlipVertBt, *Rotate270Bt, *Rotate90Bt,
      *Rotate180Bt;
  QToolButton *UnFixBt, *FixDir1Bt, *OpenMovesBt, *InvertSelBt;
  QRadioButton *OneFigRB, *CoopRB, *GravityRB, *OneCellRB, *OneDirRB, *AnyPathRB;
  QToolButton *ChooseColBt, *NormCol, *GridColBt, *WallColBt;
  QScrollArea* ImSB;
  TBoardWidget* Im;
  TImageView* ImC;
  QSplitter* Splitter1;
  TPlayNavPanel* NavP;    // walking the line, the move counter MovesL
  TTreePanel* TreePanel; // the position tree TreeV with its note and buttons
  QLabel* MovesL;
  QTreeWidget* TreeV;
  QAction *HelpA, *SaveA, *OpenA, *CloseWithoutSaveA, *CancelA, *PlusA, *MinusA, *UndoA, *RedoA, *ToBufA, *FromBufA;
  QList<QToolButton*> ToolButtons;
  TRectForm* RectForm = nullptr;
  TClearForm* ClearForm = nullptr;
  TNumsForm* NumsForm = nullptr;
  TNavigForm* NavigForm = nullptr;

  // The editing gestures on the board, and the numbering window's list they take numbers from.
  TEditGestures* Gestures = nullptr; // the editing half of the midend's pointer
  TNumberList Numbers;

  // --- operations ---
  void ShowTask() { Midend.ShowTask(); }
  void Refresh(UndoStep undo) { Midend.Refresh(undo); }
  // The file of the current task, as the caption and the file dialogs use it.
  QString TaskFile() const { return QString::fromStdString(Settings.TaskFile); }
  void ShowTaskName(bool withName);
  // The task file's proposal in the save dialog (a name without extension).
  QString ProposedSaveName(bool saveAs) const;
  // LoadTask with the window's hooks; setTaskFile makes the file the current one.
  bool OpenTaskFile(const QString& path, bool setTaskFile);
  // Saves as a task file (and makes it TaskFile) or exports JSON; false on failure.
  bool SaveTaskTo(const QString& path, bool json);
  // The mode switch of PlayBt (keepPosition false) and EditBegBt (true).
  void SwitchMode(bool keepPosition);
  // Shows an error after the present handler has finished.
  void PostError(const QString& caption, const QString& text);
  void ApplyOptionsToControls();

  void OpenBtClick();
  // "Ходы": a moves file, or with Ctrl the clipboard's text.
  void OpenMovesBtClick(bool fromClipboard);
  void SaveBtClick(bool saveAs);
  void RectBtClick();
  void ClearAllBtClick();
  // Esc: the gesture in progress is cancelled.
  void CancelAClick();
  void UndoBtClick();
  void RedoBtClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<IReporter> OwnReporter;
  IReporter* Reporter;
  std::unique_ptr<QSettings> Ini;
  bool ClosingWithoutSave = false;
  bool ShutdownDone = false;

  // IMidendView
  void Relayout() override;
  void Redraw() override;
  void SyncControls() override { ApplyOptionsToControls(); }
  bool Confirm(const std::string& caption, const std::string& text) override;
  void TaskFileChanged() override { ShowTaskName(true); }
  void TaskRead() override;
  TUndoView WindowState() const override;
  void RestoreWindowState(const TUndoView& view) override;
  void Report(MsgKind kind, const std::string& caption, const std::string& text) override;
  // ITaskViewHooks: the numbering window follows the figures and the selection.
  void FigCountChanged() override;
  void SelectionChanged() override;
  // IBoardInput
  void BoardPress(const TPointerEvent& e) override;
  void BoardMove(const TPointerEvent& e) override;
  void BoardRelease(const TPointerEvent& e) override;
  // INumsHost
  void NumsRefresh() override;
  void NumsNotationChanged() override;
  void NumsClosed() override;
  // ISolveHost (zrk_form_solve.cpp)
  TTask& SolveTask() override { return Task; }
  TPlayEngine& SolveEngine() override { return Play; }
  TSolveOptions& SolveOptions() override { return Midend.SolveOptions; }
  void EnterPlayMode() override;
  void SolvingChanged(bool solving, const QList<QWidget*>& keep) override;
  void LineChanged(bool undoPoint) override;
  void ShowError(const QString& caption, const QString& text) override;
  void StopAnimation() override { Midend.StopAnimation(); }
  TControlLock SolveLock;
  void BuildSolving();
  // ILibraryHost and the navigator (zrk_form_library.cpp)
  QString LibraryTaskFile() const override { return TaskFile(); }
  bool LoadLibraryTask(const QString& path) override;
  bool SaveLibraryTask(const QString& path) override;
  void LibraryTaskMoved(const QString& path) override;
  QString LibraryDefaultName() const override;
  IReporter& LibraryReporter() override { return *Reporter; }
  void BuildLibrary();
  void NavigBtToggle(bool on);
  // the clipboard, the text and help windows (zrk_form_clip.cpp)
  void BuildClipboard();

  void BuildControls();
  QWidget* BuildTopStrip();
  QWidget* BuildBottomStrip();
  QWidget* BuildTreePanel();
  void BuildActions();
  void ConnectHandlers();
  void WriteSettings();
  void Shutdown();
  void ApplyModeVisibility(bool play);
  void ReleaseEditTools();
  void LimitTreeWidth();
  void DrawBoardImage(const std::string& counterText);
  void DrawColourStrip();
  void EnableUndoButtons();

  // editing with the mouse (zrk_form_edit.cpp)
  void BuildEditing();
  void ApplyGesture(const TGestureOutcome& out);
  void ToolBtClick(int index);
  void NumsBtClick();
  void SetNumsMode(bool on);
  // The gestures' tool and numbering mode follow the tool buttons.
  void ToolsFromButtons();
  void UpdateBoardCursor();
  void DefaultColour(TClearForm::DefaultColour which);

  // handlers
  void CellSizeChanged(int& value);
  void MoveKindRBClick();
  void SlideRBClick();
  void GrSlideCBClick();
  void MinGrCBClick();
  void DisplayCBClick();
  void EndPosBtClick();
  void FreedomBtClick(int freedom);
  void UnFixBtClick();
};

} // namespace zrk
