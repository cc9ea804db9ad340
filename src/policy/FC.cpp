#include "policy/FC.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "policy/RunContext.h"
#include "text/ErrorReport.h"

namespace {

struct IntPolicy {
  Policy flag;
  int PolicyValues::*value;
};

struct TextPolicy {
  Policy flag;
  TextString PolicyValues::*value;
};

// Policies held in one int or one text, merged field by field.
constexpr IntPolicy kIntPolicies[] = {
    {Policy::KeepItSimple, &PolicyValues::keepItSimple},
    {Policy::MinChapterSize, &PolicyValues::minChapterSize},
    {Policy::ShortLineLength, &PolicyValues::shortLineLength},
    {Policy::ExpectCodeSamples, &PolicyValues::expectCodeSamples},
    {Policy::RemovePageFurniture, &PolicyValues::removePageFurniture},
    {Policy::SearchForDefinitions, &PolicyValues::searchForDefinitions},
    {Policy::PageWidth, &PolicyValues::pageWidth},
    {Policy::TabSize, &PolicyValues::tabSize},
    {Policy::NewParagraphOffset, &PolicyValues::newParagraphOffset},
    {Policy::ExpectBlankLines, &PolicyValues::expectBlankLines},
    {Policy::NumberedBullets, &PolicyValues::numberedBullets},
    {Policy::AlphabeticBullets, &PolicyValues::alphabeticBullets},
    {Policy::RomanBullets, &PolicyValues::romanBullets},
    {Policy::FirstSectionNumber, &PolicyValues::firstSectionNumber},
    {Policy::NumberedHeadings, &PolicyValues::numberedHeadings},
    {Policy::UnderlinedHeadings, &PolicyValues::underlinedHeadings},
    {Policy::CapitalisedHeadings, &PolicyValues::capitalisedHeadings},
    {Policy::SecondWordHeadings, &PolicyValues::secondWordHeadings},
    {Policy::ExpectContentsList, &PolicyValues::expectContentsList},
    {Policy::FirstHeadingAsTitle, &PolicyValues::firstHeadingAsTitle},
    {Policy::FirstLineAsTitle, &PolicyValues::firstLineAsTitle},
    {Policy::CreateMailtoLinks, &PolicyValues::createMailtoLinks},
    {Policy::CreateHyperlinks, &PolicyValues::createHyperlinks},
    {Policy::CreateNewsLinks, &PolicyValues::createNewsLinks},
    {Policy::OnlyKnownGroups, &PolicyValues::onlyKnownGroups},
    {Policy::AddBreakToUrlLines, &PolicyValues::addBreakToUrlLines},
    {Policy::AddNavigationBar, &PolicyValues::addNavigationBar},
    {Policy::MinHtmlFileSize, &PolicyValues::minHtmlFileSize},
    {Policy::CrossRefLevel, &PolicyValues::crossRefLevel},
    {Policy::UseHtmExtension, &PolicyValues::useHtmExtension},
    {Policy::UseDosFilenames, &PolicyValues::useDosFilenames},
    {Policy::MinimiseHtml, &PolicyValues::minimiseHtml},
    {Policy::WritePolicyFile, &PolicyValues::writePolicyFile},
    {Policy::DiagnosticsFiles, &PolicyValues::diagnosticsFiles},
    {Policy::ErrorLevel, &PolicyValues::errorLevel},
    {Policy::UsePreprocessor, &PolicyValues::usePreprocessor},
    {Policy::DefinitionsInsidePre, &PolicyValues::definitionsInsidePre},
    {Policy::AttemptTables, &PolicyValues::attemptTables},
    {Policy::HighlightDefinitions, &PolicyValues::highlightDefinitions},
    {Policy::AllowCentring, &PolicyValues::allowCentring},
    {Policy::CentringTolerance, &PolicyValues::centringTolerance},
    {Policy::MinPreSize, &PolicyValues::minPreSize},
    {Policy::SmallestHeading, &PolicyValues::smallestHeading},
    {Policy::LargestHeading, &PolicyValues::largestHeading},
    {Policy::IgnoreMultipleBlankLines, &PolicyValues::ignoreMultipleBlankLines},
    {Policy::UseDefinitionLists, &PolicyValues::useDefinitionLists},
    {Policy::UseParagraphMarkup, &PolicyValues::useParagraphMarkup},
    {Policy::SearchForEmphasis, &PolicyValues::searchForEmphasis},
    {Policy::AddContentsList, &PolicyValues::addContentsList},
    {Policy::UseExistingContents, &PolicyValues::useExistingContents},
    {Policy::ExternalContents, &PolicyValues::externalContents},
    {Policy::LinksOnNumbers, &PolicyValues::linksOnNumbers},
    {Policy::MakeDirectory, &PolicyValues::makeDirectory},
    {Policy::ShowFileTitles, &PolicyValues::showFileTitles},
    {Policy::IndentDirectoryHeadings, &PolicyValues::indentDirectoryHeadings},
};

constexpr TextPolicy kTextPolicies[] = {
    {Policy::DocumentTitle, &PolicyValues::documentTitle},
    {Policy::DocumentKeywords, &PolicyValues::documentKeywords},
    {Policy::DocumentDescription, &PolicyValues::documentDescription},
    {Policy::ScriptFile, &PolicyValues::scriptFile},
    {Policy::HeaderFile, &PolicyValues::headerFile},
    {Policy::FooterFile, &PolicyValues::footerFile},
    {Policy::BackgroundColour, &PolicyValues::backgroundColour},
    {Policy::BackgroundImage, &PolicyValues::backgroundImage},
    {Policy::TextColour, &PolicyValues::textColour},
    {Policy::UnvisitedLinkColour, &PolicyValues::unvisitedLinkColour},
    {Policy::VisitedLinkColour, &PolicyValues::visitedLinkColour},
    {Policy::ActiveLinkColour, &PolicyValues::activeLinkColour},
    {Policy::InputDirectory, &PolicyValues::inputDirectory},
    {Policy::OutputDirectory, &PolicyValues::outputDirectory},
    {Policy::OutputFileExtension, &PolicyValues::outputFileExtension},
    {Policy::DosFilenameRoot, &PolicyValues::dosFilenameRoot},
    {Policy::PolicyFileName, &PolicyValues::policyFileName},
    {Policy::StyleSheet, &PolicyValues::styleSheet},
    {Policy::HeadingsColour, &PolicyValues::headingsColour},
    {Policy::ExternalContentsName, &PolicyValues::externalContentsName},
    {Policy::DirectoryFilename, &PolicyValues::directoryFilename},
    {Policy::DirectoryReturnText, &PolicyValues::directoryReturnText},
    {Policy::DirectoryTitle, &PolicyValues::directoryTitle},
    {Policy::DirectoryKeywords, &PolicyValues::directoryKeywords},
    {Policy::DirectoryDescription, &PolicyValues::directoryDescription},
    {Policy::DirectoryScript, &PolicyValues::directoryScript},
    {Policy::DirectoryHeader, &PolicyValues::directoryHeader},
    {Policy::DirectoryFooter, &PolicyValues::directoryFooter},
    {Policy::LinkDictionaryFile, &PolicyValues::linkDictionaryFile},
};

// Flags whose policies span several fields; MergeGiven handles each by hand.
constexpr Policy kGroupPolicies[] = {
    Policy::IndentPositions, Policy::HangingPositions, Policy::DefinitionChars,
    Policy::Justification,   Policy::BulletChars,      Policy::HeadingStyles,
    Policy::UsenetGroups,    Policy::IncludedSections, Policy::SplitKnown,
    Policy::SplitLevel,      Policy::LinkDictionary,
};

static_assert(std::size(kIntPolicies) + std::size(kTextPolicies) + std::size(kGroupPolicies) ==
                  kPolicyCount,
              "every given flag is merged");

// Above this a tab stop cannot be produced: tabs expand from a run of eight
// blanks.
constexpr int kMaxTabSize = 8;
constexpr int kMinHeadingTag = 1;
constexpr int kMaxHeadingTag = 6;

}  // namespace

FC::FC() { Reset(true); }

FC::~FC() {
  // The sinks may capture objects that are already gone when the record is
  // destroyed: what is reported now goes to the standard streams.
  messageSink = nullptr;
  statusSink = nullptr;
  ReleaseLists();
}

bool FC::IsGiven(Policy policy) const {
  const int index = static_cast<int>(policy);
  return index >= 0 && index < kPolicyCount && given_.test(static_cast<size_t>(index));
}

void FC::SetGiven(Policy policy, bool given) {
  const int index = static_cast<int>(policy);
  if (index >= 0 && index < kPolicyCount) given_.set(static_cast<size_t>(index), given);
}

bool FC::AnyGiven() const { return given_.any(); }

int FC::OwnerKind() const { return owner != nullptr ? owner->outputKind : -1; }

void FC::SetProductName(bool fromOwner) {
  const int kind = fromOwner ? OwnerKind() : -1;
  if (kind == RunContext::kHtmlOutput) {
    productName.SetText("Webloom 3.0");
  } else if (kind == RunContext::kRtfOutput) {
    productName.SetText("Docloom 1.0");
  } else {
    productName.SetText("Anyloom ?.?");
  }
}

void FC::Reset(bool firstTime) {
  if (!firstTime) ReleaseLists();
  static_cast<PolicyValues&>(*this) = PolicyValues();
  given_.reset();
  tableConfigs_.clear();
  ResetDocumentState(firstTime);
  SetProductName(!firstTime);
  messageSink = nullptr;
  statusSink = nullptr;
  Normalise();
}

void FC::SetOwner(RunContext* newOwner) {
  owner = newOwner;
  SetProductName(true);
  Normalise();
}

void FC::ResetDocumentState(bool firstTime) {
  document = DocumentState();
  if (!firstTime && owner != nullptr) ChooseOutputExtension();
}

void FC::ReleaseLists() {
  usenetGroups.Clear();
  includedSections.Clear();
  linkDefinitions.clear();
  const size_t released = tableConfigs_.size();
  tableConfigs_.clear();
  if (released > 0) StatusMessage(("releasing " + std::to_string(released) + " tables").c_str());
}

void FC::ChooseOutputExtension() {
  if (OwnerKind() == RunContext::kRtfOutput) {
    outputExtension.SetText(".rtf");
  } else if (useDosFilenames) {
    outputExtension.SetText(".HTM");
    useHtmExtension = 1;
  } else if (useHtmExtension) {
    outputExtension.SetText(".htm");
  } else if (!outputFileExtension.IsEmpty()) {
    outputExtension = outputFileExtension;
  } else {
    outputExtension.SetText(".html");
  }
}

void FC::Normalise() {
  // 1. The RTF writer has no markup for definitions, split pages or a
  // contents list, so nothing may ask for them.
  if (OwnerKind() == RunContext::kRtfOutput) {
    searchForDefinitions = 0;
    dashDefinitions = 0;
    colonDefinitions = 0;
    splitKnown = 0;
    addContentsList = 0;
  }
  // 2. A line counts as centred when its margins differ by less than the
  // tolerance; below 2 a line with an odd number of free columns never
  // would. A tab stop below 2 makes no columns (4 is the usual width), and
  // tabs wider than eight cannot be produced (see kMaxTabSize).
  if (centringTolerance < 2) centringTolerance = 2;
  if (tabSize < 2) tabSize = 4;
  if (tabSize > kMaxTabSize) tabSize = kMaxTabSize;
  // 3. Giving a split level says whether to split, unless that was given too.
  if (IsGiven(Policy::SplitLevel) && !IsGiven(Policy::SplitKnown)) splitKnown = splitLevel > 0;
  // 4. Only a split document has pages to move between.
  addNavigationBar = splitKnown;
  // 5. "Keep it simple" keeps the layout clues that rarely mislead
  // (underlined headings) and drops the guesses, except the bullet kinds and
  // capitalised headings the user asked for by name. Given itself, it also
  // drops tables, the riskiest guess, and takes back their given flag, so the
  // policy file written does not record a choice the user never made.
  if (keepItSimple) {
    underlinedHeadings = 1;
    if (!IsGiven(Policy::NumberedBullets)) numberedBullets = 0;
    if (!IsGiven(Policy::AlphabeticBullets)) alphabeticBullets = 0;
    if (!IsGiven(Policy::RomanBullets)) romanBullets = 0;
    numberedHeadings = 0;
    useDefinitionLists = 0;
    expectContentsList = 0;
    if (!IsGiven(Policy::CapitalisedHeadings)) capitalisedHeadings = 0;
    // A table setting given beside it wins, so that a written policy file of
    // a document found simple (tables still attempted) reads back the same.
    if (IsGiven(Policy::KeepItSimple) && !IsGiven(Policy::AttemptTables)) attemptTables = 0;
  }
  // 6. The page extension follows from the output kind and the DOS-name
  // and extension policies.
  ChooseOutputExtension();
  // 7. A split document needs a contents list to reach its pages, unless
  // the user said otherwise.
  if (splitKnown && !IsGiven(Policy::AddContentsList)) addContentsList = 1;
  // 8. An existing contents list can only be used when one is expected.
  if (!expectContentsList) useExistingContents = 0;
  // 9. The document's own list is used instead of a generated one, so the
  // page does not list its headings twice.
  if (expectContentsList && useExistingContents && !IsGiven(Policy::AddContentsList)) {
    addContentsList = 0;
  }
  // 10. An external contents file is a contents list: asking for one
  // turns the list on, unless the document brings its own; without a list
  // there is nothing to put in it. A split document keeps its list on its
  // first page, which is the contents file already.
  if (!addContentsList) {
    if (IsGiven(Policy::ExternalContents) && externalContents) {
      if (!expectContentsList) addContentsList = 1;
    } else {
      externalContents = 0;
    }
  }
  if (addContentsList && splitKnown) externalContents = 0;
  // 11. HTML has <H1> to <H6> only; a smallest heading larger than the
  // largest contradicts itself, and both fall back to <H3>.
  smallestHeading = std::clamp(smallestHeading, kMinHeadingTag, kMaxHeadingTag);
  largestHeading = std::clamp(largestHeading, kMinHeadingTag, kMaxHeadingTag);
  if (smallestHeading < largestHeading) {
    smallestHeading = 3;
    largestHeading = 3;
  }
  // 12. The bullet test reads this one flag first: with no kind of bullet
  // enabled, no line is taken for a list item.
  bulletsExpected = (numberedBullets || alphabeticBullets || circleBullets || dashBullets ||
                     romanBullets || otherBulletCount > 0)
                        ? 1
                        : 0;
}

void FC::MergeGiven(const FC& from, bool markGiven) {
  if (&from == this) {
    Normalise();
    return;
  }
  auto take = [&](Policy policy) {
    if (!from.IsGiven(policy)) return false;
    if (markGiven) SetGiven(policy);
    return true;
  };

  for (const IntPolicy& p : kIntPolicies) {
    if (take(p.flag)) this->*p.value = from.*p.value;
  }
  for (const TextPolicy& p : kTextPolicies) {
    if (take(p.flag)) this->*p.value = from.*p.value;
  }

  // A list read as "none" (no positions) leaves the target's list alone.
  if (from.IsGiven(Policy::IndentPositions) && from.indentCount > 0) {
    take(Policy::IndentPositions);
    indentPositions = from.indentPositions;
    indentCount = from.indentCount;
    indentPositionsUsed = from.indentPositionsUsed;
  }
  if (take(Policy::HangingPositions)) {
    hangingPositions = from.hangingPositions;
    hangingCount = from.hangingCount;
    hangingPositionsUsed = from.hangingPositionsUsed;
  }
  if (take(Policy::DefinitionChars)) {
    dashDefinitions = from.dashDefinitions;
    dashStrong = from.dashStrong;
    colonDefinitions = from.colonDefinitions;
    colonStrong = from.colonStrong;
  }
  if (take(Policy::Justification)) {
    leftJustified = from.leftJustified;
    rightJustified = from.rightJustified;
  }
  if (take(Policy::BulletChars)) {
    otherBullets = from.otherBullets;
    otherBulletCount = from.otherBulletCount;
    otherBulletsUsed = from.otherBulletsUsed;
    dashBullets = from.dashBullets;
    circleBullets = from.circleBullets;
  }
  if (take(Policy::HeadingStyles)) {
    headingLevelCount = from.headingLevelCount;
    for (int i = 0; i < kHeadingLevels; ++i) {
      const auto level = static_cast<size_t>(i);
      headingStyles[level].CopyFrom(from.headingStyles[level]);
      contentsStyles[level].CopyFrom(from.contentsStyles[level]);
    }
  }
  if (take(Policy::UsenetGroups)) usenetGroups.AppendList(from.usenetGroups);
  if (take(Policy::IncludedSections)) includedSections.AppendList(from.includedSections);
  const bool splitGiven = from.IsGiven(Policy::SplitKnown) || from.IsGiven(Policy::SplitLevel);
  take(Policy::SplitKnown);
  take(Policy::SplitLevel);
  if (splitGiven) {
    splitLevel = from.splitLevel;
    splitKnown = from.splitKnown;
  }
  if (take(Policy::LinkDictionary)) linkDefinitions = from.linkDefinitions;

  tableDefaults.Overlay(from.tableDefaults, markGiven);
  Normalise();
}

void FC::CopyPolicies(const FC& from) {
  // Taken before the reset, which would empty `from` if it is this record.
  PolicyValues values = from;
  Reset(false);
  // The pass flags say which pass runs this record; they are not policies.
  values.analysisPass = analysisPass;
  values.contentsPass = contentsPass;
  values.outputPass = outputPass;
  values.sparePass = sparePass;
  static_cast<PolicyValues&>(*this) = std::move(values);
  tableDefaults.ClearGiven();
  Normalise();
}

int FC::Message(const char* text, int importance) const {
  // 64-bit, so that no errorLevel overflows the threshold.
  if (static_cast<long long>(importance) < 10LL - errorLevel) return 0;
  const char* shown = text != nullptr ? text : "";
  if (messageSink) {
    messageSink(shown);
  } else {
    ReportError(shown);
  }
  return 1;
}

int FC::Message(const TextString& text, int importance) const {
  return Message(text.GetText(), importance);
}

void FC::StatusMessage(const char* text) const {
  const char* shown = text != nullptr ? text : "";
  if (statusSink) {
    statusSink(shown);
  } else {
    std::printf("%s\n", shown);
  }
}

void FC::StatusMessage(const TextString& text) const { StatusMessage(text.GetText()); }

bool FC::IsSectionIncluded() const {
  const TextString& section = document.currentSection;
  if (!usePreprocessor || section.IsEmpty() || section.IsEqual(TextString("all"), false)) {
    return true;
  }
  return includedSections.Find(section.GetText()) >= 0 || includedSections.Find("all") >= 0;
}

void FC::SetCurrentSection(const TextString& name) {
  document.currentSection = name;
  document.sectionIncluded = IsSectionIncluded() ? 1 : 0;
}

int FC::CreateNewTabConfig() {
  if (!IsOutputPass()) {
    ReportError("FC::CreateNewTabConfig called out of sequence");
    return 0;
  }
  TableConfig config;
  config.Overlay(tableDefaults);
  tableConfigs_.push_back(std::move(config));
  return 1;
}

int FC::DeleteOldTabConfig() {
  if (!IsOutputPass()) {
    ReportError("FC::DeleteOldTabConfig called out of sequence");
    return 0;
  }
  if (tableConfigs_.empty()) {
    ReportError("Unexpected NumTabConfigs = 0");
    return 0;
  }
  tableConfigs_.pop_front();
  return 1;
}

int FC::DiscardNewestTabConfig() {
  if (tableConfigs_.empty()) return 0;
  tableConfigs_.pop_back();
  return 1;
}

TableConfig& FC::CurrentTableConfig() {
  return tableConfigs_.empty() ? tableDefaults : tableConfigs_.back();
}

TableConfig& FC::OldestTableConfig() {
  return tableConfigs_.empty() ? tableDefaults : tableConfigs_.front();
}
