#pragma once
// Where the program keeps its settings and its automatic save, and how every window stores its
// placement in the settings file.

#include <QString>

class QSettings;
class QWidget;

namespace zrk {

struct TAppPaths {
  QString ExeDir;      // with a trailing slash
  QString IniPath;     // "ZRK.ini"
  QString CurrentPath; // "Current.zrk": the automatic save of the whole state
  QString AttrPath;    // "Attributes.txt", beside the program or in its installed data folder
  QString DescrPath;   // "Описание.txt", the same

  // The settings and the automatic save live beside the program; when that folder cannot be
  // written (an installed program), in the user's configuration folder instead.
  static TAppPaths Locate(const QString& exeDir);
  // Everything in one folder (tests, portable use).
  static TAppPaths InFolder(const QString& exeDir, const QString& dataDir);
};

// The window font of the design: Tahoma 8 pt, or the nearest sans-serif face.
void ApplyDesignFont();

// Qt's own texts (file dialogs, message box buttons) in Russian, from the system's Qt translations.
// Returns whether they were found.
bool InstallQtTranslations();

// Opens the settings file in INI format.
QSettings* OpenSettings(const QString& iniPath);

// "Top,Left[,Width,Height,Maximized]": the window's normal rectangle, its width and height those
// of the client area.
void SavePlacement(QSettings& ini, const QWidget& w, const QString& section, bool posOnly);
// Restores a saved placement; one that does not reach 20 pixels into the desktop is ignored.
// Returns whether it was applied.
bool LoadPlacement(QSettings& ini, QWidget& w, const QString& section, bool posOnly);

} // namespace zrk
