#include "text/TextString.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "support/CaseFile.h"

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

TEST(TextStringTest, SetPartCutsToTheSourceAndMayTakeItsOwnText) {
  const TextString source("alpha beta");
  struct Case {
    std::size_t start, length;
    const char* expected;
  };
  for (const Case& c : {Case{6, 4, "beta"}, Case{6, 99, "beta"}, Case{0, 5, "alpha"},
                        Case{10, 3, ""}, Case{99, 3, ""}}) {
    TextString t("old");
    EXPECT_EQ(t.SetPart(source, c.start, c.length), 1);
    EXPECT_STREQ(t.GetText(), c.expected) << c.start << "/" << c.length;
  }
  TextString self("&lt;12&gt;");
  self.SetPart(self, 4, 2);
  EXPECT_STREQ(self.GetText(), "12");
  // A view of the text's own store, short (in the object) and long.
  for (const std::string& text : {std::string("ab cd"), std::string(40, 'x') + " tail"}) {
    TextString t(text);
    t.SetText(t.View().substr(3));
    EXPECT_EQ(t.View(), text.substr(3));
  }
}

TEST(TextStringTest, TakeTextBlanksNulsAndHandsBackTheOldText) {
  TextString t("old");
  std::string read("a\0b", 3);
  EXPECT_EQ(t.TakeText(read), 1);
  EXPECT_EQ(t.View(), "a b");
  EXPECT_EQ(read, "old");
}

// The error field of a row as standard error shows it.
std::string ErrorOf(const std::vector<std::string>& row, std::size_t field) {
  return row.size() > field && !row[field].empty() ? row[field] + "\n" : "";
}

TEST(TextStringTest, OperationsOfTheDataFile) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/text/text_strings.txt")) {
    SCOPED_TRACE(testing::Message() << r[0] << " of \"" << r.at(1) << "\"");
    TextString text(r[1]);
    auto n = [&](std::size_t i) { return std::stoi(r.at(i)); };
    auto arg = [&](std::size_t i) { return r.at(i) == "(null)" ? nullptr : r[i].c_str(); };
    if (r[0] == "word") {
      TextString word("unchanged");
      int offset = -7;
      ASSERT_EQ(text.GetWord(n(2), r.at(3)[0], word, offset), r.at(4) == "1");
      EXPECT_EQ(word.View(), r.at(5));
      EXPECT_EQ(offset, n(6));
    } else if (r[0] == "replace") {
      EXPECT_EQ(Stderr([&] { EXPECT_EQ(text.ReplaceText(n(2), arg(3), arg(4), n(5)), n(6)); }),
                ErrorOf(r, 8));
      EXPECT_EQ(text.View(), r.at(7));
    } else if (r[0] == "number") {
      int value = 55;
      EXPECT_EQ(text.GetNumberValue(r.at(2)[0], value), r.at(3) == "1");
      EXPECT_EQ(value, n(4));
    } else if (r[0] == "substring") {
      EXPECT_EQ(Stderr([&] { EXPECT_EQ(text.Substring(n(2), n(3)), n(4)); }), ErrorOf(r, 6));
      EXPECT_EQ(text.View(), r.at(5));
    } else if (r[0] == "classes") {
      EXPECT_EQ(text.HasNoLetters(), r.at(2) == "1");
      EXPECT_EQ(text.HasNoAlphanumerics(), r.at(3) == "1");
      EXPECT_EQ(text.HasNoLowerCase(), r.at(4) == "1");
    } else if (r[0] == "collapse") {
      text.CollapseBlanks();
      EXPECT_EQ(text.View(), r.at(2));
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

TEST(TextStringTest, SearchFindsEveryPlaceOfALongText) {
  // Long texts are searched eight places at a time: a match at each place
  // of a step, from each start, near the end, and a "h" that "H" | 0x20
  // must not stand for.
  const std::string filler(20, '-');
  for (int at = 0; at < 17; ++at) {
    TextString text(filler.substr(0, static_cast<std::size_t>(at)) + "HeAd" + filler);
    for (int start = 0; start <= at; ++start) {
      int position = -1;
      EXPECT_TRUE(text.LocateText(start, "head", position)) << at << "/" << start;
      EXPECT_EQ(position, at) << at << "/" << start;
    }
    int position = -1;
    EXPECT_FALSE(text.LocateText(at + 1, "head", position)) << at;
  }
  EXPECT_EQ(TextString("0123456789abcdeX").FindText("xy"), nullptr);
  const TextString tail("0123456789abcdeXy");
  EXPECT_EQ(tail.FindText("xY"), tail.GetText() + 15);
  EXPECT_EQ(TextString("\x08\x28\x48\x68\x88\xA8\xC8\xE8 ").FindText("(("), nullptr);
}

TEST(TextStringTest, Editing) {
  TextString t("\t  a b  \t");
  t.Trim();
  EXPECT_STREQ(t.GetText(), "a b");
  // Short, and long enough to be scanned in blocks: blanks and tabs running
  // into a second block, a text of blanks only.
  for (const auto& [in, out] : std::vector<std::pair<std::string, std::string>>{
           {"   ", ""},
           {std::string(20, ' '), ""},
           {" \t                 word of text  ", "word of text"},
           {"x" + std::string(30, ' ') + "y ", "x" + std::string(30, ' ') + "y"}}) {
    t.SetText(in);
    t.Trim();
    EXPECT_EQ(t.View(), out) << '"' << in << '"';
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
  t.AppendNumber(std::numeric_limits<int>::min(), true);
  EXPECT_STREQ(t.GetText(), "-5 12-2147483648 ");
}

TEST(TextStringTest, Predicates) {
  EXPECT_TRUE(TextString("abc").HasNoneOf("xyz"));
  EXPECT_FALSE(TextString("abc").HasNoneOf("xcz"));
  EXPECT_TRUE(TextString("abc").HasNoneOf(nullptr));

  EXPECT_TRUE(TextString("Abc").IsEqual(TextString("aBC"), false));
  EXPECT_FALSE(TextString("Abc").IsEqual(TextString("aBC"), true));
  EXPECT_TRUE(TextString("Abc").IsEqual(TextString("Abc"), true));
  EXPECT_FALSE(TextString("abc").IsEqual(TextString("abcd"), false));
}

TEST(TextStringTest, EveryRomanNumeralReadsBack) {
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
