#include "ui/clear_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "ui/app_settings.h"

namespace zrk {

namespace {

const char* const Section = "Clear";

QCheckBox* Box(QWidget* parent, const char* name, const QString& text) {
  auto* c = new QCheckBox(text, parent);
  c->setObjectName(name);
  return c;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

} // namespace

TClearForm::TClearForm(QSettings& ini, QWidget* parent) : QDialog(parent) {
  setObjectName("ClearForm");
  setWindowTitle(QStringLiteral("Очистка условия задачи"));
  ClearFieldCB = Box(this, "ClearFieldCB", QStringLiteral("Очистить поле"));
  DefColCB = Box(this, "DefColCB", QStringLiteral("Цвет поля и стенок по умолчанию"));
  ClearTextCB = Box(this, "ClearTextCB", QStringLiteral("Очистить текст"));
  FieldColBt = Button(this, "FieldColBt", QStringLiteral("Цвет поля по умолчанию"));
  GridColBt = Button(this, "GridColBt", QStringLiteral("Цвет сетки  по умолчанию"));
  WallsColBt = Button(this, "WallsColBt", QStringLiteral("Цвет стенок по умолчанию"));
  OkBt = Button(this, "OkBt", QStringLiteral("OK"));
  OkBt->setDefault(true);
  CancelBt = Button(this, "CancelBt", QStringLiteral("Отмена"));

  auto* column = new QVBoxLayout(this);
  for (QWidget* w : std::initializer_list<QWidget*>{ClearFieldCB, DefColCB, ClearTextCB, FieldColBt, GridColBt, WallsColBt})
    column->addWidget(w);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OkBt);
  buttons->addWidget(CancelBt);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
  LoadPlacement(ini, *this, Section, true);

  connect(FieldColBt, &QPushButton::clicked, this, [this] { emit DefaultColourAsked(DefaultColour::Field); });
  connect(GridColBt, &QPushButton::clicked, this, [this] { emit DefaultColourAsked(DefaultColour::Grid); });
  connect(WallsColBt, &QPushButton::clicked, this, [this] { emit DefaultColourAsked(DefaultColour::Walls); });
  connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<TClearChoice> TClearForm::Ask() {
  for (QCheckBox* c : {ClearFieldCB, DefColCB, ClearTextCB}) c->setChecked(true);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return TClearChoice{ClearFieldCB->isChecked(), DefColCB->isChecked(), ClearTextCB->isChecked()};
}

void TClearForm::WritePlacement(QSettings& ini) const { SavePlacement(ini, *this, Section, true); }

} // namespace zrk
