#include "text/CharClass.h"

#include <gtest/gtest.h>

namespace {

TEST(CharClassTest, OnlyAsciiLettersHaveCase) {
  int letters = 0;
  int digits = 0;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    letters += IsLetter(c) ? 1 : 0;
    digits += IsDigit(c) ? 1 : 0;
    if (b >= 0x80) {
      EXPECT_FALSE(IsLetter(c) || IsUpper(c) || IsLower(c)) << b;
      EXPECT_EQ(ToUpper(c), c) << b;
      EXPECT_EQ(ToLower(c), c) << b;
    }
  }
  EXPECT_EQ(letters, 52);
  EXPECT_EQ(digits, 10);
  EXPECT_EQ(ToUpper('a'), 'A');
  EXPECT_EQ(ToUpper('z'), 'Z');
  EXPECT_EQ(ToLower('A'), 'a');
  EXPECT_EQ(ToUpper('['), '[');
  EXPECT_EQ(ToLower('@'), '@');
  EXPECT_TRUE(IsBlank(' ') && IsBlank('\t'));
  EXPECT_FALSE(IsBlank('\n') || IsBlank('\f') || IsBlank('\r'));
}

}  // namespace
