#include "ui/info_controller.h"

#include <QAction>
#include <QSettings>
#include <QToolButton>

#include "ui/app_settings.h"
#include "ui/help_form.h"
#include "ui/text_form.h"

namespace zrk {

namespace {

const char* const TextSection = "Text";
const QColor TextPresentColour(0x00, 0x00, 0xFF); // blue, 0xFF0000 as 0x00BBGGRR

} // namespace

TInfoController::TInfoController(TMidend& midend, IClipboard& clipboard, const TAppPaths& paths, QSettings& ini,
                                 QWidget* window, QToolButton* textBt, QToolButton* helpBt, QAction* helpA,
                                 QAction* cancelA)
    : QObject(window), M(midend), TextBt(textBt) {
  TextForm = new TTextForm(M.Task, M.Settings, clipboard, paths.AttrPath, M.Reporter(), window);
  HelpForm = new THelpForm(paths.DescrPath, clipboard, M.Reporter(), window);
  LoadPlacement(ini, *TextForm, TextSection, false);

  connect(TextBt, &QToolButton::clicked, this, &TInfoController::TextBtClick);
  connect(TextForm, &TTextForm::TextEdited, this, &TInfoController::ShowTextButtonColour);
  connect(TextForm, &TTextForm::Closed, this, [this] { TextBt->setChecked(false); });
  connect(helpBt, &QToolButton::clicked, this, &TInfoController::HelpBtClick);
  connect(helpA, &QAction::triggered, this, &TInfoController::HelpBtClick);
  connect(cancelA, &QAction::triggered, HelpForm, &QWidget::hide);

  TextBt->setChecked(M.Settings.InfoOpened);
  if (M.Settings.InfoOpened) TextBtClick();
  ShowTextButtonColour();
}

void TInfoController::TextBtClick() {
  if (TextBt->isChecked()) {
    TextForm->ShowText();
    TextForm->show();
    TextForm->raise();
  } else {
    TextForm->hide();
  }
}

void TInfoController::HelpBtClick() { HelpForm->Open(); }

void TInfoController::Sync() {
  if ((TextBt->isChecked() || TextForm->isVisible()) && !TextForm->HoldsTaskText()) TextForm->ShowText();
  ShowTextButtonColour();
}

void TInfoController::TaskRead() {
  if (M.Settings.OpenInfo && !M.Task.Text.empty()) {
    TextBt->setChecked(true);
    TextBtClick();
  } else if (TextBt->isChecked()) {
    TextForm->ShowText();
  }
  ShowTextButtonColour();
}

void TInfoController::CloseWindows() {
  if (TextForm->isVisible()) TextForm->close();
  HelpForm->hide();
}

bool TInfoController::TextShown() const { return TextForm->isVisible(); }

void TInfoController::SavePlacements(QSettings& ini) const { SavePlacement(ini, *TextForm, TextSection, false); }

void TInfoController::ShowTextButtonColour() {
  QPalette palette = TextBt->palette();
  palette.setColor(QPalette::ButtonText, M.Task.Text.empty() ? QColor(Qt::black) : TextPresentColour);
  TextBt->setPalette(palette);
}

} // namespace zrk
