#include "policy/FC.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "PolicyFileTestSupport.h"
#include "policy/RunContext.h"
#include "support/CaseFile.h"

namespace {

// Collects what a sink receives, one entry per message.
struct Collected {
  std::vector<std::string> lines;
  FC::Sink Sink() {
    return [this](const char* text) { lines.emplace_back(text); };
  }
};

TEST(FCTest, ProductNameFollowsTheOwner) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/policy/policy_rows.txt")) {
    if (r[0] != "product") continue;
    SCOPED_TRACE(r.at(1) + " " + r.at(2));
    RunContext run;
    run.outputKind = std::stoi(r[1]);
    FC fc;
    fc.owner = run.outputKind < 0 ? nullptr : &run;
    fc.Reset(r[2] == "1");
    EXPECT_EQ(Str(fc.productName), r.at(3));
  }

  RunContext html;
  RunContext rtf;
  rtf.outputKind = RunContext::kRtfOutput;
  FC fc;
  fc.SetOwner(&html);
  EXPECT_EQ(Str(fc.productName), "Webloom 3.0");
  fc.SetOwner(&rtf);
  EXPECT_EQ(Str(fc.productName), "Docloom 1.0");
  EXPECT_EQ(Str(fc.outputExtension), ".rtf");
  fc.SetOwner(nullptr);
  EXPECT_EQ(Str(fc.productName), "Anyloom ?.?");
}

TEST(FCTest, ResetRestoresEveryDefaultAndDropsFlagsListsAndSinks) {
  TempDir dir;
  FC fc;
  FillEverySection(fc);
  fc.SetGiven(Policy::PageWidth);
  fc.tableDefaults.SetGiven(TableConfig::Field::BorderSize);
  fc.document.inPre = 1;
  fc.messageSink = fc.statusSink = [](const char*) {};
  fc.Reset(false);
  EXPECT_EQ(WrittenPolicy(fc, dir, true), ReadAll(WEBLOOM_TEST_DATA "/policy/fresh_all.pol"));
  EXPECT_FALSE(fc.AnyGiven() || fc.tableDefaults.AnyGiven());
  EXPECT_EQ(fc.document.inPre, 0);
  EXPECT_FALSE(fc.messageSink || fc.statusSink);
}

using PV = PolicyValues;
struct NormaliseCase {
  const char* name;  // led by the number of the rule
  void (*setUp)(FC&);
  std::vector<std::pair<int PV::*, int>> expected;
  const char* extension = ".html";
  int outputKind = RunContext::kHtmlOutput;
};

void Give(FC& f, std::initializer_list<Policy> policies) {
  for (Policy p : policies) f.SetGiven(p);
}

void NoBullets(FC& f) {
  f.numberedBullets = f.alphabeticBullets = f.circleBullets = f.dashBullets = f.romanBullets = 0;
}

// Each row: the rule's number and what it shows, the set-up, the values the
// rule leaves and the extension chosen.
// clang-format off
const NormaliseCase kNormaliseCases[] = {
    {"1 RTF owner drops definitions, splitting and the contents list",
     [](FC& f) { f.splitKnown = f.addContentsList = 1, f.SetGiven(Policy::AddContentsList); },
     {{&PV::searchForDefinitions, 0}, {&PV::dashDefinitions, 0}, {&PV::colonDefinitions, 0},
      {&PV::splitKnown, 0}, {&PV::addContentsList, 0}}, ".rtf", RunContext::kRtfOutput},
    {"2 small tolerance and tab size", [](FC& f) { f.centringTolerance = 0, f.tabSize = 1; },
     {{&PV::centringTolerance, 2}, {&PV::tabSize, 4}}},
    {"2 tab size 0 and tolerance 1", [](FC& f) { f.tabSize = 0, f.centringTolerance = 1; },
     {{&PV::tabSize, 4}, {&PV::centringTolerance, 2}}},
    {"2 tab size 2 stays", [](FC& f) { f.tabSize = 2; }, {{&PV::tabSize, 2}}},
    {"2 tab size above 8 is clamped", [](FC& f) { f.tabSize = 9; }, {{&PV::tabSize, 8}}},
    {"3 split level given alone decides splitKnown",
     [](FC& f) { f.splitLevel = 2, f.SetGiven(Policy::SplitLevel); },
     {{&PV::splitKnown, 1}, {&PV::addNavigationBar, 1}}},
    {"3 both split flags leave splitKnown alone",
     [](FC& f) { f.splitLevel = 2, Give(f, {Policy::SplitLevel, Policy::SplitKnown}); },
     {{&PV::splitKnown, 0}}},
    {"4 navigation bar needs a split level",
     [](FC& f) { f.addNavigationBar = 1, f.SetGiven(Policy::AddNavigationBar); },
     {{&PV::addNavigationBar, 0}}},
    {"5 keep it simple, not given",
     [](FC& f) { f.keepItSimple = 1, f.underlinedHeadings = 0, f.SetGiven(Policy::RomanBullets); },
     {{&PV::underlinedHeadings, 1}, {&PV::numberedBullets, 0}, {&PV::alphabeticBullets, 0},
      {&PV::romanBullets, 1}, {&PV::numberedHeadings, 0}, {&PV::useDefinitionLists, 0},
      {&PV::expectContentsList, 0}, {&PV::capitalisedHeadings, 0}, {&PV::attemptTables, 1}}},
    {"5 keep it simple given turns tables off",
     [](FC& f) {
       f.keepItSimple = 1;
       Give(f, {Policy::KeepItSimple, Policy::CapitalisedHeadings});
     },
     {{&PV::attemptTables, 0}, {&PV::capitalisedHeadings, 1}}},
    {"5 a given table line beats keep it simple",
     [](FC& f) { f.keepItSimple = 1, Give(f, {Policy::KeepItSimple, Policy::AttemptTables}); },
     {{&PV::attemptTables, 1}}},
    {"6 DOS names", [](FC& f) { f.useDosFilenames = 1; }, {{&PV::useHtmExtension, 1}}, ".HTM"},
    {"6 .htm", [](FC& f) { f.useHtmExtension = 1, f.outputFileExtension.SetText(".x"); }, {},
     ".htm"},
    {"6 own extension", [](FC& f) { f.outputFileExtension.SetText(".xhtml"); }, {}, ".xhtml"},
    {"7 splitting adds a contents list when the document has none",
     [](FC& f) { f.expectContentsList = 0, f.splitKnown = 1, f.SetGiven(Policy::SplitKnown); },
     {{&PV::addContentsList, 1}}},
    {"7 unless the contents list was given",
     [](FC& f) { f.splitKnown = 1, Give(f, {Policy::SplitKnown, Policy::AddContentsList}); },
     {{&PV::addContentsList, 0}}},
    {"8 no contents expected, none used", [](FC& f) { f.expectContentsList = 0; },
     {{&PV::useExistingContents, 0}}},
    {"9 the existing list wins over a calculated one", [](FC& f) { f.addContentsList = 1; },
     {{&PV::addContentsList, 0}}},
    {"10 given external file adds a list when none is expected",
     [](FC& f) {
       f.expectContentsList = 0, f.externalContents = 1, f.SetGiven(Policy::ExternalContents);
     },
     {{&PV::addContentsList, 1}, {&PV::externalContents, 1}}},
    {"10 given external file with an expected list",
     [](FC& f) { f.externalContents = 1, f.SetGiven(Policy::ExternalContents); },
     {{&PV::addContentsList, 0}, {&PV::externalContents, 1}}},
    {"10 external file not given is dropped", [](FC& f) { f.externalContents = 1; },
     {{&PV::externalContents, 0}}},
    {"10 split pages carry their own contents",
     [](FC& f) {
       f.splitKnown = f.externalContents = 1, f.expectContentsList = 0;
       Give(f, {Policy::SplitKnown, Policy::ExternalContents});
     },
     {{&PV::addContentsList, 1}, {&PV::externalContents, 0}}},
    {"11 inverted heading tags become 3 and 3",
     [](FC& f) { f.smallestHeading = 2, f.largestHeading = 5; },
     {{&PV::smallestHeading, 3}, {&PV::largestHeading, 3}}},
    {"11 heading tags clamped to 1..6",
     [](FC& f) { f.smallestHeading = 40, f.largestHeading = INT_MIN; },
     {{&PV::smallestHeading, 6}, {&PV::largestHeading, 1}}},
    {"12 no bullets at all", [](FC& f) { NoBullets(f); }, {{&PV::bulletsExpected, 0}}},
    {"12 one further bullet character",
     [](FC& f) { NoBullets(f), f.otherBulletCount = 1, f.otherBullets[0] = '+'; },
     {{&PV::bulletsExpected, 1}}},
};
// clang-format on

TEST(FCTest, NormaliseRules) {
  for (const NormaliseCase& c : kNormaliseCases) {
    SCOPED_TRACE(c.name);
    RunContext run;
    run.outputKind = c.outputKind;
    FC fc;
    fc.owner = &run;
    c.setUp(fc);
    fc.Normalise();
    for (const auto& [field, value] : c.expected) EXPECT_EQ(fc.*field, value);
    EXPECT_EQ(Str(fc.outputExtension), c.extension);
    fc.owner = nullptr;
  }
}

TEST(FCTest, MergeGivenCopiesOnlyGivenPoliciesThenNormalises) {
  FC from;
  from.minChapterSize = 3;  // not given
  from.tabSize = 20;
  from.SetGiven(Policy::TabSize);
  from.usenetGroups.Append("comp");
  from.SetGiven(Policy::UsenetGroups);
  from.tableDefaults.caption.SetText("T");
  from.tableDefaults.SetGiven(TableConfig::Field::Caption);
  from.tableDefaults.borderSize = 5;  // not given

  FC to;
  to.usenetGroups.Append("alt");
  to.MergeGiven(from, true);
  EXPECT_EQ(to.minChapterSize, 8);
  EXPECT_EQ(to.tabSize, 8);
  EXPECT_EQ(Str(to.usenetGroups.Join(" ")), "alt comp");
  EXPECT_EQ(Str(to.tableDefaults.caption), "T");
  EXPECT_EQ(to.tableDefaults.borderSize, 0);
  EXPECT_TRUE(to.IsGiven(Policy::UsenetGroups));
  EXPECT_FALSE(to.IsGiven(Policy::MinChapterSize));

  FC unmarked;
  unmarked.MergeGiven(from, false);
  EXPECT_EQ(unmarked.tabSize, 8);
  EXPECT_EQ(Str(unmarked.tableDefaults.caption), "T");
  EXPECT_FALSE(unmarked.AnyGiven());
  EXPECT_FALSE(unmarked.tableDefaults.AnyGiven());
}

TEST(FCTest, MergeGivenTakesIndentPositionsOnlyWhenThereAreSome) {
  FC none;
  none.indentCount = 0;
  none.indentPositionsUsed = 0;
  none.SetGiven(Policy::IndentPositions);
  FC to;
  to.indentCount = 2;
  to.indentPositions[1] = 4;
  to.MergeGiven(none, true);
  EXPECT_EQ(to.indentCount, 2);
  EXPECT_EQ(to.indentPositions[1], 4);
  EXPECT_FALSE(to.IsGiven(Policy::IndentPositions));

  FC some;
  some.indentCount = 3;
  some.indentPositions = {0, 5, 10, -1, -1, -1};
  some.indentPositionsUsed = 1;
  some.SetGiven(Policy::IndentPositions);
  to.MergeGiven(some, true);
  EXPECT_EQ(to.indentCount, 3);
  EXPECT_EQ(to.indentPositions[2], 10);
  EXPECT_EQ(to.indentPositionsUsed, 1);
  EXPECT_TRUE(to.IsGiven(Policy::IndentPositions));
}

TEST(FCTest, MergeGivenHeadingStylesSplitAndLinks) {
  FC from;
  from.headingLevelCount = 2;
  from.headingStyles[0].prefixWord.SetText("Chapter");
  from.headingStyles[1].indent = 4;
  from.contentsStyles[1].indent = 6;
  from.SetGiven(Policy::HeadingStyles);
  from.splitLevel = 2;
  from.SetGiven(Policy::SplitLevel);
  from.linkDefinitions.push_back({TextString("m"), TextString("t"), TextString("u")});
  from.SetGiven(Policy::LinkDictionary);

  FC to;
  to.headingStyles[0].indent = 3;  // the source knows no indent here: kept
  to.linkDefinitions.push_back({TextString("old"), TextString("o"), TextString("o.htm")});
  to.MergeGiven(from, true);

  EXPECT_EQ(to.headingLevelCount, 2);
  EXPECT_EQ(Str(to.headingStyles[0].prefixWord), "Chapter");
  EXPECT_EQ(to.headingStyles[0].indent, 3);
  EXPECT_EQ(to.headingStyles[1].indent, 4);
  EXPECT_EQ(to.contentsStyles[1].indent, 6);
  EXPECT_EQ(to.splitLevel, 2);
  EXPECT_EQ(to.splitKnown, 1);  // only the second flag: derived from the level
  EXPECT_EQ(to.addNavigationBar, 1);
  ASSERT_EQ(to.linkDefinitions.size(), 1u);
  EXPECT_EQ(Str(to.linkDefinitions[0].matchText), "m");

  to.MergeGiven(to, true);
  EXPECT_EQ(to.linkDefinitions.size(), 1u);
}

TEST(FCTest, MessageFilterFollowsTheErrorLevel) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/policy/policy_rows.txt")) {
    if (r[0] != "filter") continue;
    SCOPED_TRACE(r.at(1) + " / " + r.at(2));
    FC fc;
    Collected got;
    fc.messageSink = got.Sink();
    fc.errorLevel = std::stoi(r[1]);
    EXPECT_EQ(fc.Message("Line 3 - note", std::stoi(r[2])), std::stoi(r.at(3)));
    EXPECT_EQ(got.lines.size(), r[3] == "1" ? 1u : 0u);
  }
}

TEST(FCTest, MessagesReachTheSinksOrTheStandardStreams) {
  FC fc;
  Collected messages;
  Collected status;
  fc.messageSink = messages.Sink();
  fc.statusSink = status.Sink();
  fc.Message(TextString("ERROR: Can't find file a.txt"), 10);
  fc.StatusMessage("---- Starting Output pass ----");
  EXPECT_EQ(messages.lines, std::vector<std::string>{"ERROR: Can't find file a.txt"});
  EXPECT_EQ(status.lines, std::vector<std::string>{"---- Starting Output pass ----"});

  FC plain;
  testing::internal::CaptureStderr();
  plain.Message("ERROR: Can't find file b.txt", 10);
  plain.Message("hidden", 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: Can't find file b.txt\n");
  testing::internal::CaptureStdout();
  plain.StatusMessage(TextString("Generating policy file b.pol"));
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Generating policy file b.pol\n");
}

TEST(FCTest, TableConfigQueueIsFirstInFirstOut) {
  FC fc;
  testing::internal::CaptureStderr();
  EXPECT_EQ(fc.CreateNewTabConfig(), 0);
  EXPECT_EQ(fc.DeleteOldTabConfig(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "FC::CreateNewTabConfig called out of sequence\n"
            "FC::DeleteOldTabConfig called out of sequence\n");
  EXPECT_EQ(&fc.CurrentTableConfig(), &fc.tableDefaults);

  fc.analysisPass = 0;
  fc.outputPass = 1;
  fc.tableDefaults.cellPadding = 9;
  fc.tableDefaults.SetGiven(TableConfig::Field::CellPadding);
  fc.tableDefaults.borderSize = 4;  // not given: a new table does not take it
  ASSERT_EQ(fc.CreateNewTabConfig(), 1);
  ASSERT_EQ(fc.CreateNewTabConfig(), 1);
  EXPECT_EQ(fc.TableConfigCount(), 2);
  EXPECT_EQ(fc.OldestTableConfig().cellPadding, 9);
  EXPECT_EQ(fc.OldestTableConfig().borderSize, 0);
  EXPECT_TRUE(fc.OldestTableConfig().IsGiven(TableConfig::Field::CellPadding));

  fc.CurrentTableConfig().caption.SetText("second");
  EXPECT_TRUE(fc.OldestTableConfig().caption.IsEmpty());
  ASSERT_EQ(fc.DeleteOldTabConfig(), 1);
  EXPECT_EQ(Str(fc.OldestTableConfig().caption), "second");
  ASSERT_EQ(fc.DeleteOldTabConfig(), 1);
  EXPECT_EQ(&fc.OldestTableConfig(), &fc.tableDefaults);

  testing::internal::CaptureStderr();
  EXPECT_EQ(fc.DeleteOldTabConfig(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unexpected NumTabConfigs = 0\n");
}

TEST(FCTest, ReleaseListsReportsFreedTables) {
  FC fc;
  fc.outputPass = 1;
  ASSERT_EQ(fc.CreateNewTabConfig(), 1);
  ASSERT_EQ(fc.CreateNewTabConfig(), 1);
  fc.includedSections.Append("Intro");
  testing::internal::CaptureStdout();
  fc.ReleaseLists();
  fc.ReleaseLists();  // nothing left: silent
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "releasing 2 tables\n");
  EXPECT_EQ(fc.TableConfigCount(), 0);
  EXPECT_TRUE(fc.includedSections.IsEmpty());

  ASSERT_EQ(fc.CreateNewTabConfig(), 1);
  testing::internal::CaptureStdout();
  fc.Reset(false);
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "releasing 1 tables\n");
}

TEST(FCTest, ResetDocumentStateClearsOneDocument) {
  RunContext run;
  FC fc;
  fc.SetOwner(&run);
  fc.document.inTable = 1;
  fc.document.nestingTags.emplace_back("UL");
  fc.document.processedLines = 40;
  fc.SetCurrentSection(TextString("Appendix"));
  EXPECT_EQ(fc.document.sectionIncluded, 0);
  fc.useHtmExtension = 1;
  fc.ResetDocumentState(false);
  EXPECT_EQ(fc.document.inTable, 0);
  EXPECT_TRUE(fc.document.nestingTags.empty());
  EXPECT_EQ(fc.document.processedLines, 0);
  EXPECT_TRUE(fc.document.currentSection.IsEmpty());
  EXPECT_EQ(fc.document.sectionIncluded, 1);
  EXPECT_EQ(Str(fc.outputExtension), ".htm");
}

TEST(FCTest, SectionsAreIncludedByName) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/policy/policy_rows.txt")) {
    if (r[0] != "section") continue;
    SCOPED_TRACE(r.at(1) + " / " + r.at(2));
    FC fc;
    fc.usePreprocessor = std::stoi(r.at(3));
    fc.includedSections.AppendWords(TextString(r[2]), ' ');
    fc.SetCurrentSection(TextString(r[1]));
    EXPECT_EQ(fc.IsSectionIncluded(), r.at(4) == "1");
    EXPECT_EQ(fc.document.sectionIncluded, std::stoi(r[4]));
  }
}

}  // namespace
