#pragma once
// The settings file "ZRK.ini" through QSettings, as the midend reads and writes it.

#include "editor/settings.h"

class QSettings;

namespace zrk {

class TIniStore final : public ISettingsStore {
 public:
  explicit TIniStore(QSettings& ini) : Ini(ini) {}
  std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
  void Set(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  QSettings& Ini;
};

} // namespace zrk
