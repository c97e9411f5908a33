#pragma once
// Conversion between the 8-bit code page 1251 in which ZRK stores text and the UTF-8 used
// everywhere at the program's edges (terminal, JSON, Qt strings).

#include <string>
#include <string_view>

namespace zrk {

std::string Cp1251ToUtf8(std::string_view text);
// Characters that code page 1251 cannot hold become '?'.
std::string Utf8ToCp1251(std::string_view text);

// Decodes one UTF-8 sequence at text[i], advancing i; malformed input yields U+FFFD.
char32_t NextCodePoint(std::string_view text, size_t& i);
void AppendUtf8(std::string& out, char32_t cp);

} // namespace zrk
