#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PolicyFileTestSupport.h"
#include "policy/PolicyKeywords.h"

namespace {

int Parse(FC& policy, const char* line, bool warnRepeated = false) {
  return policy.ParsePolicyLine(TextString(line), warnRepeated);
}

struct NumberCase {
  const char* line;
  int accepted;
  int (*field)(const FC&);
  int expected;
};

TEST(PolicyFileReaderTest, NumberAndBoolLines) {
  const NumberCase cases[] = {
      {"page WIDTH: 72", 1, [](const FC& p) { return p.pageWidth; }, 72},
      {"Page width : 72 columns", 1, [](const FC& p) { return p.pageWidth; }, 72},
      {"Page width : -72", 1, [](const FC& p) { return p.pageWidth; }, 72},
      {"Page width : wide", 0, [](const FC& p) { return p.pageWidth; }, -1},
      {"Page width : 99999999999", 0, [](const FC& p) { return p.pageWidth; }, -1},
      {"Short line length : (none)", 1, [](const FC& p) { return p.shortLineLength; }, -1},
      {"Document title : Tab Size 8", 1, [](const FC& p) { return p.tabSize; }, 8},
      {"Create hyperlinks : no", 1, [](const FC& p) { return p.createHyperlinks; }, 0},
      {"Create hyperlinks : TRUE", 1, [](const FC& p) { return p.createHyperlinks; }, 1},
      {"Create hyperlinks :", 1, [](const FC& p) { return p.createHyperlinks; }, 0},
      {"Keep it simple : yes", 1, [](const FC& p) { return p.keepItSimple; }, 1},
      {"Minimum automatic <PRE> size : 12", 1, [](const FC& p) { return p.minPreSize; }, 12},
      {"Minimum automatic <PRE> size : (none)", 1, [](const FC& p) { return p.minPreSize; }, -1},
      {"Minimum automatic <PRE> size : big", 0, [](const FC& p) { return p.minPreSize; }, -1},
      {"Default TABLE border size : 3", 1,
       [](const FC& p) { return p.tableDefaults.borderSize; }, 3},
      {"Expect sparse tables : Yes", 1, [](const FC& p) { return p.tableDefaults.sparseTables; },
       1},
      {"Split Level : 2", 1, [](const FC& p) { return p.splitLevel * 10 + p.splitKnown; }, 21},
      {"Split Level : 0", 1, [](const FC& p) { return p.splitLevel * 10 + p.splitKnown; }, 0},
      {"Split Level : (none)", 1, [](const FC& p) { return p.splitLevel * 10 + p.splitKnown; },
       -10},
      {"Text justification : Left", 1,
       [](const FC& p) { return p.leftJustified * 10 + p.rightJustified; }, 10},
      {"Text justification : right", 1,
       [](const FC& p) { return p.leftJustified * 10 + p.rightJustified; }, 1},
      {"Text justification : center", 1,
       [](const FC& p) { return p.leftJustified * 10 + p.rightJustified; }, 11},
      {"Text justification : full", 1,
       [](const FC& p) { return p.leftJustified * 10 + p.rightJustified; }, 0},
      {"We have 3  recognised headings", 1, [](const FC& p) { return p.headingLevelCount; }, 3},
      {"We have 7  recognised headings", 0, [](const FC& p) { return p.headingLevelCount; }, 0},
      {"We have some recognised headings", 0, [](const FC& p) { return p.headingLevelCount; }, 0},
  };
  for (const NumberCase& c : cases) {
    FC policy;
    EXPECT_EQ(Parse(policy, c.line), c.accepted) << c.line;
    EXPECT_EQ(c.field(policy), c.expected) << c.line;
  }
}

TEST(PolicyFileReaderTest, TextLines) {
  struct Case {
    const char* line;
    TextString PolicyValues::*field;
    const char* expected;
  };
  const Case cases[] = {
      {"Document title : Chapter 1: Overview", &PolicyValues::documentTitle, "Chapter 1: Overview"},
      {"Document title :\t  spaced out \t", &PolicyValues::documentTitle, "spaced out"},
      {"Background Image : (none)", &PolicyValues::backgroundImage, ""},
      {"Background Image : none", &PolicyValues::backgroundImage, "none"},
      {"Visited Link Colour : #FF0000", &PolicyValues::visitedLinkColour, "#FF0000"},
      {"Unvisited Link Colour : #0000FF", &PolicyValues::unvisitedLinkColour, "#0000FF"},
      {"Unvisited Link Colour : #0000FF", &PolicyValues::visitedLinkColour, ""},
      {"Directory return hyperlink text : Back", &PolicyValues::directoryReturnText, "Back"},
      {"DOS filename root : abcdefgh", &PolicyValues::dosFilenameRoot, "abcde"},
      // A cut never splits a UTF-8 character.
      {"DOS filename root : abcd\xC3\xA9z", &PolicyValues::dosFilenameRoot, "abcd"},
  };
  for (const Case& c : cases) {
    FC policy;
    policy.backgroundImage.SetText("old");
    EXPECT_EQ(Parse(policy, c.line), 1) << c.line;
    EXPECT_EQ(Str(policy.*c.field), c.expected) << c.line;
  }
  FC policy;
  ASSERT_EQ(Parse(policy, "Default TABLE border colour : blue"), 1);
  ASSERT_EQ(Parse(policy, "Default TABLE colour : red"), 1);
  EXPECT_EQ(Str(policy.tableDefaults.borderColour), "blue");
  EXPECT_EQ(Str(policy.tableDefaults.colour), "red");
  EXPECT_TRUE(policy.tableDefaults.IsGiven(TableConfig::Field::BorderColour));
  EXPECT_FALSE(policy.IsGiven(Policy::TextColour));
}

TEST(PolicyFileReaderTest, LinesThatAreNotPolicies) {
  const struct {
    const char* line;
    int accepted;
  } cases[] = {
      {"", 1},          {"# a comment", 1},  {"! a comment", 1},   {" # not a comment", 0},
      {"[HEADINGS]", 1}, {" [Headings]", 0}, {"[Switch to file]", 1}, {"[Nowhere]", 0},
      {"-----", 1},     {"  ------------", 1}, {"just words", 0},
      // File-level keywords mean nothing to a single line.
      {"include file : x.pol", 0},
  };
  for (const auto& c : cases) {
    FC policy;
    EXPECT_EQ(Parse(policy, c.line), c.accepted) << '"' << c.line << '"';
  }
}

TEST(PolicyFileReaderTest, PositionLists) {
  FC policy;
  ASSERT_EQ(Parse(policy, "Indent position(s) : 0 4 8 12 16 20"), 1);
  EXPECT_EQ(policy.indentCount, 5);
  EXPECT_EQ(policy.indentPositions[4], 16);
  EXPECT_EQ(policy.indentPositions[5], -1);
  EXPECT_EQ(policy.indentPositionsUsed, 1);
  EXPECT_TRUE(policy.IsGiven(Policy::IndentPositions));

  ASSERT_EQ(Parse(policy, "Hanging paragraph position(s) : 6 x 9"), 1);
  EXPECT_EQ(policy.hangingCount, 1);
  EXPECT_EQ(policy.hangingPositions[0], 6);
  EXPECT_EQ(policy.hangingPositions[1], -1);

  ASSERT_EQ(Parse(policy, "Indent position(s) : none"), 1);
  EXPECT_EQ(policy.indentCount, 0);
  EXPECT_EQ(policy.indentPositions[0], -1);
  EXPECT_EQ(policy.indentPositionsUsed, 0);
}

TEST(PolicyFileReaderTest, DefinitionCharacters) {
  FC policy;
  ASSERT_EQ(Parse(policy, "Definition Char : ':' (strong)"), 1);
  EXPECT_EQ(policy.colonDefinitions + policy.colonStrong, 2);
  EXPECT_EQ(policy.dashDefinitions, 1);
  EXPECT_EQ(policy.dashStrong, 0);
  ASSERT_EQ(Parse(policy, "Definition Char : none"), 1);
  EXPECT_EQ(policy.dashDefinitions + policy.dashStrong + policy.colonDefinitions +
                policy.colonStrong,
            0);
  ASSERT_EQ(Parse(policy, "Definition Char : '-' (weak)"), 1);
  EXPECT_EQ(policy.dashDefinitions, 1);
  EXPECT_EQ(policy.colonDefinitions, 0);

  FC untouched;
  EXPECT_EQ(Parse(untouched, "Definition Char : ="), 0);
  EXPECT_FALSE(untouched.IsGiven(Policy::DefinitionChars));
}

TEST(PolicyFileReaderTest, WordListsAppendUntilNone) {
  FC policy;
  ASSERT_EQ(Parse(policy, "Recognised USENET groups : uk de"), 1);
  ASSERT_EQ(Parse(policy, "Recognised USENET groups :  uk   fr "), 1);
  EXPECT_EQ(Str(policy.usenetGroups.Join(",")), "uk,de,uk,fr");
  ASSERT_EQ(Parse(policy, "Recognised USENET groups : none"), 1);
  EXPECT_TRUE(policy.usenetGroups.IsEmpty());
  EXPECT_TRUE(policy.IsGiven(Policy::UsenetGroups));
}

TEST(PolicyFileReaderTest, HeadingStyles) {
  FC policy;
  ASSERT_EQ(Parse(policy, "    Heading level 1 = \"\" N.N at indent 4"), 1);
  EXPECT_EQ(policy.headingStyles[1].numberingKind, HeadingStyle::kNumbers);
  EXPECT_EQ(policy.headingStyles[1].indent, 4);
  ASSERT_EQ(Parse(policy, "    Contents level 0 = \"Chapter\" (I) at indent 2"), 1);
  EXPECT_EQ(Str(policy.contentsStyles[0].prefixWord), "Chapter");
  EXPECT_EQ(policy.contentsStyles[0].numberingKind, HeadingStyle::kUpperRoman);
  EXPECT_EQ(Str(policy.contentsStyles[0].afterNumber), ")");
  EXPECT_TRUE(policy.IsGiven(Policy::HeadingStyles));

  // A refused line keeps what the earlier lines gave, flag included.
  for (const char* refused : {"Heading level 6 = \"\" N at indent 0",
                              "Heading level 2 = \"\" Q at indent 3"}) {
    EXPECT_EQ(Parse(policy, refused), 0) << refused;
    EXPECT_TRUE(policy.IsGiven(Policy::HeadingStyles)) << refused;
  }
  EXPECT_EQ(policy.headingStyles[2].indent, -1);

  FC other;
  EXPECT_EQ(Parse(other, "Heading level x = \"\" N at indent 9"), 1);
  EXPECT_EQ(other.headingStyles[0].indent, -1);
}

TEST(PolicyFileReaderTest, BulletCharacters) {
  FC policy;
  for (const char* c : {"*", "+", "#", "=", "-", "o", ">"}) {
    const std::string line = std::string("Bullet Char : '") + c + "'";
    ASSERT_EQ(Parse(policy, line.c_str()), 1) << line;
  }
  EXPECT_EQ(policy.otherBulletCount, 7);
  EXPECT_EQ(std::string(policy.otherBullets.data(), 7), "*+#=-o>");
  EXPECT_EQ(policy.dashBullets + policy.circleBullets, 2);

  // An eighth character, or a line without one, is refused; what was given
  // before stays given.
  EXPECT_EQ(Parse(policy, "Bullet Char : 'x'"), 0);
  EXPECT_EQ(policy.otherBulletCount, 7);
  EXPECT_TRUE(policy.IsGiven(Policy::BulletChars));
  FC empty;
  EXPECT_EQ(Parse(empty, "Bullet Char : *"), 0);
  EXPECT_EQ(empty.otherBulletCount, -1);

  ASSERT_EQ(Parse(policy, "Bullet Char : (none)"), 1);
  EXPECT_EQ(policy.otherBulletCount, -1);
  EXPECT_EQ(policy.dashBullets + policy.circleBullets, 0);
  EXPECT_EQ(policy.otherBulletsUsed, 1);
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
