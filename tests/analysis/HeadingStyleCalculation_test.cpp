#include "analysis/HeadingStyleCalculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalculationSupport.h"

namespace {

using HeadingStyleTest = CalculationTest;

TEST_F(HeadingStyleTest, ContentsExpected) {
  struct Row {
    int h0, c0, h1, c1, chapterThree, marked;
    int expected;
  };
  const Row rows[] = {
      {5, 5, 0, 0, -1, 0, 1},  // 5 > 4 and 5 > 5 - 2
      {8, 5, 0, 0, -1, 0, 0},  // 5 is not above 8 - 2
      {8, 5, 0, 0, 2, 0, 1},   // chapter 3 twice after a blank line: 4 will do
      {3, 4, 0, 0, -1, 0, 0},  // 4 is not above 4
      {3, 4, 0, 0, 2, 0, 1},   {20, 6, 1, 4, -1, 0, 1},  // 10 lines at levels with headings
      {0, 12, 0, 0, -1, 0, 0},  // contents lines of a level without headings
      {0, 0, 0, 0, -1, 1, 1},   // marked by the user
  };
  for (const Row& row : rows) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    AddTimes(s.headingLevels[0].indents, 0, row.h0);
    AddTimes(s.contentsLevels[0].indents, 2, row.c0);
    AddTimes(s.headingLevels[1].indents, 0, row.h1);
    AddTimes(s.contentsLevels[1].indents, 4, row.c1);
    s.levelZeroSections[2] = row.chapterThree;
    s.contentsMarkedByUser = row.marked;
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.expectContentsList, row.expected) << row.h0 << " headings, " << row.c0;
  }
}

TEST_F(HeadingStyleTest, HeadingKinds) {
  struct Row {
    int underlined, capitalised, chapters, chapterContents, numbered;
    int expectUnderlined, expectCapitalised, expectNumbered;
  };
  const Row rows[] = {
      {0, 0, 0, 0, 0, 0, 0, 1},   {8, 0, 0, 0, 0, 1, 0, 0}, {2, 7, 3, 0, 3, 0, 1, 0},
      {6, 6, 8, 4, 12, 0, 0, 1},   // 12 numbered at their indents: not fewer
      {12, 6, 8, 2, 10, 1, 0, 1},  // many underlined: no capitals; 10 numbered
      {12, 6, 8, 2, 1, 1, 0, 0},   // fewer than 2 numbered headings counted
  };
  for (const Row& row : rows) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    s.underlinedHeadings = row.underlined;
    s.capitalisedHeadings = row.capitalised;
    s.numberedHeadings = row.numbered;
    AddTimes(s.headingLevels[0].indents, 0, row.chapters);
    AddTimes(s.headingLevels[0].indents, 9, 1);  // not at the usual indent
    AddTimes(s.contentsLevels[0].indents, 3, row.chapterContents);
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.underlinedHeadings, row.expectUnderlined) << row.underlined;
    EXPECT_EQ(record.capitalisedHeadings, row.expectCapitalised) << row.capitalised;
    EXPECT_EQ(record.numberedHeadings, row.expectNumbered) << row.numbered;
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
  struct Row {
    int headings, secondWord, contents, contentsSecondWord;
    int expected, contentsPrefix;
  };
  const Row rows[] = {
      {10, 7, 0, 0, 1, 0},  // 1.05 of 10 headings
      {10, 6, 0, 0, 0, 0},  // 0.9 is not enough for 10
      {6, 4, 0, 0, 1, 0},   // 1.0 of fewer headings, 4 of them
      {5, 3, 0, 0, 0, 0},   // 0.9, but only 3
      {0, 0, 6, 4, 0, 1},   // contents lines alone
      {0, 0, 8, 5, 0, 0},   // 0.94 of contents lines
  };
  for (const Row& row : rows) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    DocumentStatistics::LevelCounts& level = s.headingLevels[1];
    AddTimes(level.indents, 2, row.headings);
    level.secondWordCount = row.secondWord;
    for (int i = 0; i < 4 * row.secondWord; ++i) level.secondWordFirstChars.Add('S', "Section");
    DocumentStatistics::LevelCounts& contents = s.contentsLevels[1];
    AddTimes(contents.indents, 2, row.contents);
    contents.secondWordCount = row.contentsSecondWord;
    contents.secondWordFirstChars.Add('P', "Part");
    contents.secondWordFirstChars.Add('C', "Chapter");
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.secondWordHeadings, row.expected) << row.secondWord << "/" << row.headings;
    EXPECT_EQ(record.headingStyles[1].hasPrefix, row.expected);
    EXPECT_EQ(record.headingStyles[1].prefixWord.View(), row.expected ? "Section" : "");
    EXPECT_EQ(record.contentsStyles[1].hasPrefix, row.contentsPrefix);
    // The first entry in the histogram's order, ascending by character.
    EXPECT_EQ(record.contentsStyles[1].prefixWord.View(), row.contentsPrefix ? "Chapter" : "");
  }
}

TEST_F(HeadingStyleTest, NumberedParagraphs) {
  struct Row {
    int level, headings, contents, continuations;
    int expected;
  };
  const Row rows[] = {
      {1, 11, 0, 6, 1},                      // more than half run on
      {1, 11, 0, 5, 0},  {1, 10, 0, 10, 0},  // too few to tell
      {0, 20, 0, 20, 0},                     // chapters never
      {3, 12, 0, 7, 1},  {2, 0, 11, 6, 1},   // contents lines of a list not expected
  };
  for (const Row& row : rows) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    AddTimes(s.headingLevels[row.level].indents, 0, row.headings);
    s.headingLevels[row.level].continuationCount = row.headings > 0 ? row.continuations : 0;
    AddTimes(s.contentsLevels[row.level].indents, 0, row.contents);
    s.contentsLevels[row.level].continuationCount = row.contents > 0 ? row.continuations : 0;
    CalculateHeadingStyles(record, s);
    EXPECT_EQ(record.headingStyles[row.level].numberedParagraph, row.expected)
        << "level " << row.level << ", " << row.continuations << " continuations";
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
