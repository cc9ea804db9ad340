#include "analysis/PreformatScore.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"

namespace {

void Read(SourceLine& line, FC& policy, const std::string& text) {
  ReadLine(line, policy, text);
  line.lineType = LineType::kText;
}

TEST(PreformatScoreTest, TextScore) {
  const struct {
    std::string text;
    bool justified;
    bool inBlock;
    int score;
  } cases[] = {
      {"plain words only", false, false, 0},
      {"a   b   c   d", false, false, 7},     // three runs of 3
      {"a   b   c   d", true, false, 0},      // justified text needs runs of 5
      {"a  b  c  d  e", false, false, 3},     // four runs of 2
      {"a  b  c  d  e  f", false, false, 7},  // five runs of 2
      {"a      b", false, false, 9},          // a run of 6
      {"a      b", true, false, 9},
      {"|a|b|c|d|", false, false, 7},
      {"a  b  c", false, true, 0},
      {"a  b  c  d", false, true, 3},
      {"a   b   c", false, true, 7},
      {"a    b", true, true, 7},
      {std::string(60, ' ') + "x", false, false, 1},  // right of the middle
      {std::string(60, ' ') + "x", false, true, 3},
      {std::string(133, 'x') + "   y   z   w", false, false, 0},
  };
  for (const auto& c : cases) {
    FC policy;
    policy.rightJustified = c.justified ? 1 : 0;
    SourceLine line;
    Read(line, policy, c.text);
    EXPECT_EQ(ScorePreformatted(line, policy, nullptr, c.inBlock), c.score) << c.text;
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
