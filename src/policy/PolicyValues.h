#pragma once

#include <array>
#include <vector>

#include "policy/HeadingStyle.h"
#include "policy/LinkDefinition.h"
#include "policy/TableConfig.h"
#include "policy/WordList.h"
#include "text/TextString.h"

// The given flags of the policy record: one per policy that a policy file
// can set, plus the five set only by programs (input and output directory,
// writePolicyFile, policyFileName, diagnosticsFiles). A flag that covers
// several fields names them; tableDefaults keeps its own flags (TableConfig).
enum class Policy : int {
  KeepItSimple,
  MinChapterSize,
  ShortLineLength,
  ExpectCodeSamples,
  IndentPositions,  // indentPositions, indentCount, indentPositionsUsed
  HangingPositions,  // hangingPositions, hangingCount, hangingPositionsUsed
  SearchForDefinitions,
  DefinitionChars,  // dashDefinitions, dashStrong, colonDefinitions, colonStrong
  PageWidth,
  TabSize,
  NewParagraphOffset,
  ExpectBlankLines,
  Justification,  // leftJustified, rightJustified
  BulletChars,  // otherBullets, otherBulletCount, otherBulletsUsed, dashBullets, circleBullets
  NumberedBullets,
  AlphabeticBullets,
  RomanBullets,
  FirstSectionNumber,
  HeadingStyles,  // headingLevelCount, headingStyles, contentsStyles
  NumberedHeadings,
  UnderlinedHeadings,
  CapitalisedHeadings,
  SecondWordHeadings,
  ExpectContentsList,
  DocumentTitle,
  DocumentKeywords,
  DocumentDescription,
  ScriptFile,
  HeaderFile,
  FooterFile,
  BackgroundColour,
  BackgroundImage,
  TextColour,
  UnvisitedLinkColour,
  VisitedLinkColour,
  ActiveLinkColour,
  FirstHeadingAsTitle,
  FirstLineAsTitle,
  CreateMailtoLinks,
  CreateHyperlinks,
  CreateNewsLinks,
  OnlyKnownGroups,
  AddBreakToUrlLines,
  UsenetGroups,
  InputDirectory,
  OutputDirectory,
  // splitLevel has two flags. The policy reader sets both; when only
  // SplitLevel is set (a number without a verdict on splitting), Normalise
  // derives splitKnown from the number.
  SplitKnown,
  SplitLevel,
  AddNavigationBar,
  MinHtmlFileSize,
  CrossRefLevel,
  UseHtmExtension,
  OutputFileExtension,
  DosFilenameRoot,
  UseDosFilenames,
  MinimiseHtml,
  WritePolicyFile,
  PolicyFileName,
  DiagnosticsFiles,
  ErrorLevel,
  UsePreprocessor,
  IncludedSections,
  DefinitionsInsidePre,
  AttemptTables,
  StyleSheet,
  HighlightDefinitions,
  AllowCentring,
  CentringTolerance,
  MinPreSize,
  SmallestHeading,
  LargestHeading,
  HeadingsColour,
  IgnoreMultipleBlankLines,
  UseDefinitionLists,
  UseParagraphMarkup,
  SearchForEmphasis,
  AddContentsList,
  UseExistingContents,
  ExternalContents,
  LinksOnNumbers,
  ExternalContentsName,
  MakeDirectory,
  ShowFileTitles,
  IndentDirectoryHeadings,
  DirectoryFilename,
  DirectoryReturnText,
  DirectoryTitle,
  DirectoryKeywords,
  DirectoryDescription,
  DirectoryScript,
  DirectoryHeader,
  DirectoryFooter,
  LinkDictionary,  // linkDefinitions
  LinkDictionaryFile,
  RemovePageFurniture,
  Count
};

inline constexpr int kPolicyCount = static_cast<int>(Policy::Count);

// Every policy value of one conversion, with its default. Bool policies are
// ints holding 0 or 1; -1 marks an unset number and an empty text an unset
// text. The policy record (FC) derives from this so that a reset is a plain
// assignment of a default-constructed PolicyValues.
struct PolicyValues {
  // Positions lists hold at most six columns.
  static constexpr int kMaxPositions = 6;
  // Further bullet characters beyond '-' and 'o'.
  static constexpr int kMaxOtherBullets = 7;
  // Heading levels known to the analysis and the writers.
  static constexpr int kHeadingLevels = 6;

  // Which pass of the conversion is running; the fourth is always 0.
  int analysisPass = 1;
  int contentsPass = 0;
  int outputPass = 0;
  int sparePass = 0;

  // General analysis.
  int keepItSimple = 0;
  int minChapterSize = 8;
  int shortLineLength = -1;
  int expectCodeSamples = 0;
  // Drop the running page headers and footers and join the text across
  // page breaks; calculated from the repeats found.
  int removePageFurniture = 0;
  int indentPositionsUsed = 0;
  int indentCount = 1;
  std::array<int, kMaxPositions> indentPositions{0, -1, -1, -1, -1, -1};
  int hangingCount = 0;
  std::array<int, kMaxPositions> hangingPositions{-1, -1, -1, -1, -1, -1};
  int hangingPositionsUsed = 1;
  int searchForDefinitions = 1;
  int dashDefinitions = 1;
  int dashStrong = 0;
  int colonDefinitions = 1;
  int colonStrong = 0;
  int pageWidth = 80;
  int tabSize = 8;
  int newParagraphOffset = -1;
  int expectBlankLines = 1;
  int leftJustified = 1;
  int rightJustified = 1;

  // Bullets.
  int bulletsExpected = 1;  // derived by Normalise
  int otherBulletsUsed = 1;
  int otherBulletCount = -1;  // -1 = none, else 0..kMaxOtherBullets
  std::array<char, kMaxOtherBullets> otherBullets{};
  int dashBullets = 1;
  int circleBullets = 1;
  int numberedBullets = 1;
  int alphabeticBullets = 1;
  int romanBullets = 1;

  // Headings.
  int firstSectionNumber = 1;
  int headingLevelCount = 0;  // heading levels in use, 0..kHeadingLevels
  std::array<HeadingStyle, kHeadingLevels> headingStyles;
  std::array<HeadingStyle, kHeadingLevels> contentsStyles;
  int numberedHeadings = 1;
  int underlinedHeadings = 1;
  int capitalisedHeadings = 1;
  int secondWordHeadings = 0;

  // Contents.
  int expectContentsList = 1;

  // Added HTML.
  TextString documentTitle;
  TextString documentKeywords;
  TextString documentDescription;
  TextString scriptFile;
  TextString headerFile;
  TextString footerFile;
  TextString backgroundColour;
  TextString backgroundImage;
  TextString textColour;
  TextString unvisitedLinkColour;
  TextString visitedLinkColour;
  TextString activeLinkColour;
  int firstHeadingAsTitle = 0;
  int firstLineAsTitle = 0;

  // Hyperlinks.
  int createMailtoLinks = 1;
  int createHyperlinks = 1;
  int createNewsLinks = 1;
  int onlyKnownGroups = 1;
  int addBreakToUrlLines = 0;
  WordList usenetGroups;

  // Where include files are searched and where output goes.
  TextString inputDirectory;
  TextString outputDirectory;

  // File generation.
  int splitKnown = 0;
  int addNavigationBar = 1;  // forced equal to splitKnown by Normalise
  int splitLevel = -1;
  int minHtmlFileSize = -1;
  int crossRefLevel = 2;
  int useHtmExtension = 0;
  // The "Output file extension" policy; the extension actually used is
  // FC::outputExtension.
  TextString outputFileExtension;
  TextString dosFilenameRoot;  // at most 5 characters when read from a file
  int useDosFilenames = 0;
  int minimiseHtml = 0;
  int writePolicyFile = 0;
  TextString policyFileName;
  int diagnosticsFiles = 0;
  int errorLevel = 5;  // see FC::Message

  // Preprocessor.
  int usePreprocessor = 1;
  WordList includedSections;

  // Style, tables, pre-formatted text.
  int definitionsInsidePre = 1;
  int attemptTables = 1;
  TableConfig tableDefaults;
  TextString styleSheet;
  int highlightDefinitions = 0;
  int allowCentring = 0;
  int centringTolerance = 2;
  int minPreSize = -1;
  int smallestHeading = 5;  // largest n of <Hn>
  int largestHeading = 2;   // smallest n of <Hn>
  TextString headingsColour;
  int ignoreMultipleBlankLines = 0;
  int useDefinitionLists = 1;
  int useParagraphMarkup = 1;
  int searchForEmphasis = 1;

  // Contents list.
  int addContentsList = 0;
  int useExistingContents = 1;
  int externalContents = 0;
  int linksOnNumbers = 0;
  TextString externalContentsName;

  // Directory page.
  int makeDirectory = 0;
  int showFileTitles = 1;
  int indentDirectoryHeadings = 1;
  TextString directoryFilename;
  TextString directoryReturnText{"Directory"};
  TextString directoryTitle;
  TextString directoryKeywords;
  TextString directoryDescription;
  TextString directoryScript;
  TextString directoryHeader;
  TextString directoryFooter;

  // Link dictionary, in the order the definitions were added.
  std::vector<LinkDefinition> linkDefinitions;
  TextString linkDictionaryFile;
};
