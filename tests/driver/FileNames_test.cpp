#include "driver/FileNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase {
  const char* full;
  const char* dir;
  const char* root;
  const char* ext;
};

class SplitFileNameTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitFileNameTest, Splits) {
  const SplitCase& c = GetParam();
  TextString dir("x"), root("x"), ext("x");
  SplitFileName(TextString(c.full), dir, root, ext);
  EXPECT_EQ(dir.View(), c.dir) << c.full;
  EXPECT_EQ(root.View(), c.root) << c.full;
  EXPECT_EQ(ext.View(), c.ext) << c.full;
}

INSTANTIATE_TEST_SUITE_P(
    Names, SplitFileNameTest,
    testing::Values(SplitCase{"docs/guide.txt", "docs/", "guide", ".txt"},
                    SplitCase{"readme", "", "readme", ""},
                    SplitCase{"/guide.txt", "/", "guide", ".txt"},
                    SplitCase{"a/b.c/d", "a/b.c/", "d", ""},
                    SplitCase{"archive.tar.gz", "", "archive.tar", ".gz"},
                    SplitCase{"notes/.plan", "notes/", ".plan", ""},
                    SplitCase{".plan.txt", "", ".plan", ".txt"},
                    SplitCase{"c:\\docs\\guide.txt", "", "c:\\docs\\guide", ".txt"},
                    SplitCase{"my file.txt", "", "my file", ".txt"},
                    SplitCase{"dir/", "dir/", "", ""}));

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
  EXPECT_EQ(names.listing.View(), "guide.lis");
  EXPECT_EQ(names.analysisListing.View(), "guide.ls1");
  EXPECT_EQ(names.statistics.View(), "guide.sts");
}

}  // namespace
