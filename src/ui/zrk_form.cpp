// The main window's life: creation with the settings and the start task, the option handlers,
// the mode switch, Relayout and Refresh.

#include "ui/zrk_form.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>

#include "model/cp1251.h"
#include "play/notation.h"
#include "ui/board_image.h"
#include "ui/board_painter.h"
#include "ui/info_controller.h"
#include "ui/colour_strip.h"
#include "ui/ini_store.h"
#include "ui/message_reporter.h"
#include "ui/play_nav_panel.h"
#include "ui/tree_panel.h"
#include "ui/spin_frame.h"
#include "ui/task_names.h"
#include "ui/updating.h"

namespace zrk {

namespace {

const char* const ProgramTitle = "ZRK";

} // namespace

TZRKForm::TZRKForm(const TAppPaths& paths, const QStringList& args, IReporter* reporter)
    : Midend(*this), Task(Midend.Task), Play(Midend.Play), Colours(Midend.Colours), UndoRing(Midend.UndoRing),
      Settings(Midend.Settings), Paths(paths) {
  setObjectName("ZRKForm");
  if (!reporter) OwnReporter = std::make_unique<TMessageReporter>(this);
  Ask = [this](const QString& caption, const QString& text) { return AskYesNo(this, caption, text); };
  Reporter = reporter ? reporter : OwnReporter.get();
  resize(1201, 592);
  BuildControls();
  TreeP->hide();
  ApplyModeVisibility(false);

  CellWSF->Bind(CellSizeValues(), Task.Options.WC, [this](int, int& v) { CellSizeChanged(v); }, 0);
  DimXSF->Bind(BoardSizeValues(), 10, nullptr, 0);
  DimYSF->Bind(BoardSizeValues(), 10, nullptr, 1);
  ConnectHandlers();
  BuildSolving();

  Ini.reset(OpenSettings(Paths.IniPath));
  LoadPlacement(*Ini, *this, "0", false);
  Midend.SetPaths(Paths.ExeDir.toStdString(), Paths.CurrentPath.toStdString());
  {
    TUpdating updating(Updating);
    Midend.ReadSettings(TIniStore(*Ini));
  }
  std::vector<std::string> arguments;
  for (const QString& a : args) arguments.push_back(a.toStdString());
  const std::string fileToLoad = Midend.StartFile(arguments);
  Solve->LoadPlacements(*Ini);
  BuildEditing();
  BuildLibrary();
  setAcceptDrops(true);

  // A file that fails to load still leaves a task on the screen.
  Midend.Start(fileToLoad);
  ShowTaskName(true);
  BuildClipboard();
  qApp->installEventFilter(this);
}

TZRKForm::~TZRKForm() = default;

void TZRKForm::ConnectHandlers() {
  connect(PlayBt, &QToolButton::clicked, this, [this] { SwitchMode(false); });
  connect(EditBegBt, &QToolButton::clicked, this, [this] { SwitchMode(true); });
  for (QRadioButton* r : {OneFigRB, CoopRB, GravityRB}) connect(r, &QRadioButton::clicked, this, &TZRKForm::MoveKindRBClick);
  for (QRadioButton* r : {OneCellRB, OneDirRB, AnyPathRB}) connect(r, &QRadioButton::clicked, this, &TZRKForm::SlideRBClick);
  connect(GrSlideCB, &QCheckBox::clicked, this, &TZRKForm::GrSlideCBClick);
  connect(MinGrCB, &QCheckBox::clicked, this, &TZRKForm::MinGrCBClick);
  for (QCheckBox* c : {GridFCB, GridECB, NumsCB}) connect(c, &QCheckBox::clicked, this, &TZRKForm::DisplayCBClick);
  connect(EndPosBt, &QToolButton::clicked, this, &TZRKForm::EndPosBtClick);
  connect(OnlyFieldCB, &QCheckBox::clicked, this, [this](bool on) { if (!Updating) Settings.OnlyField = on; });
  connect(SameColCB, &QCheckBox::clicked, this, [this](bool on) { if (!Updating) Colours.SameColor = on; });
  const QList<QToolButton*> freedom{AllDirBt, HorDirBt, VertDirBt, FixDirBt};
  for (int i = 0; i < freedom.size(); ++i)
    connect(freedom[i], &QToolButton::clicked, this, [this, i] { FreedomBtClick(i); });
  connect(UnFixBt, &QToolButton::clicked, this, &TZRKForm::UnFixBtClick);
  connect(FixDir1Bt, &QToolButton::clicked, this, [this](bool down) {
    if (!Updating) Midend.SetFixMode(down);
  });
  connect(OpenMovesBt, &QToolButton::clicked, this, [this] {
    OpenMovesBtClick(QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
  });
  connect(OpenBt, &QToolButton::clicked, this, &TZRKForm::OpenBtClick);
  connect(SaveBt, &QToolButton::clicked, this, [this] { SaveBtClick(false); });
  connect(SaveAsBt, &QToolButton::clicked, this, [this] { SaveBtClick(true); });
  connect(OpenA, &QAction::triggered, this, &TZRKForm::OpenBtClick);
  connect(SaveA, &QAction::triggered, this, [this] { SaveBtClick(false); });
  connect(UndoBt, &QToolButton::clicked, this, &TZRKForm::UndoBtClick);
  connect(RedoBt, &QToolButton::clicked, this, &TZRKForm::RedoBtClick);
  connect(UndoA, &QAction::triggered, this, &TZRKForm::UndoBtClick);
  connect(RedoA, &QAction::triggered, this, &TZRKForm::RedoBtClick);
  connect(CloseWithoutSaveA, &QAction::triggered, this, [this] {
    ClosingWithoutSave = true;
    close();
  });
  connect(Splitter1, &QSplitter::splitterMoved, this, [this] {
    if (Splitter1->sizes().size() == 2) Settings.TreeWidth = std::max(MinTreeWidth, Splitter1->sizes()[1]);
    LimitTreeWidth();
  });

  // Commands whose work is done elsewhere and not yet part of this window stay visible but
  // disabled, so that no control pretends to work.
  const QList<QWidget*> notYet{FitCellBt, DimXSF, DimYSF, FitDimBt, MinusBt,
                               CopyBt, Copy1Bt, AddColBt, DelColBt, AddRowBt, DelRowBt, ClearWallsBt,
                               ClearPinsBn, ToEndBt, ToBegBt,
                               PictBt, FlipHorBt, FlipVertBt, Rotate270Bt,
                               Rotate90Bt, Rotate180Bt, InvertSelBt, ChooseColBt, NormCol,
                               GridColBt, WallColBt};
  for (QWidget* w : notYet) w->setEnabled(false);
  MinusA->setEnabled(false);
}

// --- options into controls ---

void TZRKForm::ApplyOptionsToControls() {
  TUpdating updating(Updating);
  const TTaskOptions& o = Task.Options;
  GridFCB->setChecked(o.GridF);
  GridECB->setChecked(o.GridE);
  NumsCB->setChecked(o.ShowNums);
  EndPosBt->setChecked(o.EndPos);
  GrSlideCB->setChecked(o.GrSlide);
  MinGrCB->setChecked(o.MinGr);
  (o.MoveKind == OneDirMove ? OneDirRB : o.MoveKind == AnyPathMove ? AnyPathRB : OneCellRB)->setChecked(true);
  const bool oneFig = o.OneFig();
  SlideOptP->setVisible(oneFig);
  (o.Cooperative ? CoopRB : o.Gravity ? GravityRB : OneFigRB)->setChecked(true);
  CellWSF->SetValue(o.WC, false);
  DimXSF->SetValue(Task.DimX, false);
  DimYSF->SetValue(Task.DimY, false);
  OnlyFieldCB->setChecked(Settings.OnlyField);
  FixDir1Bt->setChecked(Midend.Pointer.FixMode);
  SameColCB->setChecked(Colours.SameColor);
  ApplyModeVisibility(o.Play);
}

// --- option handlers ---

void TZRKForm::MoveKindRBClick() {
  if (Updating) return;
  TTaskOptions& o = Task.Options;
  if (OneFigRB->isChecked()) o.SetOneFig();
  else if (CoopRB->isChecked()) o.SetCooperative();
  else o.SetGravity();
  SlideOptP->setVisible(o.OneFig());
}

void TZRKForm::SlideRBClick() {
  if (Updating) return;
  Task.Options.SetMoveKind(OneDirRB->isChecked() ? OneDirMove : AnyPathRB->isChecked() ? AnyPathMove : OneCellMove);
  TUpdating updating(Updating);
  MinGrCB->setChecked(Task.Options.MinGr);
}

void TZRKForm::GrSlideCBClick() {
  if (Updating) return;
  Task.Options.SetGrSlide(GrSlideCB->isChecked());
  TUpdating updating(Updating);
  MinGrCB->setChecked(Task.Options.MinGr);
}

void TZRKForm::MinGrCBClick() {
  if (Updating) return;
  Task.Options.SetMinGr(MinGrCB->isChecked());
  TUpdating updating(Updating);
  OneCellRB->setChecked(Task.Options.MoveKind == OneCellMove);
  GrSlideCB->setChecked(Task.Options.GrSlide);
}

void TZRKForm::DisplayCBClick() {
  if (Updating) return;
  Task.Options.GridF = GridFCB->isChecked();
  Task.Options.GridE = GridECB->isChecked();
  Task.Options.ShowNums = NumsCB->isChecked();
  Refresh(UndoStep::New);
}

void TZRKForm::EndPosBtClick() {
  if (Updating) return;
  Task.Options.EndPos = EndPosBt->isChecked();
  Relayout();
  Refresh(UndoStep::New);
}

void TZRKForm::FreedomBtClick(int freedom) {
  if (Updating || Task.SelCount == 0) return;
  bool changed = false;
  for (int i = 1; i < Task.FigCount; ++i) {
    TFig& f = Task.Figs[size_t(i)];
    if (!f.Selected || f.Freedom == freedom) continue;
    // A fixed figure's end position is its own place; once it may move it has none.
    if (f.Freedom == Fixed) f.EndPos = 0;
    f.Freedom = int8_t(freedom);
    changed = true;
  }
  if (!changed) return;
  Task.BuildMaps(true, true);
  Task.SelSummary();
  Refresh(UndoStep::New);
}

void TZRKForm::UnFixBtClick() {
  if (!Updating) Midend.UnFixAll();
}

// The cell size may not make the image exceed its pixel limit; the frame shows the lowered value.
void TZRKForm::CellSizeChanged(int& value) {
  value = std::min(value, MaxCellSize(Task.DimX, Task.DimY));
  if (value == Task.Options.WC) return;
  Task.Options.WC = value;
  Relayout();
  Refresh(UndoStep::New);
}

// --- modes ---

void TZRKForm::ApplyModeVisibility(bool play) {
  for (QWidget* w : std::initializer_list<QWidget*>{DimP, FitDimBt, RectBt, InvertSelBt, EditP, SymP, OnlyFieldCB})
    w->setVisible(!play);
  MoveKindP->setEnabled(!play);
  // The groups' own boxes go too, so that an empty box keeps no gap in the top strip.
  EditP->parentWidget()->setVisible(!play);
  EditBegP->parentWidget()->setVisible(play);
  EditBegP->setVisible(play);
  OpenMovesP->setVisible(play);
  TreeP->setVisible(play);
  FixDirP->setVisible(play && !Task.Options.Gravity);
  PlayBt->setText(play ? QStringLiteral("Редактир.") : QStringLiteral("Играть"));
  ToBufBt->setToolTip(play ? QStringLiteral("Все состояние в буфер обмена")
                           : QStringLiteral("Выделенные фигурки в буфер обмена (Ctrl+C или Ctrl+Ins). +Ctrl - все состояние."));
  FromBufBt->setToolTip(play ? QStringLiteral("Все состояние из буфера обмена")
                             : QStringLiteral("Фигурки или все состояние из буфера обмена (Ctrl+V, Alt+Ins, Ctrl+Shift+V или Shift+Ins). Shift - с сохранением цвета."));
  ToEndBt->setToolTip(play ? QStringLiteral("Сделать текущую позицию конечной")
                           : QStringLiteral("Перенести начальную позицию в конечную"));
  ToBegBt->setToolTip(play ? QStringLiteral("Сделать текущую позицию начальной")
                           : QStringLiteral("Перенести конечную позицию в начальную"));
  if (Solve) Solve->PlayModeChanged(play);
  if (play) {
    ReleaseEditTools();
    LimitTreeWidth();
  }
}

// Play mode has no editing tools: their buttons are released and numbering mode is left.
void TZRKForm::ReleaseEditTools() {
  {
    TUpdating updating(Updating);
    for (QToolButton* b : ToolButtons) b->setChecked(false);
  }
  if (NumsMode) SetNumsMode(false);
  if (Gestures) ToolsFromButtons();
}

void TZRKForm::SwitchMode(bool keepPosition) {
  if (Updating) return;
  Midend.SwitchMode(keepPosition);
}

// The tree panel has the width the user gave it (kept in the settings), but never takes the whole
// window: at most half of a narrow window, else all but 200 pixels of it.
void TZRKForm::LimitTreeWidth() {
  if (!Task.Options.Play) return;
  const int w = centralWidget()->width() - Splitter1->handleWidth();
  const int limit = w < 400 ? w / 2 : w - 200;
  const int tree = std::max(MinTreeWidth, std::min(Settings.TreeWidth, limit));
  Splitter1->setSizes({std::max(0, w - tree), tree});
}

// --- keyboard ---

// When the window becomes active the keys are the window's: no control keeps the focus, except a
// number-entry frame being typed into.
void TZRKForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  QWidget* focused = focusWidget();
  const TSpinFr* editing = TSpinFr::EditingFrame();
  if (focused && !(editing && editing->isAncestorOf(focused))) focused->clearFocus();
}

// The window's shortcuts work whatever control has the focus: an edit box would otherwise take
// Ctrl+Z or Shift+BkSp for itself. Only a number-entry frame being typed into keeps its keys, and
// an edit box its clipboard keys, which copy and paste its text.
bool TZRKForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && !TSpinFr::EditingFrame()) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* a : actions()) {
      if (!a->isEnabled() || !a->shortcuts().contains(pressed)) continue;
      if ((a == ToBufA || a == FromBufA) && qobject_cast<QLineEdit*>(watched)) break;
      event->ignore();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TZRKForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (Task.Options.Play) LimitTreeWidth();
}

// --- drawing ---

void TZRKForm::Relayout() {
  const TBoardGeometry g = TBoardGeometry::ForTask(Task);
  Im->SetImageSize(g.W, g.H);
}

void TZRKForm::Redraw() {
  EndPosBt->setText(Task.EndPosCount > 0 ? QStringLiteral("● Конечная поз.") : QStringLiteral("Конечная поз."));
  std::string counter; // the move counter, UTF-8, shown above the tree and on the board
  if (Task.Options.Play) {
    bool anyFixed = false;
    for (int i = 1; i < Task.FigCount; ++i) anyFixed = anyFixed || Task.TempFixed[size_t(i)];
    UnFixBt->setVisible(anyFixed);
    if (Midend.Anim.Animating() && NumsMode) SetNumsMode(false); // an animation leaves numbering
    counter = Cp1251ToUtf8(CounterText(Play, Midend.Anim.ShowsNextMove()));
    NavP->Sync();
    TreePanel->Sync();
    Solve->UpdateResultButtons();
  }
  EnableUndoButtons();
  NumsCB->setEnabled(!Task.Options.DifByName);
  if (Info) Info->Sync();
  DrawBoardImage(counter);
  DrawColourStrip();
}

void TZRKForm::DrawBoardImage(const std::string& counterText) {
  const TBoardGeometry g = TBoardGeometry::ForTask(Task);
  Im->SetImageSize(g.W, g.H);
  TBoardView view;
  view.Background = palette().color(QPalette::Window);
  view.Font = font();
  view.NumsMode = NumsMode;
  view.CounterText = counterText;
  view.HasRect = Gestures && Gestures->GestureRect(view.RectFrom, view.RectTo, view.RectInEnd);
  if (Midend.Anim.Animating()) {
    view.AnimDirs = Midend.Anim.Dirs().data();
    view.AnimFrac = Midend.Anim.Offset();
  }
  QPainter p(&Im->Bitmap);
  DrawBoard(p, Task, g, view);
  Im->update();
}

void TZRKForm::DrawColourStrip() {
  ColourStats(Task, Colours);
  QPainter p(&ImC->Bitmap);
  zrk::DrawColourStrip(p, Colours, font());
  ImC->update();
}

void TZRKForm::ShowTaskName(bool withName) {
  const QString name = CaptionTaskName(TaskFile());
  setWindowTitle(withName && !name.isEmpty() ? QString("%1 (%2)").arg(ProgramTitle, name) : QString(ProgramTitle));
}

bool TZRKForm::Confirm(const std::string& caption, const std::string& text) {
  return Ask(QString::fromStdString(caption), QString::fromStdString(text));
}

void TZRKForm::Report(MsgKind kind, const std::string& caption, const std::string& text) {
  Reporter->Report(kind, caption, text);
}

void TZRKForm::PostError(const QString& caption, const QString& text) {
  QMetaObject::invokeMethod(this, [this, caption, text] {
    Reporter->Report(MsgKind::Error, caption.toStdString(), text.toStdString());
  }, Qt::QueuedConnection);
}

} // namespace zrk
