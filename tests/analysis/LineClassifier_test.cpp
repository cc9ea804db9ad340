#include "analysis/LineClassifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"
#include "support/CaseFile.h"

namespace {

using Pass = ClassifyRun::Pass;

TEST(LineClassifierTest, LineTypesOfTheDataFile) {
  for (const FileCase& c :
       ReadCaseFile(std::string(WEBLOOM_TEST_DATA) + "/analysis/line_types.txt")) {
    const bool output = std::ranges::any_of(c.policies, [](const std::string& policy) {
      return policy == "output pass" || policy.starts_with("levels ");
    });
    ClassifyRun run(output ? Pass::kOutput : Pass::kAnalysis);
    int levels = 0;
    int indent = 0;
    for (const std::string& policy : c.policies) {
      if (std::sscanf(policy.c_str(), "levels %d at %d", &levels, &indent) == 2) {
        run.SetLevels(levels, indent);
      } else if (policy != "output pass") {
        EXPECT_EQ(run.policy.ParsePolicyLine(TextString(policy), false), 1) << c.name;
      }
    }
    std::vector<std::string> lines;
    std::vector<int> types;
    for (const std::string& line : c.input) {
      types.push_back(std::stoi(line));
      lines.push_back(line.substr(line.find('|') + 1));
    }
    run.Feed(lines);
    EXPECT_EQ(run.Types(), types) << c.name;
    std::string messages;
    for (const std::string& message : run.messages) messages += message + "\n";
    if (c.hasExpected) {
      EXPECT_EQ(messages, c.expected) << c.name;
    }
  }
}

TEST(LineClassifierTest, CountsIntoTheStatistics) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"",        "- one",  "- two", "o three",  "", "1) four",     "", "x = y + 1;", "",
            "Intro",   "-----",  "",      "CAPITALS", "", "Term - text", "", "Term: text", "",
            "*  item", "   more"});
  const DocumentStatistics& s = run.statistics;
  EXPECT_EQ(s.dashBullets, 2);
  EXPECT_EQ(s.circleBullets, 1);
  EXPECT_EQ(s.numberedBullets, 1);
  EXPECT_EQ(s.bulletChars.Frequency('-'), 2);
  EXPECT_EQ(s.bulletChars.Frequency('o'), 1);
  EXPECT_EQ(s.bulletChars.Frequency('*'), 1);
  EXPECT_EQ(s.codeLines, 1);
  EXPECT_EQ(s.underlinedHeadings, 1);
  EXPECT_EQ(s.capitalisedHeadings, 1);
  EXPECT_EQ(s.dashUses, 1);
  EXPECT_EQ(s.dashDefinitions, 1);
  EXPECT_EQ(s.colonUses, 1);
  EXPECT_EQ(s.colonDefinitions, 1);
  EXPECT_EQ(s.blankLines, 8);
}

TEST(LineClassifierTest, HangingParagraphsAreCountedWithTheirIndent) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"", "Term  The text of it", "      goes on here", ""});
  EXPECT_EQ(run.statistics.hangingParagraphs, 1);
  EXPECT_EQ(run.statistics.hangingIndents.Frequency(6), 1);
}

// Under a word of accented letters the second line stands where the
// screen shows the text, which is not where its bytes are.
TEST(LineClassifierTest, HangingParagraphsOfUtf8TextAlignInCharacters) {
  for (const bool utf8 : {true, false}) {
    ClassifyRun run(Pass::kAnalysis);
    run.run.utf8Text = utf8 ? 1 : 0;
    run.Feed({"", "Gr\xC3\xB6\xC3\x9F" "e  The text of it", "       goes on here", ""});
    EXPECT_EQ(run.statistics.hangingParagraphs, utf8 ? 1 : 0);
  }
}

// A hanging position is a screen column: an accented first word is as
// wide as its letters, not its bytes.
TEST(LineClassifierTest, HangingPositionsOfUtf8TextAreColumns) {
  for (const bool utf8 : {true, false}) {
    ClassifyRun run(Pass::kOutput);
    run.run.utf8Text = utf8 ? 1 : 0;
    run.policy.hangingCount = 1;
    run.policy.hangingPositions[0] = 10;
    run.Feed({"", "Gr\xC3\xB6\xC3\x9F" "e     the text of it", ""});
    EXPECT_EQ(run.Types().at(1) == LineType::kHangingParagraph, utf8);
  }
}

TEST(LineClassifierTest, CodeLinesArePreformattedInTheOutputPass) {
  ClassifyRun run(Pass::kOutput);
  run.policy.expectCodeSamples = 1;
  run.Feed({"", "x = y + 1;", ""});
  const SourceLine& code = run.Line(2);
  EXPECT_EQ(code.lineType, LineType::kText);
  EXPECT_TRUE(code.flags & LineFlag::kSampleCode);
  EXPECT_TRUE(code.flags & LineFlag::kPreformatted);
  EXPECT_EQ(code.preformatScore, 10);
}

TEST(LineClassifierTest, RuleLinesAreDrawnWithOneCharacterOrPreformatted) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"", "----------", "", "- - - - -", ""});
  EXPECT_TRUE(run.Line(2).flags & LineFlag::kRepeatedChar);
  EXPECT_FALSE(run.Line(4).flags & LineFlag::kRepeatedChar);
  // Rules (type 4) keep the scorer's mark but are not pre-formatted.
  EXPECT_TRUE(run.Line(4).flags & LineFlag::kPreformatCandidate);
  EXPECT_FALSE(run.Line(4).flags & LineFlag::kPreformatted);
}

TEST(LineClassifierTest, TablesAreScoredPreformatted) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"", "Name       Size      Date", "alpha      12        1998", ""});
  EXPECT_EQ(run.Line(2).preformatScore, 9);
  EXPECT_TRUE(run.Line(2).flags & LineFlag::kPreformatted);
  EXPECT_TRUE(run.Line(3).flags & LineFlag::kPreformatted);
  EXPECT_FALSE(run.Line(4).flags & LineFlag::kPreformatted);
}

TEST(LineClassifierTest, CentredBlocks) {
  const std::string title(33, ' ');
  ClassifyRun run(Pass::kAnalysis);
  run.Feed(
      {"", title + "Centred Title", "", title + "Off  Centre", "text", "", "   Not centred", ""});
  EXPECT_TRUE(run.Line(2).flags & LineFlag::kCentred);
  EXPECT_FALSE(run.Line(4).flags & LineFlag::kCentred);  // 11 characters: off by 2
  EXPECT_FALSE(run.Line(7).flags & LineFlag::kCentred);  // indent 6 or less
}

TEST(LineClassifierTest, ShortLinesAndLinks) {
  ClassifyRun run(Pass::kOutput);
  run.policy.addBreakToUrlLines = 1;
  run.Feed({"short", std::string(60, 'x'),
            "see <A HREF=\"http://a.b/\">http://a.b/</A> for more about this matter"});
  EXPECT_TRUE(run.Line(1).flags & LineFlag::kShortLine);
  EXPECT_FALSE(run.Line(2).flags & LineFlag::kShortLine);
  EXPECT_TRUE(run.Line(3).flags & LineFlag::kHyperlink);
  EXPECT_TRUE(run.Line(3).flags & LineFlag::kUrlBreak);
}

TEST(LineClassifierTest, QuotedLineEmphasisIsInvertedInTheOutputPass) {
  ClassifyRun run(Pass::kOutput);
  run.Feed({"", "> an _important_ point", ""});
  EXPECT_EQ(run.Line(2).lineType, LineType::kQuoted);
  EXPECT_EQ(run.Line(2).View(), "&gt; an </em><strong>important</strong><em> point");
}

TEST(LineClassifierTest, HeadingContinuationIsAppendedOutsideTheAnalysisPass) {
  const std::vector<std::string> lines = {"", "1. Introduction to the", "   long title", "",
                                          "Text."};
  ClassifyRun analysis(Pass::kAnalysis);
  analysis.policy.expectContentsList = 0;
  analysis.Feed(lines);
  EXPECT_EQ(analysis.Types(), (std::vector<int>{1, 101, 0, 1, 0}));
  EXPECT_EQ(analysis.statistics.headingLevels[0].continuationCount, 1);

  ClassifyRun output(Pass::kOutput);
  output.SetLevels(1, 0);
  output.Feed(lines);
  EXPECT_EQ(output.Types(), (std::vector<int>{1, 101, -1, 1, 0}));
  EXPECT_EQ(output.Line(2).View(), "1. Introduction to the long title");
  EXPECT_EQ(output.Line(3).View(), "");

  ClassifyRun paragraphs(Pass::kOutput);
  paragraphs.SetLevels(1, 0);
  paragraphs.policy.headingStyles[0].numberedParagraph = 1;
  paragraphs.Feed(lines);
  EXPECT_EQ(paragraphs.Line(3).lineType, LineType::kText);
}

TEST(LineClassifierTest, ContentsListStartsAtItsTitleAndEndsAfterAGap) {
  ClassifyRun run(Pass::kAnalysis);
  std::vector<std::string> lines = {"Table of Contents", "", "1. Intro ....... 3",
                                    "2. Body ........ 5", ""};
  for (int i = 0; i < 8; ++i) lines.push_back("filler text");
  run.Feed(lines);
  EXPECT_EQ(run.Line(3).lineType, LineType::kContentsLine1);
  EXPECT_EQ(run.Line(4).lineType, LineType::kContentsLine1);
  EXPECT_EQ(run.statistics.lastContentsLine, 4);
  EXPECT_TRUE(run.policy.document.contentsListEnded);
  EXPECT_FALSE(run.policy.document.inContentsList);
}

TEST(LineClassifierTest, ContentsTitleOnlyAtTheStartOfTheText) {
  ClassifyRun run(Pass::kAnalysis);
  run.Feed({"The Contents of this file", ""});
  EXPECT_FALSE(run.policy.document.inContentsList);
  ClassifyRun indented(Pass::kAnalysis);
  indented.Feed({"     contents", ""});
  EXPECT_TRUE(indented.policy.document.inContentsList);
}

TEST(LineClassifierTest, AContentsListTheUserMarkedIsLeftToTheUser) {
  ClassifyRun run(Pass::kAnalysis);
  run.policy.document.userContentsSeen = 1;
  run.Feed({"Contents", "text"});
  EXPECT_EQ(run.statistics.contentsMarkedByUser, 1);
  EXPECT_FALSE(run.policy.document.inContentsList);
}

TEST(LineClassifierTest, TitlesFromTheFirstLineAndTheFirstHeading) {
  ClassifyRun run(Pass::kAnalysis);
  run.policy.firstLineAsTitle = 1;
  run.policy.firstHeadingAsTitle = 1;
  run.policy.expectContentsList = 0;
  run.Feed({"ab", "  A Guide  ", "", "1. Getting started", "", "2. More"});
  EXPECT_EQ(run.run.firstLineTitle.View(), "A Guide");
  EXPECT_EQ(run.run.firstHeadingTitle.View(), "Getting started");

  ClassifyRun underlined(Pass::kAnalysis);
  underlined.policy.firstHeadingAsTitle = 1;
  underlined.Feed({"", "Overview", "--------", ""});
  EXPECT_EQ(underlined.run.firstHeadingTitle.View(), "Overview");
}

TEST(LineClassifierTest, UserRegionLinesKeepTheirText) {
  ClassifyRun run(Pass::kAnalysis);
  run.readFlags = LineFlag::kUserPre | LineFlag::kPreformatted;
  run.Feed({"", "- not a bullet", "-----"});
  EXPECT_EQ(run.Types(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(run.statistics.blankLines, 0);
}

}  // namespace
