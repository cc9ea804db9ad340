#include "output/NestingStack.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "OutputTestSupport.h"
#include "support/CaseFile.h"

namespace {

struct Step {
  int level;
  const char* tag;
};

std::string Moves(OutputRecord& record, const std::vector<Step>& steps) {
  return Capture([&](std::FILE* stream) {
    NestingStack stack(record.policy);
    for (const Step& step : steps) stack.SetLevel(stream, step.level, step.tag);
  });
}

// The nesting rows of tests/data/output/output_cases.txt.
TEST(NestingStackTest, WritesTheTagLinesOfEachMove) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/output/output_cases.txt")) {
    if (r[0] != "nesting") continue;
    std::vector<std::string> moves;
    std::istringstream list(r.at(2));
    for (std::string move; std::getline(list, move, ';');) moves.push_back(move);
    std::vector<Step> steps;
    for (const std::string& move : moves) {
      const std::size_t blank = move.find(' ');
      steps.push_back({std::stoi(move), blank == std::string::npos ? nullptr : &move[blank + 1]});
    }
    OutputRecord record;
    record.policy.minimiseHtml = r.at(1) == "1" ? 1 : 0;
    EXPECT_EQ(Moves(record, steps), r.at(3)) << r[2];
    EXPECT_TRUE(record.messages.empty()) << r[2];
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
