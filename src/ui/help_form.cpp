#include "ui/help_form.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/info_text.h"
#include "model/streams.h"

namespace zrk {

const char* const HelpFormCaption = "Справка по программе";
const char* const HelpMissingCaption = "Файл справки отсутствует!";
const char* const ProjectPage = "https://zrk.example.org/";

namespace {

constexpr int HelpWidth = 754;

} // namespace

THelpForm::THelpForm(const QString& descrPath, IClipboard& clipboard, IReporter& reporter, QWidget* parent)
    : QWidget(parent, Qt::Window), OpenUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      DescrPath(descrPath), Clip(clipboard), Reporter(reporter) {
  setObjectName("HelpForm");
  setWindowTitle(QString::fromUtf8(HelpFormCaption));
  resize(HelpWidth, 560);

  E = new QPlainTextEdit(this);
  E->setObjectName("E");
  E->setReadOnly(true);
  E->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setCursor(Qt::PointingHandCursor);
  Panel1->setToolTip(QString::fromUtf8(ProjectPage));
  AuthorL = new QLabel(QStringLiteral("ZRK — программа для головоломок со сдвигаемыми фигурками. "
                                      "Разработчики проекта ZRK, 2026. Страница проекта: %1")
                           .arg(QString::fromUtf8(ProjectPage)),
                       Panel1);
  AuthorL->setObjectName("AuthorL");
  AuthorL->setWordWrap(true); // the line never widens the window
  VersionL = new QLabel(QStringLiteral("Версия 1.0"), Panel1);
  VersionL->setObjectName("VersionL");
  ToBufBt = new QToolButton(Panel1);
  ToBufBt->setObjectName("ToBufBt");
  ToBufBt->setText(QStringLiteral("→Б"));
  ToBufBt->setToolTip(QStringLiteral("Весь или выделенный текст в буфер обмена"));
  auto* bottom = new QHBoxLayout(Panel1);
  bottom->setContentsMargins(6, 2, 6, 2);
  bottom->addWidget(AuthorL, 1);
  bottom->addWidget(VersionL);
  bottom->addWidget(ToBufBt);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(E, 1);
  layout->addWidget(Panel1);

  // The panel and its labels answer a click; the copy button keeps its own.
  for (QWidget* w : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(AuthorL), static_cast<QWidget*>(VersionL)})
    w->installEventFilter(this);
  connect(ToBufBt, &QToolButton::clicked, this, &THelpForm::ToBufBtClick);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, &QWidget::hide);
}

void THelpForm::Open() {
  if (E->document()->isEmpty()) LoadDescription();
  show();
  raise();
  activateWindow();
}

void THelpForm::LoadDescription() {
  if (!QFileInfo::exists(DescrPath)) {
    Reporter.Report(MsgKind::Error, HelpMissingCaption, DescrPath.toStdString());
    return;
  }
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(DescrPath.toStdString(), &Reporter);
  if (!bytes) return;
  E->setPlainText(QString::fromStdString(
      DataFileText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))));
}

void THelpForm::ToBufBtClick() {
  const QTextCursor cursor = E->textCursor();
  const QString text = cursor.hasSelection() ? cursor.selection().toPlainText() : E->toPlainText();
  Clip.PutText(text.toStdString());
}

bool THelpForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    OpenUrl(QUrl(QString::fromUtf8(ProjectPage)));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace zrk
