// The number-entry frame: stepping through its list, typing and confirming, clamping, Esc, and a
// handler that lowers the value.

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include "ui/spin_frame.h"

using namespace zrk;

class TestSpinFrame : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void stepsThroughTheList();
  void typedValuesAreClampedNotSnapped_data();
  void typedValuesAreClampedNotSnapped();
  void escRestoresTheText();
  void clickElsewhereConfirms();
  void handlerMayLowerTheValue();
  void programSideDoesNotNotify();

 private:
  QWidget* Window = nullptr;
  TSpinFr* Frame = nullptr;
  QPushButton* Elsewhere = nullptr;
  std::vector<int> Calls;
  int Limit = 1000;

  void Type(const QString& text) {
    Frame->E->setFocus();
    Frame->E->selectAll();
    QTest::keyClicks(Frame->E, text);
  }
};

void TestSpinFrame::init() {
  Window = new QWidget;
  auto* layout = new QVBoxLayout(Window);
  Frame = new TSpinFr(Window);
  Elsewhere = new QPushButton("x", Window);
  layout->addWidget(Frame);
  layout->addWidget(Elsewhere);
  Calls.clear();
  Limit = 1000;
  Frame->Bind(BoardSizeValues(), 10, [this](int tag, int& v) {
    QCOMPARE(tag, 1);
    Calls.push_back(v);
    v = std::min(v, Limit);
  }, 1);
  Window->show();
  QVERIFY(QTest::qWaitForWindowExposed(Window));
}

void TestSpinFrame::cleanup() {
  delete Window;
  Window = nullptr;
}

void TestSpinFrame::stepsThroughTheList() {
  Frame->SpinUp();
  QCOMPARE(Frame->Value(), 12);
  QCOMPARE(Frame->E->text(), QString("12"));
  Frame->SpinDown();
  Frame->SpinDown();
  QCOMPARE(Frame->Value(), 9);
  QCOMPARE(Calls, (std::vector<int>{12, 10, 9}));
  Frame->SetValue(126, false);
  Frame->SpinUp(); // nothing above the last value
  QCOMPARE(Frame->Value(), 126);
  Frame->SetValue(1, false);
  Frame->SpinDown();
  QCOMPARE(Frame->Value(), 1);
  QCOMPARE(Calls.size(), size_t(3));
  // The up button itself steps too.
  QTest::mouseClick(Frame->UpBt, Qt::LeftButton);
  QCOMPARE(Frame->Value(), 2);
}

void TestSpinFrame::typedValuesAreClampedNotSnapped_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("value");
  QTest::newRow("eleven stays") << "11" << 11;
  QTest::newRow("too big") << "500" << 126;
  QTest::newRow("zero") << "0" << 10;
  QTest::newRow("negative") << "-5" << 10;
  QTest::newRow("letters") << "abc" << 10;
  QTest::newRow("huge") << "99999999999999999999" << 10;
}

void TestSpinFrame::typedValuesAreClampedNotSnapped() {
  QFETCH(QString, text);
  QFETCH(int, value);
  Type(text);
  QVERIFY(Frame->Editing());
  QVERIFY(Frame->OkBt->isVisible());
  QCOMPARE(TSpinFr::EditingFrame(), Frame);
  QTest::keyClick(Frame->E, Qt::Key_Return);
  QVERIFY(!Frame->Editing());
  QVERIFY(!Frame->OkBt->isVisible());
  QCOMPARE(TSpinFr::EditingFrame(), nullptr);
  QCOMPARE(Frame->Value(), value);
  QCOMPARE(Frame->E->text(), QString::number(value));
  if (value == 11) {
    Frame->SpinUp();
    QCOMPARE(Frame->Value(), 12);
    Frame->SetValue(11, false);
    Frame->SpinDown();
    QCOMPARE(Frame->Value(), 10);
  }
}

void TestSpinFrame::escRestoresTheText() {
  Type("45");
  QTest::keyClick(Frame->E, Qt::Key_Escape);
  QCOMPARE(Frame->Value(), 10);
  QCOMPARE(Frame->E->text(), QString("10"));
  QVERIFY(!Frame->Editing());
  QVERIFY(Calls.empty());
}

void TestSpinFrame::clickElsewhereConfirms() {
  Type("33");
  QTest::mouseClick(Elsewhere, Qt::LeftButton);
  QCOMPARE(Frame->Value(), 33);
  QCOMPARE(Calls, std::vector<int>{33});
  // The OK button confirms as well.
  Type("7");
  QTest::mouseClick(Frame->OkBt, Qt::LeftButton);
  QCOMPARE(Frame->Value(), 7);
}

void TestSpinFrame::handlerMayLowerTheValue() {
  Limit = 40;
  Type("100");
  QTest::keyClick(Frame->E, Qt::Key_Enter);
  QCOMPARE(Frame->Value(), 40);
  QCOMPARE(Frame->E->text(), QString("40"));
  QCOMPARE(Calls, std::vector<int>{100});
}

void TestSpinFrame::programSideDoesNotNotify() {
  Frame->SetValue(50, false);
  QCOMPARE(Frame->E->text(), QString("50"));
  QVERIFY(Calls.empty());
}

QTEST_MAIN(TestSpinFrame)
#include "test_spin_frame.moc"
