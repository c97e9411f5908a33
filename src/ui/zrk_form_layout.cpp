// The main window's controls and their places: the top strip of tool groups, the board in its
// scroll box with the position-tree panel beside it, and the colour strip at the bottom.

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/board_image.h"
#include "ui/board_widget.h"
#include "ui/colour_strip.h"
#include "ui/play_nav_panel.h"
#include "ui/tree_panel.h"
#include "ui/spin_frame.h"
#include "ui/zrk_form.h"

// The program's own icons live in the window library; a static library's resources are registered
// by hand, outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace zrk {

namespace {

constexpr int ButtonSize = 24;

QToolButton* Tool(QWidget* parent, const char* name, const QString& text, const QString& hint,
                  bool checkable = false) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolTip(hint);
  b->setCheckable(checkable);
  b->setAutoRaise(false);
  b->setFocusPolicy(Qt::NoFocus);
  b->setMinimumSize(std::max(ButtonSize, b->sizeHint().width()), ButtonSize);
  b->setMaximumHeight(ButtonSize);
  return b;
}

// A standard command's icon from the desktop's theme (freedesktop names), or the program's own.
QIcon CommandIcon(const QString& themeName) {
  return QIcon::fromTheme(themeName, QIcon(":/icons/" + themeName + ".svg"));
}

QToolButton* IconTool(QWidget* parent, const char* name, const QString& themeName, const QString& hint) {
  QToolButton* b = Tool(parent, name, QString(), hint);
  b->setIcon(CommandIcon(themeName));
  return b;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text, const QString& hint = QString()) {
  auto* c = new QCheckBox(text, parent);
  c->setObjectName(name);
  c->setToolTip(hint);
  c->setFocusPolicy(Qt::NoFocus);
  c->setMinimumWidth(c->sizeHint().width());
  return c;
}

QRadioButton* Radio(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* r = new QRadioButton(text, parent);
  r->setObjectName(name);
  r->setToolTip(hint);
  r->setFocusPolicy(Qt::NoFocus);
  r->setMinimumWidth(r->sizeHint().width());
  return r;
}

QFrame* Panel(QWidget* parent, const char* name) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  return f;
}

QGridLayout* Grid(QWidget* w) {
  auto* g = new QGridLayout(w);
  g->setContentsMargins(0, 0, 0, 0);
  g->setHorizontalSpacing(2);
  g->setVerticalSpacing(2);
  return g;
}

QLabel* Label(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

} // namespace

void TZRKForm::BuildControls() {
  InitIconResources();
  auto* central = new QWidget(this);
  central->setObjectName("ClientP");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildTopStrip());

  ImSB = new QScrollArea(central);
  ImSB->setObjectName("ImSB");
  ImSB->setBackgroundRole(QPalette::Window);
  ImSB->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Im = new TBoardWidget;
  Im->setObjectName("Im");
  ImSB->setWidget(Im);
  ImSB->setWidgetResizable(false);

  Splitter1 = new QSplitter(Qt::Horizontal, central);
  Splitter1->setObjectName("Splitter1");
  Splitter1->addWidget(ImSB);
  Splitter1->addWidget(BuildTreePanel());
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setChildrenCollapsible(false);
  column->addWidget(Splitter1, 1);
  column->addWidget(BuildBottomStrip());
  setCentralWidget(central);
  BuildActions();
}

QWidget* TZRKForm::BuildTopStrip() {
  auto* strip = new QFrame(this);
  strip->setObjectName("TopP");
  strip->setFixedHeight(82);
  strip->setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(5);

  // Size and dimensions.
  auto* size = new QWidget(strip);
  QGridLayout* sg = Grid(size);
  CellWSF = new TSpinFr(size);
  CellWSF->setObjectName("CellWSF");
  FitCellBt = Tool(size, "FitCellBt", QStringLiteral("⤢"), QStringLiteral("Размер клетки по габаритам окна"));
  sg->addWidget(Label(size, QStringLiteral("Размер")), 0, 0);
  sg->addWidget(CellWSF, 0, 1);
  sg->addWidget(Label(size, QStringLiteral("клетки")), 0, 2);
  sg->addWidget(FitCellBt, 0, 3);
  DimP = Panel(size, "DimP");
  QGridLayout* dg = Grid(DimP);
  DimXSF = new TSpinFr(DimP);
  DimXSF->setObjectName("DimXSF");
  DimYSF = new TSpinFr(DimP);
  DimYSF->setObjectName("DimYSF");
  FitDimBt = Tool(DimP, "FitDimBt", QStringLiteral("▣"), QStringLiteral("Подогнать область рисования по габаритам поля"));
  RectBt = Tool(DimP, "RectBt", QStringLiteral("▭"), QStringLiteral("Задать прямоугольное поле"));
  dg->addWidget(Label(DimP, QStringLiteral("Ширина")), 0, 0);
  dg->addWidget(DimXSF, 0, 1);
  dg->addWidget(FitDimBt, 0, 2);
  dg->addWidget(Label(DimP, QStringLiteral("Высота")), 1, 0);
  dg->addWidget(DimYSF, 1, 1);
  dg->addWidget(RectBt, 1, 2);
  sg->addWidget(DimP, 1, 0, 2, 4);
  row->addWidget(size);

  // Display.
  auto* display = new QWidget(strip);
  QGridLayout* vg = Grid(display);
  GridFCB = Check(display, "GridFCB", QStringLiteral("Сетка на поле"));
  GridECB = Check(display, "GridECB", QStringLiteral("Сетка вне поля"));
  NumsCB = Check(display, "NumsCB", QStringLiteral("Номера"));
  NumsBt = Tool(display, "NumsBt", QStringLiteral("№"), QStringLiteral("Задать свои номера фигурок"), true);
  EndPosBt = Tool(display, "EndPosBt", QStringLiteral("Конечная поз."), QStringLiteral("Показ конечной позиции"), true);
  EndPosBt->setToolButtonStyle(Qt::ToolButtonTextOnly);
  EndPosBt->setMinimumWidth(EndPosBt->fontMetrics().horizontalAdvance(QStringLiteral("● Конечная поз.")) + 12);
  vg->addWidget(GridFCB, 0, 0, 1, 3);
  vg->addWidget(GridECB, 1, 0, 1, 3);
  vg->addWidget(NumsCB, 2, 0);
  vg->addWidget(NumsBt, 2, 1);
  vg->addWidget(EndPosBt, 2, 2);
  row->addWidget(display);

  // Edit tools and symmetry, two rows each, with the selection helpers under them.
  auto* editing = new QWidget(strip);
  QGridLayout* eg = Grid(editing);
  EditP = Panel(editing, "EditP");
  QGridLayout* tg = Grid(EditP);
  PlusBt = Tool(EditP, "PlusBt", "+", QStringLiteral("Добавить фигурку (Ins)"), true);
  MinusBt = Tool(EditP, "MinusBt", QStringLiteral("−"), QStringLiteral("Удалить выделенные фигурки (Delete)"));
  ClearAllBt = Tool(EditP, "ClearAllBt", QStringLiteral("∅"), QStringLiteral("Очистить условия задачи"));
  CopyBt = Tool(EditP, "CopyBt", QStringLiteral("⊕"), QStringLiteral("Копировать фигурку с изменением цвета (Alt+Right)"));
  Copy1Bt = Tool(EditP, "Copy1Bt", QStringLiteral("⊕="), QStringLiteral("Копировать фигурку с сохранением цвета (Alt+Shift+Right)"));
  AddColBt = Tool(EditP, "AddColBt", QStringLiteral("+│"), QStringLiteral("Добавить колонку"), true);
  DelColBt = Tool(EditP, "DelColBt", QStringLiteral("−│"), QStringLiteral("Удалить колонку"), true);
  AddRowBt = Tool(EditP, "AddRowBt", QStringLiteral("+─"), QStringLiteral("Добавить строку"), true);
  DelRowBt = Tool(EditP, "DelRowBt", QStringLiteral("−─"), QStringLiteral("Удалить строку"), true);
  ClearWallsBt = Tool(EditP, "ClearWallsBt", QStringLiteral("✕▌"), QStringLiteral("Удалить все стенки"));
  WallsBt = Tool(EditP, "WallsBt", QStringLiteral("▌"), QStringLiteral("Рисовать стенки"), true);
  ClearPinsBn = Tool(EditP, "ClearPinsBn", QStringLiteral("✕●"), QStringLiteral("Удалить все штырьки и желобки"));
  PinsBt = Tool(EditP, "PinsBt", QStringLiteral("●"), QStringLiteral("Рисовать штырьки и желобки"), true);
  const QList<QToolButton*> tools1{PlusBt, MinusBt, ClearAllBt, CopyBt, Copy1Bt, ClearWallsBt, WallsBt};
  const QList<QToolButton*> tools2{AddColBt, DelColBt, AddRowBt, DelRowBt, ClearPinsBn, PinsBt};
  for (int i = 0; i < tools1.size(); ++i) tg->addWidget(tools1[i], 0, i);
  for (int i = 0; i < tools2.size(); ++i) tg->addWidget(tools2[i], 1, i);
  SymP = Panel(editing, "SymP");
  QGridLayout* yg = Grid(SymP);
  AllDirBt = Tool(SymP, "AllDirBt", QStringLiteral("✥"), QStringLiteral("Фигурка может двигаться в любом направлении"));
  HorDirBt = Tool(SymP, "HorDirBt", QStringLiteral("↔"), QStringLiteral("Фигурка может двигаться только горизонтально"));
  VertDirBt = Tool(SymP, "VertDirBt", QStringLiteral("↕"), QStringLiteral("Фигурка может двигаться только вертикально"));
  FixDirBt = Tool(SymP, "FixDirBt", QStringLiteral("■"), QStringLiteral("Фигурка неподвижна"));
  FlipHorBt = Tool(SymP, "FlipHorBt", QStringLiteral("⇆"), QStringLiteral("Отразить выделенное горизонтально"));
  FlipVertBt = Tool(SymP, "FlipVertBt", QStringLiteral("⇅"), QStringLiteral("Отразить выделенное вертикально"));
  Rotate270Bt = Tool(SymP, "Rotate270Bt", QStringLiteral("↺"), QStringLiteral("Повернуть выделенное против часовой стрелки"));
  Rotate90Bt = Tool(SymP, "Rotate90Bt", QStringLiteral("↻"), QStringLiteral("Повернуть выделенное по часовой стрелки"));
  Rotate180Bt = Tool(SymP, "Rotate180Bt", QStringLiteral("180"), QStringLiteral("Повернуть выделенное на 180 градусов"));
  const QList<QToolButton*> sym1{AllDirBt, HorDirBt, VertDirBt, FixDirBt};
  const QList<QToolButton*> sym2{FlipHorBt, FlipVertBt, Rotate270Bt, Rotate90Bt, Rotate180Bt};
  for (int i = 0; i < sym1.size(); ++i) yg->addWidget(sym1[i], 0, i);
  for (int i = 0; i < sym2.size(); ++i) yg->addWidget(sym2[i], 1, i);
  InvertSelBt = Tool(editing, "InvertSelBt", QStringLiteral("Инверсия"), QStringLiteral("Инверсия выделения"));
  OnlyFieldCB = Check(editing, "OnlyFieldCB", QStringLiteral("Только поле"),
                      QStringLiteral("Если ничего не выделено, то поворачивать и брать в буфер обмена только поле"));
  eg->addWidget(EditP, 0, 0, 2, 1);
  eg->addWidget(SymP, 0, 1, 2, 1);
  auto* selRow = new QHBoxLayout;
  selRow->setSpacing(6);
  selRow->addWidget(InvertSelBt);
  selRow->addWidget(OnlyFieldCB);
  selRow->addStretch(1);
  eg->addLayout(selRow, 2, 0, 1, 2);
  row->addWidget(editing);

  // Play-mode groups in the same place.
  auto* playing = new QWidget(strip);
  QGridLayout* pg = Grid(playing);
  EditBegP = Panel(playing, "EditBegP");
  auto* eb = new QHBoxLayout(EditBegP);
  eb->setContentsMargins(0, 0, 0, 0);
  EditBegBt = Tool(EditBegP, "EditBegBt", QStringLiteral("Текущая позиция"),
                   QStringLiteral("Перейти в режим редактирования с сохранением текущей позиции"));
  eb->addWidget(EditBegBt);
  FixDirP = Panel(playing, "FixDirP");
  auto* fx = new QHBoxLayout(FixDirP);
  fx->setContentsMargins(0, 0, 0, 0);
  fx->setSpacing(2);
  UnFixBt = Tool(FixDirP, "UnFixBt", QStringLiteral("○"), QStringLiteral("Разфиксировать все временно зафиксированные фигурки"));
  FixDir1Bt = Tool(FixDirP, "FixDir1Bt", QStringLiteral("□"), QStringLiteral("Режим фиксации/разфиксации фигурок"), true);
  fx->addWidget(UnFixBt);
  fx->addWidget(FixDir1Bt);
  OpenMovesP = Panel(playing, "OpenMovesP");
  auto* om = new QHBoxLayout(OpenMovesP);
  om->setContentsMargins(0, 0, 0, 0);
  OpenMovesBt = Tool(OpenMovesP, "OpenMovesBt", QStringLiteral("Ходы"),
                     QStringLiteral("Открыть файл с цепочкой ходов (+Ctrl - из буфера обмена)"));
  om->addWidget(OpenMovesBt);
  pg->addWidget(EditBegP, 0, 0, 1, 2);
  pg->addWidget(FixDirP, 1, 0);
  pg->addWidget(OpenMovesP, 1, 1);
  row->addWidget(playing);

  // History and transfer.
  auto* history = new QWidget(strip);
  QGridLayout* hg = Grid(history);
  UndoBt = IconTool(history, "UndoBt", "edit-undo", QStringLiteral("Отмена действия (Ctrl+Z или Alt+BkSp)"));
  RedoBt = IconTool(history, "RedoBt", "edit-redo", QStringLiteral("Возврат действия (Ctrl+Shift+Z или Shift+BkSp)"));
  ToEndBt = Tool(history, "ToEndBt", QStringLiteral("⇥"), QString());
  ToBegBt = Tool(history, "ToBegBt", QStringLiteral("⇤"), QString());
  ToBufBt = Tool(history, "ToBufBt", QStringLiteral("→Б"), QString());
  FromBufBt = Tool(history, "FromBufBt", QStringLiteral("Б→"), QString());
  TextBt = Tool(history, "TextBt", "T", QStringLiteral("Текстовая информация о задаче"), true);
  hg->addWidget(UndoBt, 0, 0);
  hg->addWidget(RedoBt, 0, 1);
  hg->addWidget(ToBegBt, 1, 0);
  hg->addWidget(ToEndBt, 1, 1);
  hg->addWidget(ToBufBt, 2, 0);
  hg->addWidget(FromBufBt, 2, 1);
  row->addWidget(history);

  // Mode, solving and files.
  auto* mode = new QWidget(strip);
  QGridLayout* mg = Grid(mode);
  PlayBt = Tool(mode, "PlayBt", QStringLiteral("Играть"), QString());
  QFont bold = PlayBt->font();
  bold.setBold(true);
  PlayBt->setFont(bold);
  PlayBt->setMinimumWidth(std::max(64, PlayBt->fontMetrics().horizontalAdvance(QStringLiteral("Редактир.")) + 14));
  SolveBt = Tool(mode, "SolveBt", QStringLiteral("Решить"), QString());
  SolveBt->setMinimumWidth(PlayBt->minimumWidth());
  SolOptBt = Tool(mode, "SolOptBt", QStringLiteral("…"), QStringLiteral("Настройки решения"));
  PictBt = Tool(mode, "PictBt", QStringLiteral("▦"), QStringLiteral("Наложить картинку"));
  OpenBt = IconTool(mode, "OpenBt", "document-open", QStringLiteral("Открыть задачу из файла"));
  SaveBt = IconTool(mode, "SaveBt", "document-save", QStringLiteral("Сохранить задачу в файл"));
  SaveAsBt = IconTool(mode, "SaveAsBt", "document-save-as", QStringLiteral("Сохранить задачу в файл с новым именем"));
  NavigBt = IconTool(mode, "NavigBt", "folder", QStringLiteral("Навигация по задачам, вложенным в папку ZRKTasks"));
  NavigBt->setCheckable(true);
  HelpBt = IconTool(mode, "HelpBt", "help-contents", QStringLiteral("Справка по программе"));
  mg->addWidget(PlayBt, 0, 0, 1, 2);
  mg->addWidget(SolveBt, 1, 0, 1, 2);
  mg->addWidget(SolOptBt, 2, 0);
  mg->addWidget(PictBt, 2, 1);
  mg->addWidget(OpenBt, 0, 2);
  mg->addWidget(SaveBt, 0, 3);
  mg->addWidget(SaveAsBt, 1, 2);
  mg->addWidget(TextBt, 1, 3);
  mg->addWidget(NavigBt, 2, 2);
  mg->addWidget(HelpBt, 2, 3);
  row->addWidget(mode);

  // Move kind.
  MoveKindP = Panel(strip, "MoveKindP");
  QGridLayout* kg = Grid(MoveKindP);
  kg->setVerticalSpacing(0);
  OneFigRB = Radio(MoveKindP, "OneFigRB", QStringLiteral("Ход одной фигуркой"),
                   QStringLiteral("Ходом смещаем одну фигурку, она может толкать другие в случае \"Груповое смещение\""));
  CoopRB = Radio(MoveKindP, "CoopRB", QStringLiteral("Кооперативное"),
                 QStringLiteral("Ход - движение нескольких фигурок в разных направлениях на 1 клетку"));
  GravityRB = Radio(MoveKindP, "GravityRB", QStringLiteral("Гравитационное"),
                    QStringLiteral("Все фигурки съезжают в направлении хода"));
  auto* kindGroup = new QButtonGroup(MoveKindP);
  for (QRadioButton* r : {OneFigRB, CoopRB, GravityRB}) kindGroup->addButton(r);
  SlideOptP = Panel(MoveKindP, "SlideOptP");
  QGridLayout* og = Grid(SlideOptP);
  og->setVerticalSpacing(0);
  GrSlideCB = Check(SlideOptP, "GrSlideCB", QStringLiteral("Групповое смещение"),
                    QStringLiteral("При ходе одна фигурка может толкать другие"));
  OneCellRB = Radio(SlideOptP, "OneCellRB", QStringLiteral("На 1 клетку"), QStringLiteral("Ход - смещение на одну клетку"));
  OneDirRB = Radio(SlideOptP, "OneDirRB", QStringLiteral("В одном направлении"),
                   QStringLiteral("Ход - смещение на одну или несколько клеток в одном направлении"));
  AnyPathRB = Radio(SlideOptP, "AnyPathRB", QStringLiteral("Любой путь"),
                    QStringLiteral("Ход - перемещение одной фигурки по любому пути"));
  MinGrCB = Check(SlideOptP, "MinGrCB", QStringLiteral("Мин. группа"),
                  QStringLiteral("Смещение на одну клетку минимальной сцепленной группой фигурок"));
  MinGrCB->hide();
  auto* slideGroup = new QButtonGroup(SlideOptP);
  for (QRadioButton* r : {OneCellRB, OneDirRB, AnyPathRB}) slideGroup->addButton(r);
  // Four short rows in one column keep the panel narrow; the never-shown MinGrCB shares the last.
  for (QWidget* w : std::initializer_list<QWidget*>{GrSlideCB, OneCellRB, OneDirRB, AnyPathRB, MinGrCB})
    w->setMaximumHeight(18);
  og->addWidget(GrSlideCB, 0, 0);
  og->addWidget(OneCellRB, 1, 0);
  og->addWidget(OneDirRB, 2, 0);
  og->addWidget(AnyPathRB, 3, 0);
  og->addWidget(MinGrCB, 3, 0);
  kg->addWidget(OneFigRB, 0, 0);
  kg->addWidget(CoopRB, 1, 0);
  kg->addWidget(GravityRB, 2, 0);
  kg->addWidget(SlideOptP, 0, 1, 3, 1, Qt::AlignTop);
  row->addWidget(MoveKindP);
  row->addStretch(1);

  ToolButtons = {AddColBt, AddRowBt, DelColBt, DelRowBt, PlusBt, WallsBt, PinsBt, NumsBt};
  return strip;
}

QWidget* TZRKForm::BuildTreePanel() {
  TreeP = Panel(this, "TreeP");
  TreeP->setMinimumWidth(MinTreeWidth);
  auto* col = new QVBoxLayout(TreeP);
  col->setContentsMargins(4, 4, 4, 4);
  NavP = new TPlayNavPanel(Midend, TreeP);
  TreePanel = new TTreePanel(Midend, TreeP);
  MovesL = NavP->MovesL;
  TreeV = TreePanel->Tr;
  col->addWidget(NavP);
  col->addWidget(TreePanel, 1);
  return TreeP;
}

QWidget* TZRKForm::BuildBottomStrip() {
  auto* strip = new QFrame(this);
  strip->setObjectName("ColorP");
  strip->setFixedHeight(26);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(5);
  ChooseColBt = Tool(strip, "ChooseColBt", QStringLiteral("Цвет"), QStringLiteral("Выбор цвета для выделенных фигурок или поля"));
  ChooseColBt->setMaximumHeight(22);
  ImC = new TImageView(strip);
  ImC->setObjectName("ImC");
  ImC->setToolTip(QStringLiteral("Изменить цвет выделенного - левой кнопкой. Выделить, обладающее цветом - правой кнопкой."));
  ImC->SetImageSize(StripWidth, StripHeight);
  NormCol = Tool(strip, "NormCol", QStringLiteral("Подряд"), QStringLiteral("Присвоить выделенным фигуркам стандартные цвета"));
  GridColBt = Tool(strip, "GridColBt", QStringLiteral("Цвет сетки"), QStringLiteral("Цвет сетки на поле"));
  WallColBt = Tool(strip, "WallColBt", QStringLiteral("Цвет стен"), QString());
  SameColCB = Check(strip, "SameColCB", QStringLiteral("Тот же цвет"),
                    QStringLiteral("Новые фигурки делать того же цвета, что последняя выделенная фигурка"));
  for (QToolButton* b : {NormCol, GridColBt, WallColBt}) b->setMaximumHeight(22);
  row->addWidget(ChooseColBt);
  row->addWidget(ImC);
  row->addWidget(NormCol);
  row->addWidget(GridColBt);
  row->addWidget(WallColBt);
  row->addWidget(SameColCB);
  row->addStretch(1);
  return strip;
}

void TZRKForm::BuildActions() {
  auto make = [this](QAction*& a, const char* name, QList<QKeySequence> keys) {
    a = new QAction(this);
    a->setObjectName(name);
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
  };
  make(HelpA, "HelpA", {QKeySequence(Qt::Key_F1)});
  make(SaveA, "SaveA", {QKeySequence(Qt::Key_F2), QKeySequence("Ctrl+S")});
  make(OpenA, "OpenA", {QKeySequence(Qt::Key_F3), QKeySequence("Ctrl+O")});
  make(CloseWithoutSaveA, "CloseWithoutSaveA", {QKeySequence("Shift+F11")});
  make(CancelA, "CancelA", {QKeySequence(Qt::Key_Escape)});
  make(PlusA, "PlusA", {QKeySequence(Qt::Key_Insert)});
  make(MinusA, "MinusA", {QKeySequence("Ctrl+Del")});
  make(UndoA, "UndoA", {QKeySequence("Alt+Backspace"), QKeySequence("Ctrl+Z")});
  make(RedoA, "RedoA", {QKeySequence("Shift+Backspace"), QKeySequence("Ctrl+Shift+Z")});
  make(ToBufA, "ToBufA", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")});
  make(FromBufA, "FromBufA",
       {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins"), QKeySequence("Alt+Ins"), QKeySequence("Ctrl+Shift+V")});
}

} // namespace zrk
