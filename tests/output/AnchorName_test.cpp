#include "output/AnchorName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"

namespace {

TEST(AnchorNameTest, NamesFromTheRawText) {
  struct Case {
    int type;
    const char* raw;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {LineType::NumberedHeading(2), "2.3) Results", "Section_2.3"},
      {LineType::NumberedHeading(1), "  [4]  References", "Section_4"},
      {LineType::NumberedHeading(1), "(5). Odd", "Section_5)"},
      {LineType::NumberedHeading(1), "6: Colon", "Section_6"},
      {LineType::ContentsLine(2), "   1.2   Scope", "Section_1.2"},
      {LineType::UnderlinedHeading(1), "  Getting   started? \"now\" ", "Getting_started_now"},
      {LineType::kCapitalisedHeading, "WHAT IS IT?", "WHAT_IS_IT"},
      {LineType::kText, "7 Other", "Section_7"},
  };
  for (const Case& c : cases) {
    OutputRecord record;
    LineChain lines({{c.type, ""}});
    lines[0].rawText.SetText(c.raw);
    TextString anchor;
    MakeAnchorName(lines[0], record.policy, anchor);
    EXPECT_EQ(anchor.View(), c.expected) << c.raw;
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

}  // namespace
