#include "policy/PolicyKeywords.h"

#include <array>

namespace {

using Field = TableConfig::Field;
using PV = PolicyValues;

constexpr PolicyKeyword Bool(const char* keyword, Policy flag, int PV::*number) {
  return {keyword, KeywordKind::Bool, flag, number};
}

constexpr PolicyKeyword Int(const char* keyword, Policy flag, int PV::*number) {
  return {keyword, KeywordKind::Int, flag, number};
}

constexpr PolicyKeyword Text(const char* keyword, Policy flag, TextString PV::*text) {
  return {keyword, KeywordKind::Text, flag, nullptr, text};
}

constexpr PolicyKeyword TableBool(const char* keyword, Field field, int TableConfig::*number) {
  return {keyword, KeywordKind::Bool, Policy::Count, nullptr, nullptr, field, number};
}

constexpr PolicyKeyword TableInt(const char* keyword, Field field, int TableConfig::*number) {
  return {keyword, KeywordKind::Int, Policy::Count, nullptr, nullptr, field, number};
}

constexpr PolicyKeyword TableText(const char* keyword, Field field, TextString TableConfig::*text) {
  return {keyword, KeywordKind::Text, Policy::Count, nullptr, nullptr, field, nullptr, text};
}

constexpr PolicyKeyword Special(const char* keyword, KeywordKind kind) { return {keyword, kind}; }

// The order is part of the file format: see PolicyKeywords().
constexpr std::array kKeywords{
    Special("Indent position(s)", KeywordKind::IndentPositions),
    Special("Hanging paragraph position(s)", KeywordKind::HangingPositions),
    Bool("Search for definitions", Policy::SearchForDefinitions, &PV::searchForDefinitions),
    Special("Definition Char", KeywordKind::DefinitionChars),
    Int("Page width", Policy::PageWidth, &PV::pageWidth),
    Int("Tab Size", Policy::TabSize, &PV::tabSize),
    Special("Text justification", KeywordKind::Justification),
    Bool("Create hyperlinks", Policy::CreateHyperlinks, &PV::createHyperlinks),
    Bool("Create mailto links", Policy::CreateMailtoLinks, &PV::createMailtoLinks),
    Bool("Create NEWS links", Policy::CreateNewsLinks, &PV::createNewsLinks),
    Bool("Search for emphasis", Policy::SearchForEmphasis, &PV::searchForEmphasis),
    Bool("Only use known groups", Policy::OnlyKnownGroups, &PV::onlyKnownGroups),
    Bool("Add <BR> to lines with URLs", Policy::AddBreakToUrlLines, &PV::addBreakToUrlLines),
    Special("Recognised USENET groups", KeywordKind::UsenetGroups),
    Int("Cross-refs at level", Policy::CrossRefLevel, &PV::crossRefLevel),
    Bool("Expect Contents list", Policy::ExpectContentsList, &PV::expectContentsList),
    Bool("Generate external contents file", Policy::ExternalContents, &PV::externalContents),
    Bool("Use any existing contents list", Policy::UseExistingContents, &PV::useExistingContents),
    Text("External contents list filename", Policy::ExternalContentsName,
         &PV::externalContentsName),
    Text("Directory filename", Policy::DirectoryFilename, &PV::directoryFilename),
    Bool("make Directory", Policy::MakeDirectory, &PV::makeDirectory),
    Bool("show file titles in Directory", Policy::ShowFileTitles, &PV::showFileTitles),
    Bool("indent headings in Directory", Policy::IndentDirectoryHeadings,
         &PV::indentDirectoryHeadings),
    Text("Directory title", Policy::DirectoryTitle, &PV::directoryTitle),
    Text("Directory keywords", Policy::DirectoryKeywords, &PV::directoryKeywords),
    Text("Directory description", Policy::DirectoryDescription, &PV::directoryDescription),
    Text("Directory return hyperlink text", Policy::DirectoryReturnText,
         &PV::directoryReturnText),
    Text("Directory Script File", Policy::DirectoryScript, &PV::directoryScript),
    Text("Directory Header", Policy::DirectoryHeader, &PV::directoryHeader),
    Text("Directory Footer", Policy::DirectoryFooter, &PV::directoryFooter),
    Text("Output policy filename", Policy::PolicyFileName, &PV::policyFileName),
    Bool("output policy file", Policy::WritePolicyFile, &PV::writePolicyFile),
    Bool("Generate diagnostics files", Policy::DiagnosticsFiles, &PV::diagnosticsFiles),
    Int("Error reporting level", Policy::ErrorLevel, &PV::errorLevel),
    Bool("Expect blank lines", Policy::ExpectBlankLines, &PV::expectBlankLines),
    Int("new paragraph offset", Policy::NewParagraphOffset, &PV::newParagraphOffset),
    Int("First Section Number", Policy::FirstSectionNumber, &PV::firstSectionNumber),
    Bool("expect numbered headings", Policy::NumberedHeadings, &PV::numberedHeadings),
    Bool("expect underlined headings", Policy::UnderlinedHeadings, &PV::underlinedHeadings),
    Bool("expect capitalised headings", Policy::CapitalisedHeadings, &PV::capitalisedHeadings),
    Bool("expect second word headings", Policy::SecondWordHeadings, &PV::secondWordHeadings),
    Special("recognised headings", KeywordKind::HeadingCount),
    Special("Heading level", KeywordKind::HeadingStyle),
    Special("Contents level", KeywordKind::ContentsStyle),
    Bool("expect numbered bullets", Policy::NumberedBullets, &PV::numberedBullets),
    Bool("expect alphabetic bullets", Policy::AlphabeticBullets, &PV::alphabeticBullets),
    Bool("expect roman numeral bullets", Policy::RomanBullets, &PV::romanBullets),
    Special("bullet char", KeywordKind::BulletChar),
    Text("Document Style Sheet", Policy::StyleSheet, &PV::styleSheet),
    Bool("highlight definition text", Policy::HighlightDefinitions, &PV::highlightDefinitions),
    Bool("Use <DL> markup for defn. paras", Policy::UseDefinitionLists, &PV::useDefinitionLists),
    Bool("Use <P> markup for paragraphs", Policy::UseParagraphMarkup, &PV::useParagraphMarkup),
    Bool("Allow automatic centring", Policy::AllowCentring, &PV::allowCentring),
    Int("Automatic centring tolerance", Policy::CentringTolerance, &PV::centringTolerance),
    Bool("Allow definitions inside PRE", Policy::DefinitionsInsidePre, &PV::definitionsInsidePre),
    Int("Smallest allowed <Hn> tag", Policy::SmallestHeading, &PV::smallestHeading),
    Int("Largest allowed <Hn> tag", Policy::LargestHeading, &PV::largestHeading),
    Text("Headings colour", Policy::HeadingsColour, &PV::headingsColour),
    Bool("Ignore multiple blank lines", Policy::IgnoreMultipleBlankLines,
         &PV::ignoreMultipleBlankLines),
    Text("Document title", Policy::DocumentTitle, &PV::documentTitle),
    Bool("Use first heading as title", Policy::FirstHeadingAsTitle, &PV::firstHeadingAsTitle),
    Bool("Use first line as title", Policy::FirstLineAsTitle, &PV::firstLineAsTitle),
    Text("Document keywords", Policy::DocumentKeywords, &PV::documentKeywords),
    Text("Document description", Policy::DocumentDescription, &PV::documentDescription),
    Text("HTML Script File", Policy::ScriptFile, &PV::scriptFile),
    Text("HTML Header", Policy::HeaderFile, &PV::headerFile),
    Text("HTML Footer", Policy::FooterFile, &PV::footerFile),
    Text("Text colour", Policy::TextColour, &PV::textColour),
    Text("Unvisited Link colour", Policy::UnvisitedLinkColour, &PV::unvisitedLinkColour),
    Text("Visited Link colour", Policy::VisitedLinkColour, &PV::visitedLinkColour),
    Text("Active Link colour", Policy::ActiveLinkColour, &PV::activeLinkColour),
    Text("Background colour", Policy::BackgroundColour, &PV::backgroundColour),
    Text("Background Image", Policy::BackgroundImage, &PV::backgroundImage),
    Bool("Keep it simple", Policy::KeepItSimple, &PV::keepItSimple),
    Int("Min chapter size", Policy::MinChapterSize, &PV::minChapterSize),
    Int("Short line length", Policy::ShortLineLength, &PV::shortLineLength),
    Bool("expect code samples", Policy::ExpectCodeSamples, &PV::expectCodeSamples),
    Bool("add contents list", Policy::AddContentsList, &PV::addContentsList),
    Bool("hyperlinks on numbers", Policy::LinksOnNumbers, &PV::linksOnNumbers),
    Special("Split Level", KeywordKind::SplitLevel),
    Int("Min HTML File size", Policy::MinHtmlFileSize, &PV::minHtmlFileSize),
    Bool("add navigation bar", Policy::AddNavigationBar, &PV::addNavigationBar),
    Bool("Use .HTM extension", Policy::UseHtmExtension, &PV::useHtmExtension),
    Text("Output file extension", Policy::OutputFileExtension, &PV::outputFileExtension),
    Bool("use DOS filenames", Policy::UseDosFilenames, &PV::useDosFilenames),
    PolicyKeyword{"DOS filename root", KeywordKind::CutText, Policy::DosFilenameRoot, nullptr,
                  &PV::dosFilenameRoot},
    Bool("Minimise HTML file size", Policy::MinimiseHtml, &PV::minimiseHtml),
    Text("output directory", Policy::OutputDirectory, &PV::outputDirectory),
    Text("input directory", Policy::InputDirectory, &PV::inputDirectory),
    Bool("Use Preprocessor", Policy::UsePreprocessor, &PV::usePreprocessor),
    PolicyKeyword{"Minimum automatic <PRE> size", KeywordKind::PlainNumber, Policy::MinPreSize,
                  &PV::minPreSize},
    Bool("Attempt TABLE generation", Policy::AttemptTables, &PV::attemptTables),
    TableBool("Use <CODE>..</CODE> markup", Field::UseCodeMarkup, &TableConfig::useCodeMarkup),
    TableInt("Default TABLE border size", Field::BorderSize, &TableConfig::borderSize),
    TableInt("Default TABLE header rows", Field::HeaderRows, &TableConfig::headerRows),
    TableInt("Default TABLE header cols", Field::HeaderCols, &TableConfig::headerCols),
    TableInt("Default TABLE cell spacing", Field::CellSpacing, &TableConfig::cellSpacing),
    TableInt("Default TABLE cell padding", Field::CellPadding, &TableConfig::cellPadding),
    TableText("Default TABLE colour", Field::Colour, &TableConfig::colour),
    TableText("Default TABLE border colour", Field::BorderColour, &TableConfig::borderColour),
    TableText("Default TABLE width", Field::Width, &TableConfig::width),
    TableBool("Convert TABLE X-refs to links", Field::XrefsToLinks, &TableConfig::xrefsToLinks),
    TableInt("Minimum TABLE column separation", Field::MinColumnSeparation,
             &TableConfig::minColumnSeparation),
    TableBool("Expect sparse tables", Field::SparseTables, &TableConfig::sparseTables),
    Special("Link definition", KeywordKind::LinkDefinition),
    // After "Link definition": a link's own text may name it.
    Bool("Remove page headers and footers", Policy::RemovePageFurniture,
         &PV::removePageFurniture),
};

static_assert(kKeywords.size() == 106, "the policy-file format has 106 keywords");

}  // namespace

std::span<const PolicyKeyword> PolicyKeywords() { return kKeywords; }
