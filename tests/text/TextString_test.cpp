#include "text/TextString.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Stderr(const std::function<void()>& action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

TEST(TextStringTest, NullGivesNothingAndNulEndsTheText) {
  TextString t("x");
  t.SetText(static_cast<const char*>(nullptr));
  EXPECT_EQ(t.AppendText(static_cast<const char*>(nullptr)), 1);
  EXPECT_STREQ(t.GetText(), "");
  t.SetText(std::string_view("ab\0cd", 5));
  t.AppendText(std::string_view("x\0y", 3));
  EXPECT_STREQ(t.GetText(), "abx");
  EXPECT_EQ(t.AppendChar('\0'), 0);
  EXPECT_EQ(t.Length(), 3);
}

TEST(TextStringTest, GetWord) {
  struct Row {
    const char* text;
    int n;
    char separator;
    bool found;
    const char* word;
    int offset;
  };
  const Row rows[] = {
      {"  abc def", 1, ' ', true, "", 0},    {"  abc def", 2, ' ', true, "abc", 2},
      {"  abc def", 3, ' ', true, "def", 6}, {"  abc def", 4, ' ', false, "", 0},
      {"a,,b", 2, ',', true, "", 2},         {"a,,b", 3, ',', true, "b", 3},
      {"a\tb", 2, ' ', true, "b", 2},        {"a\tb", 2, ',', false, "", 0},
      {"a\t b c", 2, ' ', true, "b", 3},     {"a b", 0, ' ', false, "", 0},
      {"abc ", 2, ' ', false, "", 0},        {"", 1, ' ', false, "", 0},
      {"a\tb,c", 1, ',', true, "a\tb", 0},
  };
  for (const Row& row : rows) {
    TextString text(row.text);
    TextString word("unchanged");
    int offset = -7;
    EXPECT_EQ(text.GetWord(row.n, row.separator, word, offset), row.found)
        << row.text << " word " << row.n;
    if (row.found) {
      EXPECT_STREQ(word.GetText(), row.word) << row.text << " word " << row.n;
      EXPECT_EQ(offset, row.offset) << row.text << " word " << row.n;
    }
  }
}

TEST(TextStringTest, GetWordFromOffset) {
  TextString text("one two three");
  TextString word;
  int offset = 0;
  ASSERT_TRUE(text.GetWord(4, 2, ' ', word, offset));
  EXPECT_STREQ(word.GetText(), "three");
  EXPECT_EQ(offset, 4);
  EXPECT_EQ(Stderr([&] { EXPECT_FALSE(text.GetWord(14, 1, ' ', word, offset)); }),
            "ERROR: Invalid substring passed to TextString::GetWord.  Start=14 Len=13\n");
  EXPECT_EQ(Stderr([&] { EXPECT_FALSE(text.GetWord(-1, 1, ' ', word, offset)); }),
            "ERROR: Invalid substring passed to TextString::GetWord.  Start=-1 Len=13\n");
}

TEST(TextStringTest, ReplaceText) {
  struct Row {
    const char* text;
    int start;
    const char* find;
    const char* with;
    int maxCount;
    int result;
    const char* expected;
  };
  const Row rows[] = {
      {"aaa", 0, "a", "aa", 0, 1, "aaaaaa"}, {"aaa", 0, "a", "aa", 1, 1, "aaaa"},
      {"aaa", 1, "a", "b", 0, 1, "abb"},     {"abc", 0, "", "x", 0, 0, "abc"},
      {"abc", 0, nullptr, "x", 0, 0, "abc"}, {"aAa", 0, "a", "b", 0, 1, "bAb"},
      {"", 0, "a", "b", 0, 1, ""},           {"abc", 3, "c", "x", 0, 1, "abc"},
      {"abab", 0, "ab", nullptr, 0, 1, ""},  {"xyxyxy", 0, "xy", "z", 2, 1, "zzxy"},
  };
  for (const Row& row : rows) {
    TextString text(row.text);
    EXPECT_EQ(text.ReplaceText(row.start, row.find, row.with, row.maxCount), row.result)
        << row.text;
    EXPECT_STREQ(text.GetText(), row.expected) << row.text;
  }
  TextString text("abc");
  EXPECT_EQ(Stderr([&] { EXPECT_EQ(text.ReplaceText(4, "a", "b", 0), 0); }),
            "ERROR: Invalid offset passed to TextString::ReplaceText 4\n");
  EXPECT_EQ(Stderr([&] { EXPECT_EQ(text.ReplaceText(-1, "a", "b", 0), 0); }),
            "ERROR: Invalid offset passed to TextString::ReplaceText -1\n");
  EXPECT_STREQ(text.GetText(), "abc");
}

TEST(TextStringTest, SearchIgnoresCase) {
  TextString text("xAB");
  int position = 99;
  EXPECT_TRUE(text.LocateText(0, "ab", position));
  EXPECT_EQ(position, 1);
  EXPECT_FALSE(text.LocateText(2, "ab", position));
  EXPECT_EQ(position, -1);
  EXPECT_FALSE(text.LocateText(0, "", position));
  EXPECT_EQ(Stderr([&] { EXPECT_FALSE(text.LocateText(5, "ab", position)); }),
            "ERROR: Invalid offset passed to TextString::LocateText 5\n");
  EXPECT_EQ(position, -1);

  TextString aab("aab");
  EXPECT_EQ(aab.FindText("AB"), aab.GetText() + 1);
  EXPECT_EQ(aab.FindText(TextString("b")), aab.GetText() + 2);
  EXPECT_EQ(aab.FindText(""), nullptr);
  EXPECT_EQ(aab.FindText("abc"), nullptr);
  EXPECT_EQ(TextString().FindText("a"), nullptr);
  // Only A-Z and a-z have case: bytes above 0x7F match only themselves.
  EXPECT_EQ(TextString("\xE9").FindText("\xC9"), nullptr);
}

TEST(TextStringTest, Substring) {
  struct Row {
    const char* text;
    int start;
    int length;
    int result;
    const char* expected;
    const char* message;
  };
  const Row rows[] = {
      {"abcdef", 1, 3, 1, "bcd", ""},
      {"abcdef", 6, 0, 1, "", ""},
      {"abcdef", 2, 10, 1, "cdef",
       "Invalid position/length 2/10/6 in TextString::Substring.  Truncating\n"},
      {"abc", 1, -3, 1, "", "Invalid new length -3 in TextString::Substring - setting to 0\n"},
      {"abc", 4, 1, 0, "abc", "Invalid start 4 in TextString::Substring\n"},
      {"abc", 1, 2147483647, 1, "bc",
       "Invalid position/length 1/2147483647/3 in TextString::Substring.  Truncating\n"},
  };
  for (const Row& row : rows) {
    TextString text(row.text);
    EXPECT_EQ(Stderr([&] { EXPECT_EQ(text.Substring(row.start, row.length), row.result); }),
              row.message)
        << row.text << " " << row.start << "/" << row.length;
    EXPECT_STREQ(text.GetText(), row.expected);
  }
}

TEST(TextStringTest, Editing) {
  TextString t("\t  a b  \t");
  t.Trim();
  EXPECT_STREQ(t.GetText(), "a b");
  t.SetText("   ");
  t.Trim();
  EXPECT_STREQ(t.GetText(), "");

  struct Row {
    const char* text;
    const char* collapsed;
  };
  const Row collapse[] = {{"  a   b  ", "  a b  "}, {"a \t  b", "a \t b"},
                          {"    ", "    "},         {"ab", "ab"},
                          {"a  ", "a  "},           {"", ""}};
  for (const Row& row : collapse) {
    t.SetText(row.text);
    t.CollapseBlanks();
    EXPECT_STREQ(t.GetText(), row.collapsed) << '"' << row.text << '"';
  }

  t.SetText("abcdef");
  EXPECT_EQ(t.Truncate(10), 1);
  EXPECT_STREQ(t.GetText(), "abcdef");
  EXPECT_EQ(t.Truncate(-1), 0);
  EXPECT_EQ(t.Truncate(2), 1);
  EXPECT_STREQ(t.GetText(), "ab");
  t.InsertText(0, "x");
  t.InsertText(99, "z");
  EXPECT_STREQ(t.GetText(), "xabz");
  EXPECT_EQ(t.ReplaceSubString(1, 99, "Q"), 1);
  EXPECT_STREQ(t.GetText(), "xQ");
  EXPECT_EQ(t.ReplaceSubString(2, 0, "!"), 1);
  EXPECT_STREQ(t.GetText(), "xQ!");
  EXPECT_EQ(Stderr([&] { EXPECT_EQ(t.ReplaceSubString(4, 1, "y"), 0); }),
            "ERROR: Invalid offset passed to TextString::ReplaceSubString 4\n");
  EXPECT_STREQ(t.GetText(), "xQ!");

  t.Clear();
  t.AppendNumber(-5, true);
  t.AppendNumber(12, false);
  EXPECT_STREQ(t.GetText(), "-5 12");
}

TEST(TextStringTest, Predicates) {
  EXPECT_FALSE(TextString("a").HasNoLetters());
  EXPECT_FALSE(TextString("Z").HasNoLetters());
  EXPECT_TRUE(TextString("09 \xE9").HasNoLetters());
  EXPECT_FALSE(TextString("0").HasNoAlphanumerics());
  EXPECT_FALSE(TextString("9").HasNoAlphanumerics());
  EXPECT_TRUE(TextString("-+ \xC0").HasNoAlphanumerics());
  EXPECT_TRUE(TextString("ABC 1").HasNoLowerCase());
  EXPECT_FALSE(TextString("ABc").HasNoLowerCase());
  EXPECT_TRUE(TextString("abc").HasNoneOf("xyz"));
  EXPECT_FALSE(TextString("abc").HasNoneOf("xcz"));
  EXPECT_TRUE(TextString("abc").HasNoneOf(nullptr));

  EXPECT_TRUE(TextString("Abc").IsEqual(TextString("aBC"), false));
  EXPECT_FALSE(TextString("Abc").IsEqual(TextString("aBC"), true));
  EXPECT_TRUE(TextString("Abc").IsEqual(TextString("Abc"), true));
  EXPECT_FALSE(TextString("abc").IsEqual(TextString("abcd"), false));
}

TEST(TextStringTest, GetNumberValue) {
  struct Row {
    const char* text;
    char style;
    bool found;
    int value;
  };
  const Row rows[] = {
      {"(12)", '1', true, 12},        {"1a2", '1', false, -1},
      {"abc", '1', false, -1},        {"2147483647", '1', true, 2147483647},
      {"2147483648", '1', false, -1}, {"99999999999999999999", '1', false, -1},
      {"007.", '1', true, 7},         {"(c)", 'a', true, 3},
      {"Z)", 'A', true, 26},          {"12", 'a', false, -1},
      {"xiv", 'i', true, 14},         {"LXXXIX", 'I', true, 89},
      {"xl", 'i', true, 40},          {"iv)", 'i', true, 4},
      {"viii", 'i', true, 8},         {"ab", 'i', true, 0},
      {"12", 'x', false, -1},
  };
  for (const Row& row : rows) {
    int value = 55;
    EXPECT_EQ(TextString(row.text).GetNumberValue(row.style, value), row.found)
        << row.text << " style " << row.style;
    EXPECT_EQ(value, row.value) << row.text << " style " << row.style;
  }
  // Every numeral from 1 to 89 reads back in either case.
  const char* tens[] = {"", "x", "xx", "xxx", "xl", "l", "lx", "lxx", "lxxx"};
  const char* units[] = {"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix"};
  for (int n = 1; n < 90; ++n) {
    std::string lower = std::string(tens[n / 10]) + units[n % 10];
    std::string upper = lower;
    for (char& c : upper) c = static_cast<char>(c - 'a' + 'A');
    int value = 0;
    EXPECT_TRUE(TextString(lower.c_str()).GetNumberValue('i', value));
    EXPECT_EQ(value, n) << lower;
    EXPECT_TRUE(TextString(upper.c_str()).GetNumberValue('I', value));
    EXPECT_EQ(value, n) << upper;
  }
}

}  // namespace
