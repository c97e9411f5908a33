#include "model/info_text.h"

#include "model/cp1251.h"

namespace zrk {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// CR LF and a CR alone become LF.
std::string WithLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
      continue;
    }
    out += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

} // namespace

std::string DataFileText(std::string_view bytes) {
  if (bytes.substr(0, Utf8Bom.size()) == Utf8Bom) return WithLineFeeds(bytes.substr(Utf8Bom.size()));
  return WithLineFeeds(Cp1251ToUtf8(bytes));
}

std::string TextForEditing(std::string_view stored) { return WithLineFeeds(Cp1251ToUtf8(stored)); }

std::string TextForStoring(std::string_view edited) {
  const std::string lines = WithLineFeeds(edited);
  std::string out;
  out.reserve(lines.size() + lines.size() / 16);
  for (char c : lines) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return Utf8ToCp1251(out);
}

std::string WithAttributes(const std::string& attributes, const std::string& text) {
  if (text.empty()) return attributes;
  // The attribute lines end with a line break of their own when the file's last line has one.
  const bool ended = !attributes.empty() && attributes.back() == '\n';
  return attributes + (ended ? "\n" : "\n\n") + text;
}

} // namespace zrk
