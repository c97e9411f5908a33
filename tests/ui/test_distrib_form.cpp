// The distribution window and its chart: the bars of many layers, the scale, the marks, the list
// rewritten from its first changed line, the copy button, the refused close during a solve, the
// labels during and after a solve and for a stored summary; the solve options dialog's rules.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

#include "model/cp1251.h"
#include "play/play_engine.h"
#include "ui/distrib_form.h"
#include "ui/layer_chart.h"
#include "ui/sol_opt_form.h"

using namespace zrk;

class TestDistribForm : public QObject {
  Q_OBJECT
 private slots:
  void manyLayersShareThePixelColumns();
  void scaleTurnsLogarithmicBeyondThreeDecades();
  void chartPaintsTheMarks();
  void listIsRewrittenFromItsFirstChangedLine();
  void copyButtonTakesTheSelectionOrAll();
  void closeIsRefusedWhileSolving();
  void labelsDuringAndAfterASolve();
  void summaryShowsTheStoredReport();
  void optionsDialogFollowsItsRules();
};

void TestDistribForm::manyLayersShareThePixelColumns() {
  TLayerChart::TData data;
  data.Counts.assign(10000, 5);
  data.Counts[7777] = 900; // the largest layer, inside one column
  data.SolutionLayer = 4000;
  data.FarthestLayer = 9999;
  const auto columns = TLayerChart::Columns(data, 300);
  QCOMPARE(int(columns.size()), 300);
  QCOMPARE(columns.front().FirstLayer, 0);
  QCOMPARE(columns.back().LastLayer, 9999);
  int solution = 0, farthest = 0, tall = 0;
  for (size_t b = 0; b < columns.size(); ++b) {
    if (b > 0) QCOMPARE(columns[b].FirstLayer, columns[b - 1].LastLayer + 1); // every layer in one column
    solution += columns[b].Solution;
    farthest += columns[b].Farthest;
    if (columns[b].Count == 900) {
      ++tall;
      QVERIFY(columns[b].FirstLayer <= 7777 && 7777 <= columns[b].LastLayer);
    }
  }
  QCOMPARE(solution, 1);
  QCOMPARE(farthest, 1);
  QCOMPARE(tall, 1);
  QVERIFY(columns.back().Farthest);

  data.Counts.resize(12); // fewer layers than pixels: one bar per layer
  const auto few = TLayerChart::Columns(data, 300);
  QCOMPARE(int(few.size()), 12);
  QCOMPARE(few[5].FirstLayer, 5);
  QCOMPARE(few[5].LastLayer, 5);
}

void TestDistribForm::scaleTurnsLogarithmicBeyondThreeDecades() {
  QVERIFY(!TLayerChart::LogScale({1, 500, 1000}));
  QVERIFY(TLayerChart::LogScale({1, 500, 1001}));
  QVERIFY2(!TLayerChart::LogScale({0, 0, 7, 7000}), "empty layers do not count");
  QVERIFY(!TLayerChart::LogScale({}));
  QCOMPARE(TLayerChart::BarHeight(1000, 1000, false, 200), 200);
  QCOMPARE(TLayerChart::BarHeight(1, 1000, false, 200), 1); // a counted layer never vanishes
  QCOMPARE(TLayerChart::BarHeight(0, 1000, false, 200), 0);
  // log: 1 -> one decade of four, 100 -> three of four
  QCOMPARE(TLayerChart::BarHeight(1, 1000, true, 200), 50);
  QCOMPARE(TLayerChart::BarHeight(100, 1000, true, 200), 150);
}

void TestDistribForm::chartPaintsTheMarks() {
  TLayerChart chart;
  chart.resize(412, 200);
  TLayerChart::TData data;
  data.Counts = {1, 10, 40, 30, 2};
  data.SolutionLayer = 2;
  data.FarthestLayer = 4;
  chart.SetData(data);
  const QImage image = chart.grab().toImage();
  // Five bars across 400 pixels from x = 6: bar k spans 6 + 80 k .. 6 + 80 (k + 1).
  auto colourAt = [&](int layer, int fromBottom) { return image.pixelColor(6 + 80 * layer + 40, 200 - 18 - fromBottom); };
  const QColor solution = colourAt(2, 5), farthest = colourAt(4, 1), plain = colourAt(3, 5);
  QVERIFY2(solution.green() > 100 && solution.red() < 60, qPrintable(solution.name()));
  QVERIFY2(farthest.red() > 150 && farthest.green() < 60, qPrintable(farthest.name()));
  QVERIFY2(plain.blue() > 150 && plain.red() < 120, qPrintable(plain.name()));
  // The tallest bar reaches the top of the plot, a low one does not.
  QVERIFY(colourAt(2, 150).green() > 100);
  QCOMPARE(colourAt(0, 150), QColor(Qt::white));
}

void TestDistribForm::listIsRewrittenFromItsFirstChangedLine() {
  TDistribForm form;
  form.SetListText("0) 1\n1) 2\n2) 3?\n");
  const QTextBlock kept = form.E->document()->findBlockByNumber(1);
  form.SetListText("0) 1\n1) 2\n2) 7\n3) 1?\n");
  QCOMPARE(form.ListText(), QString("0) 1\n1) 2\n2) 7\n3) 1?\n"));
  QVERIFY2(form.E->document()->findBlockByNumber(1) == kept, "the unchanged lines stay");
  form.SetListText("0) 1\nОстановлено\n");
  QCOMPARE(form.ListText(), QString("0) 1\nОстановлено\n"));
  form.SetListText(QString());
  QCOMPARE(form.ListText(), QString());
}

void TestDistribForm::copyButtonTakesTheSelectionOrAll() {
  TDistribForm form;
  form.SetListText("0) 1\n1) 2\n2) 3\n");
  form.ToBufBt->click();
  QCOMPARE(QApplication::clipboard()->text(), QString("0) 1\n1) 2\n2) 3\n"));
  QTextCursor cursor(form.E->document());
  cursor.setPosition(5);
  cursor.setPosition(14, QTextCursor::KeepAnchor);
  form.E->setTextCursor(cursor);
  form.ToBufBt->click();
  QCOMPARE(QApplication::clipboard()->text(), QString("1) 2\n2) 3"));
}

void TestDistribForm::closeIsRefusedWhileSolving() {
  TDistribForm form;
  int closed = 0;
  QObject::connect(&form, &TDistribForm::Closed, [&] { ++closed; });
  form.show();
  form.Solving = true;
  QVERIFY(!form.close());
  QVERIFY(form.isVisible());
  form.Solving = false;
  QVERIFY(form.close());
  QCOMPARE(closed, 1);
}

void TestDistribForm::labelsDuringAndAfterASolve() {
  TDistribForm form;
  form.show();
  TSolveOptions options;
  options.Remote = false;
  form.BeginSolve();
  QCOMPARE(form.TimeL->text(), QStringLiteral("0 сек."));
  QCOMPARE(form.CountL->text(), QStringLiteral("0 поз."));
  QVERIFY(form.StopBt->isHidden());

  TSolveCounts c;
  c.LayerCounts = {1, 2, 1500000};
  c.L = 2;
  c.PosTotal = 1500003;
  c.GeneratedTotal = 30;
  c.ExpandedTotal = 12;
  c.MaxRecords = 31317469;
  c.ElapsedMs = 2600;
  form.ShowRunning(c, options, true);
  QCOMPARE(form.TimeL->text(), QStringLiteral("3 сек."));
  QCOMPARE(form.CountL->text(), QStringLiteral("1,5 млн поз."));
  QCOMPARE(form.MaxCountL->text(), QStringLiteral("31,3 млн макс."));
  QVERIFY(form.MaxCountL->isVisible());
  QVERIFY2(form.CountL->y() < form.TimeL->y(), "the count stands above the budget");
  QCOMPARE(form.NubsL->text(), QStringLiteral("2,50"));
  QCOMPARE(form.ListText(), QString("0) 1\n1) 2\n2) 1500000?\n"));
  QVERIFY(form.Chart->Data().LastGrowing);

  TSolveResult r;
  r.Counts = c;
  r.Counts.SolveStopped = true;
  r.Counts.ElapsedMs = 2345;
  r.Report = DistributionText(r.Counts, options, false);
  form.ShowFinal(r, options);
  QCOMPARE(form.TimeL->text(), QStringLiteral("2,35 сек."));
  QCOMPARE(form.CountL->text(), QStringLiteral("1,5? млн поз."));
  QVERIFY(!form.MaxCountL->isVisible());
  QCOMPARE(form.CountL->y(), form.TimeL->y());
  QVERIFY(form.ListText().endsWith("2) 1500000?\nОстановлено\n"));
  QCOMPARE(form.Chart->Data().FarthestLayer, -1); // a stopped search knows no farthest layer

  r.Counts.SolveStopped = false;
  form.ShowFinal(r, options);
  QCOMPARE(form.Chart->Data().FarthestLayer, 2);
}

void TestDistribForm::summaryShowsTheStoredReport() {
  TDistribForm form;
  TSolveSummary s;
  s.SolveTime = 61234;
  s.PosTotal = 999999;
  s.SolveStopped = true;
  s.SolveReport = Utf8ToCp1251("0) 1\n1) 3 Решений 2\n2) 5?\nОстановлено\n");
  s.GeneratedTotal = 10;
  s.ExpandedTotal = 4;
  form.ShowSummary(s);
  QCOMPARE(form.ListText(), QStringLiteral("0) 1\n1) 3 Решений 2\n2) 5?\nОстановлено\n"));
  QCOMPARE(form.TimeL->text(), QStringLiteral("61,2 сек."));
  QCOMPARE(form.CountL->text(), QStringLiteral("999999? поз."));
  QCOMPARE(form.NubsL->text(), QStringLiteral("2,50"));
  QCOMPARE(form.Chart->Data().Counts, (std::vector<uint32_t>{1, 3, 5}));
  QCOMPARE(form.Chart->Data().SolutionLayer, 1);
  QCOMPARE(form.Chart->Data().FarthestLayer, -1);
}

void TestDistribForm::optionsDialogFollowsItsRules() {
  TSolveOptions options;
  options.SolMax = 7; // not in the list
  TSolOptForm form(options);
  form.ShowOptions();
  QVERIFY(form.RemoteCB->isChecked());
  QVERIFY2(!form.CountSolCB->isVisible(), "counting is offered only without the farthest position");
  QVERIFY(!form.SolMaxCB->isVisible());
  QVERIFY(!form.UseEvalCB->isVisible());
  QCOMPARE(form.SolMaxCB->currentText(), QString("10"));

  form.RemoteCB->click();
  QVERIFY(!options.Remote);
  QVERIFY(form.CountSolCB->isVisible());
  form.ManySolCB->click();
  QVERIFY(options.ManySol);
  QVERIFY(form.SolMaxCB->isVisible());
  QCOMPARE(options.SolMax, 7); // kept until the user chooses
  form.SolMaxCB->setCurrentIndex(3);
  emit form.SolMaxCB->activated(3);
  QCOMPARE(options.SolMax, 50);
  form.CountSolCB->click();
  form.ForgetLayersCB->click();
  QVERIFY(options.CountSol && options.ForgetLayers);

  // Shown again, the controls follow options changed elsewhere without storing anything back.
  options = TSolveOptions();
  options.SolMax = 100;
  options.ManySol = true;
  form.ShowOptions();
  QCOMPARE(form.SolMaxCB->currentText(), QString("100"));
  QVERIFY(form.SolMaxCB->isVisible());
  QVERIFY(!form.CountSolCB->isVisible());
  QCOMPARE(options.SolMax, 100);
}

QTEST_MAIN(TestDistribForm)
#include "test_distrib_form.moc"
