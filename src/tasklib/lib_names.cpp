#include "tasklib/lib_names.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <cstdio>

#include "model/cp1251.h"

namespace zrk {

namespace {

// Letter case and letter classes by Unicode, whatever locale the program runs in: glibc's C.UTF-8
// carries the full tables. Without it, only ASCII is classified.
locale_t UnicodeLocale() {
  static const locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", locale_t(0));
  }();
  return loc;
}

bool IsLetterOrDigit(char32_t cp) { return iswalnum_l(wint_t(cp), UnicodeLocale()) != 0; }

char32_t FoldCase(char32_t cp) { return char32_t(towlower_l(wint_t(cp), UnicodeLocale())); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool HasThreeDigits(std::string_view name) {
  return name.size() >= 3 && IsDigit(name[0]) && IsDigit(name[1]) && IsDigit(name[2]);
}

int ThreeDigits(std::string_view name) { return (name[0] - '0') * 100 + (name[1] - '0') * 10 + (name[2] - '0'); }

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
  if (s.size() < tail.size()) return false;
  return std::equal(tail.begin(), tail.end(), s.end() - tail.size(),
                    [](char a, char b) { return std::tolower((unsigned char)a) == std::tolower((unsigned char)b); });
}

// The punctuation a name may keep besides letters and digits.
bool IsKeptPunctuation(char32_t cp) {
  static const std::u32string kept = U"~`!№#$;%&^()_-+='";
  return kept.find(cp) != std::u32string::npos;
}

} // namespace

std::u32string FoldedName(std::string_view name) {
  std::u32string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) out += FoldCase(NextCodePoint(name, i));
  return out;
}

bool IsNumberedName(std::string_view name) {
  return HasThreeDigits(name) && (name.size() == 3 || name[3] == ' ' || name[3] == '.');
}

int NameNumber(std::string_view name) {
  return HasThreeDigits(name) && name.size() > 3 && name[3] == ' ' ? ThreeDigits(name) : -1;
}

bool IsMainTaskName(std::string_view name) { return IsNumberedName(name) && ThreeDigits(name) == 0; }

bool IsTaskFileName(std::string_view name) { return name.size() > TaskExt.size() && EndsWithNoCase(name, TaskExt); }

void SortLibraryOrder(std::vector<std::string>& names) {
  // Each name is folded once, not at every comparison: a library folder may hold thousands.
  struct TKey {
    bool Numbered;
    std::u32string Folded;
    std::string Name;
  };
  std::vector<TKey> keys;
  keys.reserve(names.size());
  for (std::string& n : names) keys.push_back({IsNumberedName(n), FoldedName(n), std::move(n)});
  std::sort(keys.begin(), keys.end(), [](const TKey& a, const TKey& b) {
    if (a.Numbered != b.Numbered) return a.Numbered;
    if (a.Folded != b.Folded) return a.Folded < b.Folded;
    return a.Name < b.Name;
  });
  for (size_t i = 0; i < names.size(); ++i) names[i] = std::move(keys[i].Name);
}

bool SameNameNoCase(std::string_view a, std::string_view b) { return FoldedName(a) == FoldedName(b); }

std::string WithoutNumber(std::string_view name) {
  if (HasThreeDigits(name) && name.size() > 3 && name[3] == ' ') name.remove_prefix(4);
  return std::string(name);
}

std::string_view WithoutLeadingNumber(std::string_view name) {
  size_t i = 0;
  while (i < name.size() && IsDigit(name[i])) ++i;
  while (i < name.size() && name[i] == ' ') ++i;
  return name.substr(i);
}

std::string TaskTitle(std::string_view fileName) {
  std::string title = WithoutNumber(fileName);
  if (EndsWithNoCase(title, TaskExt)) title.resize(title.size() - TaskExt.size());
  return title;
}

bool IsOnlyNumber(std::string_view title) { return title.size() == 3 && HasThreeDigits(title); }

std::string NumberedName(int number, std::string_view title, std::string_view ext) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%03d", number);
  std::string name = digits;
  if (!title.empty()) {
    name += ' ';
    name += title;
  }
  name += ext;
  return name;
}

std::string ListRowText(std::string_view title, int k, bool mainTask) {
  std::string row = mainTask ? std::string("*") : std::to_string(k) + ".";
  if (!title.empty() && !IsOnlyNumber(title)) {
    row += ' ';
    row += title;
  }
  return row;
}

std::string CleanName(std::string_view utf8) {
  std::string out;
  bool gap = false;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i);
    if (IsLetterOrDigit(cp) || IsKeptPunctuation(cp)) {
      if (gap && !out.empty()) out += ' ';
      gap = false;
      AppendUtf8(out, cp);
    } else {
      gap = true;
    }
  }
  return out;
}

} // namespace zrk
