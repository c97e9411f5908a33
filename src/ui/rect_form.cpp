#include "ui/rect_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>

#include "ui/updating.h"

namespace zrk {

namespace {

QSpinBox* SideEdit(QWidget* parent, const char* name) {
  auto* e = new QSpinBox(parent);
  e->setObjectName(name);
  e->setRange(1, TRectChoice::MaxEntry);
  QFont bold = e->font();
  bold.setBold(true);
  e->setFont(bold);
  return e;
}

} // namespace

TRectForm::TRectForm(QSettings& ini, QWidget* parent) : QDialog(parent) {
  setObjectName("RectForm");
  setWindowTitle(QStringLiteral("Размеры прямоугольника"));
  XSE = SideEdit(this, "XSE");
  YSE = SideEdit(this, "YSE");
  SquareCB = new QCheckBox(QStringLiteral("Квадрат"), this);
  SquareCB->setObjectName("SquareCB");
  OkBt = new QPushButton(QStringLiteral("Да"), this);
  OkBt->setObjectName("OkBt");
  OkBt->setDefault(true);
  CancelBt = new QPushButton(QStringLiteral("Отмена"), this);
  CancelBt->setObjectName("CancelBt");

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Ширина"), this), 0, 0);
  grid->addWidget(XSE, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Высота"), this), 1, 0);
  grid->addWidget(YSE, 1, 1);
  grid->addWidget(SquareCB, 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OkBt);
  buttons->addWidget(CancelBt);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  Choice.Load(ini.value("Opt/RectX", 3).toInt(), ini.value("Opt/RectY", 3).toInt(),
              ini.value("Opt/RectSquare", 0).toInt() != 0);
  ShowChoice();

  connect(XSE, &QSpinBox::valueChanged, this, [this](int v) {
    if (Updating) return;
    Choice.ChangeX(v);
    ShowChoice();
  });
  connect(YSE, &QSpinBox::valueChanged, this, [this](int v) {
    if (Updating) return;
    Choice.ChangeY(v);
    ShowChoice();
  });
  connect(SquareCB, &QCheckBox::toggled, this, [this](bool on) {
    if (Updating) return;
    Choice.SetSquare(on);
    ShowChoice();
  });
  connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
}

void TRectForm::ShowChoice() {
  TUpdating updating(Updating);
  XSE->setValue(Choice.X);
  YSE->setValue(Choice.Y);
  SquareCB->setChecked(Choice.Square);
}

std::optional<QSize> TRectForm::Ask() {
  ShowChoice();
  adjustSize();
  if (QWidget* owner = parentWidget()) move(owner->frameGeometry().center() - rect().center());
  if (exec() != QDialog::Accepted) return std::nullopt;
  return QSize(Choice.X, Choice.Y);
}

void TRectForm::WriteSettings(QSettings& ini) const {
  ini.setValue("Opt/RectSquare", Choice.Square ? 1 : 0);
  ini.setValue("Opt/RectX", Choice.X);
  ini.setValue("Opt/RectY", Choice.Y);
}

} // namespace zrk
