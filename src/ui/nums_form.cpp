#include "ui/nums_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/cp1251.h"
#include "model/ops_numbering.h"
#include "ui/app_settings.h"
#include "ui/updating.h"

namespace zrk {

namespace {

const char* const Section = "Numbers";
constexpr int ListColumns = 5;
constexpr int ItemWidth = 58;

QCheckBox* Option(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* c = new QCheckBox(text, parent);
  c->setObjectName(name);
  c->setToolTip(hint);
  return c;
}

QString FromCp1251(const std::string& s) { return QString::fromStdString(Cp1251ToUtf8(s)); }

} // namespace

TNumsForm::TNumsForm(TTask& task, TNumberList& list, INumsHost& host, QSettings& ini, QWidget* parent)
    : QWidget(parent, Qt::Tool), Task(task), List(list), Host(host) {
  setObjectName("NumsForm");
  setWindowTitle(QStringLiteral("Нумерация фигурок"));
  NormBt = new QPushButton(QStringLiteral("Занумеровать подряд"), this);
  NormBt->setObjectName("NormBt");
  NormBt->setToolTip(QStringLiteral("Занумеровать сверху вниз и слева направо"));
  ClearAllBt = new QPushButton(QStringLiteral("Очистить все имена"), this);
  ClearAllBt->setObjectName("ClearAllBt");
  const QString namesHint = QStringLiteral("Иначе показывать новые имена, если они заданы");
  OrigNumsCB = Option(this, "OrigNumsCB", QStringLiteral("Показывать исходные номера"), namesHint);
  OrigMovesNumsCB = Option(this, "OrigMovesNumsCB", QStringLiteral("Использовать исх. номера в нотации ходов"), namesHint);
  OnlyNamesCB = Option(this, "OnlyNamesCB", QStringLiteral("Показывать только новые имена"),
                       QStringLiteral("Если имя фигурки не задано, ее номер не показывать"));
  DifByNameCB = Option(this, "DifByNameCB", QStringLiteral("Различать по отображаемым именам"),
                       QStringLiteral("Если отображаемые имена различны, то фигурки различны"));
  NameE = new QLineEdit(this);
  NameE->setObjectName("NameE");
  NameE->setMaxLength(3);
  ClearBt = new QToolButton(this);
  ClearBt->setObjectName("ClearBt");
  ClearBt->setToolTip(QStringLiteral("Очистить имя"));
  ClearBt->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
  NameRefusalL = new QLabel(this);
  NameRefusalL->setObjectName("NameRefusalL");
  NameRefusalL->setStyleSheet("color: #b00000");
  NameRefusalL->setWordWrap(true);
  LB = new QListWidget(this);
  LB->setObjectName("LB");
  QFont bold = LB->font();
  bold.setBold(true);
  LB->setFont(bold);
  LB->setFlow(QListView::LeftToRight);
  LB->setWrapping(true);
  LB->setResizeMode(QListView::Adjust);
  LB->setUniformItemSizes(true);
  LB->setGridSize(QSize(ItemWidth, LB->fontMetrics().height() + 6));
  LB->setMinimumSize(ListColumns * ItemWidth + 2 * LB->frameWidth() + LB->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4,
                     200);

  auto* column = new QVBoxLayout(this);
  column->addWidget(NormBt);
  column->addWidget(ClearAllBt);
  for (QCheckBox* c : {OrigNumsCB, OrigMovesNumsCB, OnlyNamesCB, DifByNameCB}) column->addWidget(c);
  auto* name = new QGridLayout;
  name->addWidget(new QLabel(QStringLiteral("Имя выделенной фигурки"), this), 0, 0, 1, 2);
  name->addWidget(NameE, 1, 0);
  name->addWidget(ClearBt, 1, 1);
  name->addWidget(new QLabel(QStringLiteral("(не более 3 символов)"), this), 2, 0, 1, 2);
  column->addLayout(name);
  column->addWidget(NameRefusalL);
  column->addWidget(LB, 1);
  column->addWidget(new QLabel(QStringLiteral("Выделите номер, потом кликните по фигурке"), this));
  LoadPlacement(ini, *this, Section, false);

  connect(NormBt, &QPushButton::clicked, this, &TNumsForm::NormBtClick);
  connect(ClearAllBt, &QPushButton::clicked, this, &TNumsForm::ClearAllBtClick);
  for (QCheckBox* c : {OrigNumsCB, OrigMovesNumsCB, OnlyNamesCB, DifByNameCB})
    connect(c, &QCheckBox::clicked, this, &TNumsForm::OptionClick);
  connect(NameE, &QLineEdit::textChanged, this, &TNumsForm::NameEChange);
  connect(ClearBt, &QToolButton::clicked, this, [this] {
    if (!NameE->text().isEmpty()) NameE->clear();
  });
  connect(LB, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!Updating && row >= 0) List.Select(row);
  });
}

TFig* TNumsForm::SingleSelected() const {
  return Task.SelCount == 1 && Task.SelFig && Task.SelFig->Index != 0 ? Task.SelFig : nullptr;
}

void TNumsForm::Fill() {
  {
    TUpdating updating(Updating);
    const TTaskOptions& o = Task.Options;
    OrigNumsCB->setChecked(o.OrigNums);
    OrigMovesNumsCB->setChecked(o.OrigMovesNums);
    OnlyNamesCB->setChecked(o.OnlyNames);
    DifByNameCB->setChecked(o.DifByName);
    List.Fill(Task);
    LB->clear();
    for (int i = 0; i < List.Count(); ++i) LB->addItem(FromCp1251(List.Label(Task, i)));
  }
  ShowSelectedItem();
  UpdateName();
}

void TNumsForm::RenewTexts() {
  TUpdating updating(Updating);
  OrigNumsCB->setChecked(Task.Options.OrigNums);
  OrigMovesNumsCB->setChecked(Task.Options.OrigMovesNums);
  List.Renew(Task);
  if (LB->count() != List.Count()) {
    Fill();
    return;
  }
  for (int i = 0; i < List.Count(); ++i) LB->item(i)->setText(FromCp1251(List.Label(Task, i)));
}

void TNumsForm::ShowSelectedItem() {
  TUpdating updating(Updating);
  if (List.Count() > 0) LB->setCurrentRow(List.Selected());
}

void TNumsForm::NumberTaken() {
  RenewTexts();
  ShowSelectedItem();
}

void TNumsForm::UpdateName() {
  TUpdating updating(Updating);
  const TFig* f = SingleSelected();
  NameE->setEnabled(f != nullptr);
  NameE->setText(f ? FromCp1251(f->NameStr()) : QString());
  NameRefusalL->clear();
}

void TNumsForm::FocusName() {
  if (!isVisible()) return;
  activateWindow();
  if (NameE->isEnabled()) {
    NameE->setFocus();
    NameE->selectAll();
  }
}

void TNumsForm::NormBtClick() {
  List.Select(0);
  NumberByRows(Task);
  NumberTaken();
  Host.NumsRefresh();
}

void TNumsForm::ClearAllBtClick() {
  bool any = false;
  for (int i = 1; i < Task.FigCount; ++i) {
    TFig& f = Task.Figs[size_t(i)];
    any = any || f.HasName();
    f.SetName("");
  }
  if (!any) return;
  {
    TUpdating updating(Updating);
    NameE->clear();
  }
  RenewTexts();
  Host.NumsRefresh();
}

void TNumsForm::OptionClick() {
  if (Updating) return;
  TTaskOptions& o = Task.Options;
  const bool movesNums = OrigMovesNumsCB->isChecked();
  const bool notation = movesNums != o.OrigMovesNums;
  o.OrigNums = OrigNumsCB->isChecked();
  o.OrigMovesNums = movesNums;
  o.OnlyNames = OnlyNamesCB->isChecked();
  o.DifByName = DifByNameCB->isChecked();
  if (notation) Host.NumsNotationChanged();
  else Host.NumsRefresh();
}

void TNumsForm::NameEChange(const QString& text) {
  if (Updating) return;
  TFig* f = SingleSelected();
  if (!f) return;
  const std::string name = Utf8ToCp1251(text.left(3).toStdString());
  if (const char* refusal = NameRefusal(name)) {
    NameRefusalL->setText(QString::fromUtf8(refusal));
    return;
  }
  NameRefusalL->clear();
  if (name == f->NameStr()) return;
  f->SetName(name);
  RenewTexts();
  Host.NumsRefresh();
}

void TNumsForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  Host.NumsClosed();
}

void TNumsForm::WritePlacement(QSettings& ini) const { SavePlacement(ini, *this, Section, false); }

} // namespace zrk
