#pragma once
// TDistribForm: the distribution window ("Распределение по ходам"). While a solve runs it shows the
// time, the positions stored against the budget, the average number of neighbours, the list of
// positions per layer and their chart, with a stop button; afterwards the final report; and, for
// DistribBt, the summary kept with the task.

#include <QString>
#include <QWidget>

#include "solver/distribution.h"
#include "solver/solve_driver.h"

class QGridLayout;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace zrk {

class TLayerChart;

class TDistribForm : public QWidget {
  Q_OBJECT
 public:
  explicit TDistribForm(QWidget* parent = nullptr);

  QLabel *TimeL, *CountL, *MaxCountL, *Lev0L, *Label1, *NubsL;
  QToolButton *StopBt, *ToBufBt;
  QPlainTextEdit* E;
  TLayerChart* Chart;

  // While set, closing the window is refused.
  bool Solving = false;

  // A new solve: the list and the chart emptied, "0 сек." and "0 поз.", no stop button.
  void BeginSolve();
  // A refresh during the solve; budgetKnown: the search has published its budget.
  void ShowRunning(const TSolveCounts& counts, const TSolveOptions& options, bool budgetKnown);
  // The end of a solve: the final report and labels.
  void ShowFinal(const TSolveResult& result, const TSolveOptions& options);
  // The summary of the last solve kept with the task (DistribBt).
  void ShowSummary(const TSolveSummary& summary);

  // Replaces the list's text, rewriting only from the first line that changed (the list of a long
  // solve grows by a line or two per refresh).
  void SetListText(const QString& text);
  QString ListText() const;

 signals:
  void StopClicked();
  void Closed(); // the user closed the window: DistribBt is released

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QGridLayout* labels_;
  void PlaceCount(bool withBudget);
  void CopyList();
};

} // namespace zrk
