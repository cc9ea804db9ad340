#include "analysis/PolicyCalculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalculationSupport.h"

namespace {

using PolicyCalculationTest = CalculationTest;

std::vector<int> Positions(const PositionList& positions, int count) {
  return std::vector<int>(positions.begin(), positions.begin() + count);
}

TEST_F(PolicyCalculationTest, SimpleFile) {
  for (const auto& row : NumberRows("simple")) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    const int headings = row.at(0) + row.at(1) + row.at(2) + row.at(3);
    AddTimes(s.headingLevels[0].indents, 0, row[0]);
    AddTimes(s.headingLevels[1].indents, 0, row[1]);
    AddTimes(s.headingLevels[2].indents, 0, row[2]);
    AddTimes(s.contentsLevels[0].indents, 0, row[3]);
    AddTimes(s.lineLengths, 60, row.at(4) - headings);
    AddTimes(s.lineLengths, 20, headings);
    messages.clear();
    CalculatePolicies(record, s);
    EXPECT_EQ(record.keepItSimple, row.at(5)) << row[0] << row[1] << row[2] << row[3];
    const std::vector<std::string> simple = {
        "*** Treating as \"simple\" file.  Ignoring any numbered headings, definitions etc. ***"};
    EXPECT_EQ(messages, row[5] ? simple : std::vector<std::string>{});
    // A simple file gets no heading levels.
    if (row[5]) {
      EXPECT_EQ(record.headingLevelCount, 0);
    }
  }
}

TEST_F(PolicyCalculationTest, PageWidthAndJustification) {
  struct Row {
    std::vector<std::pair<int, int>> lengths;
    int pageWidth;
    int right;
  };
  const Row rows[] = {
      {{{72, 100}}, 73, 1},
      {{{60, 50}, {72, 50}}, 72, 1},  // 99th percentile 71.76
      {{{40, 100}}, 80, 0},           // too narrow, and 40 is no justified length
      {{{48, 10}, {70, 20}, {71, 22}, {72, 24}, {10, 3}}, 72, 0},  // 24 of 79: no third
      {{}, 80, 0},
  };
  for (const Row& row : rows) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    for (const auto& [length, times] : row.lengths) AddTimes(s.lineLengths, length, times);
    CalculatePolicies(record, s);
    EXPECT_EQ(record.pageWidth, row.pageWidth);
    EXPECT_EQ(record.leftJustified, 1);
    EXPECT_EQ(record.rightJustified, row.right) << "page width " << row.pageWidth;
  }
}

TEST_F(PolicyCalculationTest, IndentPositions) {
  struct Row {
    std::vector<std::pair<int, int>> indents;
    std::vector<int> positions;
    std::vector<std::string> messages;
  };
  const Row rows[] = {
      {{{0, 50}, {5, 50}}, {0, 5}, {}},
      {{{8, 100}}, {0, 8}, {}},
      {{{0, 50}, {5, 30}, {6, 20}}, {0, 5}, {"Policy calculation: Rejecting indent of 6"}},
      {{{0, 50}, {5, 40}, {20, 10}}, {0, 5}, {"Policy calculation: Rejecting indent of 20"}},
      {{{0, 96}, {4, 2}, {8, 2}}, {0, 4}, {}},                               // two ranks cover 98%
      {{{0, 30}, {4, 25}, {8, 20}, {16, 15}, {24, 10}}, {0, 4, 8, 16}, {}},  // four ranks at most
      {{}, {}, {}},
  };
  for (const Row& row : rows) {
    FC record;
    messages.clear();
    Collect(record);
    DocumentStatistics s;
    for (const auto& [indent, times] : row.indents) AddTimes(s.indents, indent, times);
    AddTimes(s.lineLengths, 60, 200);
    CalculatePolicies(record, s);
    EXPECT_EQ(Positions(record.indentPositions, record.indentCount), row.positions);
    EXPECT_EQ(record.indentPositionsUsed, row.positions.empty() ? 0 : 1);
    EXPECT_EQ(messages, row.messages);
  }
}

TEST_F(PolicyCalculationTest, AddPositionRefusals) {
  PositionList list{};
  int count = 0;
  EXPECT_EQ(AddPosition(policy, 6, list, count, Margin::kIncluded), 1);
  EXPECT_EQ(Positions(list, count), (std::vector<int>{0, 6}));
  EXPECT_EQ(AddPosition(policy, 5, list, count, Margin::kIncluded), 0);  // the column above is 6
  EXPECT_EQ(AddPosition(policy, 6, list, count, Margin::kIncluded), 1);  // already there
  EXPECT_EQ(AddPosition(policy, -2, list, count, Margin::kIncluded), 0);
  EXPECT_EQ(AddPosition(policy, 3, list, count, Margin::kIncluded), 1);
  EXPECT_EQ(AddPosition(policy, 17, list, count, Margin::kIncluded), 1);  // 11 beyond 6
  EXPECT_EQ(AddPosition(policy, 26, list, count, Margin::kIncluded), 1);
  EXPECT_EQ(AddPosition(policy, 36, list, count, Margin::kIncluded), 1);
  EXPECT_EQ(Positions(list, count), (std::vector<int>{0, 3, 6, 17, 26, 36}));
  EXPECT_EQ(AddPosition(policy, 10, list, count, Margin::kIncluded), 0);  // full
  EXPECT_EQ(messages, (std::vector<std::string>{"Policy calculation: Rejecting indent of 5"}));
}

TEST_F(PolicyCalculationTest, BulletCharactersAndKinds) {
  AddTimes(statistics.bulletChars, '(', 10);
  AddTimes(statistics.bulletChars, '-', 10);
  AddTimes(statistics.bulletChars, '*', 5);
  AddTimes(statistics.bulletChars, '#', 3);
  statistics.numberedBullets = 3;
  statistics.alphabeticBullets = 2;
  statistics.romanBullets = 5;
  AddTimes(statistics.lineLengths, 60, 200);
  CalculatePolicies(policy, statistics);
  EXPECT_EQ(policy.otherBulletCount, 2);
  EXPECT_EQ(std::string(policy.otherBullets.data(), 2), "-*");
  EXPECT_EQ(policy.otherBulletsUsed, 1);
  EXPECT_EQ(policy.dashBullets, 0);
  EXPECT_EQ(policy.circleBullets, 0);
  EXPECT_EQ(messages, (std::vector<std::string>{"   *** Ignoring \"bullet\" : '(' ***"}));
  EXPECT_EQ(policy.numberedBullets, 1);
  EXPECT_EQ(policy.alphabeticBullets, 0);
  EXPECT_EQ(policy.romanBullets, 1);
  EXPECT_EQ(policy.bulletsExpected, 1);
}

TEST_F(PolicyCalculationTest, AtMostSixBulletCharactersFromSixRanks) {
  for (char c : std::string("abcdefgh")) AddTimes(statistics.bulletChars, c, 4);
  CalculatePolicies(policy, statistics);
  EXPECT_EQ(policy.otherBulletCount, 6);
  EXPECT_EQ(std::string(policy.otherBullets.data(), 6), "abcdef");

  FC none;
  Collect(none);
  DocumentStatistics empty;
  CalculatePolicies(none, empty);
  EXPECT_EQ(none.otherBulletCount, -1);
  EXPECT_EQ(none.otherBulletsUsed, 0);
  EXPECT_EQ(none.bulletsExpected, 0);  // no kind of bullet at all
}

TEST_F(PolicyCalculationTest, DefinitionCharacters) {
  for (const auto& row : NumberRows("definitions")) {
    FC record;
    Collect(record);
    DocumentStatistics s;
    s.dashUses = s.colonUses = row.at(0);
    s.dashDefinitions = s.colonDefinitions = row.at(1);
    CalculatePolicies(record, s);
    EXPECT_EQ(record.dashDefinitions, row.at(2)) << row[1] << "/" << row[0];
    EXPECT_EQ(record.dashStrong, row.at(3)) << row[1] << "/" << row[0];
    EXPECT_EQ(record.colonDefinitions, row[2]);
    EXPECT_EQ(record.colonStrong, row[3]);
  }
}

TEST_F(PolicyCalculationTest, ParagraphOffsetBlankLinesCodeAndSplit) {
  struct Row {
    int paragraphs, blanks, code, split;
    int offset, expectBlank, expectCode, splitKnown;
  };
  const Row rows[] = {
      {5, 8, 5, -1, 3, 1, 0, 0},  // 30*5 >= 150; 20*8 >= 150; 30*5 not above 150
      {4, 7, 6, 2, -1, 0, 1, 1},  // 120 < 150; 140 < 150; 180 > 150
  };
  for (const Row& row : rows) {
    FC record;
    messages.clear();
    Collect(record);
    record.splitLevel = row.split;
    DocumentStatistics s;
    AddTimes(s.lineLengths, 60, 150);
    AddTimes(s.paragraphIndents, 3, row.paragraphs);
    s.blankLines = row.blanks;
    s.codeLines = row.code;
    CalculatePolicies(record, s);
    EXPECT_EQ(record.newParagraphOffset, row.offset);
    EXPECT_EQ(record.expectBlankLines, row.expectBlank);
    EXPECT_EQ(record.expectCodeSamples, row.expectCode);
    EXPECT_EQ(record.splitKnown, row.splitKnown);
    EXPECT_EQ(record.addNavigationBar, row.splitKnown);
    EXPECT_EQ(messages, row.expectCode
                            ? std::vector<std::string>{"   *** Detected \"C\" code samples ***"}
                            : std::vector<std::string>{});
  }
}

TEST_F(PolicyCalculationTest, HangingPositions) {
  statistics.hangingParagraphs = 15;
  AddTimes(statistics.hangingIndents, 3, 6);  // too near the margin
  AddTimes(statistics.hangingIndents, 8, 5);
  AddTimes(statistics.hangingIndents, 12, 4);
  AddTimes(statistics.lineLengths, 60, 200);
  CalculatePolicies(policy, statistics);
  // The text column of a hanging paragraph is never the margin.
  EXPECT_EQ(Positions(policy.hangingPositions, policy.hangingCount), (std::vector<int>{8, 12}));
  EXPECT_EQ(policy.hangingPositionsUsed, 1);

  FC few;
  Collect(few);
  DocumentStatistics s;
  s.hangingParagraphs = 4;
  AddTimes(s.hangingIndents, 8, 4);
  CalculatePolicies(few, s);
  EXPECT_EQ(few.hangingCount, 0);
  EXPECT_EQ(few.hangingPositionsUsed, 0);

  FC rare;
  Collect(rare);
  s.hangingParagraphs = 6;
  AddTimes(s.hangingIndents, 10, 2);  // 8 is seen 4 times, 10 only twice
  CalculatePolicies(rare, s);
  EXPECT_EQ(Positions(rare.hangingPositions, rare.hangingCount), (std::vector<int>{8}));

  // A definition column far from the margin, as in most RFCs.
  FC far;
  Collect(far);
  DocumentStatistics t;
  t.hangingParagraphs = 40;
  AddTimes(t.hangingIndents, 16, 34);
  AddTimes(t.hangingIndents, 20, 6);
  CalculatePolicies(far, t);
  EXPECT_EQ(Positions(far.hangingPositions, far.hangingCount), (std::vector<int>{16, 20}));
}

// The driver calculates the output record and then the contents record from
// the same statistics, which the first calculation has put in rank order.
TEST_F(PolicyCalculationTest, SecondCalculationFromTheSameStatisticsAgrees) {
  AddTimes(statistics.lineLengths, 40, 30);
  AddTimes(statistics.lineLengths, 72, 60);
  AddTimes(statistics.lineLengths, 65, 60);
  AddTimes(statistics.indents, 8, 20);  // ties decide the order of ranks
  AddTimes(statistics.indents, 4, 20);
  AddTimes(statistics.indents, 0, 100);
  AddTimes(statistics.headingLevels[0].indents, 2, 5);
  AddTimes(statistics.headingLevels[0].indents, 0, 5);
  AddTimes(statistics.headingLevels[1].indents, 1, 6);
  AddTimes(statistics.preHeaderChars, '[', 4);
  AddTimes(statistics.preHeaderChars, '(', 4);
  AddTimes(statistics.bulletChars, '*', 5);
  AddTimes(statistics.bulletChars, '+', 5);
  FC second;
  Collect(second);
  CalculatePolicies(policy, statistics);
  CalculatePolicies(second, statistics);
  EXPECT_EQ(second.pageWidth, policy.pageWidth);
  EXPECT_EQ(second.rightJustified, policy.rightJustified);
  EXPECT_EQ(Positions(second.indentPositions, second.indentCount),
            Positions(policy.indentPositions, policy.indentCount));
  EXPECT_EQ(second.headingStyles[0].indent, policy.headingStyles[0].indent);
  EXPECT_EQ(second.headingStyles[0].beforeNumber.View(),
            policy.headingStyles[0].beforeNumber.View());
  EXPECT_EQ(second.otherBullets, policy.otherBullets);
  EXPECT_EQ(Positions(policy.indentPositions, policy.indentCount), (std::vector<int>{0, 4, 8}));
  EXPECT_EQ(policy.headingStyles[0].indent, 0);
  EXPECT_EQ(policy.headingStyles[0].beforeNumber.View(), "([");
}

}  // namespace
