#include "output/AnchorName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"
#include "support/CaseFile.h"

namespace {

TEST(AnchorNameTest, NamesFromTheRawText) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/output/output_cases.txt")) {
    if (r[0] != "anchor") continue;
    OutputRecord record;
    LineChain lines({{std::stoi(r.at(1)), ""}});
    lines[0].rawText.SetText(r.at(2));
    TextString anchor;
    MakeAnchorName(lines[0], record.policy, anchor);
    EXPECT_EQ(anchor.View(), r.at(3)) << r[2];
  }
}

TEST(AnchorNameTest, WordBeforeTheNumberUsesTheLevelStyle) {
  OutputRecord record;
  record.policy.headingStyles[1].hasPrefix = 1;
  record.policy.contentsStyles[0].hasPrefix = 1;
  LineChain lines({{LineType::NumberedHeading(2), "Section 3.1 Tools"},
                   {LineType::NumberedHeading(1), "Section 3 Tools"},
                   {LineType::ContentsLine(1), "Part 2 Use"}});
  const std::vector<std::string> expected = {"Section_3.1", "Section_Section", "Section_2"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].rawText.SetText(lines[i].View());
    TextString anchor;
    MakeAnchorName(lines[i], record.policy, anchor);
    EXPECT_EQ(anchor.View(), expected[i]) << i;
  }
}

// The one-pass collapse must leave what CollapseBlanks and Trim leave.
TEST(AnchorNameTest, CollapsedHeadingTextMatchesCollapseAndTrim) {
  for (const char* raw : {"", " ", "  \t ", "a", "  3.2   Tools  ", "\t1\t \tA  b\t", "x  ",
                          "  y", "a \t  b", "a  \t b  c   d", " \t a   b \t "}) {
    TextString expected(raw);
    expected.CollapseBlanks();
    expected.Trim();
    EXPECT_EQ(CollapsedHeadingText(raw).View(), expected.View()) << '"' << raw << '"';
  }
}

}  // namespace
