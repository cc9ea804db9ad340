#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PolicyFileTestSupport.h"
#include "policy/PolicyKeywords.h"
#include "support/CaseFile.h"

namespace {

int Parse(FC& policy, const char* line, bool warnRepeated = false) {
  return policy.ParsePolicyLine(TextString(line), warnRepeated);
}

TEST(PolicyFileReaderTest, LinesOfTheDataFile) {
  TempDir dir;
  for (const FileCase& c : ReadCaseFile(WEBLOOM_TEST_DATA "/policy/policy_lines.txt")) {
    FC policy;
    for (const std::string& line : c.policies) {
      const bool refused = line[0] == '!';
      TextString text(line);
      if (refused) text.Substring(2, text.Length() - 2);
      EXPECT_EQ(policy.ParsePolicyLine(text, false), refused ? 0 : 1) << c.name << ": " << line;
    }
    EXPECT_EQ(WrittenPolicy(policy, dir, false), c.expected) << c.name;
  }
}

// What the written file cannot tell apart: level 0 and none, a known split.
TEST(PolicyFileReaderTest, SplitLevelDecidesWhetherTheSplitIsKnown) {
  const struct {
    const char* line;
    int level, known;
  } cases[] = {
      {"Split Level : 2", 2, 1}, {"Split Level : 0", 0, 0}, {"Split Level : (none)", -1, 0}};
  for (const auto& c : cases) {
    FC policy;
    ASSERT_EQ(Parse(policy, c.line), 1);
    EXPECT_EQ(policy.splitLevel, c.level) << c.line;
    EXPECT_EQ(policy.splitKnown, c.known) << c.line;
  }
}

TEST(PolicyFileReaderTest, LinesThatAreNotPolicies) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/policy/policy_rows.txt")) {
    if (r[0] != "accepted") continue;
    FC policy;
    EXPECT_EQ(Parse(policy, r.at(1).c_str()), std::stoi(r.at(2))) << '"' << r[1] << '"';
    EXPECT_FALSE(policy.AnyGiven()) << r[1];
  }
}

TEST(PolicyFileReaderTest, MalformedLinesAreRefusedOrHarmless) {
  const struct {
    std::string line;
    int accepted;
  } cases[] = {
      {"Heading level 5 = \"", 0},
      {"Contents level 3 =", 0},
      {"Heading level 99999999999 = \"\" N at indent 0", 1},
      {"Bullet Char : '", 0},
      {"Link definition: \"\"\"\"\"\"\"\"", 1},
      {"Link definition:" + std::string(1000, '"'), 1},
      {"Indent position(s) : " + std::string(1000, '9'), 1},
      {"Split level : 99999999999", 1},
  };
  for (const auto& c : cases) {
    FC policy;
    EXPECT_EQ(Parse(policy, c.line.c_str()), c.accepted) << c.line;
    EXPECT_EQ(policy.indentCount, c.accepted && c.line[0] == 'I' ? 0 : 1) << c.line;
    EXPECT_LE(policy.linkDefinitions.size(), 1U);
  }
}

TEST(PolicyFileReaderTest, RepeatedPolicyInOneFile) {
  TempDir dir;
  RecordingFC policy;
  policy.errorLevel = 0;  // file messages are shown at every level
  EXPECT_EQ(ReadPolicyText(policy, dir, "Tab size : 6\nTab size : 4\nPage width : 70\n"), 0);
  EXPECT_EQ(policy.tabSize, 6);
  EXPECT_EQ(policy.pageWidth, 70);
  ASSERT_EQ(policy.messages.size(), 2U);
  EXPECT_EQ(policy.messages[0], "Policy file: Ignoring repeated policy \\Tab Size\\");
  EXPECT_EQ(policy.messages[1], "Policy file: Ignoring policy line \\Tab size : 4\\");

  // Without repeat warnings (a preprocessor command) the line simply applies.
  EXPECT_EQ(Parse(policy, "Tab size : 4"), 1);
  EXPECT_EQ(policy.tabSize, 4);
}

TEST(PolicyFileReaderTest, ReadsAWholeFileThenNormalises) {
  TempDir dir;
  RecordingFC policy;
  const std::string text =
      "# sample\n[General Analysis]\n\n-----------\nTab size\t: 1\r\n"
      "Include document section(s) : intro  usage\n"
      "Include document section(s) : notes\n"
      "Page width : wide\n\tKeep it simple : yes\n";
  EXPECT_EQ(ReadPolicyText(policy, dir, text), 0);
  EXPECT_EQ(policy.tabSize, 4);  // Normalise ran
  EXPECT_EQ(Str(policy.includedSections.Join(",")), "intro,usage,notes");
  EXPECT_TRUE(policy.IsGiven(Policy::IncludedSections));
  EXPECT_EQ(policy.keepItSimple, 1);  // a tab before the keyword is only blanks
  ASSERT_EQ(policy.messages.size(), 1U);
  EXPECT_EQ(policy.messages[0], "Policy file: Ignoring policy line \\Page width : wide\\");

  ASSERT_EQ(ReadPolicyText(policy, dir, "Include document section(s) : (none)\n"), 1);
  EXPECT_TRUE(policy.includedSections.IsEmpty());
}

TEST(PolicyFileReaderTest, IncludedFilesAreFoundBesideTheirPolicyFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.Root() / "sub");
  dir.Write("sub/inner.pol", "Page width : 66\nLink Dictionary File : links.pol\n");
  dir.Write("sub/links.pol", "Link definition: \"a\" = \"b\" + \"c.htm\"\n");
  RecordingFC policy;
  const std::string outer =
      "include file : sub/inner.pol\nTab size : 6\n"
      "include file : missing.pol\ninclude file : sub\ninclude file : outer.pol\n"
      "Link Dictionary File : (none)\nLink Dictionary file :\nMin chapter size : 3\n";
  EXPECT_EQ(ReadPolicyText(policy, dir, outer, "outer.pol"), 1);
  EXPECT_EQ(policy.pageWidth, 66);
  EXPECT_EQ(policy.tabSize, 6);
  EXPECT_EQ(policy.minChapterSize, 3);
  ASSERT_EQ(policy.linkDefinitions.size(), 1U);
  EXPECT_EQ(Str(policy.linkDefinitions[0].url), "c.htm");
  EXPECT_TRUE(policy.linkDictionaryFile.IsEmpty());
  EXPECT_TRUE(policy.messages.empty());
}

TEST(PolicyFileReaderTest, RelativeNamesFallBackToTheCurrentDirectory) {
  TempDir policyDir;
  TempDir workDir;
  workDir.Write("common.pol", "Page width : 50\n");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(workDir.Root());
  FC policy;
  const int result = ReadPolicyText(policy, policyDir, "include file : common.pol\n");
  std::filesystem::current_path(previous);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(policy.pageWidth, 50);
}

TEST(PolicyFileReaderTest, SwitchToFileDoesNotComeBack) {
  TempDir dir;
  dir.Write("next.pol", "Page width : 40\n");
  FC policy;
  EXPECT_EQ(ReadPolicyText(policy, dir, "Switch to file : next.pol\nTab size : 2\n"), 1);
  EXPECT_EQ(policy.pageWidth, 40);
  EXPECT_EQ(policy.tabSize, 8);

  // A switch that fails leaves reading in the current file.
  FC stays;
  EXPECT_EQ(ReadPolicyText(stays, dir, "Switch to file : none.pol\nTab size : 2\n"), 1);
  EXPECT_EQ(stays.tabSize, 2);
}

TEST(PolicyFileReaderTest, NoKeywordHidesALaterOne) {
  const auto keywords = PolicyKeywords();
  // A keyword that contains an earlier one could never be reached.
  for (size_t i = 0; i < keywords.size(); ++i) {
    const TextString keyword(keywords[i].keyword);
    for (size_t j = 0; j < i; ++j) {
      EXPECT_EQ(keyword.FindText(keywords[j].keyword), nullptr)
          << keywords[i].keyword << " hidden by " << keywords[j].keyword;
    }
  }
}

}  // namespace
