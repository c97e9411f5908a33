#include "model/cp1251.h"

#include <array>
#include <cstdint>

namespace zrk {

namespace {

// Unicode code points of the bytes 0x80..0xBF; 0xC0..0xFF are the contiguous Cyrillic letters
// U+0410..U+044F. The byte 0x98 has no character and is carried as U+0098.
constexpr std::array<char16_t, 64> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char32_t ByteToCodePoint(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return char32_t(0x0410 + (b - 0xC0));
  return HighHalf[b - 0x80];
}

int CodePointToByte(char32_t cp) {
  if (cp < 0x80) return int(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return int(0xC0 + (cp - 0x0410));
  for (size_t i = 0; i < HighHalf.size(); ++i)
    if (HighHalf[i] == cp) return int(0x80 + i);
  return -1;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

char32_t NextCodePoint(std::string_view text, size_t& i) {
  const unsigned char b = static_cast<unsigned char>(text[i++]);
  if (b < 0x80) return b;
  int extra = b >= 0xF8 ? -1 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return 0xFFFD;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (c & 0x3F);
    ++i;
  }
  return cp;
}

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const int b = CodePointToByte(NextCodePoint(text, i));
    out += b < 0 ? '?' : char(b);
  }
  return out;
}

} // namespace zrk
