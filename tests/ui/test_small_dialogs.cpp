// The editor's small dialogs on their own: the rectangle dialog's limits and settings, the clearing
// dialog's boxes and colour buttons, and the numbering window's list, name field and options.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "../support/task_text.h"
#include "model/cp1251.h"
#include "model/ops_selection.h"
#include "ui/clear_form.h"
#include "ui/nums_form.h"
#include "ui/rect_form.h"

using namespace zrk;

namespace {

class TNumsHost final : public INumsHost {
 public:
  int Refreshes = 0, NotationChanges = 0, Closes = 0;
  void NumsRefresh() override { ++Refreshes; }
  void NumsNotationChanged() override { ++NotationChanges; }
  void NumsClosed() override { ++Closes; }
};

// Presses a dialog's button once its modal loop runs.
void ClickWhenShown(QPushButton* button) {
  QTimer::singleShot(0, button, [button] { button->click(); });
}

} // namespace

class TestSmallDialogs : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void rectangleSidesStopAt62();
  void rectangleSettingsReadBackAndClamped();
  void clearingDialogTicksEveryBoxEachTime();
  void numbersListTheFiguresAndTakeTurns();
  void nameFieldNamesTheOneSelectedFigure();
  void numberingOptionsAndButtons();

 private:
  std::unique_ptr<QTemporaryDir> Dir;
  std::unique_ptr<QSettings> Ini;
};

void TestSmallDialogs::init() {
  Dir = std::make_unique<QTemporaryDir>();
  Ini = std::make_unique<QSettings>(Dir->filePath("ZRK.ini"), QSettings::IniFormat);
}

void TestSmallDialogs::rectangleSidesStopAt62() {
  TRectForm form(*Ini, nullptr);
  form.SquareCB->setChecked(true);
  form.XSE->setValue(80);
  QCOMPARE(form.XSE->value(), 62);
  QCOMPARE(form.YSE->value(), 62);
  form.YSE->setValue(7);
  QCOMPARE(form.XSE->value(), 7);
  form.SquareCB->setChecked(false);
  form.YSE->setValue(90);
  QCOMPARE(form.YSE->value(), 62);
  QCOMPARE(form.XSE->value(), 7);

  ClickWhenShown(form.OkBt);
  QCOMPARE(form.Ask(), std::optional<QSize>(QSize(7, 62)));
  ClickWhenShown(form.CancelBt);
  QCOMPARE(form.Ask(), std::optional<QSize>());
}

void TestSmallDialogs::rectangleSettingsReadBackAndClamped() {
  {
    TRectForm form(*Ini, nullptr);
    QCOMPARE(form.XSE->value(), 3); // the defaults
    QCOMPARE(form.YSE->value(), 3);
    form.XSE->setValue(12);
    form.WriteSettings(*Ini);
  }
  QCOMPARE(Ini->value("Opt/RectX").toInt(), 12);
  QCOMPARE(Ini->value("Opt/RectY").toInt(), 3);
  QCOMPARE(Ini->value("Opt/RectSquare").toInt(), 0);
  Ini->setValue("Opt/RectX", 500);
  Ini->setValue("Opt/RectY", -3);
  Ini->setValue("Opt/RectSquare", 1);
  TRectForm damaged(*Ini, nullptr);
  QCOMPARE(damaged.XSE->value(), 62);
  QCOMPARE(damaged.YSE->value(), 62); // square: the height follows
  QVERIFY(damaged.SquareCB->isChecked());
}

void TestSmallDialogs::clearingDialogTicksEveryBoxEachTime() {
  TClearForm form(*Ini, nullptr);
  QSignalSpy colours(&form, &TClearForm::DefaultColourAsked);
  QTimer::singleShot(0, &form, [&form] {
    form.DefColCB->setChecked(false);
    form.GridColBt->click();
    form.OkBt->click();
  });
  const std::optional<TClearChoice> first = form.Ask();
  QVERIFY(first.has_value());
  QVERIFY(first->Field && !first->DefaultColours && first->Text);
  QCOMPARE(colours.size(), 1);
  QCOMPARE(colours[0][0].value<TClearForm::DefaultColour>(), TClearForm::DefaultColour::Grid);
  // Opened again, every box is ticked again.
  ClickWhenShown(form.OkBt);
  const std::optional<TClearChoice> second = form.Ask();
  QVERIFY(second && second->Field && second->DefaultColours && second->Text);
  ClickWhenShown(form.CancelBt);
  QVERIFY(!form.Ask().has_value());
}

void TestSmallDialogs::numbersListTheFiguresAndTakeTurns() {
  TTask task;
  test::TTaskText text({"ABC."});
  text.Figs['B'].Name = "Ab";
  test::BuildTask(task, text);
  task.SelSummary();
  TNumberList list;
  TNumsHost host;
  TNumsForm form(task, list, host, *Ini, nullptr);
  form.Fill();
  QCOMPARE(form.LB->count(), 3);
  QCOMPARE(form.LB->item(1)->text(), QStringLiteral("2 (Ab)"));
  QCOMPARE(form.LB->currentRow(), 0);
  form.LB->setCurrentRow(2);
  QCOMPARE(list.TakeNumber(), 3);
  form.NumberTaken();
  QCOMPARE(form.LB->currentRow(), 0);
  form.close();
  QCOMPARE(host.Closes, 1);
}

void TestSmallDialogs::nameFieldNamesTheOneSelectedFigure() {
  TTask task;
  test::BuildTask(task, test::TTaskText({"ABC."}));
  TNumberList list;
  TNumsHost host;
  TNumsForm form(task, list, host, *Ini, nullptr);
  SelectOnly(task, 2);
  form.Fill();
  QVERIFY(form.NameE->isEnabled());
  form.NameE->setText(QStringLiteral("Абвгд"));
  QCOMPARE(QString::fromStdString(Cp1251ToUtf8(task.Figs[2].NameStr())), QStringLiteral("Абв"));
  QCOMPARE(form.LB->item(1)->text(), QStringLiteral("2 (Абв)"));
  QVERIFY(host.Refreshes > 0);
  // A name a move text could not read back is not taken.
  form.NameE->setText(QStringLiteral("1x"));
  QCOMPARE(task.Figs[2].NameStr(), std::string("\xC0\xE1\xE2"));
  QVERIFY(!form.NameRefusalL->text().isEmpty());
  form.ClearBt->click();
  QVERIFY(!task.Figs[2].HasName());

  task.Figs[1].Selected = 1;
  task.SelSummary();
  form.UpdateName();
  QVERIFY(!form.NameE->isEnabled());
  QVERIFY(form.NameE->text().isEmpty());
}

void TestSmallDialogs::numberingOptionsAndButtons() {
  TTask task;
  test::BuildTask(task, test::TTaskText({"..C", "BA."}));
  task.Figs[1].SetName("x"); // C, the first figure by rows
  task.Figs[3].SetName("y");
  task.Figs[1].Num = 3;
  task.Figs[3].Num = 1;
  TNumberList list;
  TNumsHost host;
  TNumsForm form(task, list, host, *Ini, nullptr);
  form.Fill();
  QCOMPARE(form.LB->item(0)->text(), QStringLiteral("1 (y)"));
  // Numbered by rows: C (top row) first, then B, then A.
  form.NormBt->click();
  QCOMPARE(int(task.Figs[1].Num), 1);
  QCOMPARE(int(task.Figs[2].Num), 2);
  QCOMPARE(int(task.Figs[3].Num), 3);
  QCOMPARE(form.LB->item(0)->text(), QStringLiteral("1 (x)"));
  form.ClearAllBt->click();
  QVERIFY(!task.Figs[1].HasName() && !task.Figs[3].HasName());
  QCOMPARE(form.LB->item(0)->text(), QStringLiteral("1"));
  const int refreshes = host.Refreshes;
  form.OrigMovesNumsCB->click();
  QVERIFY(task.Options.OrigMovesNums);
  QCOMPARE(host.NotationChanges, 1);
  QCOMPARE(host.Refreshes, refreshes);
  form.OnlyNamesCB->click();
  QVERIFY(task.Options.OnlyNames);
  QCOMPARE(host.Refreshes, refreshes + 1);
}

QTEST_MAIN(TestSmallDialogs)
#include "test_small_dialogs.moc"
