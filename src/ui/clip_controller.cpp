#include "ui/clip_controller.h"

#include <QAction>
#include <QGuiApplication>
#include <QLayout>
#include <QToolButton>

#include "editor/clip_exchange.h"
#include "model/clipboard.h"
#include "play/notation.h"

namespace zrk {

namespace {

bool Held(Qt::KeyboardModifier key) { return QGuiApplication::keyboardModifiers() & key; }

// A gesture holds the board while a button is down; the task must not change under it.
bool PointerBusy() { return QGuiApplication::mouseButtons() != Qt::NoButton; }

} // namespace

TClipController::TClipController(TMidend& midend, IClipboard& clipboard, QToolButton* toBufBt, QToolButton* fromBufBt,
                                 QAction* toBufA, QAction* fromBufA, QWidget* movesPanel, QObject* parent)
    : QObject(parent), M(midend), Clip(clipboard) {
  MovesToBufBt = new QToolButton(movesPanel);
  MovesToBufBt->setObjectName("MovesToBufBt");
  MovesToBufBt->setText(QStringLiteral("Ходы→Б"));
  MovesToBufBt->setToolTip(QStringLiteral("Ходы до текущей позиции в буфер обмена (+Ctrl - от текущей)"));
  if (movesPanel->layout()) movesPanel->layout()->addWidget(MovesToBufBt);

  connect(toBufBt, &QToolButton::clicked, this, [this] { Copy(Held(Qt::ControlModifier)); });
  connect(toBufA, &QAction::triggered, this, [this] { Copy(false); });
  connect(fromBufBt, &QToolButton::clicked, this, [this] { Paste(Held(Qt::ShiftModifier)); });
  connect(fromBufA, &QAction::triggered, this, [this] { Paste(Held(Qt::ShiftModifier)); });
  connect(MovesToBufBt, &QToolButton::clicked, this, [this] { CopyMoves(Held(Qt::ControlModifier)); });
}

void TClipController::Copy(bool wholeState) { CopyToClipboard(M, Clip, wholeState); }

void TClipController::Paste(bool keepColours) {
  if (PointerBusy()) return;
  const bool wholeState = Clip.GetBlock(StateFormat).has_value();
  if (PasteFromClipboard(M, Clip, keepColours) && wholeState) emit StateReplaced();
}

void TClipController::CopyMoves(bool fromCurrent) {
  if (!M.Task.Options.Play) return;
  PutClipText(Clip, LineText(M.Play, fromCurrent));
}

} // namespace zrk
