#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "policy/FC.h"
#include "support/TempDir.h"
#include "text/LineFile.h"

// Helpers shared by the policy-file tests: a record whose messages are
// collected, and reading or writing a policy file whole.

inline std::string Str(const TextString& text) {
  return std::string(text.View());
}

// A policy record that keeps every message it is sent.
struct RecordingFC : FC {
  std::vector<std::string> messages;
  RecordingFC() { Listen(); }
  // Reset drops the sink; call again after one.
  void Listen() {
    messageSink = [this](const char* text) { messages.emplace_back(text); };
  }
};

// Reads the policy file `path` into `policy`; returns ReadPolicyFile's result,
// or -1 when the file cannot be opened.
inline int ReadPolicyPath(FC& policy, const std::string& path) {
  LineFile file;
  if (!file.OpenForReading(path.c_str())) return -1;
  return policy.ReadPolicyFile(file);
}

// Reads `text` as a policy file named `name` in `dir`.
inline int ReadPolicyText(FC& policy, const TempDir& dir, const std::string& text,
                          const std::string& name = "read.pol") {
  return ReadPolicyPath(policy, dir.Write(name, text));
}

// The policy file `policy` writes, as bytes.
inline std::string WrittenPolicy(const FC& policy, const TempDir& dir, bool all) {
  const std::string path = dir.Path("written.pol");
  {
    LineFile file;
    if (!file.OpenForWriting(path.c_str())) return "cannot write";
    if (!policy.WritePolicyFile(file, all)) return "write failed";
  }
  return ReadAll(path);
}

// A record with a value other than the default in every section, chosen
// among the values the file format can carry (see the round trip's known
// exceptions).
inline void FillEverySection(FC& p) {
  p.indentPositionsUsed = 1;
  p.indentCount = 3;
  p.indentPositions = {2, 6, 10, -1, -1, -1};
  p.hangingCount = 2;
  p.hangingPositions = {4, 12, -1, -1, -1, -1};
  p.searchForDefinitions = 0;
  p.dashStrong = p.colonStrong = 1;
  p.pageWidth = 72;
  p.tabSize = 4;
  p.rightJustified = 0;
  p.expectBlankLines = 0;
  p.newParagraphOffset = 3;
  p.minChapterSize = 12;
  p.shortLineLength = 50;
  p.expectCodeSamples = 1;

  p.numberedBullets = p.alphabeticBullets = 0;
  p.dashBullets = p.circleBullets = 0;

  p.firstSectionNumber = 3;
  p.headingLevelCount = 2;
  p.headingStyles[0].prefixWord.SetText("Chapter");
  p.headingStyles[0].hasPrefix = 1;
  p.headingStyles[0].indent = 0;
  p.headingStyles[1].numberingKind = HeadingStyle::kLowerLetters;
  p.headingStyles[1].beforeNumber.SetText("(");
  p.headingStyles[1].afterNumber.SetText(")");
  p.headingStyles[1].letterSuffix = 1;
  p.headingStyles[1].indent = 4;
  p.contentsStyles[0].numberingKind = HeadingStyle::kUpperRoman;
  p.contentsStyles[0].indent = 2;
  p.contentsStyles[1].numberedParagraph = 1;
  p.contentsStyles[1].indent = 6;
  p.numberedHeadings = p.underlinedHeadings = p.capitalisedHeadings = 0;
  p.secondWordHeadings = 1;

  p.minPreSize = 4;

  p.documentTitle.SetText("Round trip");
  p.firstHeadingAsTitle = p.firstLineAsTitle = 1;
  p.documentKeywords.SetText("k1, k2");
  p.documentDescription.SetText("About it");
  p.scriptFile.SetText("s.js");
  p.headerFile.SetText("head.htm");
  p.footerFile.SetText("foot.htm");
  p.textColour.SetText("black");
  p.backgroundColour.SetText("white");
  p.backgroundImage.SetText("bg.gif");
  p.unvisitedLinkColour.SetText("blue");
  p.visitedLinkColour.SetText("purple");
  p.activeLinkColour.SetText("red");

  p.createHyperlinks = p.createMailtoLinks = p.createNewsLinks = p.onlyKnownGroups = 0;
  p.addBreakToUrlLines = 1;
  p.usenetGroups.AppendWords(TextString("uk de"), ' ');
  p.crossRefLevel = 3;

  p.outputFileExtension.SetText(".shtml");
  p.useDosFilenames = 1;
  p.dosFilenameRoot.SetText("abcde");
  p.splitKnown = 1;
  p.splitLevel = 2;
  p.minHtmlFileSize = 40;
  p.minimiseHtml = 1;
  p.errorLevel = 7;

  p.expectContentsList = 0;
  p.linksOnNumbers = 1;
  p.externalContentsName.SetText("toc.htm");

  p.makeDirectory = 1;
  p.showFileTitles = p.indentDirectoryHeadings = 0;
  p.directoryFilename.SetText("dir.htm");
  p.directoryReturnText.SetText("Back");
  p.directoryTitle.SetText("All files");
  p.directoryKeywords.SetText("kw");
  p.directoryDescription.SetText("desc");
  p.directoryScript.SetText("d.js");
  p.directoryHeader.SetText("dh.htm");
  p.directoryFooter.SetText("df.htm");

  p.usePreprocessor = 0;
  p.includedSections.AppendWords(TextString("intro usage"), ' ');

  p.styleSheet.SetText("style.css");
  p.highlightDefinitions = p.allowCentring = p.ignoreMultipleBlankLines = 1;
  p.useParagraphMarkup = p.useDefinitionLists = p.searchForEmphasis = 0;
  p.definitionsInsidePre = 0;
  p.centringTolerance = 3;
  p.smallestHeading = 4;
  p.largestHeading = 1;
  p.headingsColour.SetText("green");

  p.attemptTables = 0;
  TableConfig& t = p.tableDefaults;
  t.useCodeMarkup = t.xrefsToLinks = t.sparseTables = 1;
  t.borderSize = 1;
  t.headerRows = 1;
  t.headerCols = 2;
  t.cellSpacing = 3;
  t.cellPadding = 4;
  t.colour.SetText("silver");
  t.borderColour.SetText("gray");
  t.width.SetText("90%");
  t.minColumnSeparation = 2;

  p.AddLinkDefinition("policy file", "policy files", "policy.htm");
  p.AddLinkDefinition("a<b", "", "x.htm#1");
  p.Normalise(false);
}
