#include "analysis/HeadingTests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"

namespace {

using Pass = ClassifyRun::Pass;

struct ProgressionCase {
  SectionComponents number;
  int level;
  SectionComponents last;
  int code;
  const char* message;  // empty when none is reported
};

TEST(HeadingTestTest, CheckProgression) {
  using C = HeadingTest;
  const ProgressionCase cases[] = {
      {Section({3, 2}), 1, Section({3, 1}), C::kAccepted, ""},
      {Section({3, 4}), 1, Section({3, 2}), C::kAccepted,
       "Line 7 - Missing section number detected  : \"3.4\" in 3.2"},
      {Section({3, 5}), 1, Section({3, 2}), C::kChangeTooLarge,
       "Line 7 - Ignoring \"heading\" (change too large) : \"3.5\" in 3.2"},
      {Section({3, 1}), 1, Section({3, 2}), C::kChangeTooSmall,
       "Line 7 - Ignoring \"heading\" (change too small) : \"3.1\" in 3.2"},
      {Section({3, 2}), 1, Section({3, 2}), C::kAccepted,
       "Line 7 - Repeated section number detected : \"3.2\" in 3.2"},
      {Section({4, 2}), 1, Section({3}), C::kFirstSubHeader,
       "Line 7 - Reject first sub-header of 4.2"},
      {Section({4, 2}), 1, Section({4}), C::kAccepted, ""},
      // Chapter 4's heading was not a numbered one: its sections still count.
      {Section({4, 1}), 1, Section({3, 5}), C::kAccepted, ""},
      {Section({4, 3}), 1, Section({3, 5}), C::kAccepted, ""},
      {Section({5, 3, 1}), 2, Section({5, 1, 4}), C::kChangeTooLarge,
       "Line 7 - Ignoring \"heading\" (change too large) : \"5.3.1\" in 5.1.4"},
      {Section({5}), 0, Section({3}), C::kAccepted, ""},
      {Section({6}), 0, Section({3}), C::kChapterTooLarge,
       "Line 7 - Ignoring \"heading\" (chapter number too large): \"6\" in 3"},
      {Section({2}), 0, Section({3}), C::kChapterTooSmall,
       "Line 7 - Ignoring \"heading\" (chapter number too small): \"2\" in 3"},
      {Section({1, 1}), 1, Section({}), C::kAccepted, ""},
  };
  for (const ProgressionCase& c : cases) {
    ClassifyRun run(Pass::kOutput);
    SourceLine line;
    line.sourceLineNumber = 7;
    line.sectionNumber = c.number;
    run.statistics.lastNumber = c.last;
    HeadingTest test(line, run.policy, run.statistics);
    const std::string label = FormatNumberAndLast(c.number, c.level, run.statistics).GetText();
    EXPECT_EQ(test.CheckProgression(c.level, true), c.code) << label;
    const std::vector<std::string> expected =
        *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
    EXPECT_EQ(run.messages, expected) << label;

    // Without report, or outside the output pass, nothing is said.
    ClassifyRun quiet(Pass::kAnalysis);
    quiet.statistics.lastNumber = c.last;
    HeadingTest silent(line, quiet.policy, quiet.statistics);
    EXPECT_EQ(silent.CheckProgression(c.level, true), c.code) << label;
    EXPECT_TRUE(quiet.messages.empty()) << label;
  }
}

TEST(HeadingTestTest, CompareWithLastNumber) {
  ClassifyRun run(Pass::kAnalysis);
  SourceLine line;
  line.sectionNumber = {2, 1, -1, -1, -1, -1};
  run.statistics.lastNumber = {2, -1, -1, -1, -1, -1};
  run.statistics.minNumber = {1, 1, -1, -1, -1, -1};
  HeadingTest test(line, run.policy, run.statistics);
  test.CompareWithLastNumber(1);
  EXPECT_FALSE(test.noPrevious);
  EXPECT_FALSE(test.allOnes);
  EXPECT_TRUE(test.someUnseen);
  EXPECT_TRUE(test.startsSequence);
  EXPECT_TRUE(test.sameParent);
  EXPECT_FALSE(test.notAboveMinimum);
}

TEST(HeadingTestTest, ConsecutiveChaptersAreANumberedList) {
  ClassifyRun run(Pass::kOutput);
  run.SetLevels(1, 0);
  run.Feed({"", "1. Introduction", "", "Text.", "", "2. First point", "", "3. Second point", ""});
  EXPECT_EQ(run.Types(), (std::vector<int>{1, 101, 1, 0, 1, 211, 1, 211, 217}));
  const std::string message = "Ignoring \"heading\" (\"chapters\" consecutive): ";
  EXPECT_EQ(run.messages, (std::vector<std::string>{
                              "Line 2 - End Contents (contents not expected)",
                              "Line 6 - " + message,
                              "Line 8 - " + message,
                          }));
  EXPECT_TRUE(run.Line(8).flags & LineFlag::kRejectedNumber);
  // The withdrawn chapter gave its number back.
  EXPECT_EQ(run.statistics.lastNumber[0], 1);
}

TEST(HeadingTestTest, ChaptersTooCloseInTheAnalysisPass) {
  ClassifyRun run(Pass::kAnalysis);
  run.policy.expectContentsList = 0;
  std::vector<std::string> lines(15, "text");
  lines.insert(lines.end(), {"1. One", "text", "text", "text", "2. Two", "text"});
  run.Feed(lines);
  EXPECT_EQ(run.Line(16).lineType, LineType::kNumberedHeading1);
  EXPECT_EQ(run.Line(20).lineType, LineType::kNumberedBullet);
  EXPECT_TRUE(run.Line(20).flags & LineFlag::kRejectedNumber);
  EXPECT_EQ(run.statistics.lastChapterLine, 20);
  EXPECT_TRUE(run.messages.empty());
}

TEST(HeadingTestTest, AnalysisPassFindsTheContentsListWithoutIndents) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"Contents", "", "1. Intro", "    1.1 Scope", "2. Body", "", "1. Intro"});
  EXPECT_EQ(run.Types(), (std::vector<int>{0, 1, 151, 152, 151, 1, 101}));
  EXPECT_EQ(run.statistics.lastContentsLine, 5);
  EXPECT_EQ(run.statistics.headingSeen, 1);
  EXPECT_EQ(run.statistics.lastHeadingType, LineType::kNumberedHeading1);
}

TEST(HeadingTestTest, APageBreakDoesNotEndTheContentsList) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"Contents", "", "1. Intro", "2. Body", "", "", "Author       [Page 1]", "\f",
            "RFC 1       Title       May 1990", "", "", "3. More", "4. End", "", "", "", "", "",
            "", "", "", "1. Intro"});
  EXPECT_EQ(run.Line(12).lineType, LineType::kContentsLine1);
  EXPECT_EQ(run.Line(13).lineType, LineType::kContentsLine1);
  EXPECT_EQ(run.statistics.lastContentsLine, 13);
  EXPECT_EQ(run.Line(22).lineType, LineType::kNumberedHeading1);
}

TEST(HeadingTestTest, SecondWordHeadings) {
  ClassifyRun run(Pass::kAnalysis);
  run.policy.expectContentsList = 0;
  std::vector<std::string> lines = {"", "Chapter 1 Beginnings", "", "Text."};
  lines.resize(20);
  lines.insert(lines.end(), {"Chapter 2 Middles", ""});
  run.Feed(lines);
  EXPECT_EQ(run.Line(2).lineType, LineType::kNumberedHeading1);
  EXPECT_EQ(run.Line(21).lineType, LineType::kNumberedHeading1);
  const DocumentStatistics::LevelCounts& level = run.statistics.headingLevels[0];
  EXPECT_EQ(level.secondWordCount, 2);
  ASSERT_EQ(level.secondWordFirstChars.Entries().size(), 1u);
  EXPECT_EQ(level.secondWordFirstChars.Entries()[0].value, 'C');
  EXPECT_EQ(level.secondWordFirstChars.Entries()[0].frequency, 8);
  EXPECT_EQ(level.secondWordFirstChars.Entries()[0].label.View(), "Chapter");
}

TEST(HeadingTestTest, LevelZeroNumbersAfterABlankLineAreCounted) {
  ClassifyRun run(Pass::kAnalysis);
  run.policy.expectContentsList = 0;
  std::vector<std::string> lines;
  for (const char* heading : {"1. A", "2. B", "3. C", "4. D", "5. E"}) {
    lines.insert(lines.end(), {"", heading, "t", "t", "t", "t", "t", "t", "t", "t", "t"});
  }
  run.Feed(lines);
  EXPECT_EQ(run.statistics.levelZeroSections,
            (std::array<int, DocumentStatistics::kLevelZeroCounts>{-1, 1, 1, 1, -1}));
  EXPECT_EQ(run.statistics.maxNumber[0], 5);
  EXPECT_EQ(run.statistics.minNumber[0], 1);
}

}  // namespace
