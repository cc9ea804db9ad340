#include "driver/StatisticsReport.h"

#include <gtest/gtest.h>

#include <string>

#include "DriverTestDir.h"
#include "analysis/DocumentStatistics.h"
#include "driver/Passes.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/TextString.h"

namespace {

// The analysis pass over a small document, and its report. The expected
// report (tests/data/driver/stats.stats) was checked by hand, count by
// count, against the document: an underlined title, chapters and sections,
// a first line indented against its paragraph, dash bullets, two
// definitions and three lines of code.
TEST(StatisticsReportTest, ReportOfASmallDocument) {
  DriverTestDir dir;
  RunContext run;
  FC policy;
  policy.SetOwner(&run);
  policy.messageSink = [](const char*) {};
  DocumentStatistics statistics;
  ASSERT_EQ(AnalysisPass(policy, statistics, TextString(WEBLOOM_TEST_DATA "/driver/stats.txt"),
                         TextString(), nullptr),
            1);
  ASSERT_EQ(WriteStatisticsFile(TextString(dir / "stats.stats"), statistics, nullptr, policy), 1);
  EXPECT_EQ(dir.Read("stats.stats"), ReadWholeFile(WEBLOOM_TEST_DATA "/driver/stats.stats"));
  // Listing the bullet characters by frequency leaves the statistics as they were.
  EXPECT_FALSE(statistics.bulletChars.InFrequencyOrder());
  EXPECT_EQ(WriteStatisticsFile(TextString(), statistics, nullptr, policy), 0);
}

}  // namespace
