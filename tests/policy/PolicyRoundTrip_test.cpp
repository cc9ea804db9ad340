#include <gtest/gtest.h>

#include <string>

#include "PolicyFileTestSupport.h"
#include "support/CaseFile.h"

namespace {

using Field = TableConfig::Field;

// Every value the writer shows is compared through the file written back;
// the values a line shows only in part are compared directly.
void ExpectSamePolicies(const FC& read, const FC& source, const TempDir& dir) {
  EXPECT_EQ(WrittenPolicy(read, dir, true), WrittenPolicy(source, dir, true));
  EXPECT_EQ(read.indentPositions, source.indentPositions);
  EXPECT_EQ(read.hangingPositions, source.hangingPositions);
  EXPECT_EQ(read.otherBulletCount, source.otherBulletCount);
  EXPECT_EQ(read.dashBullets + read.circleBullets, source.dashBullets + source.circleBullets);
  EXPECT_EQ(read.addNavigationBar, source.addNavigationBar);
  for (int i = 0; i < 2; ++i) {
    ExpectSameStyle(read.headingStyles[static_cast<size_t>(i)],
                    source.headingStyles[static_cast<size_t>(i)]);
    ExpectSameStyle(read.contentsStyles[static_cast<size_t>(i)],
                    source.contentsStyles[static_cast<size_t>(i)]);
  }
}

TEST(PolicyRoundTripTest, AllModeRestoresEveryValue) {
  TempDir dir;
  FC source;
  FillEverySection(source);
  EXPECT_EQ(WrittenPolicy(source, dir, true),
            ReadAll(WEBLOOM_TEST_DATA "/policy/every_section.pol"));
  RecordingFC read;
  // The only line the reader refuses is the table caption's.
  EXPECT_EQ(ReadPolicyText(read, dir, WrittenPolicy(source, dir, true)), 0);
  ASSERT_EQ(read.messages.size(), 1U);
  EXPECT_EQ(read.messages[0],
            "Policy file: Ignoring policy line \\Default TABLE caption            : (none)\\");
  ExpectSamePolicies(read, source, dir);
  EXPECT_EQ(read.indentPositionsUsed, 1);
}

TEST(PolicyRoundTripTest, ChangedOnlyModeRestoresTheGivenPolicies) {
  TempDir dir;
  FC source;
  FillEverySection(source);
  for (int i = 0; i < kPolicyCount; ++i) source.SetGiven(static_cast<Policy>(i));
  for (int i = 0; i < TableConfig::kFieldCount; ++i) {
    source.tableDefaults.SetGiven(static_cast<Field>(i));
  }
  // With every flag set, changed-only mode writes every line.
  EXPECT_EQ(WrittenPolicy(source, dir, false), WrittenPolicy(source, dir, true));
  RecordingFC read;
  ReadPolicyText(read, dir, WrittenPolicy(source, dir, false));
  ExpectSamePolicies(read, source, dir);

  // With a few flags, only those come back, and come back given.
  FC some;
  FillEverySection(some);
  for (Policy given : {Policy::PageWidth, Policy::HeadingStyles, Policy::BulletChars,
                       Policy::DirectoryTitle, Policy::SplitKnown, Policy::SplitLevel}) {
    some.SetGiven(given);
  }
  some.tableDefaults.ClearGiven();
  some.tableDefaults.SetGiven(Field::BorderSize);
  FC partial;
  EXPECT_EQ(ReadPolicyText(partial, dir, WrittenPolicy(some, dir, false)), 1);
  EXPECT_EQ(WrittenPolicy(partial, dir, false), WrittenPolicy(some, dir, false));
  EXPECT_EQ(partial.pageWidth, 72);
  EXPECT_EQ(Str(partial.directoryTitle), "All files");
  EXPECT_EQ(partial.dashBullets, 0);
  EXPECT_EQ(partial.tableDefaults.borderSize, 1);
  EXPECT_EQ(partial.splitLevel, 2);
  ExpectSameStyle(partial.headingStyles[1], some.headingStyles[1]);
  EXPECT_EQ(partial.tabSize, 8);
  EXPECT_EQ(partial.tableDefaults.cellSpacing, 2);
  EXPECT_TRUE(partial.documentTitle.IsEmpty());
  EXPECT_EQ(partial.linkDefinitions.size(), 2U);
}

// What the format cannot carry, pinned so that a change is noticed.
TEST(PolicyRoundTripTest, KnownExceptions) {
  TempDir dir;
  FC source;
  source.tableDefaults.caption.SetText("Table 1");
  source.otherBulletCount = 1;
  source.otherBullets[0] = '*';
  source.colonDefinitions = 0;
  source.tableDefaults.headerRows = 0;
  source.tableDefaults.minColumnSeparation = 0;
  source.linkDictionaryFile.SetText(
      dir.Write("links.pol", "Link definition: \"m\" = \"l\" + \"u\"\n"));
  RecordingFC read;
  EXPECT_EQ(ReadPolicyText(read, dir, WrittenPolicy(source, dir, true)), 0);

  // No keyword reads the caption.
  EXPECT_TRUE(read.tableDefaults.caption.IsEmpty());
  ASSERT_EQ(read.messages.size(), 1U);
  EXPECT_EQ(read.messages[0],
            "Policy file: Ignoring policy line \\Default TABLE caption            : Table 1\\");
  // The file's bullet list replaces the record's: its '-' and 'o' lines
  // become further bullet characters like any other.
  EXPECT_EQ(read.dashBullets + read.circleBullets, 0);
  EXPECT_EQ(read.otherBulletCount, 3);
  EXPECT_EQ(std::string(read.otherBullets.data(), 3), "-o*");
  // So does its list of definition characters: a dash-only list turns the
  // colon off.
  EXPECT_EQ(read.colonDefinitions, 0);
  // A zero written as "(none)" reads back as the unset -1.
  EXPECT_EQ(read.tableDefaults.headerRows, -1);
  EXPECT_EQ(read.tableDefaults.minColumnSeparation, -1);
  // The dictionary file's line opens the file instead of naming it.
  EXPECT_TRUE(read.linkDictionaryFile.IsEmpty());
  ASSERT_EQ(read.linkDefinitions.size(), 1U);
  EXPECT_EQ(Str(read.linkDefinitions[0].matchText), "m");
}

TEST(PolicyRoundTripTest, ReadingAFileTwiceDoesNotDoubleLinks) {
  TempDir dir;
  FC source;
  FillEverySection(source);
  const std::string path = dir.Write("twice.pol", WrittenPolicy(source, dir, false));
  FC read;
  ReadPolicyPath(read, path);
  ReadPolicyPath(read, path);
  EXPECT_EQ(read.linkDefinitions.size(), 2U);
}

TEST(PolicyRoundTripTest, GivenFilesWriteBackAsRead) {
  TempDir dir;
  for (const FileCase& c : ReadCaseFile(WEBLOOM_TEST_DATA "/policy/policy_files.txt")) {
    std::string text;
    for (const std::string& line : c.policies) text += line + "\n";
    FC first;
    EXPECT_EQ(ReadPolicyText(first, dir, text), 1) << c.name;
    const std::string written = WrittenPolicy(first, dir, false);
    EXPECT_EQ(written, c.expected) << c.name;
    FC second;
    EXPECT_EQ(ReadPolicyText(second, dir, written), 1) << c.name;
    EXPECT_EQ(WrittenPolicy(second, dir, false), written) << c.name;
  }
}

}  // namespace
