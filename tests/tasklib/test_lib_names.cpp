// Library names: which names are numbered, their titles, the list rows, the order and the cleaning
// of typed names.
#include <gtest/gtest.h>

#include "tasklib/lib_names.h"

namespace zrk {
namespace {

TEST(LibNames, NumbersAndTitles) {
  struct TCase {
    const char* Name;
    bool Numbered;
    int Number;
    bool Main;
    const char* Title;
  };
  const TCase cases[] = {
      {"007 Осёл.zrk", true, 7, false, "Осёл"},
      {"000.zrk", true, -1, true, "000"},  // numbered for the order, but no "NNN " to count
      {"000 Серия.zrk", true, 0, true, "Серия"},
      {"012", true, -1, false, "012"},
      {"12 A.zrk", false, -1, false, "12 A"},
      {"0123 A.zrk", false, -1, false, "0123 A"},
      {"abc.ZRK", false, -1, false, "abc"},
      {"005 007.zrk", true, 5, false, "007"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(IsNumberedName(c.Name), c.Numbered);
    EXPECT_EQ(NameNumber(c.Name), c.Number);
    EXPECT_EQ(IsMainTaskName(c.Name), c.Main);
    EXPECT_EQ(TaskTitle(c.Name), c.Title);
  }
  EXPECT_TRUE(IsTaskFileName("a.Zrk"));
  EXPECT_FALSE(IsTaskFileName(".zrk"));
  EXPECT_FALSE(IsTaskFileName("a.zrk.bak"));
  EXPECT_EQ(WithoutLeadingNumber("12  Папка 1"), "Папка 1");
  EXPECT_EQ(NumberedName(3, "Б", ".zrk"), "003 Б.zrk");
  EXPECT_EQ(NumberedName(12, "", ".zrk"), "012.zrk");
}

TEST(LibNames, ListRows) {
  EXPECT_EQ(ListRowText("A", 1, false), "1. A");
  EXPECT_EQ(ListRowText("007", 2, false), "2.");
  EXPECT_EQ(ListRowText("000", 0, true), "*");
  EXPECT_EQ(ListRowText("Серия", 0, true), "* Серия");
}

TEST(LibNames, OrderPutsNumberedFirstAndIgnoresCase) {
  std::vector<std::string> names = {"b.zrk", "002 b.zrk", "Я.zrk", "001 Б.zrk", "A.zrk", "000.zrk", "001 а.zrk",
                                    "я2.zrk"};
  SortLibraryOrder(names);
  const std::vector<std::string> expected = {"000.zrk", "001 а.zrk", "001 Б.zrk", "002 b.zrk",
                                             "A.zrk",   "b.zrk",     "Я.zrk",     "я2.zrk"};
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(SameNameNoCase("Ёлка Q", "ёлКА q"));
}

TEST(LibNames, CleanName) {
  struct TCase {
    const char* Typed;
    const char* Clean;
  };
  const TCase cases[] = {
      {"a/b", "a b"},
      {"  ...Ключ к замку  ", "Ключ к замку"},
      {"x.y,,z!", "x y z!"},
      {"№5 (вариант) +1 = 'b'", "№5 (вариант) +1 = 'b'"},
      {"Straße 数独 ١٢", "Straße 数独 ١٢"}, // letters and digits of any script
      {"a\tb\n", "a b"},
      {"///", ""},
      {"", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(CleanName(c.Typed), c.Clean) << c.Typed;
}

} // namespace
} // namespace zrk
