// The task text between the task (code page 1251, CR LF) and the text window (UTF-8, LF), the
// program's data files, and the standard attributes put at the head of a text.

#include <gtest/gtest.h>

#include "model/cp1251.h"
#include "model/info_text.h"

namespace zrk {
namespace {

TEST(InfoText, DataFilesAreCodePage1251UnlessTheyStartWithTheUtf8Mark) {
  const std::string russian = "Автор: ё\r\nГод:\r\n";
  EXPECT_EQ(DataFileText(Utf8ToCp1251(russian)), "Автор: ё\nГод:\n");
  EXPECT_EQ(DataFileText("\xEF\xBB\xBF" + russian), "Автор: ё\nГод:\n");
  // Without the mark the bytes of UTF-8 are letters of code page 1251.
  EXPECT_EQ(DataFileText("\xD0\x90"), "Рђ");
  EXPECT_EQ(DataFileText("\xEF\xBB\xBF"), "");
  EXPECT_EQ(DataFileText("a\rb"), "a\nb");
}

TEST(InfoText, TheTaskKeepsCrLfAndCodePage1251) {
  const std::string stored = Utf8ToCp1251("Источник: журнал\r\n\r\nЗаметка");
  const std::string edited = TextForEditing(stored);
  EXPECT_EQ(edited, "Источник: журнал\n\nЗаметка");
  EXPECT_EQ(TextForStoring(edited), stored);
  // A text typed with CR LF or CR alone is stored the same way; letters the code page lacks
  // become '?'.
  EXPECT_EQ(TextForStoring("a\r\nb\rc\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(TextForStoring("漢"), "?");
  EXPECT_EQ(TextForStoring(""), "");
}

TEST(InfoText, AttributesGoToTheHeadWithOneEmptyLineBeforeTheOldText) {
  struct Case {
    const char* Attributes;
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      {"Автор: \nГод: \n", "", "Автор: \nГод: \n"}, // an empty text: exactly the file
      {"Автор: \nГод: \n", "Старый", "Автор: \nГод: \n\nСтарый"},
      {"Автор: \nГод: ", "Старый", "Автор: \nГод: \n\nСтарый"},
      {"", "Старый", "\n\nСтарый"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithAttributes(c.Attributes, c.Text), c.Expected) << c.Attributes;
}

} // namespace
} // namespace zrk
