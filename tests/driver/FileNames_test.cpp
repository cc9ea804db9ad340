#include "driver/FileNames.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseFile.h"

namespace {

TEST(SplitFileName, Splits) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/driver/driver_cases.txt")) {
    if (r[0] != "split") continue;
    TextString dir("x"), root("x"), ext("x");
    SplitFileName(TextString(r.at(1)), dir, root, ext);
    EXPECT_EQ(dir.View(), r.at(2)) << r[1];
    EXPECT_EQ(root.View(), r.at(3)) << r[1];
    EXPECT_EQ(ext.View(), r.at(4)) << r[1];
  }
}

TEST(OutputBaseName, InAscGivesOut) {
  EXPECT_EQ(OutputBaseName(TextString("in.asc"), TextString("in")).View(), "out");
  EXPECT_EQ(OutputBaseName(TextString("IN.ASC"), TextString("IN")).View(), "out");
  EXPECT_EQ(OutputBaseName(TextString("docs/in.asc"), TextString("in")).View(), "in");
  EXPECT_EQ(OutputBaseName(TextString("in.asc2"), TextString("in")).View(), "in");
  EXPECT_EQ(OutputBaseName(TextString("guide.txt"), TextString("guide")).View(), "guide");
}

TEST(MakeDiagnosticsNames, FollowDebugAndDos) {
  ConsoleSwitches switches;
  DiagnosticsNames names = MakeDiagnosticsNames(TextString("guide"), switches);
  EXPECT_TRUE(names.listing.IsEmpty());
  EXPECT_TRUE(names.analysisListing.IsEmpty());
  EXPECT_TRUE(names.statistics.IsEmpty());

  switches.debug = 1;
  names = MakeDiagnosticsNames(TextString("guide"), switches);
  EXPECT_EQ(names.listing.View(), "guide.lis");
  EXPECT_EQ(names.analysisListing.View(), "guide.lis1");
  EXPECT_EQ(names.statistics.View(), "guide.stats");

  switches.dos = 1;
  names = MakeDiagnosticsNames(TextString("guide"), switches);
  EXPECT_EQ(names.analysisListing.View(), "guide.ls1");
  EXPECT_EQ(names.statistics.View(), "guide.sts");
}

}  // namespace
