#include "text/ParsedString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "support/CaseFile.h"

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
  line.SetBreakSets(" ", "", "");
  line.Reset(true);
  EXPECT_STREQ(line.GetText(), "kept");
  EXPECT_EQ(line.width, 80);
  EXPECT_EQ(line.breakAfter, ParsedString::kBreakAfter);
  EXPECT_EQ(line.breakBefore, ParsedString::kBreakBefore);
  EXPECT_EQ(line.breakAfterClose, ParsedString::kBreakAfterClose);
  line.Reset(false);
  EXPECT_STREQ(line.GetText(), "");
}

// The tabs and pieces rows of tests/data/text/text_strings.txt.
TEST(ParsedStringTest, TabsAndPiecesOfTheDataFile) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/text/text_strings.txt")) {
    if (r[0] == "tabs") {
      ParsedString line;
      line.SetText(r.at(1));
      line.ExpandTabs(std::stoi(r.at(2)));
      EXPECT_EQ(line.View(), r.at(3)) << r[1] << " tab " << r[2];
    } else if (r[0] == "pieces") {
      std::string joined;
      for (const std::string& piece : Pieces(r.at(1).c_str(), std::stoi(r.at(2))))
        joined += (joined.empty() ? "" : ";") + piece;
      EXPECT_EQ(joined, r.at(3)) << r[1] << " at " << r[2];
    }
  }
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

}  // namespace
