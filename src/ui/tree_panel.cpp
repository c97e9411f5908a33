#include "ui/tree_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/midend.h"
#include "model/cp1251.h"
#include "play/notation.h"
#include "ui/tool_button.h"

namespace zrk {

namespace {

constexpr int NodeRole = Qt::UserRole + 1;
constexpr int TreeIndent = 19;

// A node's text on the whole width of the view: the button-face colour marks the selected node
// whether or not the view has the focus, every other node lies on white.
class TNodeDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    QRect r = option.rect;
    if (view) r.setRight(std::max(r.right(), view->viewport()->width() - 1));
    r.setHeight(option.fontMetrics.height() + 2);
    const bool selected = option.state & QStyle::State_Selected;
    p->save();
    p->fillRect(r, selected ? option.palette.color(QPalette::Button) : QColor(Qt::white));
    p->setPen(Qt::black);
    p->setFont(option.font);
    p->drawText(r.x() + 4, r.y() + 2 + option.fontMetrics.ascent(), index.data(Qt::DisplayRole).toString());
    p->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString text = index.data(Qt::DisplayRole).toString();
    return QSize(option.fontMetrics.horizontalAdvance(text) + 8, option.fontMetrics.height() + 2);
  }
};

} // namespace

TTreePanel::TTreePanel(TMidend& midend, QWidget* parent) : QFrame(parent), M(midend) {
  setObjectName("TreeFrame");
  PosTextE = new QLineEdit(this);
  PosTextE->setObjectName("PosTextE");
  ClearPosTextBt = MakeToolButton(this, "ClearPosTextBt", QStringLiteral("✕"), QStringLiteral("Очистить текст узла"));
  AddPosBt = MakeToolButton(this, "AddPosBt", QStringLiteral("В дерево"), QStringLiteral("Сохранить текущую позицию в дерево"));
  DelPosBt = MakeToolButton(this, "DelPosBt", QStringLiteral("Удалить"),
                    QStringLiteral("Удалить выделенный узел и его подузлы из дерева"));
  DelPos1Bt = MakeToolButton(this, "DelPos1Bt", QStringLiteral("Подузлы"), QStringLiteral("Удалить подузлы выделенного узла из дерева"));
  DelPos2Bt = MakeToolButton(this, "DelPos2Bt", QStringLiteral("Узел"),
                     QStringLiteral("Удалить (разфиксировать) выделенный узел без подузлов из дерева"));
  Tr = new QTreeWidget(this);
  Tr->setObjectName("Tr");
  Tr->setHeaderHidden(true);
  Tr->setIndentation(TreeIndent);
  Tr->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Tr->setSelectionMode(QAbstractItemView::SingleSelection);
  Tr->setItemDelegate(new TNodeDelegate(Tr));
  Tr->setUniformRowHeights(true);
  // The row's indent takes the selection's colour too: the button face, never the focus colour.
  QPalette marks = Tr->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    marks.setColor(group, QPalette::Highlight, marks.color(QPalette::Button));
    marks.setColor(group, QPalette::HighlightedText, Qt::black);
  }
  Tr->setPalette(marks);

  auto* labels = new QVBoxLayout;
  labels->setSpacing(0);
  labels->addWidget(new QLabel(QStringLiteral("Текст"), this));
  labels->addWidget(new QLabel(QStringLiteral("узла"), this));
  auto* note = new QHBoxLayout;
  note->setSpacing(3);
  note->addLayout(labels);
  note->addWidget(PosTextE, 1);
  note->addWidget(ClearPosTextBt);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  buttons->addWidget(AddPosBt);
  buttons->addStretch(1);
  buttons->addWidget(DelPosBt);
  buttons->addWidget(DelPos1Bt);
  buttons->addWidget(DelPos2Bt);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addLayout(note);
  column->addLayout(buttons);
  column->addWidget(Tr, 1);

  connect(AddPosBt, &QToolButton::clicked, this, [this] { M.AddPosition(); });
  connect(DelPosBt, &QToolButton::clicked, this, [this] { M.DeleteNodes(true, true); });
  connect(DelPos1Bt, &QToolButton::clicked, this, [this] { M.DeleteNodes(false, true); });
  connect(DelPos2Bt, &QToolButton::clicked, this, [this] { M.DeleteNodes(true, false); });
  connect(ClearPosTextBt, &QToolButton::clicked, this, [this] {
    PosTextE->clear();
    NoteEdited(QString());
  });
  connect(PosTextE, &QLineEdit::textEdited, this, &TTreePanel::NoteEdited);
  connect(Tr, &QTreeWidget::itemSelectionChanged, this, &TTreePanel::SelectionChanged);
  connect(Tr, &QTreeWidget::itemClicked, this, &TTreePanel::Clicked);
  connect(Tr, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (TPosNode* n = NodeOf(item)) n->Expanded = true;
  });
  connect(Tr, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (TPosNode* n = NodeOf(item)) n->Expanded = false;
  });
  connect(Tr->verticalScrollBar(), &QScrollBar::valueChanged, this, &TTreePanel::TopChanged);
  Tr->viewport()->installEventFilter(this);
}

TPosNode* TTreePanel::NodeOf(const QTreeWidgetItem* item) const {
  if (!item) return nullptr;
  auto* node = reinterpret_cast<TPosNode*>(item->data(0, NodeRole).value<quintptr>());
  return M.Play.Tree.Contains(node) ? node : nullptr;
}

void TTreePanel::Rebuild() {
  const TPosTree& tree = M.Play.Tree;
  Tr->clear();
  items_.clear();
  for (TPosNode* n : tree.PreOrder()) {
    QTreeWidgetItem* up = n->Up ? items_.value(n->Up) : nullptr;
    auto* item = up ? new QTreeWidgetItem(up) : new QTreeWidgetItem(Tr);
    item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(n)));
    items_.insert(n, item);
  }
  // Children first exist, then their parents can be expanded.
  for (auto it = items_.cbegin(); it != items_.cend(); ++it) it.value()->setExpanded(it.key()->Expanded || !it.key()->Up);
  if (QTreeWidgetItem* top = items_.value(tree.TopVisible)) Tr->scrollToItem(top, QAbstractItemView::PositionAtTop);
  shownRevision_ = tree.Revision;
}

void TTreePanel::RenewTexts() {
  const bool mini = M.Play.MiniMoves;
  for (auto it = items_.cbegin(); it != items_.cend(); ++it) {
    const QString text = QString::fromStdString(Cp1251ToUtf8(NodeText(M.Task, mini, *it.key()->Line)));
    if (it.value()->text(0) != text) it.value()->setText(0, text);
  }
}

void TTreePanel::Sync() {
  Syncing = true;
  const TPosTree& tree = M.Play.Tree;
  if (tree.Revision != shownRevision_) Rebuild();
  RenewTexts();
  QTreeWidgetItem* selected = items_.value(tree.Selected);
  if (selected) {
    if (Tr->currentItem() != selected || !selected->isSelected()) Tr->setCurrentItem(selected);
  } else {
    Tr->clearSelection();
  }
  const QString note = tree.Selected ? QString::fromStdString(Cp1251ToUtf8(tree.Selected->Line->PosText)) : QString();
  if (PosTextE->text() != note) PosTextE->setText(note);
  PosTextE->setEnabled(tree.Selected != nullptr);
  ClearPosTextBt->setEnabled(tree.Selected != nullptr);
  Syncing = false;
}

void TTreePanel::SelectionChanged() {
  if (Syncing) return;
  const QList<QTreeWidgetItem*> items = Tr->selectedItems();
  M.SelectNode(items.isEmpty() ? nullptr : NodeOf(items.first()));
}

// Whether a press hits the current node is decided before the press changes the selection.
bool TTreePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Tr->viewport() && event->type() == QEvent::MouseButtonPress) {
    const TPosNode* node = NodeOf(Tr->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    PressOnCurrent = node && node == M.Play.Tree.Selected && node == M.Play.Tree.CurNode;
  }
  return QFrame::eventFilter(watched, event);
}

// A click on the current node loads it again: its position comes back after stepping away.
void TTreePanel::Clicked(QTreeWidgetItem* item) {
  if (Syncing || !PressOnCurrent) return;
  PressOnCurrent = false;
  if (TPosNode* node = NodeOf(item); node && node == M.Play.Tree.Selected) M.SelectNode(node);
}

void TTreePanel::NoteEdited(const QString& text) {
  if (Syncing) return;
  M.SetNote(Utf8ToCp1251(text.toStdString()));
}

void TTreePanel::TopChanged() {
  if (Syncing) return;
  M.Play.Tree.TopVisible = NodeOf(Tr->itemAt(0, 0));
}

} // namespace zrk
