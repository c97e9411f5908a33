#include "editor/settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace zrk {

namespace {

// A decimal number, with optional blanks around it; none for anything else.
std::optional<long long> ParseNumber(const std::string& text) {
  const char* s = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(s, &end, 10);
  if (end == s || errno == ERANGE) return std::nullopt;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != 0) return std::nullopt;
  return v;
}

} // namespace

bool ReadBoolSetting(const ISettingsStore& store, const char* section, const char* key, bool def) {
  const std::optional<std::string> text = store.Get(section, key);
  if (!text) return def;
  const std::optional<long long> v = ParseNumber(*text);
  return v ? *v != 0 : def;
}

int ReadIntSetting(const ISettingsStore& store, const char* section, const char* key, int def, int lo, int hi) {
  const std::optional<std::string> text = store.Get(section, key);
  if (!text) return def;
  const std::optional<long long> v = ParseNumber(*text);
  return v ? int(std::clamp<long long>(*v, lo, hi)) : def;
}

std::string ReadStringSetting(const ISettingsStore& store, const char* section, const char* key,
                              const std::string& def) {
  return store.Get(section, key).value_or(def);
}

void WriteBoolSetting(ISettingsStore& store, const char* section, const char* key, bool value) {
  store.Set(section, key, value ? "1" : "0");
}

void WriteIntSetting(ISettingsStore& store, const char* section, const char* key, long long value) {
  store.Set(section, key, std::to_string(value));
}

} // namespace zrk
