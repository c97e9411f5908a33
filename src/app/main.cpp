// ZRK's desktop program: the main window over the current task. The optional first parameter names
// a task file to open; "-" starts with an empty task.

#include <QApplication>

#include "ui/app_settings.h"
#include "ui/zrk_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("ZRK");
  zrk::ApplyDesignFont();
  zrk::InstallQtTranslations();
  const zrk::TAppPaths paths = zrk::TAppPaths::Locate(QApplication::applicationDirPath());
  zrk::TZRKForm ZRKForm(paths, app.arguments().mid(1));
  ZRKForm.show();
  return app.exec();
}
