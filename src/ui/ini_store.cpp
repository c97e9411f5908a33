#include "ui/ini_store.h"

#include <QSettings>
#include <QStringList>

namespace zrk {

namespace {

QString KeyOf(const std::string& section, const std::string& key) {
  return QString::fromStdString(section + "/" + key);
}

} // namespace

std::optional<std::string> TIniStore::Get(const std::string& section, const std::string& key) const {
  const QVariant v = Ini.value(KeyOf(section, key));
  if (!v.isValid()) return std::nullopt;
  // An unquoted value with commas (a file name, written by hand) reads back as a list.
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(',').toStdString();
  return v.toString().toStdString();
}

void TIniStore::Set(const std::string& section, const std::string& key, const std::string& value) {
  Ini.setValue(KeyOf(section, key), QString::fromStdString(value));
}

} // namespace zrk
