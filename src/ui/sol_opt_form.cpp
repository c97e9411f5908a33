#include "ui/sol_opt_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QVBoxLayout>

#include "ui/updating.h"

namespace zrk {

namespace {

constexpr int SolMaxItems[] = {5, 10, 20, 50, 100};
constexpr int DefaultSolMaxItem = 1; // "10"

QCheckBox* Check(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* c = new QCheckBox(text, parent);
  c->setObjectName(name);
  c->setToolTip(hint);
  return c;
}

} // namespace

TSolOptForm::TSolOptForm(TSolveOptions& options, QWidget* parent) : QDialog(parent), options_(options) {
  setObjectName("SolOptForm");
  setWindowTitle(QStringLiteral("Настройки решения"));
  setModal(false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  RemoteCB = Check(this, "RemoteCB", QStringLiteral("Находить дальнюю позицию"), QString());
  ManySolCB = Check(this, "ManySolCB", QStringLiteral("Находить разные решения"),
                    QStringLiteral("Находить решения, по одному на разные предпоследние позиции"));
  SolMaxCB = new QComboBox(this);
  SolMaxCB->setObjectName("SolMaxCB");
  SolMaxCB->setToolTip(QStringLiteral("Сколько решений находить"));
  for (int n : SolMaxItems) SolMaxCB->addItem(QString::number(n), n);
  CountSolCB = Check(this, "CountSolCB", QStringLiteral("Подсчитать решения"),
                     QStringLiteral("Подсчитать решения, по одному на разные предпоследние позиции"));
  ForgetLayersCB = Check(this, "ForgetLayersCB", QStringLiteral("Хранить в памяти не все слои перебора"),
                         QStringLiteral("Для больших задач, не умещающихся в память"));
  UseEvalCB = Check(this, "UseEvalCB", QStringLiteral("Использовать оценочную функцию"), QString());
  UseEvalCB->hide();

  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);
  auto* many = new QHBoxLayout;
  many->addWidget(ManySolCB);
  many->addWidget(SolMaxCB);
  many->addStretch(1);
  column->addWidget(RemoteCB);
  column->addWidget(CountSolCB);
  column->addLayout(many);
  column->addWidget(ForgetLayersCB);
  column->addWidget(UseEvalCB);

  connect(RemoteCB, &QCheckBox::clicked, this, [this](bool on) {
    if (updating_) return;
    options_.Remote = on;
    ApplyVisibility();
  });
  connect(ManySolCB, &QCheckBox::clicked, this, [this](bool on) {
    if (updating_) return;
    options_.ManySol = on;
    ApplyVisibility();
  });
  connect(CountSolCB, &QCheckBox::clicked, this, [this](bool on) {
    if (!updating_) options_.CountSol = on;
  });
  connect(ForgetLayersCB, &QCheckBox::clicked, this, [this](bool on) {
    if (!updating_) options_.ForgetLayers = on;
  });
  connect(UseEvalCB, &QCheckBox::clicked, this, [this](bool on) {
    if (!updating_) options_.UseEval = on;
  });
  connect(SolMaxCB, &QComboBox::activated, this, [this](int index) {
    if (!updating_ && index >= 0) options_.SolMax = SolMaxCB->itemData(index).toInt();
  });
  FillControls();
}

void TSolOptForm::FillControls() {
  TUpdating updating(updating_);
  RemoteCB->setChecked(options_.Remote);
  ManySolCB->setChecked(options_.ManySol);
  CountSolCB->setChecked(options_.CountSol);
  ForgetLayersCB->setChecked(options_.ForgetLayers);
  UseEvalCB->setChecked(options_.UseEval);
  // A stored count not in the list shows "10" but stays until the user chooses another.
  const int found = SolMaxCB->findData(options_.SolMax);
  SolMaxCB->setCurrentIndex(found >= 0 ? found : DefaultSolMaxItem);
  ApplyVisibility();
}

void TSolOptForm::ApplyVisibility() {
  CountSolCB->setVisible(!options_.Remote);
  SolMaxCB->setVisible(options_.ManySol);
}

void TSolOptForm::ShowOptions() {
  FillControls();
  show();
  raise();
  activateWindow();
}

} // namespace zrk
