#include "analysis/HeadingStyleCalculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalculationSupport.h"

namespace {

using HeadingStyleTest = CalculationTest;

TEST_F(HeadingStyleTest, ContentsExpected) {
  for (const auto& row : NumberRows("contents")) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    AddTimes(s.headingLevels[0].indents, 0, row.at(0));
    AddTimes(s.contentsLevels[0].indents, 2, row.at(1));
    AddTimes(s.headingLevels[1].indents, 0, row.at(2));
    AddTimes(s.contentsLevels[1].indents, 4, row.at(3));
    s.levelZeroSections[2] = row.at(4);
    s.contentsMarkedByUser = row.at(5);
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.expectContentsList, row.at(6)) << row[0] << " headings, " << row[1];
  }
}

TEST_F(HeadingStyleTest, HeadingKinds) {
  for (const auto& row : NumberRows("kinds")) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    s.underlinedHeadings = row.at(0);
    s.capitalisedHeadings = row.at(1);
    s.numberedHeadings = row.at(4);
    AddTimes(s.headingLevels[0].indents, 0, row.at(2));
    AddTimes(s.headingLevels[0].indents, 9, 1);  // not at the usual indent
    AddTimes(s.contentsLevels[0].indents, 3, row.at(3));
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.underlinedHeadings, row.at(5)) << row[0];
    EXPECT_EQ(record.capitalisedHeadings, row.at(6)) << row[1];
    EXPECT_EQ(record.numberedHeadings, row.at(7)) << row[4];
  }
}

TEST_F(HeadingStyleTest, LevelIndentsAndNumbers) {
  AddTimes(statistics.headingLevels[0].indents, 0, 2);
  AddTimes(statistics.contentsLevels[0].indents, 0, 1);  // 2 + 1 lines will do at level 0
  AddTimes(statistics.headingLevels[1].indents, 4, 2);   // twice 2 will do below
  AddTimes(statistics.headingLevels[2].indents, 8, 1);   // twice 1 will not
  AddTimes(statistics.contentsLevels[2].indents, 6, 3);  // no contents list: the heading's
  statistics.minNumber[1] = 1;
  statistics.maxNumber[1] = 7;
  CalculateHeadingStyles(policy, statistics);
  ASSERT_EQ(policy.expectContentsList, 0);
  const int indents[] = {0, 4, 6, -1};
  for (int level = 0; level < 4; ++level) {
    EXPECT_EQ(policy.headingStyles[level].indent, indents[level]) << "level " << level;
    EXPECT_EQ(policy.contentsStyles[level].indent, -1) << "level " << level;
  }
  EXPECT_EQ(policy.headingLevelCount, 3);
  EXPECT_EQ(policy.headingStyles[1].largestNumber, 7);
  EXPECT_EQ(policy.headingStyles[1].smallestNumber, 1);
  EXPECT_EQ(policy.contentsStyles[1].largestNumber, 7);
  EXPECT_EQ(policy.contentsStyles[1].smallestNumber, 1);
  EXPECT_TRUE(messages.empty());

  FC withContents;
  Collect(withContents);
  DocumentStatistics s;
  AddTimes(s.headingLevels[0].indents, 0, 5);
  AddTimes(s.contentsLevels[0].indents, 2, 5);
  CalculateHeadingStyles(withContents, s);
  ASSERT_EQ(withContents.expectContentsList, 1);
  EXPECT_EQ(withContents.headingStyles[0].indent, 0);
  EXPECT_EQ(withContents.contentsStyles[0].indent, 2);
  EXPECT_EQ(withContents.headingLevelCount, 1);
}

TEST_F(HeadingStyleTest, IndentOrderAndAmbiguity) {
  struct Row {
    int chapterAlternative;  // second indent of chapters (-1: none)
    int chapterContents;     // indent of a chapter contents line (-1: none)
    int secondWordChapters;
    int sectionIndent;
    int subsectionIndent;
    int chapterIndent;  // expected afterwards
    std::vector<std::string> messages;
  };
  const Row rows[] = {
      {0, -1, 0, 2, 4, 0, {"Policy calculation: Rejecting header level [0] value = 4"}},
      {-1, 1, 0, 2, 4, 1, {"Policy calculation: Rejecting header level [0] value = 4"}},
      // RFC 791: the other chapter indent is deeper than the sections too,
      // so chapters stand with their sections.
      {6, -1, 0, 2, 4, 2, {"Policy calculation: Rejecting header level [0] value = 4"}},
      {-1, -1, 0, 2, 4, 4, {"Policy Calculation: *** Ambiguity detected for header level 1"}},
      {-1, -1, 2, 2, 4, 4, {}},  // "Chapter 3" headings may stand anywhere
      {-1, -1, 0, 6, 3, 4, {"Policy Calculation: *** Ambiguity detected for header level 2"}},
  };
  for (const Row& row : rows) {
    FC record;
    messages.clear();
    Collect(record);
    DocumentStatistics s;
    AddTimes(s.headingLevels[0].indents, 4, 5);
    if (row.chapterAlternative >= 0)
      AddTimes(s.headingLevels[0].indents, row.chapterAlternative, 2);
    if (row.chapterContents >= 0) AddTimes(s.contentsLevels[0].indents, row.chapterContents, 1);
    s.headingLevels[0].secondWordCount = row.secondWordChapters;
    AddTimes(s.headingLevels[1].indents, row.sectionIndent, 4);
    AddTimes(s.headingLevels[2].indents, row.subsectionIndent, 4);
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.headingStyles[0].indent, row.chapterIndent);
    EXPECT_EQ(messages, row.messages);
  }
}

TEST_F(HeadingStyleTest, TrailingLevelsWithoutIndentsAreDropped) {
  policy.headingLevelCount = 4;
  AddTimes(statistics.headingLevels[0].indents, 0, 5);
  CalculateHeadingStyles(policy, statistics);
  EXPECT_EQ(policy.headingLevelCount, 1);
}

TEST_F(HeadingStyleTest, SecondWordHeadings) {
  for (const auto& row : NumberRows("secondword")) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    DocumentStatistics::LevelCounts& level = s.headingLevels[1];
    AddTimes(level.indents, 2, row.at(0));
    level.secondWordCount = row.at(1);
    for (int i = 0; i < 4 * row[1]; ++i) level.secondWordFirstChars.Add('S', "Section");
    DocumentStatistics::LevelCounts& contents = s.contentsLevels[1];
    AddTimes(contents.indents, 2, row.at(2));
    contents.secondWordCount = row.at(3);
    contents.secondWordFirstChars.Add('P', "Part");
    contents.secondWordFirstChars.Add('C', "Chapter");
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.secondWordHeadings, row.at(4)) << row[1] << "/" << row[0];
    EXPECT_EQ(record.headingStyles[1].hasPrefix, row[4]);
    EXPECT_EQ(record.headingStyles[1].prefixWord.View(), row[4] ? "Section" : "");
    EXPECT_EQ(record.contentsStyles[1].hasPrefix, row.at(5));
    // The first entry in the histogram's order, ascending by character.
    EXPECT_EQ(record.contentsStyles[1].prefixWord.View(), row[5] ? "Chapter" : "");
  }
}

TEST_F(HeadingStyleTest, NumberedParagraphs) {
  for (const auto& row : NumberRows("paragraphs")) {
    const std::size_t level = static_cast<std::size_t>(row.at(0));
    FC record;
    Collect(record);
    DocumentStatistics s;
    AddTimes(s.headingLevels[level].indents, 0, row.at(1));
    s.headingLevels[level].continuationCount = row[1] > 0 ? row.at(3) : 0;
    AddTimes(s.contentsLevels[level].indents, 0, row.at(2));
    s.contentsLevels[level].continuationCount = row[2] > 0 ? row[3] : 0;
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.headingStyles[level].numberedParagraph, row.at(4))
        << "level " << level << ", " << row[3] << " continuations";
  }
}

TEST_F(HeadingStyleTest, DecorationAndLetterSuffix) {
  AddTimes(statistics.headingLevels[0].indents, 0, 6);
  AddTimes(statistics.preHeaderChars, '(', 3);  // 9 > 6
  AddTimes(statistics.preHeaderChars, '[', 2);  // 6 is not above 6
  AddTimes(statistics.postHeaderChars, ')', 4);
  AddTimes(statistics.postHeaderChars, '}', 3);  // ranks 3 and 4: only two ranks count
  AddTimes(statistics.postHeaderChars, ']', 3);
  AddTimes(statistics.postHeaderChars, '>', 3);  // rank 2: ties go to the smaller code
  statistics.alphabeticsAfterHeadings = 1;       // 10 > 6
  policy.headingStyles[5].beforeNumber.SetText("x");
  CalculateHeadingStyles(policy, statistics);
  for (const auto* styles : {&policy.headingStyles, &policy.contentsStyles}) {
    for (const HeadingStyle& style : *styles) {
      EXPECT_EQ(style.beforeNumber.View(), "(");
      EXPECT_EQ(style.afterNumber.View(), ")>");
      EXPECT_EQ(style.letterSuffix, 1);
    }
  }

  FC plain;
  Collect(plain);
  DocumentStatistics s;
  AddTimes(s.headingLevels[0].indents, 0, 10);
  s.alphabeticsAfterHeadings = 1;  // 10 is not above 10
  CalculateHeadingStyles(plain, s);
  EXPECT_EQ(plain.headingStyles[0].letterSuffix, 0);
}

}  // namespace
