#include "ui/app_settings.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QTranslator>
#include <QWidget>

namespace zrk {

namespace {

QString WithSlash(QString dir) {
  dir = QDir::fromNativeSeparators(dir);
  if (!dir.endsWith('/')) dir += '/';
  return dir;
}

// Tries to create a file there: a folder's permission bits do not tell the whole truth.
bool FolderWritable(const QString& dir) {
  QTemporaryFile probe(dir + "zrk_probe_XXXXXX");
  return probe.open();
}

const char* const PlacementKey = "WinPosition";

// A data file that comes with the program: beside it, else in the installed data folder
// (share/zrk beside the program's bin folder). A file found nowhere is named beside the program,
// as the messages about it say.
QString DataFile(const QString& exeDir, const QString& name) {
  const QString beside = exeDir + name;
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = QDir::cleanPath(exeDir + "../share/zrk/" + name);
  if (QFileInfo::exists(installed)) return installed;
  return beside;
}
constexpr int PlacementLimit = 1 << 20;

} // namespace

TAppPaths TAppPaths::InFolder(const QString& exeDir, const QString& dataDir) {
  TAppPaths p;
  p.ExeDir = WithSlash(exeDir);
  const QString data = WithSlash(dataDir);
  p.IniPath = data + "ZRK.ini";
  p.CurrentPath = data + "Current.zrk";
  p.AttrPath = DataFile(p.ExeDir, "Attributes.txt");
  p.DescrPath = DataFile(p.ExeDir, QStringLiteral("Описание.txt"));
  return p;
}

TAppPaths TAppPaths::Locate(const QString& exeDir) {
  const QString exe = WithSlash(exeDir);
  if (FolderWritable(exe)) return InFolder(exe, exe);
  QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (config.isEmpty()) config = QDir::homePath() + "/.config/ZRK";
  QDir().mkpath(config);
  return InFolder(exe, config);
}

// The controls are laid out for Tahoma's narrow letters; where it is missing a face of about its
// width stands in, since the wide default sans-serif faces would push the top strip past 1201 pixels.
void ApplyDesignFont() {
  QFont font("Tahoma", 8);
  font.setFamilies({"Tahoma", "DejaVu Sans Condensed"});
  font.setStyleHint(QFont::SansSerif);
  QGuiApplication::setFont(font);
}

bool InstallQtTranslations() {
  static QTranslator translator;
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator.load(QLocale(QLocale::Russian, QLocale::Russia), "qtbase", "_", dir)) return false;
  return QCoreApplication::installTranslator(&translator);
}

QSettings* OpenSettings(const QString& iniPath) { return new QSettings(iniPath, QSettings::IniFormat); }

void SavePlacement(QSettings& ini, const QWidget& w, const QString& section, bool posOnly) {
  const QRect client = w.isMaximized() || w.isMinimized() ? w.normalGeometry() : w.geometry();
  // The frame's left and top edges lie outside the client rectangle.
  const QPoint frameOffset = w.geometry().topLeft() - w.frameGeometry().topLeft();
  const QPoint outer = client.topLeft() - frameOffset;
  QStringList parts{QString::number(outer.y()), QString::number(outer.x())};
  if (!posOnly)
    parts << QString::number(client.width()) << QString::number(client.height())
          << QString::number(w.isMaximized() ? 1 : 0);
  ini.setValue(section + "/" + PlacementKey, parts.join(','));
}

bool LoadPlacement(QSettings& ini, QWidget& w, const QString& section, bool posOnly) {
  const QVariant stored = ini.value(section + "/" + PlacementKey);
  // An unquoted list of numbers reads back as a list of strings.
  const QString text = stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(',') : stored.toString();
  QList<int> n;
  for (const QString& part : text.split(',', Qt::SkipEmptyParts)) {
    bool ok = false;
    const int v = part.trimmed().toInt(&ok);
    if (!ok) return false;
    // A hand-edited value may be anything; no sum of two of them may overflow.
    n << std::clamp(v, -PlacementLimit, PlacementLimit);
  }
  const int top = n.value(0), left = n.value(1);
  if (posOnly) {
    if (n.size() < 2) return false;
    w.move(left, top);
    return true;
  }
  if (n.size() < 5) return false;
  const int width = n[2], height = n[3];
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desk = screen ? screen->virtualGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
  const bool reachesDesktop = left + width >= desk.left() + 20 && left <= desk.right() - 20 &&
                              top + height >= desk.top() + 20 && top <= desk.bottom() - 20;
  if (!reachesDesktop || width <= 0 || height <= 0) return false;
  w.move(left, top);
  w.resize(width, height);
  if (n[4] == 1) w.setWindowState(w.windowState() | Qt::WindowMaximized);
  return true;
}

} // namespace zrk
