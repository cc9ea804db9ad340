#include "analysis/LineClassifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"

namespace {

using Pass = ClassifyRun::Pass;

struct TypeCase {
  const char* what;
  std::vector<std::string> lines;
  std::vector<int> types;
  std::function<void(FC&)> setup = nullptr;
  Pass pass = Pass::kAnalysis;
};

std::ostream& operator<<(std::ostream& out, const TypeCase& c) {
  return out << c.what;
}

// Each case is a short document; the types are those of its lines once every
// line has been classified, so a later line that changes an earlier one
// shows in the earlier line's type.
const TypeCase kTypeCases[] = {
    {"blank and form feed", {"text", "", "\f", "more"}, {0, 1, 2, 0}},
    {"dashes under a line of the same length make an underlined heading",
     {"", "Introduction", "------------", "", "Body."},
     {1, 113, -2, 1, 0}},
    {"equals signs give underline level 1", {"", "Summary", "=======", ""}, {1, 112, -2, 1}},
    {"asterisks give level 0, dots level 3",
     {"", "Alpha", "*****", "", "Gamma", "....."},
     {1, 111, -2, 1, 114, -2}},
    {"an underline 10 characters longer is a rule",
     {"", "Intro", "---------------", ""},
     {1, 0, 4, 1}},
    {"a rule of spaced dashes is no bullet", {"", "- - - - - -", ""}, {1, 4, 1}},
    {"dots mixed with other rule characters are no rule", {"", "Text", "-.-.-.", ""}, {1, 0, 0, 1}},
    {"a short dotted line is no rule", {"", "abc", "....", ""}, {1, 0, 0, 1}},
    {"a rule above an underlined heading belongs to it",
     {"", "=====", "Title", "=====", ""},
     {1, -2, 112, -2, 1}},
    {"equals signs under a numbered heading are its underline",
     {"", "1. Introduction", "===============", ""},
     {1, 101, -2, 1},
     [](FC& p) { p.expectContentsList = 0; }},
    {"the first number of a document starts a contents list when one is expected",
     {"", "1. Introduction", "===============", ""},
     {1, 151, -2, 1}},
    {"dash bullet, continuation, blank inside the list",
     {"", "- first item", "  continues here", "", "- second"},
     {1, 210, 216, 217, 210}},
    {"a line aligned with the item's text after a bullet blank line",
     {"", "- item one text", "", "  aligned again", ""},
     {1, 210, 217, 216, 217}},
    {"numbered, alphabetic and roman bullets; blank lines inside the list",
     {"", "1) one", "", "(b) two", "", "iv. four", "", "IV) four", "", "C] three"},
     {1, 211, 217, 212, 217, 213, 217, 215, 217, 214},
     [](FC& p) { p.numberedHeadings = 0; }},
    {"in the analysis pass a number is tried as a heading first", {"", "1) one", ""}, {1, 151, 1}},
    {"a three-digit number is no bullet", {"", "(123) text", ""}, {1, 0, 1}},
    {"iv. without roman bullets is no bullet",
     {"", "iv. four", "", "v) five"},
     {1, 0, 1, 212},
     [](FC& p) { p.romanBullets = 0; }},
    {"a lone bullet character becomes a bullet when the next line shows it",
     {"", "*  item text", "   more text", ""},
     {1, 210, 216, 217}},
    {"a hanging paragraph is found from its second line",
     {"", "Term  The text of it", "      goes on here", "      and here", ""},
     {1, 160, 161, 161, 1}},
    {"a dash definition and a colon definition",
     {"", "Term - the meaning", "", "Name: a value", ""},
     {1, 230, 1, 230, 1}},
    {"a separator late in the line makes no definition",
     {"", "This is a rather long sentence in which - late - a dash", ""},
     {1, 0, 1}},
    {"quoted lines", {"", "> quoted text", "> more", "", "!bang", ""}, {1, 235, 235, 1, 235, 1}},
    {"an arrow or a tag is no quotation mark", {"", "a -> b", "", "<b> bold", ""}, {1, 0, 1, 0, 1}},
    {"one quoted-looking line inside a paragraph is text",
     {"", "para line one", "> not a quote", "para line three", ""},
     {1, 0, 0, 0, 1}},
    {"capitals after a blank line are a heading in the output pass",
     {"", "GENERAL RULES", "text"},
     {1, 120, 0},
     nullptr,
     Pass::kOutput},
    {"the analysis pass only counts capitalised headings",
     {"", "GENERAL RULES", "text"},
     {1, 0, 0}},
    {"a short line after a long one ends the paragraph",
     {"a long line of text that is more than two thirds of the width", "short", "next one"},
     {0, 0, 3},
     [](FC& p) { p.expectBlankLines = 0; }},
    {"an indented first line opens a new paragraph",
     {"", "   Indented first line of a paragraph", "following at the margin", ""},
     {1, 3, 0, 1},
     [](FC& p) { p.newParagraphOffset = 3; }},
    {"the hanging column of the policy",
     {"", "Word        text at the hanging column", ""},
     {1, 160, 1},
     [](FC& p) {
       p.hangingCount = 1;
       p.hangingPositions[0] = 12;
     }},
};

class ClassifyTypes : public testing::TestWithParam<TypeCase> {};

TEST_P(ClassifyTypes, LineTypes) {
  const TypeCase& c = GetParam();
  ClassifyRun run(c.pass);
  if (c.setup) c.setup(run.policy);
  run.Feed(c.lines);
  EXPECT_EQ(run.Types(), c.types);
}

INSTANTIATE_TEST_SUITE_P(Documents, ClassifyTypes, testing::ValuesIn(kTypeCases));

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
  ClassifyRun run(Pass::kAnalysis);
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
