// MergeGiven and CopyPolicies over every policy at once, compared through the
// written policy file so that no field can be forgotten.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "policy/FC.h"
#include "text/LineFile.h"

namespace {

std::string Written(const FC& fc) {
  char path[] = "/tmp/webloom_fc_merge_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return "mkstemp failed";
  close(fd);
  std::string text = "open failed";
  {
    LineFile file;
    if (file.OpenForWriting(path)) {
      fc.WritePolicyFile(file, true);
      file.Close();
      std::ifstream in(path, std::ios::binary);
      text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  unlink(path);
  return text;
}

// Every policy away from its default, consistent under Normalise, and every
// given flag set.
void FillEveryPolicy(FC& f) {
  f.minChapterSize = 12;
  f.shortLineLength = 50;
  f.expectCodeSamples = 1;
  f.indentPositionsUsed = 1;
  f.indentCount = 2;
  f.indentPositions = {0, 4, -1, -1, -1, -1};
  f.hangingCount = 1;
  f.hangingPositions[0] = 10;
  f.searchForDefinitions = 0;
  f.dashStrong = 1;
  f.colonDefinitions = 0;
  f.pageWidth = 72;
  f.tabSize = 4;
  f.newParagraphOffset = 3;
  f.expectBlankLines = 0;
  f.rightJustified = 0;
  f.otherBulletCount = 2;
  f.otherBullets[0] = '*';
  f.otherBullets[1] = '+';
  f.dashBullets = 0;
  f.numberedBullets = f.alphabeticBullets = f.romanBullets = 0;
  f.firstSectionNumber = 0;
  f.headingLevelCount = 2;
  f.headingStyles[0].prefixWord.SetText("Chapter");
  f.headingStyles[0].hasPrefix = 1;
  f.headingStyles[0].indent = 0;
  f.headingStyles[1].numberingKind = HeadingStyle::kUpperLetters;
  f.headingStyles[1].indent = 2;
  f.contentsStyles[0].afterNumber.SetText(")");
  f.contentsStyles[0].indent = 4;
  f.contentsStyles[1].numberedParagraph = 1;
  f.contentsStyles[1].indent = 6;
  f.numberedHeadings = f.underlinedHeadings = f.capitalisedHeadings = 0;
  f.secondWordHeadings = 1;
  f.expectContentsList = 0;
  int n = 0;
  for (TextString* t :
       {&f.documentTitle, &f.documentKeywords, &f.documentDescription, &f.scriptFile,
        &f.headerFile, &f.footerFile, &f.backgroundColour, &f.backgroundImage, &f.textColour,
        &f.unvisitedLinkColour, &f.visitedLinkColour, &f.activeLinkColour, &f.inputDirectory,
        &f.outputDirectory, &f.outputFileExtension, &f.policyFileName, &f.styleSheet,
        &f.headingsColour, &f.externalContentsName, &f.directoryFilename, &f.directoryReturnText,
        &f.directoryTitle, &f.directoryKeywords, &f.directoryDescription, &f.directoryScript,
        &f.directoryHeader, &f.directoryFooter, &f.linkDictionaryFile,
        &f.tableDefaults.colour, &f.tableDefaults.borderColour, &f.tableDefaults.caption,
        &f.tableDefaults.width}) {
    t->SetText("text");
    t->AppendNumber(++n, false);
  }
  f.dosFilenameRoot.SetText("abc");
  f.firstHeadingAsTitle = f.firstLineAsTitle = 1;
  f.createMailtoLinks = f.createHyperlinks = f.createNewsLinks = f.onlyKnownGroups = 0;
  f.addBreakToUrlLines = 1;
  f.usenetGroups.Append("comp");
  f.splitKnown = 1;
  f.splitLevel = 2;
  f.minHtmlFileSize = 30;
  f.crossRefLevel = 3;
  f.useHtmExtension = 1;
  f.minimiseHtml = 1;
  f.writePolicyFile = 1;
  f.diagnosticsFiles = 1;
  f.errorLevel = 7;
  f.usePreprocessor = 0;
  f.includedSections.Append("Intro");
  f.definitionsInsidePre = 0;
  f.attemptTables = 0;
  f.tableDefaults.borderSize = 1;
  f.tableDefaults.headerRows = 2;
  f.tableDefaults.headerCols = 3;
  f.tableDefaults.cellSpacing = 4;
  f.tableDefaults.cellPadding = 5;
  f.tableDefaults.useCodeMarkup = f.tableDefaults.xrefsToLinks = f.tableDefaults.sparseTables = 1;
  f.tableDefaults.minColumnSeparation = 6;
  f.highlightDefinitions = f.allowCentring = 1;
  f.centringTolerance = 4;
  f.minPreSize = 6;
  f.smallestHeading = 4;
  f.largestHeading = 1;
  f.ignoreMultipleBlankLines = 1;
  f.useDefinitionLists = f.useParagraphMarkup = f.searchForEmphasis = 0;
  f.addContentsList = 1;
  f.linksOnNumbers = 1;
  f.makeDirectory = 1;
  f.showFileTitles = f.indentDirectoryHeadings = 0;
  f.linkDefinitions.push_back({TextString("m1"), TextString("t1"), TextString("u1")});
  f.linkDefinitions.push_back({TextString("m2"), TextString("t2"), TextString("u2")});
  for (int p = 0; p < kPolicyCount; ++p) f.SetGiven(static_cast<Policy>(p));
  for (int i = 0; i < TableConfig::kFieldCount; ++i) {
    f.tableDefaults.SetGiven(static_cast<TableConfig::Field>(i));
  }
  f.Normalise(false);
}

void ExpectUnwrittenPoliciesEqual(const FC& a, const FC& b) {
  EXPECT_EQ(a.writePolicyFile, b.writePolicyFile);
  EXPECT_EQ(a.diagnosticsFiles, b.diagnosticsFiles);
  EXPECT_EQ(a.policyFileName.View(), b.policyFileName.View());
  EXPECT_EQ(a.inputDirectory.View(), b.inputDirectory.View());
  EXPECT_EQ(a.outputDirectory.View(), b.outputDirectory.View());
  EXPECT_EQ(a.contentsStyles[1].numberedParagraph, b.contentsStyles[1].numberedParagraph);
}

TEST(FCMergeTest, EveryGivenPolicyIsMerged) {
  FC from;
  FillEveryPolicy(from);
  const std::string expected = Written(from);
  FC fresh;
  ASSERT_NE(expected, Written(fresh));

  FC to;
  to.MergeGiven(from, true);
  EXPECT_EQ(Written(to), expected);
  ExpectUnwrittenPoliciesEqual(to, from);
  for (int p = 0; p < kPolicyCount; ++p) EXPECT_TRUE(to.IsGiven(static_cast<Policy>(p))) << p;
  for (int i = 0; i < TableConfig::kFieldCount; ++i) {
    EXPECT_TRUE(to.tableDefaults.IsGiven(static_cast<TableConfig::Field>(i))) << i;
  }
}

TEST(FCMergeTest, CopyPoliciesCopiesEveryValue) {
  FC from;
  FillEveryPolicy(from);
  FC to;
  to.CopyPolicies(from);
  // The flags are gone, so rules that look at them may decide again; with
  // this record they decide the same.
  EXPECT_EQ(Written(to), Written(from));
  ExpectUnwrittenPoliciesEqual(to, from);
  EXPECT_FALSE(to.AnyGiven());
}

}  // namespace
