#include "output/NestingStack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"

namespace {

struct Step {
  int level;
  const char* tag;
};

struct NestingCase {
  const char* name;
  std::vector<Step> steps;
  bool minimise;
  const char* expected;
};

std::string Moves(OutputRecord& record, const std::vector<Step>& steps) {
  return Capture([&](std::FILE* stream) {
    NestingStack stack(record.policy);
    for (const Step& step : steps) stack.SetLevel(stream, step.level, step.tag);
  });
}

TEST(NestingStackTest, WritesTheTagLinesOfEachMove) {
  const std::vector<NestingCase> cases = {
      {"open passes blockquotes", {{3, "DL"}}, false, "<BLOCKQUOTE>\n  <BLOCKQUOTE>\n    <DL>\n"},
      {"close names each tag",
       {{1, "BLOCKQUOTE"}, {2, "BLOCKQUOTE"}, {3, "DL"}, {0, "BLOCKQUOTE"}},
       false,
       "<BLOCKQUOTE>\n  <BLOCKQUOTE>\n    <DL>\n    </DL>\n  </BLOCKQUOTE>\n</BLOCKQUOTE>\n"},
      {"blockquote over a list closes all first",
       {{2, "UL"}, {3, "BLOCKQUOTE"}},
       false,
       "<BLOCKQUOTE>\n  <UL>\n  </UL>\n</BLOCKQUOTE>\n"
       "<BLOCKQUOTE>\n  <BLOCKQUOTE>\n    <BLOCKQUOTE>\n"},
      {"same level other tag reopens", {{1, "UL"}, {1, "DL"}}, false, "<UL>\n</UL>\n<DL>\n"},
      {"same first two letters keep the level",
       {{1, "OL type=1 start=1 "}, {1, "OL type=a "}},
       false,
       "<OL type=1 start=1 >\n"},
      {"list inside a list", {{1, "UL"}, {2, "UL"}, {1, "UL"}}, false, "<UL>\n  <UL>\n  </UL>\n"},
      {"minimise drops the indentation",
       {{2, "UL"}, {0, "BLOCKQUOTE"}},
       true,
       "<BLOCKQUOTE>\n<UL>\n</UL>\n</BLOCKQUOTE>\n"},
      {"ordered list tags are kept whole",
       {{1, "OL type=1 start=1234567 "}, {0, nullptr}},
       false,
       "<OL type=1 start=1234567 >\n</OL>\n"},
  };
  for (const NestingCase& c : cases) {
    OutputRecord record;
    record.policy.minimiseHtml = c.minimise ? 1 : 0;
    EXPECT_EQ(Moves(record, c.steps), c.expected) << c.name;
    EXPECT_TRUE(record.messages.empty()) << c.name;
  }
}

TEST(NestingStackTest, GrowsBeyondSixLevelsAndClosesThemAll) {
  OutputRecord record;
  record.policy.minimiseHtml = 1;
  const std::string text = Moves(record, {{8, "UL"}, {0, nullptr}});
  std::string expected;
  for (int i = 0; i < 7; ++i) expected += "<BLOCKQUOTE>\n";
  expected += "<UL>\n</UL>\n";
  for (int i = 0; i < 7; ++i) expected += "</BLOCKQUOTE>\n";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(NestingStack(record.policy).Level(), 0);
}

TEST(NestingStackTest, NegativeLevelIsReportedAndTakenAsZero) {
  OutputRecord record;
  record.policy.errorLevel = 10;
  EXPECT_EQ(Moves(record, {{1, "UL"}, {-2, "BLOCKQUOTE"}}), "<UL>\n</UL>\n");
  ASSERT_EQ(record.messages.size(), 1u);
  EXPECT_EQ(record.messages[0], "ERROR: Invalid Indent Level -2");
}

TEST(NestingStackTest, NullStreamChangesNothing) {
  OutputRecord record;
  NestingStack stack(record.policy);
  EXPECT_EQ(stack.SetLevel(nullptr, 2, "UL"), 0);
  EXPECT_EQ(stack.Level(), 0);
  Capture([&](std::FILE* stream) { stack.SetLevel(stream, 2, "UL"); });
  ASSERT_NE(stack.TagAt(2), nullptr);
  EXPECT_EQ(stack.TagAt(2)->View(), "UL");
  EXPECT_EQ(stack.TagAt(1)->View(), "BLOCKQUOTE");
  EXPECT_EQ(stack.TagAt(3), nullptr);
}

}  // namespace
