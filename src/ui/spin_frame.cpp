#include "ui/spin_frame.h"

#include <algorithm>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace zrk {

namespace {
TSpinFr* CurrentEditingFrame = nullptr;
}

const std::vector<int>& CellSizeValues() {
  static const std::vector<int> v{7, 8, 9, 10, 12, 15, 17, 20, 25, 30, 35, 40,
                                  45, 50, 60, 70, 80, 100, 120, 140, 160, 180, 200};
  return v;
}

const std::vector<int>& BoardSizeValues() {
  static const std::vector<int> v{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20, 25,
                                  30, 35, 40, 45, 50, 60, 70, 80, 90, 100, 110, 120, 126};
  return v;
}

TSpinFr* TSpinFr::EditingFrame() { return CurrentEditingFrame; }

TSpinFr::TSpinFr(QWidget* parent) : QFrame(parent) {
  E = new QLineEdit(this);
  E->setObjectName("E");
  E->setFixedWidth(36);
  E->setAlignment(Qt::AlignRight);
  // The window's shortcuts keep working until the user clicks into the box and types.
  E->setFocusPolicy(Qt::ClickFocus);
  E->installEventFilter(this);
  UpBt = new QToolButton(this);
  UpBt->setObjectName("UpBt");
  UpBt->setArrowType(Qt::UpArrow);
  DownBt = new QToolButton(this);
  DownBt->setObjectName("DownBt");
  DownBt->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {UpBt, DownBt}) {
    b->setFixedSize(16, 11);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  OkBt = new QToolButton(this);
  OkBt->setObjectName("OkBt");
  OkBt->setText("OK");
  OkBt->setFixedSize(24, 22);
  OkBt->setFocusPolicy(Qt::NoFocus);
  // The button's place is kept while it is hidden, so that showing it never widens the window.
  QSizePolicy keep = OkBt->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  OkBt->setSizePolicy(keep);
  OkBt->hide();

  auto* spin = new QVBoxLayout;
  spin->setContentsMargins(0, 0, 0, 0);
  spin->setSpacing(0);
  spin->addWidget(UpBt);
  spin->addWidget(DownBt);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  row->addWidget(E);
  row->addLayout(spin);
  row->addWidget(OkBt);

  connect(UpBt, &QToolButton::clicked, this, &TSpinFr::SpinUp);
  connect(DownBt, &QToolButton::clicked, this, &TSpinFr::SpinDown);
  connect(OkBt, &QToolButton::clicked, this, &TSpinFr::Confirm);
  connect(E, &QLineEdit::textEdited, this, &TSpinFr::Typed);
  connect(E, &QLineEdit::returnPressed, this, [this] { if (IsEditing) Confirm(); });
}

TSpinFr::~TSpinFr() { EndEdit(); }

void TSpinFr::Bind(std::vector<int> values, int initial, Handler handler, int tag) {
  Values = std::move(values);
  OnChange = std::move(handler);
  Tag = tag;
  Current = initial;
  Suppress = true;
  E->setText(QString::number(initial));
  Suppress = false;
}

void TSpinFr::SetValue(int v, bool notify) {
  OkBt->hide();
  EndEdit();
  if (v != Current) {
    Current = v;
    if (notify && OnChange) OnChange(Tag, v);
  }
  Suppress = true;
  Current = v;
  E->setText(QString::number(v));
  Suppress = false;
}

void TSpinFr::SpinUp() {
  for (int v : Values)
    if (v > Current) return SetValue(v, true);
}

void TSpinFr::SpinDown() {
  for (auto it = Values.rbegin(); it != Values.rend(); ++it)
    if (*it < Current) return SetValue(*it, true);
}

// A positive number is clamped to the list's range, not snapped to its values: 11 stays 11.
void TSpinFr::Confirm() {
  bool ok = false;
  const long long typed = E->text().trimmed().toLongLong(&ok);
  int v = Current;
  if (ok && typed > 0 && !Values.empty())
    v = int(std::clamp<long long>(typed, Values.front(), Values.back()));
  SetValue(v, true);
}

void TSpinFr::CancelEdit() { SetValue(Current, false); }

void TSpinFr::Typed() {
  if (Suppress || IsEditing) return;
  OkBt->show();
  IsEditing = true;
  if (CurrentEditingFrame && CurrentEditingFrame != this) CurrentEditingFrame->Confirm();
  CurrentEditingFrame = this;
  // While the user types, a press anywhere else in the application confirms first.
  qApp->installEventFilter(this);
}

void TSpinFr::EndEdit() {
  IsEditing = false;
  if (CurrentEditingFrame == this) {
    CurrentEditingFrame = nullptr;
    qApp->removeEventFilter(this);
  }
}

bool TSpinFr::OwnsWidget(QObject* o) const {
  for (; o; o = o->parent())
    if (o == this) return true;
  return false;
}

bool TSpinFr::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (IsEditing && (type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress) &&
      watched->isWidgetType() && !OwnsWidget(watched)) {
    Confirm();
    return false;
  }
  if (watched == E) {
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && IsEditing) {
      CancelEdit();
      return true;
    }
    if (type == QEvent::FocusOut && IsEditing) Confirm();
  }
  return QFrame::eventFilter(watched, event);
}

} // namespace zrk
