#include "analysis/Histogram.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "support/CaseFile.h"

namespace {

// Adds each (value, times) pair in order.
Histogram Make(const std::vector<std::pair<int, int>>& counts) {
  Histogram h;
  for (const auto& [value, times] : counts) {
    for (int i = 0; i < times; ++i) h.Add(value);
  }
  return h;
}

std::vector<int> Values(const Histogram& h) {
  std::vector<int> values;
  for (const Histogram::Entry& e : h.Entries()) values.push_back(e.value);
  return values;
}

TEST(HistogramTest, RanksPutEntriesInFrequencyOrderWithTiesInValueOrder) {
  Histogram h = Make({{8, 2}, {3, 2}, {5, 4}, {1, 1}});
  EXPECT_EQ(Values(h), (std::vector<int>{1, 3, 5, 8}));
  ASSERT_NE(h.EntryAtRank(1), nullptr);
  EXPECT_EQ(h.EntryAtRank(1)->value, 5);
  EXPECT_EQ(h.EntryAtRank(2)->value, 3);  // ties: the smaller value first
  EXPECT_EQ(h.EntryAtRank(3)->value, 8);
  EXPECT_EQ(h.EntryAtRank(4)->value, 1);
  EXPECT_EQ(h.EntryAtRank(0), nullptr);
  EXPECT_EQ(h.EntryAtRank(5), nullptr);
  EXPECT_TRUE(h.InFrequencyOrder());

  // A new value is appended while in frequency order; a known one counts on.
  h.Add(0);
  h.Add(8);
  EXPECT_EQ(Values(h), (std::vector<int>{5, 3, 8, 1, 0}));
  EXPECT_EQ(h.Frequency(8), 3);
  EXPECT_EQ(h.Total(), 11);
  EXPECT_EQ(h.Sum(), 5 * 4 + 3 * 2 + 8 * 3 + 1);
  EXPECT_EQ(h.Smallest(), 0);
  EXPECT_EQ(h.Largest(), 8);
}

TEST(HistogramTest, CumulativeFrequencyByRank) {
  Histogram h = Make({{2, 1}, {4, 6}, {6, 3}});
  const std::pair<int, std::int64_t> rows[] = {{0, 0}, {1, 6}, {2, 9}, {3, 10}, {7, 10}};
  for (const auto& [rank, expected] : rows) {
    EXPECT_EQ(h.CumulativeFrequency(rank), expected) << "rank " << rank;
  }
  Histogram empty;
  EXPECT_EQ(empty.CumulativeFrequency(1), 0);
  EXPECT_EQ(empty.EntryAtRank(1), nullptr);
}

TEST(HistogramTest, PercentileInterpolatesBetweenRunningShares) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "percentile") continue;
    Histogram h;
    std::istringstream counts(r.at(1));
    int value = 0, times = 0;
    for (char x; counts >> value >> x >> times;) {
      for (int i = 0; i < times; ++i) h.Add(value);
    }
    EXPECT_EQ(h.Percentile(std::stoi(r.at(2))), std::stoi(r.at(3))) << r[1] << " at " << r[2];
  }
}

TEST(HistogramTest, PercentileWalksInValueOrderAfterRanks) {
  Histogram h = Make({{40, 1}, {70, 9}});
  EXPECT_EQ(h.EntryAtRank(1)->value, 70);
  EXPECT_EQ(h.Percentile(5), 40);
  EXPECT_FALSE(h.InFrequencyOrder());
  EXPECT_EQ(Values(h), (std::vector<int>{40, 70}));
}

TEST(HistogramTest, LabelOfTheFirstAddition) {
  Histogram h;
  h.Add('C', "Chapter");
  h.Add('C', "Section");
  h.Add('A');
  ASSERT_EQ(h.Entries().size(), 2u);
  EXPECT_EQ(h.Entries()[1].label.View(), "Chapter");
  EXPECT_TRUE(h.Entries()[0].label.IsEmpty());
}

// Small values and others (negative, 256 and above) are counted alike, in
// value order and in frequency order, also after a copy.
TEST(HistogramTest, CountsEveryRangeOfValuesInEitherOrder) {
  Histogram h = Make({{300, 2}, {-3, 1}, {5, 3}, {255, 1}, {256, 2}, {0, 1}});
  EXPECT_EQ(Values(h), (std::vector<int>{-3, 0, 5, 255, 256, 300}));
  ASSERT_NE(h.EntryAtRank(1), nullptr);
  EXPECT_EQ(h.EntryAtRank(1)->value, 5);
  Histogram copy = h;
  for (Histogram* g : {&h, &copy}) {
    for (int value : {300, 300, 7, -3, 5, 1000, 0}) g->Add(value);
    EXPECT_EQ(Values(*g), (std::vector<int>{5, 256, 300, -3, 0, 255, 7, 1000}));
    const std::vector<std::pair<int, int>> expected = {
        {5, 4}, {300, 4}, {-3, 2}, {256, 2}, {0, 2}, {255, 1}, {7, 1}, {1000, 1}, {4, 0}};
    for (const auto& [value, frequency] : expected) {
      EXPECT_EQ(g->Frequency(value), frequency) << value;
    }
    EXPECT_EQ(g->Total(), 17);
  }
}

}  // namespace
