#include "library/add_task_form.h"

#include <QCheckBox>
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

const char* const Section = "AddTask";

} // namespace

TAddTaskForm::TAddTaskForm(QSettings& ini, QWidget* parent) : QDialog(parent) {
  setObjectName("AddTaskForm");
  setModal(false);
  setWindowTitle(QStringLiteral("Добавить задачу в папку"));
  E = NameEdit(this);
  ClearBt = DialogButton(this, "ClearBt", QStringLiteral("Очистить текст"));
  MainCB = new QCheckBox(QStringLiteral("Главный файл"), this);
  MainCB->setObjectName("MainCB");
  MainCB->setToolTip(QStringLiteral("Главный файл в серии файлов. Может содержать описание для всей серии."));
  DefNameCB = new QCheckBox(QStringLiteral("Имя по умолчанию"), this);
  DefNameCB->setObjectName("DefNameCB");
  DefNameCB->setChecked(ini.value(QString(Section) + "/DefName", 0).toInt() != 0);
  ChangeL = new QLabel(QStringLiteral("При открытом окне можно менять задачу и папку для добавления"), this);
  EmptyL = new QLabel(QStringLiteral("Если имя пустое, то именем будет номер"), this);
  AddBt = DialogButton(this, "AddBt", QStringLiteral("Добавить"));
  AddCloseBt = DialogButton(this, "AddCloseBt", QStringLiteral("Добавить и закрыть"));

  auto* column = new QVBoxLayout(this);
  auto* name = new QHBoxLayout;
  name->addWidget(E, 1);
  name->addWidget(ClearBt);
  column->addLayout(name);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(MainCB);
  boxes->addWidget(DefNameCB);
  boxes->addStretch();
  column->addLayout(boxes);
  column->addWidget(ChangeL);
  column->addWidget(EmptyL);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddBt);
  buttons->addWidget(AddCloseBt);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
  LoadPlacement(ini, *this, Section, true);

  connect(ClearBt, &QPushButton::clicked, E, &QLineEdit::clear);
  connect(DefNameCB, &QCheckBox::clicked, this, [this](bool on) {
    if (on) emit DefaultNameAsked();
  });
  connect(AddBt, &QPushButton::clicked, this, [this] { emit AddAsked(false); });
  connect(AddCloseBt, &QPushButton::clicked, this, [this] { emit AddAsked(true); });
  connect(this, &QDialog::finished, this, &TAddTaskForm::Closed);
}

void TAddTaskForm::Open(const QString& folderName, const QString& proposal) {
  SetFolderName(folderName);
  MainCB->setChecked(false);
  E->setText(proposal.left(MaxLibraryNameLength));
  show();
  raise();
  E->setFocus();
}

void TAddTaskForm::SetFolderName(const QString& folderName) {
  setWindowTitle(QStringLiteral("Добавить задачу в папку \"%1\"").arg(folderName));
}

void TAddTaskForm::WriteSettings(QSettings& ini) const {
  SavePlacement(ini, *this, Section, true);
  ini.setValue(QString(Section) + "/DefName", DefNameCB->isChecked() ? 1 : 0);
}

} // namespace zrk
