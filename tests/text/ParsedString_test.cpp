#include "text/ParsedString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextTestSupport.h"

namespace {

// Every piece GetSegment cuts from `text` at `width`.
std::vector<std::string> Pieces(const char* text, int width) {
  ParsedString line;
  line.SetText(text);
  std::vector<std::string> pieces;
  TextString piece;
  int start = 0;
  int next = -1;
  while (line.GetSegment(width, start, piece, next)) {
    pieces.emplace_back(piece.View());
    if (next < 0) break;
    start = next;
  }
  return pieces;
}

TEST(ParsedStringTest, ResetKeepsTheTextOnlyWhenAsked) {
  ParsedString line;
  line.SetText("kept");
  line.width = 10;
  line.Reset(true);
  EXPECT_STREQ(line.GetText(), "kept");
  EXPECT_EQ(line.width, 80);
  line.Reset(false);
  EXPECT_STREQ(line.GetText(), "");
}

TEST(ParsedStringTest, ExpandTabs) {
  struct Row {
    const char* text;
    int tabSize;
    std::string expected;
  };
  const Row rows[] = {
      {"ab\tc", 8, "ab" + std::string(6, ' ') + "c"},
      {"\t\tx", 8, std::string(16, ' ') + "x"},
      {"abcdefgh\tx", 8, "abcdefgh" + std::string(8, ' ') + "x"},
      {"a\tb\tc", 4, "a   b   c"},
      {"a\tb", 1, "a b"},
      {"a\tb", 12, "a" + std::string(7, ' ') + "b"},
      {"a\tb", 0, "a b"},
      {"no tabs", 8, "no tabs"},
  };
  for (const Row& row : rows) {
    ParsedString line;
    line.SetText(row.text);
    line.ExpandTabs(row.tabSize);
    EXPECT_EQ(line.View(), row.expected) << row.text << " tab " << row.tabSize;
  }
}

TEST(ParsedStringTest, SegmentsBreakAtTheLatestBreak) {
  using Cuts = std::vector<std::string>;
  EXPECT_EQ(Pieces("aaaa bbbb cccc", 10), (Cuts{"aaaa bbbb ", "cccc"}));
  EXPECT_EQ(Pieces(std::string(30, 'x').c_str(), 10),
            (Cuts{std::string(11, 'x'), std::string(11, 'x'), std::string(8, 'x')}));
  // Closing characters, and the character before an opening one.
  EXPECT_EQ(Pieces("abc)defghijkl", 8), (Cuts{"abc)", "defghijkl"}));
  EXPECT_EQ(Pieces("abcdef(ghijklm", 8), (Cuts{"abcdef", "(ghijklm"}));
  EXPECT_EQ(Pieces("ab cdef(ghijk", 8), (Cuts{"ab cdef", "(ghijk"}));
  // A blank later than a closing character wins, and vice versa.
  EXPECT_EQ(Pieces("a) bcdefghij", 5), (Cuts{"a) ", "bcdefg", "hij"}));
  EXPECT_EQ(Pieces("a b)cdefghij", 5), (Cuts{"a b)", "cdefgh", "ij"}));
  // A cut piece that reaches the end is the last one.
  EXPECT_EQ(Pieces(std::string(22, 'x').c_str(), 10),
            (Cuts{std::string(11, 'x'), std::string(11, 'x')}));
  EXPECT_EQ(Pieces("aaaa bbbb ", 9), (Cuts{"aaaa bbbb "}));
  // A break character at the very start of the piece does not count.
  EXPECT_EQ(Pieces(" abcdefgh", 4), (Cuts{" abcd", "efgh"}));
  EXPECT_EQ(Pieces("short", 80), (Cuts{"short"}));
  EXPECT_EQ(Pieces("", 80), (Cuts{""}));
}

TEST(ParsedStringTest, SegmentBoundsAndOwnWidth) {
  ParsedString line;
  line.SetText("aaaa bbbb cccc");
  TextString piece("old");
  int next = 5;
  EXPECT_FALSE(line.GetSegment(10, 15, piece, next));
  EXPECT_STREQ(piece.GetText(), "");
  EXPECT_EQ(next, -1);
  EXPECT_FALSE(line.GetSegment(10, -1, piece, next));
  EXPECT_TRUE(line.GetSegment(10, 14, piece, next));
  EXPECT_STREQ(piece.GetText(), "");
  line.width = 5;
  EXPECT_TRUE(line.GetSegment(0, piece, next));
  EXPECT_STREQ(piece.GetText(), "aaaa ");
  EXPECT_EQ(next, 5);
}

TEST(ParsedStringTest, HardCutNeverSplitsUtf8) {
  // "\xC3\xA9" is one two-byte character; a plain cut after 11 bytes would
  // fall between its two bytes.
  const std::string text = std::string(10, 'x') + "\xC3\xA9" + std::string(10, 'y');
  const std::vector<std::string> pieces = Pieces(text.c_str(), 10);
  ASSERT_GE(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], std::string(10, 'x'));
  EXPECT_EQ(pieces[1].substr(0, 2), "\xC3\xA9");
  // Where moving back would leave nothing, the piece takes the whole character.
  EXPECT_EQ(Pieces("\xE2\x82\xAC\xE2\x82\xAC", 0),
            (std::vector<std::string>{"\xE2\x82\xAC", "\xE2\x82\xAC"}));
  // Single-byte text is cut exactly where asked.
  EXPECT_EQ(Pieces("\xE9\xE9\xE9\xE9", 1), (std::vector<std::string>{"\xE9\xE9", "\xE9\xE9"}));
}

}  // namespace
