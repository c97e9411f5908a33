#include "library/order_form.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "library/library_widgets.h"

namespace zrk {

namespace {

constexpr int TasksTopHeight = 76;
constexpr int FoldersTopHeight = 57;
const QColor TasksBackground = Qt::white;
const QColor FoldersBackground(0xFF, 0xFF, 0xD0); // D0FFFF in the 0x00BBGGRR of the colours

} // namespace

// ---------------------------------------------------------------------------------------------
// The list with its right-button drag

void TOrderListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return QListWidget::mousePressEvent(event);
  QListWidgetItem* at = itemAt(event->position().toPoint());
  if (!at) return;
  if (!at->isSelected()) {
    clearSelection();
    at->setSelected(true);
  }
  setCurrentItem(at, QItemSelectionModel::NoUpdate);
  Dragging = true;
  viewport()->setCursor(Qt::DragMoveCursor);
}

void TOrderListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!Dragging) QListWidget::mouseMoveEvent(event);
}

void TOrderListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton || !Dragging) return QListWidget::mouseReleaseEvent(event);
  Dragging = false;
  viewport()->unsetCursor();
  const QPoint p = event->position().toPoint();
  QListWidgetItem* at = itemAt(p);
  if (!at) return;
  emit Dropped(row(at), p.y() - visualItemRect(at).top() > LowerPart);
}

// ---------------------------------------------------------------------------------------------
// The dialog

TOrderForm::TOrderForm(QWidget* parent) : QDialog(parent) {
  setObjectName("OrderForm");
  setModal(true);
  TopP = new QWidget(this);
  DirL = new QLabel(TopP);
  DirL->setObjectName("DirL");
  MainCB = new QCheckBox(QStringLiteral("Первый файл - главный"), TopP);
  MainCB->setObjectName("MainCB");
  DragL = new QLabel(QStringLiteral("Перетаскивать правой кнопкой мыши"), TopP);
  FirstBt = DialogButton(TopP, "FirstBt", QStringLiteral("В начало"));
  FirstBt->setToolTip(QStringLiteral("Выделенное в начало"));
  LastBt = DialogButton(TopP, "LastBt", QStringLiteral("В конец"));
  LastBt->setToolTip(QStringLiteral("Выделенное в конец"));
  UpBt = DialogButton(TopP, "UpBt", QStringLiteral("Вверх"));
  UpBt->setToolTip(QStringLiteral("Выделенное вверх"));
  DownBt = DialogButton(TopP, "DownBt", QStringLiteral("Вниз"));
  DownBt->setToolTip(QStringLiteral("Выделенное вниз"));
  LB = new TOrderListBox(this);
  LB->setObjectName("LB");
  LB->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LB->setUniformItemSizes(true);
  OkBt = DialogButton(this, "OkBt", QStringLiteral("OK"));
  OkBt->setDefault(true);
  CancelBt = DialogButton(this, "CancelBt", QStringLiteral("Отмена"));

  auto* top = new QVBoxLayout(TopP);
  top->setContentsMargins(4, 4, 4, 4);
  top->addWidget(DirL);
  auto* moves = new QHBoxLayout;
  for (QPushButton* b : {FirstBt, UpBt, DownBt, LastBt}) moves->addWidget(b);
  top->addLayout(moves);
  auto* hints = new QHBoxLayout;
  hints->addWidget(MainCB);
  hints->addStretch();
  hints->addWidget(DragL);
  top->addLayout(hints);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 4);
  column->addWidget(TopP);
  column->addWidget(LB, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkBt);
  buttons->addWidget(CancelBt);
  buttons->addSpacing(4);
  column->addLayout(buttons);

  connect(FirstBt, &QPushButton::clicked, this, [this] { Move([](TOrderList& l) { l.ToFirst(); }); });
  connect(LastBt, &QPushButton::clicked, this, [this] { Move([](TOrderList& l) { l.ToLast(); }); });
  connect(UpBt, &QPushButton::clicked, this, [this] { Move([](TOrderList& l) { l.Up(); }); });
  connect(DownBt, &QPushButton::clicked, this, [this] { Move([](TOrderList& l) { l.Down(); }); });
  connect(LB, &TOrderListBox::Dropped, this,
          [this](int row, bool after) { Move([row, after](TOrderList& l) { l.Drop(row, after); }); });
  connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
}

void TOrderForm::Setup(const QString& folderName, const QStringList& shown, bool forTasks, bool hasMain) {
  ForTasks = forTasks;
  Shown = shown;
  List = TOrderList(int(shown.size()));
  setWindowTitle(QStringLiteral("Измение порядка %1").arg(forTasks ? QStringLiteral("задач") : QStringLiteral("подпапок")));
  DirL->setText(folderName);
  MainCB->setVisible(forTasks);
  MainCB->setChecked(forTasks && hasMain);
  TopP->setFixedHeight(forTasks ? TasksTopHeight : FoldersTopHeight);
  QPalette palette = LB->palette();
  palette.setColor(QPalette::Base, forTasks ? TasksBackground : FoldersBackground);
  LB->setPalette(palette);
  ShowRows();
  FitHeight();
}

bool TOrderForm::MainFirst() const { return ForTasks && MainCB->isChecked(); }

template <class F> void TOrderForm::Move(F move) {
  for (int r = 0; r < List.Count(); ++r) List.Selected[size_t(r)] = LB->item(r)->isSelected();
  List.Focused = LB->currentRow();
  move(List);
  ShowRows();
}

void TOrderForm::ShowRows() {
  LB->clear();
  for (int r = 0; r < List.Count(); ++r) {
    auto* item = new QListWidgetItem(Shown[List.Items[size_t(r)]], LB);
    item->setSizeHint(QSize(0, TOrderListBox::RowHeight));
    item->setSelected(List.Selected[size_t(r)]);
  }
  if (List.Focused >= 0 && List.Focused < List.Count())
    LB->selectionModel()->setCurrentIndex(LB->model()->index(List.Focused, 0), QItemSelectionModel::NoUpdate);
}

// One row of 16 pixels per element, as high as that needs but never higher than the desktop.
void TOrderForm::FitHeight() {
  const int rows = std::max(1, List.Count()) * TOrderListBox::RowHeight + 2 * LB->frameWidth();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const int rest = TopP->height() + OkBt->sizeHint().height() + 24;
  const int room = screen ? screen->availableGeometry().height() - rest : rows;
  LB->setMinimumHeight(std::max(std::min(rows, room), 3 * TOrderListBox::RowHeight));
  LB->setMaximumHeight(std::max(rows, 3 * TOrderListBox::RowHeight));
  adjustSize();
  resize(std::max(width(), 360), height());
}

} // namespace zrk
