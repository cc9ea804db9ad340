#include "analysis/SectionNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "analysis/ClassifySupport.h"
#include "analysis/DocumentStatistics.h"
#include "policy/FC.h"
#include "support/CaseFile.h"

namespace {

TEST(SectionNumberTest, ParseSectionNumber) {
  for (const auto& row : ReadRows(WEBLOOM_TEST_DATA "/analysis/section_numbers.txt")) {
    ASSERT_EQ(row.size(), 5u) << row[0];
    FC policy;
    DocumentStatistics statistics;
    statistics.lastNumber[0] = std::stoi(row[1]);
    TextString word(row[0]);
    const char separator = StripNumberDecoration(policy, nullptr, word);
    SectionComponents number{};
    int level = -1;
    EXPECT_EQ(ParseSectionNumber(policy, statistics, word, separator, number, level),
              std::stoi(row[2]))
        << row[0];
    if (row[2] == "0") continue;
    EXPECT_EQ(level, std::stoi(row[3])) << row[0];
    std::string components;
    for (int part : number) {
      if (part < 0) break;
      components += (components.empty() ? "" : ".") +
                    (part == std::numeric_limits<int>::max() ? "B" : std::to_string(part));
    }
    EXPECT_EQ(components, row[4]) << row[0];
  }
}

TEST(SectionNumberTest, NumberedHeadingsOffMeansNoNumbers) {
  FC policy;
  policy.numberedHeadings = 0;
  DocumentStatistics statistics;
  SectionComponents number{};
  int level = 0;
  EXPECT_EQ(ParseSectionNumber(policy, statistics, TextString("2.1"), '.', number, level), 0);
}

TEST(SectionNumberTest, ADroppedZeroLevelGetsSmallestNumberZero) {
  FC policy;
  DocumentStatistics statistics;
  statistics.minNumber[2] = 4;
  SectionComponents number{};
  int level = 0;
  ASSERT_EQ(ParseSectionNumber(policy, statistics, TextString("3.0"), '.', number, level), 1);
  EXPECT_EQ(statistics.minNumber[1], 0);
  ASSERT_EQ(ParseSectionNumber(policy, statistics, TextString("3.1.0"), '.', number, level), 1);
  EXPECT_EQ(statistics.minNumber[2], 4);  // already set: kept
}

TEST(SectionNumberTest, AnalysisPassStripsAndCountsDecoration) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "strip") continue;
    FC policy;
    TextString word(r.at(1));
    EXPECT_EQ(StripNumberDecoration(policy, nullptr, word), r.at(3)[0]) << r[1];
    EXPECT_EQ(word.View(), r.at(2)) << r[1];
  }

  FC policy;
  DocumentStatistics statistics;
  TextString word("(&lt;12b)");
  StripNumberDecoration(policy, &statistics, word);
  EXPECT_EQ(word.View(), "12");
  EXPECT_EQ(statistics.preHeaderChars.Frequency('('), 1);
  EXPECT_EQ(statistics.preHeaderChars.Frequency('<'), 1);
  EXPECT_EQ(statistics.postHeaderChars.Frequency(')'), 1);
  EXPECT_EQ(statistics.postHeaderChars.Frequency('b'), 1);
  EXPECT_EQ(statistics.alphabeticsAfterHeadings, 1);
}

TEST(SectionNumberTest, LaterPassesStripOnlyTheStyleDecoration) {
  FC policy;
  policy.analysisPass = 0;
  policy.outputPass = 1;
  policy.headingStyles[0].beforeNumber.SetText("[");
  policy.headingStyles[0].afterNumber.SetText("]");
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "laterstrip") continue;
    TextString word(r.at(1));
    StripNumberDecoration(policy, nullptr, word);
    EXPECT_EQ(word.View(), r.at(2)) << r[1];
  }
  policy.headingStyles[0].letterSuffix = 1;
  TextString word("4a]");
  StripNumberDecoration(policy, nullptr, word);
  EXPECT_EQ(word.View(), "4");
}

}  // namespace
