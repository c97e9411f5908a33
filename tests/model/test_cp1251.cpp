#include <gtest/gtest.h>

#include <iconv.h>

#include "model/cp1251.h"

namespace zrk {
namespace {

// The converter's table against the C library's own code page 1251, byte by byte.
TEST(Cp1251, AgreesWithTheSystemConverterOnEveryByte) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  ASSERT_NE(cd, (iconv_t)-1);
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue; // no character in the code page
    char in[1] = {char(b)};
    char out[8] = {};
    char* pin = in;
    char* pout = out;
    size_t inLeft = 1, outLeft = sizeof out;
    ASSERT_NE(iconv(cd, &pin, &inLeft, &pout, &outLeft), size_t(-1)) << b;
    const std::string expected(out, pout);
    EXPECT_EQ(Cp1251ToUtf8(std::string(1, char(b))), expected) << "byte " << b;
    EXPECT_EQ(Utf8ToCp1251(expected), std::string(1, char(b))) << "byte " << b;
  }
  iconv_close(cd);
}

TEST(Cp1251, RussianTextRoundTripsAndForeignCharactersBecomeQuestionMarks) {
  const std::string text = "Ошибка в файле задачи: №5, «ёлка»";
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(text)), text);
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD" "b"), "a?b");  // a CJK character
  EXPECT_EQ(Utf8ToCp1251("\xFF"), "?");                  // not UTF-8 at all
}

} // namespace
} // namespace zrk
