#include <gtest/gtest.h>

#include <string>

#include "PolicyFileTestSupport.h"
#include "support/CaseFile.h"

namespace {

// The line `label : value` as the writer lays it out.
std::string Line(const std::string& label, const std::string& value) {
  return label + std::string(33 - label.size(), ' ') + ": " + value + "\n";
}

bool Holds(const std::string& file, const std::string& text) {
  return file.find(text) != std::string::npos;
}

TEST(PolicyFileWriterTest, FreshRecordInAllModeMatchesTheExpectedFile) {
  TempDir dir;
  FC policy;
  const std::string expected = ReadAll(WEBLOOM_TEST_DATA "/policy/fresh_all.pol");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(WrittenPolicy(policy, dir, true), expected);
}

TEST(PolicyFileWriterTest, ChangedOnlyModeWritesGivenPoliciesAndTheirGroups) {
  TempDir dir;
  FC policy;
  EXPECT_EQ(WrittenPolicy(policy, dir, false), "");

  policy.SetGiven(Policy::PageWidth);
  EXPECT_EQ(WrittenPolicy(policy, dir, false), "\n" + Line("Page width", "80 "));

  FC hanging;
  hanging.SetGiven(Policy::HangingPositions);
  EXPECT_EQ(WrittenPolicy(hanging, dir, false),
            "[General Analysis]\n\n" + Line("Hanging paragraph position(s)", ""));

  // Some flags name a section or a group without a line of their own, and
  // some lines stand under another policy's flag.
  FC shared;
  shared.SetGiven(Policy::InputDirectory);
  shared.SetGiven(Policy::SecondWordHeadings);
  shared.SetGiven(Policy::LargestHeading);
  shared.SetGiven(Policy::DosFilenameRoot);
  shared.tableDefaults.SetGiven(TableConfig::Field::Caption);
  EXPECT_EQ(WrittenPolicy(shared, dir, false),
            "\n\n[File generation]\n\n\n" + Line("Use DOS filenames", "No") +
                Line("DOS filename root", "(none)") + "\n\n[Style]\n\n" +
                Line("Smallest allowed <Hn> tag", "5") + Line("Largest allowed <Hn> tag", "2") +
                "\n\n[Table generation]\n\n" + Line("Default TABLE caption", "(none)"));

  FC split;
  split.SetGiven(Policy::SplitLevel);
  split.SetGiven(Policy::HeadingStyles);
  split.headingLevelCount = 1;
  const std::string file = WrittenPolicy(split, dir, false);
  EXPECT_TRUE(Holds(file, Line("Split level", "(none)")));
  EXPECT_FALSE(Holds(file, "Add navigation bar"));
  EXPECT_TRUE(Holds(file, Line("Expect Second Word Headings", "No") +
                              "\nWe have 1  recognised headings\n"
                              "    Heading level 0 = \"\" N at indent -1\n"
                              "    Contents level 0 = \"\" N at indent -1\n"));
}

TEST(PolicyFileWriterTest, ValueForms) {
  TempDir dir;
  FC p;
  p.indentPositionsUsed = 1;
  p.indentCount = 3;
  p.indentPositions = {0, 4, 8, 12, -1, -1};
  p.hangingPositionsUsed = 0;
  p.dashDefinitions = 0;
  p.colonStrong = 1;
  p.leftJustified = 0;
  p.newParagraphOffset = 0;
  p.shortLineLength = 60;
  p.dashBullets = 0;
  p.otherBulletCount = 2;
  p.otherBullets[0] = '*';
  p.otherBullets[1] = '+';
  p.headingLevelCount = 2;
  p.headingStyles[1].indent = 4;
  p.usenetGroups.AppendWords(TextString("uk de"), ' ');
  p.splitKnown = 1;
  p.splitLevel = 2;
  p.addNavigationBar = 1;
  p.errorLevel = -1;
  p.tableDefaults.headerRows = -1;
  p.tableDefaults.minColumnSeparation = 0;
  p.tableDefaults.borderSize = -3;
  p.documentTitle.SetText("A title");
  // Empty and unknown values, fewer positions than the table holds, extra
  // bullet characters, justification to one side.
  EXPECT_EQ(WrittenPolicy(p, dir, true), ReadAll(WEBLOOM_TEST_DATA "/policy/value_forms.pol"));

  FC none;
  none.dashDefinitions = none.colonDefinitions = 0;
  none.dashBullets = none.circleBullets = 0;
  none.leftJustified = none.rightJustified = 0;
  const std::string noneFile = WrittenPolicy(none, dir, true);
  for (const char* label : {"Definition Char", "Bullet Char", "Text Justification"}) {
    EXPECT_TRUE(Holds(noneFile, Line(label, "(none)"))) << label;
  }
}

TEST(PolicyFileWriterTest, CountsBeyondTheFixedTablesAreCut) {
  TempDir dir;
  FC p;
  p.indentPositionsUsed = 1;
  p.indentCount = 40;
  p.hangingCount = -3;
  p.otherBulletCount = 12;
  p.otherBullets.fill('*');
  p.headingLevelCount = 9;
  const std::string file = WrittenPolicy(p, dir, true);
  EXPECT_TRUE(Holds(file, Line("Indent position(s)", "0 -1 -1 -1 -1 -1 ")));
  EXPECT_TRUE(Holds(file, Line("Hanging paragraph position(s)", "")));
  size_t bullets = 0;
  for (size_t at = file.find("'*'"); at != std::string::npos; at = file.find("'*'", at + 1)) {
    ++bullets;
  }
  EXPECT_EQ(bullets, 7U);
  EXPECT_TRUE(Holds(file, "    Heading level 5 = "));
  EXPECT_FALSE(Holds(file, "    Heading level 6 = "));
  EXPECT_TRUE(Holds(file, "    Contents level 5 = "));
}

TEST(PolicyFileWriterTest, LinkDefinitionsAreWrittenInBothModes) {
  TempDir dir;
  FC policy;
  policy.AddLinkDefinition("policy file", "policy files", "policy.htm");
  const std::string definition =
      "Link definition: \"policy file\" = \"policy files\" + \"policy.htm\"\n";
  EXPECT_EQ(WrittenPolicy(policy, dir, false), definition);
  const std::string all = WrittenPolicy(policy, dir, true);
  EXPECT_EQ(all.substr(all.size() - definition.size() - 1), "\n" + definition);
}

TEST(PolicyFileWriterTest, AFileNotOpenReportsFailure) {
  FC policy;
  LineFile closed;
  EXPECT_EQ(policy.WritePolicyFile(closed, true), 0);
}

TEST(PolicyFileWriterTest, PolicyFileNames) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/policy/policy_rows.txt")) {
    if (r[0] != "name") continue;
    FC policy;
    policy.outputDirectory.SetText(r.at(2));
    ASSERT_EQ(policy.GetPolicyFileName(r.at(1).c_str()), 1);
    EXPECT_EQ(Str(policy.policyFileOutName), r.at(3)) << r[1];
  }
  FC named;
  named.policyFileName.SetText("chosen.pol");
  ASSERT_EQ(named.GetPolicyFileName("docs/man.txt"), 1);
  EXPECT_EQ(Str(named.policyFileOutName), "chosen.pol");
}

}  // namespace
