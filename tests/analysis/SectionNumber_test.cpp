#include "analysis/SectionNumber.h"

#include <gtest/gtest.h>

#include <limits>

#include "analysis/ClassifySupport.h"
#include "analysis/DocumentStatistics.h"
#include "policy/FC.h"

namespace {

struct ParseCase {
  const char* word;
  int lastChapter;  // lastNumber[0] before the word is read
  int valid;
  int level;
  SectionComponents number;
};

TEST(SectionNumberTest, ParseSectionNumber) {
  constexpr int kBig = std::numeric_limits<int>::max();
  const ParseCase cases[] = {
      {"1", -1, 1, 0, Section({1})},
      {"1.", -1, 1, 0, Section({1})},
      {"1.0", -1, 1, 0, Section({1})},
      {"3.00", -1, 1, 0, Section({3})},
      {"2.0", 2, 1, 1, Section({2, 0})},  // the first section of chapter 2
      {"2.0", 3, 1, 0, Section({2})},
      {"2.", 2, 1, 0, Section({2})},  // a trailing separator always goes
      {"10", -1, 1, 0, Section({10})},
      {"2.3.1", -1, 1, 2, Section({2, 3, 1})},
      {"007.2", -1, 1, 1, Section({7, 2})},
      {"12-3", -1, 1, 1, Section({12, 3})},
      {"3)", -1, 1, 0, Section({3})},
      {"1a", -1, 1, 0, Section({1})},  // the letter is decoration
      {"1x2", -1, 1, 0, Section({})},
      {"1.2.3.4.5.6", -1, 1, 5, Section({1, 2, 3, 4, 5, 6})},
      {"99999999999.1", -1, 1, 1, Section({kBig, 1})},
      {"1..2", -1, 0, 0, Section({})},
      {"1.2.3.4.5.6.7", -1, 0, 0, Section({})},
      {"a.1", -1, 0, 0, Section({})},
      {"", -1, 0, 0, Section({})},
  };
  for (const ParseCase& c : cases) {
    FC policy;
    DocumentStatistics statistics;
    statistics.lastNumber[0] = c.lastChapter;
    TextString word(c.word);
    const char separator = StripNumberDecoration(policy, nullptr, word);
    SectionComponents number{};
    int level = -1;
    EXPECT_EQ(ParseSectionNumber(policy, statistics, word, separator, number, level), c.valid)
        << c.word;
    if (c.valid) {
      EXPECT_EQ(level, c.level) << c.word;
      EXPECT_EQ(number, c.number) << c.word;
    }
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
  const struct {
    const char* word;
    const char* stripped;
    char separator;
  } cases[] = {
      {"(3)", "3", '.'},    {"[2.1]", "2.1", '.'},     {"&lt;4&gt;", "4", '.'},
      {"*5*", "5", '.'},    {"3.1a", "3.1", '.'},      {"1-2", "1-2", '-'},
      {"{7}.", "7}.", '.'}, {"Introduction", "", '.'},
  };
  for (const auto& c : cases) {
    FC policy;
    TextString word(c.word);
    EXPECT_EQ(StripNumberDecoration(policy, nullptr, word), c.separator) << c.word;
    EXPECT_EQ(word.View(), c.stripped) << c.word;
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
  const struct {
    const char* word;
    const char* stripped;
  } cases[] = {{"[4]", "4"}, {"(4)", "(4)"}, {"&lt;4&gt;", "4"}, {"4a", "4a"}};
  for (const auto& c : cases) {
    TextString word(c.word);
    StripNumberDecoration(policy, nullptr, word);
    EXPECT_EQ(word.View(), c.stripped) << c.word;
  }
  policy.headingStyles[0].letterSuffix = 1;
  TextString word("4a]");
  StripNumberDecoration(policy, nullptr, word);
  EXPECT_EQ(word.View(), "4");
}

TEST(SectionNumberTest, NumberAndLastNumbers) {
  DocumentStatistics statistics;
  statistics.lastNumber = Section({2, 3});
  EXPECT_EQ(FormatNumberAndLast(Section({2, 5}), 1, statistics).View(), "\"2.5\" in 2.3");
  EXPECT_EQ(FormatNumberAndLast(Section({2, 3, 1}), 2, statistics).View(), "\"2.3.1\" in 2.3");
  statistics.lastNumber = Section({});
  EXPECT_EQ(FormatNumberAndLast(Section({4}), 0, statistics).View(), "\"4\" in ");
}

}  // namespace
