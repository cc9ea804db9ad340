#include "driver/FileNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SplitFileName, Splits) {
  const struct {
    const char* full;
    const char* dir;
    const char* root;
    const char* ext;
  } cases[] = {
      {"docs/guide.txt", "docs/", "guide", ".txt"},
      {"readme", "", "readme", ""},
      {"/guide.txt", "/", "guide", ".txt"},
      {"a/b.c/d", "a/b.c/", "d", ""},
      {"archive.tar.gz", "", "archive.tar", ".gz"},
      {"notes/.plan", "notes/", ".plan", ""},
      {".plan.txt", "", ".plan", ".txt"},
      {"c:\\docs\\guide.txt", "", "c:\\docs\\guide", ".txt"},
      {"my file.txt", "", "my file", ".txt"},
      {"dir/", "dir/", "", ""},
  };
  for (const auto& c : cases) {
    TextString dir("x"), root("x"), ext("x");
    SplitFileName(TextString(c.full), dir, root, ext);
    EXPECT_EQ(dir.View(), c.dir) << c.full;
    EXPECT_EQ(root.View(), c.root) << c.full;
    EXPECT_EQ(ext.View(), c.ext) << c.full;
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
