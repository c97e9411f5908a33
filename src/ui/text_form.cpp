#include "ui/text_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/info_text.h"
#include "model/streams.h"
#include "ui/updating.h"

namespace zrk {

const char* const TextFormCaption = "Информация о задаче";

namespace {

QToolButton* Button(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setToolTip(hint);
  return b;
}

} // namespace

TTextForm::TTextForm(TTask& task, TSettings& settings, IClipboard& clipboard, const QString& attrPath,
                     IReporter& reporter, QWidget* parent)
    : QWidget(parent, Qt::Window), Task(task), Settings(settings), Clip(clipboard), AttrPath(attrPath),
      Reporter(reporter) {
  setObjectName("TextForm");
  setWindowTitle(QString::fromUtf8(TextFormCaption));
  resize(480, 360);

  E = new QPlainTextEdit(this);
  E->setObjectName("E");
  E->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ClearBt = Button(this, "ClearBt", QStringLiteral("Очистить"), QStringLiteral("Очистить текст"));
  FromBufBt = Button(this, "FromBufBt", QStringLiteral("Б→"), QStringLiteral("Текст из буфера обмена"));
  ToBufBt = Button(this, "ToBufBt", QStringLiteral("→Б"), QStringLiteral("Весь или выделенный текст в буфер обмена"));
  AttrsBt = new QPushButton(QStringLiteral("Вставить стандартные атрибуты"), this);
  AttrsBt->setObjectName("AttrsBt");
  AttrsBt->setToolTip(QStringLiteral("Добавить в начало текста атрибуты из файла Attributes.txt"));
  SizeL = new QLabel(this);
  SizeL->setObjectName("SizeL");
  SizeL->setToolTip(QStringLiteral("Длина текста"));
  SizeL->setMinimumWidth(40);
  OpenInfoCB = new QCheckBox(QStringLiteral("Отрывать это окно при открытии задачи"), this);
  OpenInfoCB->setObjectName("OpenInfoCB");
  OpenInfoCB->setToolTip(QStringLiteral("При непустой информации"));
  OpenInfoCB->setChecked(Settings.OpenInfo);

  auto* top = new QHBoxLayout;
  top->addWidget(ClearBt);
  top->addWidget(FromBufBt);
  top->addWidget(ToBufBt);
  top->addWidget(AttrsBt);
  top->addStretch(1);
  top->addWidget(SizeL);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(top);
  layout->addWidget(E, 1);
  layout->addWidget(OpenInfoCB);

  connect(ClearBt, &QToolButton::clicked, this, &TTextForm::ClearBtClick);
  connect(FromBufBt, &QToolButton::clicked, this, &TTextForm::FromBufBtClick);
  connect(ToBufBt, &QToolButton::clicked, this, &TTextForm::ToBufBtClick);
  connect(AttrsBt, &QPushButton::clicked, this, &TTextForm::AttrsBtClick);
  connect(OpenInfoCB, &QCheckBox::clicked, this, [this](bool on) { Settings.OpenInfo = on; });
  connect(E, &QPlainTextEdit::textChanged, this, &TTextForm::Edited);
  ShowText();
}

void TTextForm::ShowText() {
  {
    TUpdating filling(Filling);
    E->setPlainText(QString::fromStdString(TextForEditing(Task.Text)));
  }
  Shown = Task.Text;
  ShowSize();
}

bool TTextForm::HoldsTaskText() const { return Shown == Task.Text; }

void TTextForm::Edited() {
  if (Filling) return;
  Task.Text = TextForStoring(E->toPlainText().toStdString());
  Shown = Task.Text;
  ShowSize();
  emit TextEdited();
}

void TTextForm::ShowSize() { SizeL->setText(QString::number(Task.Text.size())); }

void TTextForm::ReplaceAll(const QString& text) {
  QTextCursor cursor(E->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
}

void TTextForm::ClearBtClick() { ReplaceAll(QString()); }

void TTextForm::FromBufBtClick() {
  const std::optional<std::string> text = Clip.GetText();
  if (text) E->insertPlainText(QString::fromStdString(*text));
}

void TTextForm::ToBufBtClick() {
  const QTextCursor cursor = E->textCursor();
  const QString text = cursor.hasSelection() ? cursor.selection().toPlainText() : E->toPlainText();
  Clip.PutText(text.toStdString());
}

void TTextForm::AttrsBtClick() {
  if (!QFileInfo::exists(AttrPath)) {
    Reporter.Report(MsgKind::Error, "!", "Нет файла \"Attributes.txt\" в папке программы");
    return;
  }
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(AttrPath.toStdString(), &Reporter);
  if (!bytes) return;
  const std::string attributes = DataFileText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  ReplaceAll(QString::fromStdString(WithAttributes(attributes, E->toPlainText().toStdString())));
}

void TTextForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit Closed();
}

} // namespace zrk
