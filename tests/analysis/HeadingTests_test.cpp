#include "analysis/HeadingTests.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"
#include "support/CaseFile.h"

namespace {

using Pass = ClassifyRun::Pass;

// "3.2" as section components.
SectionComponents Number(const std::string& text) {
  SectionComponents number;
  number.fill(-1);
  std::istringstream parts(text);
  std::size_t i = 0;
  for (std::string part; i < number.size() && std::getline(parts, part, '.');) {
    number[i++] = std::stoi(part);
  }
  return number;
}

TEST(HeadingTestTest, CheckProgression) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "progression") continue;
    SCOPED_TRACE(r.at(1) + " in " + r.at(3));
    ClassifyRun run(Pass::kOutput);
    SourceLine line;
    line.sourceLineNumber = 7;
    line.sectionNumber = Number(r[1]);
    run.statistics.lastNumber = Number(r[3]);
    HeadingTest test(line, run.policy, run.statistics);
    EXPECT_EQ(test.CheckProgression(std::stoi(r.at(2)), true), std::stoi(r.at(4)));
    EXPECT_EQ(run.messages,
              r.at(5).empty() ? std::vector<std::string>{} : std::vector<std::string>{r[5]});

    // Outside the output pass nothing is said.
    ClassifyRun quiet(Pass::kAnalysis);
    quiet.statistics.lastNumber = Number(r[3]);
    HeadingTest silent(line, quiet.policy, quiet.statistics);
    EXPECT_EQ(silent.CheckProgression(std::stoi(r[2]), true), std::stoi(r[4]));
    EXPECT_TRUE(quiet.messages.empty());
  }
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
  run.Feed({"Contents",
            "",
            "1. Intro",
            "2. Body",
            "",
            "",
            "Author       [Page 1]",
            "\f",
            "RFC 1       Title       May 1990",
            "",
            "",
            "3. More",
            "4. End",
            "",
            "",
            "",
            "",
            "",
            "",
            "",
            "",
            "1. Intro"});
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

// Real lines that read as a number and a title but open no section, beside
// real lines that do. `line` is the line asked about.
TEST(HeadingTestTest, DiagramRowsAndReferencesAreNoSections) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    int line;
    bool heading;
  };
  const std::vector<Case> cases = {
      {"RFC 790: a ruler of bit positions over a diagram",
       {"", "                           1                   2                   3   ",
        "       0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 ",
        "      +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+"},
       2, false},
      {"RFC 790: a row of a table",
       {"", "      Decimal   Octal     Description", "      -------   -----     -----------",
        "      0         0         AHHP Control Messages",
        "      1         1         Reserved",
        "      2-71      2-107     AHHP Regular Messages"},
       5, false},
      {"RFC 792: a reference entry",
       {"", "   [1]  Postel, J. (ed.), \"Internet Protocol - DARPA Internet Program",
        "         Protocol Specification,\" RFC 791, USC/Information Sciences",
        "         Institute, September 1981."},
       2, false},
      {"RFC 768: a reference entry with its year on the second line",
       {"", "[1]     Postel,   J.,   \"Internet  Protocol,\"  RFC 760,  USC/Information",
        "        Sciences Institute, January 1980."},
       2, false},
      {"RFC 792: a code value and its meaning",
       {"", "      1 = fragment reassembly time exceeded.", "", "    Description"}, 2, false},
      {"vim: a title with its tag after a wide gap is a section",
       {"", "1. Introduction                                         *intro*", "",
        "Vim stands for Vi IMproved."},
       2, true},
      {"a bracketed number and a title is a section", {"", "[1]  Introduction", "", "Text."},
       2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClassifyRun run(Pass::kAnalysis);
    run.Feed(c.lines);
    const int type = run.Line(c.line).lineType;
    EXPECT_EQ(LineType::IsNumberedHeading(type) || LineType::IsContentsLine(type), c.heading);
  }
}

}  // namespace
