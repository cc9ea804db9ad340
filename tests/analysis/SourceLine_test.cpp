#include "analysis/SourceLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "support/CaseFile.h"
#include "text/LineFile.h"

namespace {

ClassifyRun::Pass PassOf(bool outputPass) {
  return outputPass ? ClassifyRun::kOutput : ClassifyRun::kAnalysis;
}

TEST(SourceLineTest, PrepareTextOutsideRegions) {
  for (const auto& row : ReadRows(WEBLOOM_TEST_DATA "/analysis/prepared_lines.txt")) {
    ASSERT_EQ(row.size(), 6u) << row[0];
    ClassifyRun pass(PassOf(false));
    SourceLine line;
    ReadLine(line, pass.policy, row[0]);
    EXPECT_EQ(line.View(), row[1]) << row[0];
    EXPECT_EQ(line.escapedText.View(), row[2]) << row[0];
    EXPECT_EQ(line.length, std::stoi(row[3])) << row[0];
    EXPECT_EQ(line.indent, std::stoi(row[4])) << row[0];
    EXPECT_EQ(line.firstWordLength, std::stoi(row[5])) << row[0];
  }
}

TEST(SourceLineTest, LengthCountsCharactersInAUtf8Document) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "length") continue;
    for (const bool utf8 : {true, false}) {
      ClassifyRun pass(ClassifyRun::kAnalysis);
      pass.run.utf8Text = utf8 ? 1 : 0;
      SourceLine line;
      ReadLine(line, pass.policy, r.at(1));
      EXPECT_EQ(line.length, std::stoi(r.at(utf8 ? 2 : 3))) << r[1] << (utf8 ? " UTF-8" : "");
    }
  }
}

TEST(SourceLineTest, HtmlRegionLinesStayAsRead) {
  ClassifyRun pass(PassOf(false));
  pass.policy.document.inHtml = 1;
  SourceLine line;
  ReadLine(line, pass.policy, "  <B>x & y</B>  ");
  EXPECT_EQ(line.View(), "  <B>x & y</B>  ");
  EXPECT_EQ(line.escapedText.View(), line.rawText.View());
  EXPECT_EQ(line.length, 16);
  EXPECT_EQ(line.indent, 2);
}

TEST(SourceLineTest, UserRegionLinesAreEscapedButNotMarkedUpOrStripped) {
  for (int DocumentState::*region : {&DocumentState::inPre, &DocumentState::inTable,
                                     &DocumentState::inCode, &DocumentState::inDiagram}) {
    ClassifyRun pass(PassOf(true));
    pass.policy.document.*region = 1;
    SourceLine line;
    ReadLine(line, pass.policy, "  a<b H\bH  ");
    EXPECT_EQ(line.View(), "  a&lt;b H H  ");
    EXPECT_EQ(line.escapedText.View(), "  a&lt;b H H  ");
    // A blank line of a region gets no first word either.
    SourceLine blank;
    ReadLine(blank, pass.policy, "");
    EXPECT_EQ(blank.firstWordLength, -1);
  }
}

TEST(SourceLineTest, HasNoLowerCaseIgnoresEntitiesAndTags) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "lowercase") continue;
    SourceLine line;
    line.SetText(r.at(1));
    EXPECT_EQ(line.HasNoLowerCase(), r.at(2) == "1") << r[1];
  }
}

TEST(SourceLineTest, GetSegmentUsesTheLineWidthRule) {
  const std::string text = "aaaa bbbb cccc dddd eeee ffff";
  SourceLine line;
  line.SetText(std::string_view(text));
  line.width = 10;
  TextString piece;
  int next = 0;

  ASSERT_TRUE(line.GetSegment(0, piece, next));
  EXPECT_EQ(piece.View(), "aaaa bbbb ");
  EXPECT_EQ(next, 10);

  line.extraIndent = 3;  // 10 + 15 + 3 = 28 columns
  ASSERT_TRUE(line.GetSegment(0, piece, next));
  EXPECT_EQ(piece.View(), "aaaa bbbb cccc dddd eeee ");
  EXPECT_EQ(next, 25);

  line.extraIndent = -4;  // not positive: no widening
  ASSERT_TRUE(line.GetSegment(0, piece, next));
  EXPECT_EQ(next, 10);

  line.flags |= LineFlag::kPreformatted;
  ASSERT_TRUE(line.GetSegment(0, piece, next));
  EXPECT_EQ(piece.View(), text);
  EXPECT_EQ(next, -1);
}

TEST(SourceLineTest, ReportOnLine) {
  LineFile listing;
  {
    ClassifyRun analysis(PassOf(false));
    analysis.policy.document.listing = &listing;
    SourceLine line;
    line.sourceLineNumber = 7;
    line.ReportOnLine(analysis.policy, "quiet", 1);
    EXPECT_TRUE(analysis.messages.empty());
    EXPECT_EQ(line.Annotation(), nullptr);
  }
  {
    ClassifyRun output(PassOf(true));
    output.policy.document.listing = &listing;
    SourceLine line;
    line.sourceLineNumber = 7;
    line.ReportOnLine(output.policy, "first", 1);
    line.ReportOnLine(output.policy, "second", 1);
    ASSERT_NE(line.Annotation(), nullptr);
    EXPECT_EQ(line.Annotation()->View(), "*** second");
    EXPECT_EQ(output.messages, (std::vector<std::string>{"Line 7 - first", "Line 7 - second"}));
  }
  {
    ClassifyRun output(PassOf(true));  // no listing: no annotation
    output.policy.document.processedLines = 3;
    SourceLine line;  // no number yet: the window's newest line
    line.ReportOnLine(output.policy, "early", 1);
    EXPECT_EQ(line.Annotation(), nullptr);
    EXPECT_EQ(output.messages, (std::vector<std::string>{"Line 42 - early"}));
  }
  {
    ClassifyRun output(PassOf(true));
    output.policy.errorLevel = 5;  // importance 1 is below the reporting level
    SourceLine line;
    line.sourceLineNumber = 1;
    line.ReportOnLine(output.policy, "hidden", 1);
    EXPECT_TRUE(output.messages.empty());
  }
}

// A reset keeping the text prepares it again and keeps the annotation; the
// analysis results go.
TEST(SourceLineTest, ResetKeepsOnlyTheTextWhenAsked) {
  ClassifyRun output(PassOf(true));
  LineFile listing;
  output.policy.document.listing = &listing;
  SourceLine line;
  ReadLine(line, output.policy, "  x < y");
  line.flags = LineFlag::kCentred | LineFlag::kUserPre;
  line.lineType = LineType::kDefinition;
  line.sectionNumber[0] = 2;
  line.ReportOnLine(output.policy, "note", 1);
  line.Reset(true);
  EXPECT_EQ(line.View(), "x &lt; y");
  EXPECT_EQ(line.escapedText.View(), "  x &lt; y");
  EXPECT_NE(line.Annotation(), nullptr);
  EXPECT_EQ(line.flags, LineFlag::kOutput);
  EXPECT_EQ(line.lineType, LineType::kUnclassified);
  EXPECT_EQ(line.sectionNumber[0], -1);
  line.Reset(false);
  EXPECT_TRUE(line.IsEmpty() && line.escapedText.IsEmpty() && line.rawText.IsEmpty());
  EXPECT_EQ(line.Annotation(), nullptr);
}

TEST(SourceLineEmphasisTest, RunsOnlyInTheOutputPassWithTheSwitchOnOutsideRegions) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "emphasis") continue;
    ClassifyRun pass(PassOf(r.at(1) == "1"));
    pass.policy.searchForEmphasis = std::stoi(r.at(2));
    SourceLine line;
    line.SetText("*word* and *two words*");
    line.flags = static_cast<std::uint32_t>(std::stoul(r.at(3)));
    line.MarkEmphasis(pass.policy);
    EXPECT_EQ(line.View(), r.at(4)) << r[3];
    EXPECT_TRUE(pass.messages.empty());
  }
}

TEST(SourceLineEmphasisTest, EarlierLinesThatEmphasisMustNotTouchEndTheSearch) {
  const struct {
    std::uint32_t previousFlags;
    std::uint32_t twoBackFlags;
  } cases[] = {
      {LineFlag::kPreformatted, LineFlag::kOutput},
      {LineFlag::kUserCode | LineFlag::kPreformatted, LineFlag::kOutput},
      {LineFlag::kUserHtml, LineFlag::kOutput},
      {LineFlag::kOutput, LineFlag::kPreformatted},  // nothing in the line before
  };
  for (const auto& c : cases) {
    ClassifyRun pass(PassOf(true));
    SourceLine twoBack;
    twoBack.SetText("*opened");
    twoBack.flags = c.twoBackFlags;
    SourceLine previous(&twoBack);
    previous.SetText(c.previousFlags == LineFlag::kOutput ? "no marks" : "*opened too");
    previous.flags = c.previousFlags;
    SourceLine line(&previous);
    line.sourceLineNumber = 9;
    line.SetText("closed* here");
    line.MarkEmphasis(pass.policy);
    EXPECT_EQ(line.View(), "closed* here");
    EXPECT_EQ(twoBack.View(), "*opened");
    EXPECT_EQ(pass.messages,
              (std::vector<std::string>{"Line 9 - Ignoring potential emphasis markup"}));
  }
}

}  // namespace
