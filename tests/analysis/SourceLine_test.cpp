#include "analysis/SourceLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "analysis/DocumentStatistics.h"
#include "text/LineFile.h"

namespace {

ClassifyRun::Pass PassOf(bool outputPass) {
  return outputPass ? ClassifyRun::kOutput : ClassifyRun::kAnalysis;
}

struct PrepareCase {
  std::string raw;
  const char* text;
  const char* escaped;
  int length;
  int indent;
  int firstWordLength;
};

TEST(SourceLineTest, PrepareTextOutsideRegions) {
  const PrepareCase cases[] = {
      {"", "", "", 0, 0, 0},
      {"\r", "", "", 0, 0, 0},
      {"    ", "", "    ", 4, 4, 0},
      {"\tabc", "abc", "        abc", 11, 8, 3},
      {"  a < b  ", "a &lt; b", "  a &lt; b  ", 12, 2, 1},
      {"&lt;", "&amp;lt;", "&amp;lt;", 8, 0, 8},
      {"it\x92s", "it's", "it's", 4, 0, 4},
      {"a\x01" "b\x1B", "a b", "a b ", 4, 0, 1},
      {" H\bHi\bi there", "<B>Hi</B> there", " <B>Hi</B> there", 13, 1, 9},
      {"H\bHi\bi t\bth\bhe\be", "<B>Hi the</B>", "<B>Hi the</B>", 16, 0, 5},
      {"_\bx a\bb", "<U>x</U> a b", "<U>x</U> a b", 7, 0, 8},  // a stray backspace
      {"*word*", "*word*", "*word*", 6, 0, 6},  // emphasis waits for the output pass
      {"\xEF\xBB\xBF  x", "x", "  x", 3, 2, 1},  // a byte-order mark is no text
  };
  for (const PrepareCase& c : cases) {
    ClassifyRun pass(PassOf(false));
    SourceLine line;
    ReadLine(line, pass.policy, c.raw);
    EXPECT_EQ(line.View(), c.text) << c.raw;
    EXPECT_EQ(line.escapedText.View(), c.escaped) << c.raw;
    EXPECT_EQ(line.length, c.length) << c.raw;
    EXPECT_EQ(line.indent, c.indent) << c.raw;
    EXPECT_EQ(line.firstWordLength, c.firstWordLength) << c.raw;
  }
}

// The reader and the preparation together, on a DOS file that starts with a
// byte-order mark and holds a NUL byte and a tab.
TEST(SourceLineTest, LinesReadFromAFile) {
  const std::string name = ::testing::TempDir() + "source_line_read_test.txt";
  {
    std::ofstream out(name, std::ios::binary);
    out << "\xEF\xBB\xBF" << "Title\r\n" << std::string("x\0y", 3) << "\r\n" << "\tA & B\r\n";
  }
  ClassifyRun pass(PassOf(false));
  LineFile file;
  ASSERT_EQ(file.OpenForReading(name.c_str()), 1);
  const struct {
    const char* text;
    const char* raw;
    int indent;
  } expected[] = {{"Title", "Title", 0}, {"x y", "x y", 0}, {"A &amp; B", "        A & B", 8}};
  for (const auto& e : expected) {
    SourceLine line;
    ASSERT_EQ(file.ReadLine(line, pass.policy.tabSize, pass.policy), 1) << e.text;
    EXPECT_EQ(line.View(), e.text);
    EXPECT_EQ(line.rawText.View(), e.raw);
    EXPECT_EQ(line.indent, e.indent) << e.text;
  }
  SourceLine end;
  EXPECT_EQ(file.ReadLine(end, pass.policy.tabSize, pass.policy), 0);
  file.Close();
  std::remove(name.c_str());
}

TEST(SourceLineTest, RawTextIsTheLineAsReadLessItsCarriageReturn) {
  ClassifyRun pass(PassOf(false));
  SourceLine line;
  ReadLine(line, pass.policy, "  a < b\r");
  EXPECT_EQ(line.rawText.View(), "  a < b");
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
  for (int DocumentState::*region :
       {&DocumentState::inPre, &DocumentState::inTable, &DocumentState::inCode,
        &DocumentState::inDiagram}) {
    ClassifyRun pass(PassOf(true));
    pass.policy.document.*region = 1;
    SourceLine line;
    ReadLine(line, pass.policy, "  a<b H\bH  ");
    EXPECT_EQ(line.View(), "  a&lt;b H H  ");
    EXPECT_EQ(line.escapedText.View(), "  a&lt;b H H  ");
  }
}

TEST(SourceLineTest, Utf8DocumentsAreNotMapped) {
  ClassifyRun pass(PassOf(false));
  pass.run.utf8Text = 1;
  SourceLine line;
  const std::string raw = "caf\xC3\xA9 \xE2\x80\x92 \xD5";
  ReadLine(line, pass.policy, raw);
  EXPECT_EQ(line.View(), raw);

  pass.run.utf8Text = 0;
  SourceLine mapped;
  ReadLine(mapped, pass.policy, "\xD5quoted\xD5");
  EXPECT_EQ(mapped.View(), "'quoted'");
}

TEST(SourceLineTest, HasNoLowerCaseIgnoresEntitiesAndTags) {
  const struct {
    const char* text;
    bool noLowerCase;
  } cases[] = {
      {"CHAPTER ONE", true},
      {"A &amp; B", true},
      {"SIZE &lt; 10 &gt; 2", true},
      {"<strong>BOLD</strong> TEXT", true},
      {"NUMBER &#62;", true},
      {"Chapter", false},
      {"A &lt;b", false},   // the letter after the entity counts
      {"A & b", false},
      {"&copy CAPS", false},  // no ";": not an entity
      {"", true},
  };
  for (const auto& c : cases) {
    SourceLine line;
    line.SetText(c.text);
    EXPECT_EQ(line.HasNoLowerCase(), c.noLowerCase) << c.text;
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

TEST(SourceLineTest, ResetRestoresEveryField) {
  ClassifyRun output(PassOf(true));
  LineFile listing;
  output.policy.document.listing = &listing;
  SourceLine line;
  ReadLine(line, output.policy, "  x < y");
  line.flags = LineFlag::kCentred | LineFlag::kUserPre;
  line.lineType = LineType::kDefinition;
  line.preformatScore = 7;
  line.extraIndent = 4;
  line.sectionNumber[0] = 2;
  line.sourceLineNumber = 12;
  line.firstWordLength = 9;
  line.ReportOnLine(output.policy, "note", 1);

  line.Reset(true);
  EXPECT_EQ(line.View(), "x &lt; y");
  EXPECT_EQ(line.escapedText.View(), "  x &lt; y");
  EXPECT_NE(line.Annotation(), nullptr);
  EXPECT_EQ(line.flags, LineFlag::kOutput);
  EXPECT_EQ(line.lineType, LineType::kUnclassified);
  EXPECT_EQ(line.length, -1);
  EXPECT_EQ(line.indent, -1);
  EXPECT_EQ(line.preformatScore, 0);
  EXPECT_EQ(line.extraIndent, 0);
  EXPECT_EQ(line.sectionNumber, (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(line.sourceLineNumber, -1);
  EXPECT_EQ(line.firstWordLength, -1);
  EXPECT_EQ(line.width, 80);

  line.Reset(false);
  EXPECT_TRUE(line.IsEmpty());
  EXPECT_TRUE(line.escapedText.IsEmpty());
  EXPECT_TRUE(line.rawText.IsEmpty());
  EXPECT_EQ(line.Annotation(), nullptr);
}

TEST(SourceLineTest, ConstructionLinksAfterThePreviousLine) {
  SourceLine first;
  SourceLine second(&first);
  EXPECT_EQ(first.NextLine(), &second);
  EXPECT_EQ(second.PreviousLine(), &first);
  EXPECT_EQ(second.NextLine(), nullptr);
  EXPECT_EQ(first.PreviousLine(), nullptr);
}

// --- Emphasis ---------------------------------------------------------------

TEST(SourceLineEmphasisTest, RunsOnlyInTheOutputPassWithTheSwitchOnOutsideRegions) {
  const struct {
    bool outputPass;
    int search;
    std::uint32_t flags;
    const char* expected;
  } cases[] = {
      {true, 1, LineFlag::kOutput, "<strong>word</strong> and <b>two words</b>"},
      {false, 1, LineFlag::kOutput, "*word* and *two words*"},
      {true, 0, LineFlag::kOutput, "*word* and *two words*"},
      {true, 1, LineFlag::kUserPre | LineFlag::kPreformatted, "*word* and *two words*"},
      {true, 1, LineFlag::kUserTable | LineFlag::kPreformatted, "*word* and *two words*"},
      {true, 1, LineFlag::kUserHtml, "*word* and *two words*"},
      // In the document's own contents list only phrases are marked.
      {true, 1, LineFlag::kContentsList, "<b>word</b> and <b>two words</b>"},
  };
  for (const auto& c : cases) {
    ClassifyRun pass(PassOf(c.outputPass));
    pass.policy.searchForEmphasis = c.search;
    SourceLine line;
    line.SetText("*word* and *two words*");
    line.flags = c.flags;
    line.MarkEmphasis(pass.policy);
    EXPECT_EQ(line.View(), c.expected) << c.flags;
    EXPECT_TRUE(pass.messages.empty());
  }
}

TEST(SourceLineEmphasisTest, PhraseAcrossLines) {
  ClassifyRun pass(PassOf(true));
  SourceLine first;
  first.sourceLineNumber = 1;
  first.SetText("an *emphasised");
  SourceLine second(&first);
  second.sourceLineNumber = 2;
  second.SetText("phrase* here");
  first.MarkEmphasis(pass.policy);
  second.MarkEmphasis(pass.policy);
  EXPECT_EQ(first.View(), "an <b>emphasised");
  EXPECT_EQ(second.View(), "phrase</b> here");
  EXPECT_TRUE(pass.messages.empty());
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

TEST(SourceLineEmphasisTest, FirstLineWithAClosingMarkIsReported) {
  ClassifyRun pass(PassOf(true));
  SourceLine line;
  line.sourceLineNumber = 1;
  line.SetText("dangling_ mark");
  line.MarkEmphasis(pass.policy);
  EXPECT_EQ(line.View(), "dangling_ mark");
  EXPECT_EQ(pass.messages,
            (std::vector<std::string>{"Line 1 - Ignoring potential emphasis markup"}));
}

TEST(SourceLineClassifyTest, OpeningStepsTypeBlankAndFormFeedLines) {
  const struct {
    const char* text;
    std::uint32_t flags;
    int type;
  } cases[] = {
      {"", LineFlag::kOutput, LineType::kBlank},
      {"\f", LineFlag::kOutput, LineType::kFormFeed},
      {"", LineFlag::kUserPre | LineFlag::kPreformatted, LineType::kText},
  };
  for (const auto& c : cases) {
    ClassifyRun pass(PassOf(false));
    DocumentStatistics statistics;
    SourceLine line;
    line.sourceLineNumber = 1;
    line.SetText(c.text);
    line.flags = c.flags;
    line.Classify(pass.policy, statistics);
    EXPECT_EQ(line.lineType, c.type) << c.text;
  }
}

}  // namespace
