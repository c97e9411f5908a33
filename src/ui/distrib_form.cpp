#include "ui/distrib_form.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/cp1251.h"
#include "play/play_engine.h"
#include "ui/layer_chart.h"

namespace zrk {

namespace {

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

QLabel* Label(QWidget* parent, const char* name, const QString& hint) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setToolTip(hint);
  l->setMinimumWidth(90);
  return l;
}

} // namespace

TDistribForm::TDistribForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("DistribForm");
  setWindowTitle(QStringLiteral("Распределение по ходам"));
  resize(560, 420);

  TimeL = Label(this, "TimeL", QStringLiteral("Затрачено времени на решение"));
  CountL = Label(this, "CountL", QStringLiteral("Перебрано позиций"));
  MaxCountL = Label(this, "MaxCountL", QString());
  Lev0L = Label(this, "Lev0L", QStringLiteral("Первый не удаленный уровень"));
  Label1 = Label(this, "Label1", QStringLiteral("Среднее количество соседних позиций"));
  Label1->setText(QStringLiteral("Соседних позиций"));
  NubsL = Label(this, "NubsL", QStringLiteral("Среднее количество соседних позиций"));
  StopBt = new QToolButton(this);
  StopBt->setObjectName("StopBt");
  StopBt->setText(QStringLiteral("Стоп"));
  StopBt->setMinimumWidth(60);
  ToBufBt = new QToolButton(this);
  ToBufBt->setObjectName("ToBufBt");
  ToBufBt->setText(QStringLiteral("В буфер"));
  ToBufBt->setToolTip(QStringLiteral("Весь или выделенный текст в буфер обмена"));

  E = new QPlainTextEdit(this);
  E->setObjectName("E");
  E->setReadOnly(true);
  E->setLineWrapMode(QPlainTextEdit::NoWrap);
  E->setMinimumWidth(150);
  Chart = new TLayerChart(this);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(4);
  labels_ = new QGridLayout;
  labels_->setHorizontalSpacing(10);
  labels_->setVerticalSpacing(2);
  labels_->addWidget(TimeL, 1, 0);
  labels_->addWidget(StopBt, 0, 2, 2, 1);
  labels_->addWidget(Lev0L, 2, 0);
  labels_->addWidget(Label1, 2, 1);
  labels_->addWidget(NubsL, 2, 2);
  labels_->setColumnStretch(3, 1);
  column->addLayout(labels_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(E);
  split->addWidget(Chart);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({170, 370});
  split->setChildrenCollapsible(false);
  column->addWidget(split, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(ToBufBt);
  bottom->addStretch(1);
  column->addLayout(bottom);

  PlaceCount(false);
  StopBt->hide();
  connect(StopBt, &QToolButton::clicked, this, [this] {
    if (Solving) emit StopClicked();
  });
  connect(ToBufBt, &QToolButton::clicked, this, &TDistribForm::CopyList);
}

// During a solve the count stands above the budget; otherwise beside the time.
void TDistribForm::PlaceCount(bool withBudget) {
  labels_->removeWidget(CountL);
  labels_->removeWidget(MaxCountL);
  if (withBudget) {
    labels_->addWidget(CountL, 0, 1);
    labels_->addWidget(MaxCountL, 1, 1);
  } else {
    labels_->addWidget(CountL, 1, 1);
  }
  MaxCountL->setVisible(withBudget);
  if (layout()) layout()->activate();
}

void TDistribForm::BeginSolve() {
  SetListText(QString());
  TimeL->setText(Utf8(TimeText(0, true)));
  CountL->setText(Utf8(CountText(0, false)));
  Lev0L->clear();
  NubsL->clear();
  PlaceCount(false);
  StopBt->hide();
  Chart->SetData({});
}

void TDistribForm::ShowRunning(const TSolveCounts& c, const TSolveOptions& options, bool budgetKnown) {
  TimeL->setText(Utf8(TimeText(c.ElapsedMs, true)));
  CountL->setText(Utf8(CountText(c.PosTotal, c.SolveStopped)));
  if (budgetKnown) {
    MaxCountL->setText(Utf8(MaxCountText(c.MaxRecords)));
    if (MaxCountL->isHidden()) PlaceCount(true);
  }
  Lev0L->setText(Utf8(Lev0Text(c.ForgetIndex)));
  NubsL->setText(Utf8(NubsText(c.GeneratedTotal, c.ExpandedTotal)));
  SetListText(Utf8(DistributionText(c, options, true)));
  TLayerChart::TData data;
  data.Counts = c.LayerCounts;
  data.SolutionLayer = c.SolutionLayer;
  data.LastGrowing = true;
  Chart->SetData(std::move(data));
}

void TDistribForm::ShowFinal(const TSolveResult& r, const TSolveOptions&) {
  const TSolveCounts& c = r.Counts;
  TimeL->setText(Utf8(TimeText(c.ElapsedMs, false)));
  CountL->setText(Utf8(CountText(c.PosTotal, c.SolveStopped || r.CountsPartial)));
  PlaceCount(false);
  Lev0L->setText(Utf8(Lev0Text(c.ForgetIndex)));
  NubsL->setText(Utf8(NubsText(c.GeneratedTotal, c.ExpandedTotal)));
  SetListText(Utf8(r.Report));
  TLayerChart::TData data;
  data.Counts = c.LayerCounts;
  data.SolutionLayer = c.SolutionLayer;
  // The last layer is the farthest one only when the search went on to it.
  if (!c.SolveStopped && !r.CountsPartial && !c.LayerCounts.empty()) data.FarthestLayer = c.L;
  Chart->SetData(std::move(data));
}

void TDistribForm::ShowSummary(const TSolveSummary& s) {
  const std::string report = Cp1251ToUtf8(s.SolveReport);
  SetListText(Utf8(report));
  const TSummaryLabels labels = SummaryLabels(s);
  TimeL->setText(Utf8(labels.Time));
  CountL->setText(Utf8(labels.Count));
  PlaceCount(false);
  Lev0L->clear();
  NubsL->setText(Utf8(labels.Nubs));
  const TListedLayers listed = ReadDistributionText(report);
  TLayerChart::TData data;
  data.Counts = listed.Counts;
  data.SolutionLayer = listed.SolutionLayer;
  if (listed.Complete) data.FarthestLayer = int(listed.Counts.size()) - 1;
  Chart->SetData(std::move(data));
}

void TDistribForm::SetListText(const QString& text) {
  const QString shown = E->toPlainText();
  if (shown == text) return;
  int same = 0;
  const int limit = std::min(shown.size(), text.size());
  while (same < limit && shown[same] == text[same]) ++same;
  // Rewrite from the start of the first line that differs; plain-text positions are the document's.
  const int from = same > 0 ? int(text.lastIndexOf('\n', same - 1)) + 1 : 0;
  QTextCursor cursor(E->document());
  cursor.beginEditBlock();
  cursor.setPosition(from);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.insertText(text.mid(from));
  cursor.endEditBlock();
  E->moveCursor(QTextCursor::End);
  E->ensureCursorVisible();
}

QString TDistribForm::ListText() const { return E->toPlainText(); }

void TDistribForm::CopyList() {
  const QTextCursor cursor = E->textCursor();
  const QString text = cursor.hasSelection() ? cursor.selection().toPlainText() : E->toPlainText();
  QApplication::clipboard()->setText(text);
}

void TDistribForm::closeEvent(QCloseEvent* event) {
  if (Solving) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
  emit Closed();
}

} // namespace zrk
