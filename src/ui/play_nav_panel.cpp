#include "ui/play_nav_panel.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "editor/midend.h"
#include "model/cp1251.h"
#include "play/notation.h"
#include "ui/tool_button.h"

namespace zrk {

namespace {

constexpr int ButtonWidth = 26;

QToolButton* NavButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  QToolButton* b = MakeToolButton(parent, name, text, hint);
  b->setFixedSize(ButtonWidth, 22);
  return b;
}

} // namespace

TPlayNavPanel::TPlayNavPanel(TMidend& midend, QWidget* parent) : QFrame(parent), M(midend) {
  setObjectName("Panel7");
  FirstMoveBt = NavButton(this, "FirstMoveBt", QStringLiteral("|◀"), QStringLiteral("Начальная позиция"));
  PrevMoveBt = NavButton(this, "PrevMoveBt", QStringLiteral("◀"), QStringLiteral("Предыдущий ход"));
  NextMoveBt = NavButton(this, "NextMoveBt", QStringLiteral("▶"), QStringLiteral("Следующий ход"));
  LastMoveBt = NavButton(this, "LastMoveBt", QStringLiteral("▶|"), QStringLiteral("Последний ход"));
  FirstMoveABt = NavButton(this, "FirstMoveABt", QStringLiteral("|◀◀"), QStringLiteral("Анимация к начальной позиции"));
  PrevMoveABt = NavButton(this, "PrevMoveABt", QStringLiteral("◀◀"), QStringLiteral("Анимация к предыдущему ходу"));
  NextMoveABt = NavButton(this, "NextMoveABt", QStringLiteral("▶▶"), QStringLiteral("Анимация к следующему ходу"));
  LastMoveABt = NavButton(this, "LastMoveABt", QStringLiteral("▶▶|"), QStringLiteral("Анимация к последнему ходу"));
  ShortMovesP = new QFrame(this);
  ShortMovesP->setObjectName("ShortMovesP");
  PrevMove0Bt = NavButton(ShortMovesP, "PrevMove0Bt", QStringLiteral("‹"), QStringLiteral("Предыдущий миниход"));
  NextMove0Bt = NavButton(ShortMovesP, "NextMove0Bt", QStringLiteral("›"), QStringLiteral("Следующий миниход"));
  PrevMove0ABt = NavButton(ShortMovesP, "PrevMove0ABt", QStringLiteral("‹‹"), QStringLiteral("Анимация к предыдущему миниходу"));
  NextMove0ABt = NavButton(ShortMovesP, "NextMove0ABt", QStringLiteral("››"), QStringLiteral("Анимация к следующему миниходу"));
  StopAnimBt = NavButton(this, "StopAnimBt", QStringLiteral("■"), QStringLiteral("Остановить анимацию"));
  SpeedUpBt = NavButton(this, "SpeedUpBt", QString(), QStringLiteral("Изменение скорости анимации"));
  SpeedDownBt = NavButton(this, "SpeedDownBt", QString(), QStringLiteral("Изменение скорости анимации"));
  SpeedUpBt->setArrowType(Qt::UpArrow);
  SpeedDownBt->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {SpeedUpBt, SpeedDownBt}) b->setFixedSize(16, 11);
  SpeedL = new QLabel(this);
  SpeedL->setObjectName("SpeedL");
  SpeedL->setToolTip(QStringLiteral("Количество ходов за секунду при анимации"));
  SpeedL->setMinimumWidth(SpeedL->fontMetrics().horizontalAdvance("0,00") + 4);
  MoveTB = new QSlider(Qt::Horizontal, this);
  MoveTB->setObjectName("MoveTB");
  MoveTB->setFocusPolicy(Qt::NoFocus);
  MoveTB->setTickPosition(QSlider::NoTicks);
  // Hidden while the line has one entry, without moving the panels below.
  QSizePolicy keep = MoveTB->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  MoveTB->setSizePolicy(keep);
  MovesL = new QLabel(this);
  MovesL->setObjectName("MovesL");
  MovesL->setToolTip(QStringLiteral("Количество ходов до текущей позиции"));
  TurnCB = new QCheckBox(QStringLiteral("Поворачивать мышью"), this);
  TurnCB->setObjectName("TurnCB");
  TurnCB->setToolTip(QStringLiteral("Менять направление хода, не отжимая кнопки мыши"));
  TurnCB->setFocusPolicy(Qt::NoFocus);

  auto* mini = new QGridLayout(ShortMovesP);
  mini->setContentsMargins(0, 0, 0, 0);
  mini->setSpacing(0);
  mini->addWidget(PrevMove0Bt, 0, 0);
  mini->addWidget(NextMove0Bt, 0, 1);
  mini->addWidget(PrevMove0ABt, 1, 0);
  mini->addWidget(NextMove0ABt, 1, 1);
  auto* speed = new QGridLayout;
  speed->setSpacing(0);
  speed->addWidget(SpeedUpBt, 0, 0);
  speed->addWidget(SpeedDownBt, 1, 0);
  speed->addWidget(SpeedL, 0, 1, 2, 1);

  auto* grid = new QGridLayout;
  grid->setSpacing(0);
  const QList<QToolButton*> steps{FirstMoveBt, PrevMoveBt, NextMoveBt, LastMoveBt};
  const QList<QToolButton*> slides{FirstMoveABt, PrevMoveABt, NextMoveABt, LastMoveABt};
  for (int i = 0; i < steps.size(); ++i) {
    grid->addWidget(steps[i], 0, i);
    grid->addWidget(slides[i], 1, i);
  }
  grid->addWidget(ShortMovesP, 0, 4, 2, 1);
  grid->addWidget(StopAnimBt, 0, 5, 2, 1, Qt::AlignVCenter);
  grid->addLayout(speed, 0, 6, 2, 1);
  grid->setColumnStretch(7, 1);

  auto* counter = new QHBoxLayout;
  counter->addWidget(MovesL, 1);
  counter->addWidget(TurnCB);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addLayout(grid);
  column->addWidget(MoveTB);
  column->addLayout(counter);
  StopAnimBt->hide();

  // The step buttons stop an animation first and take their target afterwards.
  using TTarget = int (*)(const TPlayEngine&);
  auto step = [this](QToolButton* b, TTarget target) {
    connect(b, &QToolButton::clicked, this, [this, target] {
      M.StopAnimation();
      M.GoToMove(target(M.Play));
    });
  };
  // The animated twins take the target before stopping: a second click on a running command is
  // a click on its own target, which ends the animation.
  auto slide = [this](QToolButton* b, TTarget target) {
    connect(b, &QToolButton::clicked, this, [this, target] { M.Animate(target(M.Play)); });
  };
  const TTarget first = [](const TPlayEngine&) { return 0; };
  const TTarget last = [](const TPlayEngine& e) { return e.Line.Count - 1; };
  const TTarget prev = [](const TPlayEngine& e) { return e.PrevMoveIndex(); };
  const TTarget next = [](const TPlayEngine& e) { return e.NextMoveIndex(); };
  const TTarget prevMini = [](const TPlayEngine& e) { return e.Line.Cur - 1; };
  const TTarget nextMini = [](const TPlayEngine& e) { return e.Line.Cur + 1; };
  step(FirstMoveBt, first), step(LastMoveBt, last), step(PrevMoveBt, prev), step(NextMoveBt, next);
  step(PrevMove0Bt, prevMini), step(NextMove0Bt, nextMini);
  slide(FirstMoveABt, first), slide(LastMoveABt, last), slide(PrevMoveABt, prev), slide(NextMoveABt, next);
  slide(PrevMove0ABt, prevMini), slide(NextMove0ABt, nextMini);
  connect(StopAnimBt, &QToolButton::clicked, this, [this] { M.StopAnimation(); });
  connect(MoveTB, &QSlider::valueChanged, this, [this](int v) {
    if (!Syncing) M.GoToMove(v);
  });
  connect(SpeedUpBt, &QToolButton::clicked, this, [this] { ChangeSpeed(1); });
  connect(SpeedDownBt, &QToolButton::clicked, this, [this] { ChangeSpeed(-1); });
  connect(TurnCB, &QCheckBox::clicked, this, [this](bool on) {
    if (!Syncing) M.Settings.Turn = on;
  });
  Timer.setInterval(AnimTimerMs);
  connect(&Timer, &QTimer::timeout, this, [this] { M.AnimTick(); });
}

void TPlayNavPanel::ChangeSpeed(int delta) {
  M.SetAnimSpeed(M.Settings.AnimSpeed + delta);
  Sync();
}

void TPlayNavPanel::Sync() {
  Syncing = true;
  const TPlayEngine& e = M.Play;
  const int cur = e.Line.Cur, count = e.Line.Count;
  const bool back = cur > 0, on = cur < count - 1;
  for (QToolButton* b : {FirstMoveBt, PrevMoveBt, PrevMove0Bt, FirstMoveABt, PrevMoveABt, PrevMove0ABt})
    b->setEnabled(back);
  for (QToolButton* b : {LastMoveBt, NextMoveBt, NextMove0Bt, LastMoveABt, NextMoveABt, NextMove0ABt})
    b->setEnabled(on);
  ShortMovesP->setVisible(e.MiniMoves);
  MoveTB->setVisible(count > 1);
  if (count > 1) {
    MoveTB->setRange(0, count - 1);
    MoveTB->setValue(cur);
  }
  MovesL->setText(count > 0 ? QString::fromStdString(Cp1251ToUtf8(CounterText(e, M.Anim.ShowsNextMove()))) : QString());
  StopAnimBt->setVisible(M.Anim.StopShown());
  if (M.Anim.Animating() && !Timer.isActive()) Timer.start();
  if (!M.Anim.Animating()) Timer.stop();
  SpeedL->setText(QString::fromLatin1(AnimSpeedText[std::clamp(M.Settings.AnimSpeed, 0, AnimSpeedCount - 1)]));
  TurnCB->setChecked(M.Settings.Turn);
  Syncing = false;
}

} // namespace zrk
