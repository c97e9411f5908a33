#include "library/add_dir_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "library/library_widgets.h"
#include "ui/app_settings.h"

namespace zrk {

namespace {

const char* const Section = "AddDir";

} // namespace

TAddDirForm::TAddDirForm(QSettings& ini, QWidget* parent) : QDialog(parent) {
  setObjectName("AddDirForm");
  setModal(false);
  setWindowTitle(QStringLiteral("Добавить подпапку"));
  E = NameEdit(this);
  HintL = new QLabel(QStringLiteral("Если текст отсутствует, то имя - \"Папка 1\", \"Папка 2\", ..."), this);
  AddBt = DialogButton(this, "AddBt", QStringLiteral("Добавить"));
  AddCloseBt = DialogButton(this, "AddCloseBt", QStringLiteral("Добавить и закрыть"));

  auto* column = new QVBoxLayout(this);
  column->addWidget(E);
  column->addWidget(HintL);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddBt);
  buttons->addWidget(AddCloseBt);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
  LoadPlacement(ini, *this, Section, true);

  connect(AddBt, &QPushButton::clicked, this, [this] { emit AddAsked(false); });
  connect(AddCloseBt, &QPushButton::clicked, this, [this] { emit AddAsked(true); });
  connect(this, &QDialog::finished, this, &TAddDirForm::Closed);
}

void TAddDirForm::Open(const QString& folderName) {
  SetFolderName(folderName);
  E->clear();
  show();
  raise();
  E->setFocus();
}

void TAddDirForm::SetFolderName(const QString& folderName) {
  setWindowTitle(QStringLiteral("Добавить подпапку в \"%1\"").arg(folderName));
}

void TAddDirForm::WritePlacement(QSettings& ini) const { SavePlacement(ini, *this, Section, true); }

} // namespace zrk
