#include "ui/sol_panel.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace zrk {

namespace {

QToolButton* Button(QWidget* parent, const char* name, const QString& text, const QString& hint, bool checkable) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolTip(hint);
  b->setCheckable(checkable);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

} // namespace

TSolPanel::TSolPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("SolP");
  SolutionBt = Button(this, "SolutionBt", QStringLiteral("Решение"), QStringLiteral("Решение"), true);
  AddSolBt = Button(this, "AddSolBt", QStringLiteral("+"), QStringLiteral("Добавить решение в дерево"), false);
  RemoteBt = Button(this, "RemoteBt", QStringLiteral("Дальняя позиция"), QStringLiteral("Дальняя позиция"), true);
  AddRemBt = Button(this, "AddRemBt", QStringLiteral("+"), QStringLiteral("Добавить дальнюю позицию в дерево"), false);
  DistribBt = Button(this, "DistribBt", QStringLiteral("Распределение"),
                     QStringLiteral("Распределение позиций по слоям перебора"), true);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 2, 0, 2);
  row->setSpacing(2);
  row->addWidget(SolutionBt);
  row->addWidget(AddSolBt);
  row->addSpacing(6);
  row->addWidget(RemoteBt);
  row->addWidget(AddRemBt);
  row->addStretch(1);
  row->addWidget(DistribBt);
}

} // namespace zrk
