#include "analysis/PreformatScore.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"
#include "support/CaseFile.h"

namespace {

void Read(SourceLine& line, FC& policy, const std::string& text) {
  ReadLine(line, policy, text);
  line.lineType = LineType::kText;
}

TEST(PreformatScoreTest, TextScore) {
  for (const auto& row : ReadRows(WEBLOOM_TEST_DATA "/analysis/preformat_scores.txt")) {
    ASSERT_EQ(row.size(), 4u) << row[0];
    FC policy;
    policy.rightJustified = row[0] == "1" ? 1 : 0;
    SourceLine line;
    Read(line, policy, row[3]);
    EXPECT_EQ(ScorePreformatted(line, policy, nullptr, row[1] == "1"), std::stoi(row[2])) << row[3];
  }
}

TEST(PreformatScoreTest, HtmlLinesAreNeverScored) {
  FC policy;
  SourceLine line;
  Read(line, policy, "a      b");
  line.flags |= LineFlag::kUserHtml;
  EXPECT_EQ(ScorePreformatted(line, policy, nullptr, false), 0);
}

TEST(PreformatScoreTest, ContextOfThePreviousLines) {
  FC policy;
  SourceLine first;
  Read(first, policy, "      a      b");
  first.flags |= LineFlag::kPreformatted;
  first.preformatScore = 9;
  SourceLine second(&first);
  Read(second, policy, "      continues");
  // Under a pre-formatted line at its indent (beyond the last indent
  // position + 4): 7.
  EXPECT_EQ(ScorePreformatted(second, policy, &first, false), 7);
  second.lineType = LineType::kBlank;
  EXPECT_EQ(ScorePreformatted(second, policy, &first, false), 7);  // 9 - 2
  first.preformatScore = 4;
  EXPECT_EQ(ScorePreformatted(second, policy, &first, false), 3);

  // Two blank lines: never pre-formatted.
  first.lineType = LineType::kBlank;
  first.flags = LineFlag::kOutput;
  EXPECT_EQ(ScorePreformatted(second, policy, &first, false), 0);
}

TEST(PreformatScoreTest, OneLineOfTextBetweenPreformattedLines) {
  FC policy;
  SourceLine p2;
  Read(p2, policy, "      a      b");
  p2.flags |= LineFlag::kPreformatted;
  SourceLine previous(&p2);
  Read(previous, policy, "      plain");
  SourceLine line(&previous);
  Read(line, policy, "plain");
  EXPECT_EQ(ScorePreformatted(line, policy, &previous, false), 3);
  previous.indent = 2;
  EXPECT_EQ(ScorePreformatted(line, policy, &previous, false), 0);
}

}  // namespace
