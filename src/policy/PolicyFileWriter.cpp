// FC::WritePolicyFile and FC::GetPolicyFileName: the policy file a
// conversion or the policy editor writes, laid out so that the reader
// (PolicyFileReader.cpp) takes it back.

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "policy/FC.h"
#include "text/LineFile.h"

namespace {

// Labels are padded to this width, so every value starts in column 36.
constexpr size_t kLabelWidth = 33;

// The extension of the input name is replaced only when it is this short.
constexpr size_t kMaxExtensionLength = 4;

using Field = TableConfig::Field;

// Writes the lines of one policy file. In changed-only mode a line is written
// only when its given flag is set, a section line or a group's leading empty
// line only when one of its flags is.
class PolicyFileWriter {
 public:
  PolicyFileWriter(const FC& policy, LineFile& file, bool all)
      : policy_(policy), file_(file), all_(all) {}

  PolicyFileWriter(const PolicyFileWriter&) = delete;
  PolicyFileWriter& operator=(const PolicyFileWriter&) = delete;

  // True when every line was written.
  bool Succeeded() const { return succeeded_; }

  bool Wants(std::initializer_list<Policy> flags) const {
    return all_ || std::any_of(flags.begin(), flags.end(),
                               [this](Policy flag) { return policy_.IsGiven(flag); });
  }

  bool WantsTable(Field field) const { return all_ || policy_.tableDefaults.IsGiven(field); }

  // Every section but the first is set off by two empty lines.
  void Section(const char* name, bool wanted, bool first = false) {
    if (!wanted) return;
    if (!first) {
      Write("");
      Write("");
    }
    Write(name);
    Write("");
  }

  void Group(bool wanted) {
    if (wanted) Write("");
  }

  void Line(const char* label, std::string_view value) {
    TextString line(label);
    const size_t length = line.View().size();
    if (length < kLabelWidth) line.AppendText(std::string(kLabelWidth - length, ' '));
    line.AppendText(": ");
    line.AppendText(value);
    Write(line.GetText());
  }

  void Bool(const char* label, int value, bool wanted) {
    if (wanted) Line(label, value ? "Yes" : "No");
  }

  // A number, or "(none)" when `unset`; `blankAfter` adds the blank the
  // format has always had after most numbers.
  void Number(const char* label, int value, bool blankAfter, bool unset, bool wanted) {
    if (!wanted) return;
    if (unset) {
      Line(label, "(none)");
      return;
    }
    TextString text;
    text.AppendNumber(value, blankAfter);
    Line(label, text.View());
  }

  void Text(const char* label, const TextString& value, bool wanted) {
    if (wanted) Line(label, value.IsEmpty() ? std::string_view("(none)") : value.View());
  }

  void Words(const char* label, const WordList& words, bool wanted) {
    Text(label, words.Join(" "), wanted);
  }

  void Write(const char* text) {
    if (!file_.WriteText(text)) succeeded_ = false;
  }

 private:
  const FC& policy_;
  LineFile& file_;
  const bool all_;
  bool succeeded_ = true;
};

// The `count` first positions, each followed by a blank; "(none)" when the
// list is not in use.
void WritePositions(PolicyFileWriter& out, const char* label,
                    const std::array<int, PolicyValues::kMaxPositions>& positions, int count,
                    int used, bool wanted) {
  if (!wanted) return;
  if (!used) {
    out.Line(label, "(none)");
    return;
  }
  TextString text;
  const int shown = std::clamp(count, 0, PolicyValues::kMaxPositions);
  for (int i = 0; i < shown; ++i) text.AppendNumber(positions[static_cast<size_t>(i)], true);
  out.Line(label, text.View());
}

void WriteGeneralAnalysis(const FC& p, PolicyFileWriter& out) {
  out.Section("[General Analysis]", out.Wants({Policy::IndentPositions, Policy::HangingPositions}),
              true);
  WritePositions(out, "Indent position(s)", p.indentPositions, p.indentCount,
                 p.indentPositionsUsed, out.Wants({Policy::IndentPositions}));
  WritePositions(out, "Hanging paragraph position(s)", p.hangingPositions, p.hangingCount,
                 p.hangingPositionsUsed, out.Wants({Policy::HangingPositions}));

  out.Group(out.Wants({Policy::SearchForDefinitions, Policy::DefinitionChars}));
  out.Bool("Search for definitions", p.searchForDefinitions,
           out.Wants({Policy::SearchForDefinitions}));
  if (out.Wants({Policy::DefinitionChars})) {
    if (!p.dashDefinitions && !p.colonDefinitions) out.Line("Definition Char", "(none)");
    if (p.dashDefinitions) out.Line("Definition Char", p.dashStrong ? "'-' (strong)" : "'-' (weak)");
    if (p.colonDefinitions) {
      out.Line("Definition Char", p.colonStrong ? "':' (strong)" : "':' (weak)");
    }
  }

  out.Group(out.Wants({Policy::PageWidth, Policy::TabSize, Policy::Justification}));
  out.Number("Page width", p.pageWidth, true, false, out.Wants({Policy::PageWidth}));
  out.Number("Tab size", p.tabSize, true, false, out.Wants({Policy::TabSize}));
  if (out.Wants({Policy::Justification})) {
    const char* justification = "(none)";
    if (p.leftJustified && p.rightJustified) {
      justification = "Centre";
    } else if (p.leftJustified) {
      justification = "Left";
    } else if (p.rightJustified) {
      justification = "Right";
    }
    out.Line("Text Justification", justification);
  }

  out.Group(out.Wants({Policy::ExpectBlankLines, Policy::NewParagraphOffset}));
  out.Bool("Expect blank lines between paras", p.expectBlankLines,
           out.Wants({Policy::ExpectBlankLines}));
  out.Number("New Paragraph Offset", p.newParagraphOffset, true, p.newParagraphOffset <= 0,
             out.Wants({Policy::NewParagraphOffset}));

  out.Group(out.Wants({Policy::KeepItSimple, Policy::MinChapterSize, Policy::ShortLineLength,
                       Policy::ExpectCodeSamples}));
  out.Bool("Keep it simple", p.keepItSimple, out.Wants({Policy::KeepItSimple}));
  out.Number("Min chapter size", p.minChapterSize, true, p.minChapterSize <= 0,
             out.Wants({Policy::MinChapterSize}));
  // The unset form has always been spelt with a lower-case "line".
  out.Number(p.shortLineLength <= 0 ? "Short line length" : "Short Line length",
             p.shortLineLength, true, p.shortLineLength <= 0,
             out.Wants({Policy::ShortLineLength}));
  out.Bool("Expect code samples", p.expectCodeSamples, out.Wants({Policy::ExpectCodeSamples}));

  out.Group(out.Wants({Policy::RemovePageFurniture}));
  out.Bool("Remove page headers and footers", p.removePageFurniture,
           out.Wants({Policy::RemovePageFurniture}));
}

void WriteBullets(const FC& p, PolicyFileWriter& out) {
  out.Section("[Bullets]", out.Wants({Policy::NumberedBullets, Policy::AlphabeticBullets,
                                      Policy::RomanBullets, Policy::BulletChars}));
  out.Bool("Expect Numbered bullets", p.numberedBullets, out.Wants({Policy::NumberedBullets}));
  out.Bool("Expect alphabetic bullets", p.alphabeticBullets,
           out.Wants({Policy::AlphabeticBullets}));
  out.Bool("Expect Roman Numeral bullets", p.romanBullets, out.Wants({Policy::RomanBullets}));

  const bool wanted = out.Wants({Policy::BulletChars});
  out.Group(wanted);
  if (!wanted) return;
  if (!p.dashBullets && !p.circleBullets && p.otherBulletCount < 1) {
    out.Line("Bullet Char", "(none)");
  }
  if (p.dashBullets) out.Line("Bullet Char", "'-'");
  if (p.circleBullets) out.Line("Bullet Char", "'o'");
  if (!p.otherBulletsUsed) return;
  const int count = std::clamp(p.otherBulletCount, 0, PolicyValues::kMaxOtherBullets);
  for (int i = 0; i < count; ++i) {
    TextString quoted("'");
    quoted.AppendChar(p.otherBullets[static_cast<size_t>(i)]);
    quoted.AppendText("'");
    out.Line("Bullet Char", quoted.View());
  }
}

void WriteStyles(PolicyFileWriter& out, const char* prefix,
                 const std::array<HeadingStyle, PolicyValues::kHeadingLevels>& styles,
                 int count) {
  for (int i = 0; i < count; ++i) {
    TextString line(prefix);
    line.AppendNumber(i, false);
    line.AppendText(" = ");
    line.AppendText(styles[static_cast<size_t>(i)].TextForm(i).View());
    out.Write(line.GetText());
  }
}

void WriteHeadings(const FC& p, PolicyFileWriter& out) {
  out.Section("[Headings]",
              out.Wants({Policy::FirstSectionNumber, Policy::NumberedHeadings,
                         Policy::UnderlinedHeadings, Policy::CapitalisedHeadings,
                         Policy::HeadingStyles}));
  out.Number("First Section Number", p.firstSectionNumber, true, false,
             out.Wants({Policy::FirstSectionNumber}));
  out.Bool("Expect Numbered Headings", p.numberedHeadings, out.Wants({Policy::NumberedHeadings}));
  out.Bool("Expect Underlined Headings", p.underlinedHeadings,
           out.Wants({Policy::UnderlinedHeadings}));
  out.Bool("Expect Capitalised Headings", p.capitalisedHeadings,
           out.Wants({Policy::CapitalisedHeadings}));
  const bool styles = out.Wants({Policy::HeadingStyles});
  out.Bool("Expect Second Word Headings", p.secondWordHeadings, styles);
  if (!styles) return;

  out.Write("");
  TextString count("We have ");
  count.AppendNumber(p.headingLevelCount, true);
  count.AppendText(" recognised headings");
  out.Write(count.GetText());
  // Only the six styles the record holds can be written.
  const int levels = std::clamp(p.headingLevelCount, 0, PolicyValues::kHeadingLevels);
  WriteStyles(out, "    Heading level ", p.headingStyles, levels);
  WriteStyles(out, "    Contents level ", p.contentsStyles, levels);
}

void WriteAddedHtml(const FC& p, PolicyFileWriter& out) {
  out.Section("[Added HTML]",
              out.Wants({Policy::DocumentTitle, Policy::FirstHeadingAsTitle,
                         Policy::FirstLineAsTitle, Policy::DocumentKeywords,
                         Policy::DocumentDescription, Policy::ScriptFile, Policy::HeaderFile,
                         Policy::FooterFile, Policy::TextColour, Policy::BackgroundColour,
                         Policy::BackgroundImage, Policy::UnvisitedLinkColour,
                         Policy::VisitedLinkColour, Policy::ActiveLinkColour}));
  out.Text("Document title", p.documentTitle, out.Wants({Policy::DocumentTitle}));
  out.Bool("Use first heading as title", p.firstHeadingAsTitle,
           out.Wants({Policy::FirstHeadingAsTitle}));
  out.Bool("Use first line as title", p.firstLineAsTitle, out.Wants({Policy::FirstLineAsTitle}));
  out.Text("Document keywords", p.documentKeywords, out.Wants({Policy::DocumentKeywords}));
  out.Text("Document description", p.documentDescription,
           out.Wants({Policy::DocumentDescription}));
  out.Text("HTML Script file", p.scriptFile, out.Wants({Policy::ScriptFile}));
  out.Text("HTML header file", p.headerFile, out.Wants({Policy::HeaderFile}));
  out.Text("HTML footer file", p.footerFile, out.Wants({Policy::FooterFile}));
  out.Text("Text Colour", p.textColour, out.Wants({Policy::TextColour}));
  out.Text("Background Colour", p.backgroundColour, out.Wants({Policy::BackgroundColour}));
  out.Text("Background Image", p.backgroundImage, out.Wants({Policy::BackgroundImage}));
  out.Text("Unvisited Link Colour", p.unvisitedLinkColour,
           out.Wants({Policy::UnvisitedLinkColour}));
  out.Text("Visited Link Colour", p.visitedLinkColour, out.Wants({Policy::VisitedLinkColour}));
  out.Text("Active Link Colour", p.activeLinkColour, out.Wants({Policy::ActiveLinkColour}));
}

void WriteHyperlinks(const FC& p, PolicyFileWriter& out) {
  out.Section("[Hyperlinks]",
              out.Wants({Policy::CreateHyperlinks, Policy::CreateMailtoLinks,
                         Policy::CreateNewsLinks, Policy::OnlyKnownGroups, Policy::UsenetGroups,
                         Policy::AddBreakToUrlLines, Policy::CrossRefLevel}));
  out.Bool("Create hyperlinks", p.createHyperlinks, out.Wants({Policy::CreateHyperlinks}));
  out.Bool("Create mailto links", p.createMailtoLinks, out.Wants({Policy::CreateMailtoLinks}));
  out.Bool("Create NEWS links", p.createNewsLinks, out.Wants({Policy::CreateNewsLinks}));
  out.Bool("Only use known groups", p.onlyKnownGroups, out.Wants({Policy::OnlyKnownGroups}));
  out.Words("Recognised USENET groups", p.usenetGroups, out.Wants({Policy::UsenetGroups}));
  out.Bool("Add <BR> to lines with URLs", p.addBreakToUrlLines,
           out.Wants({Policy::AddBreakToUrlLines}));
  out.Number("Cross-refs at level", p.crossRefLevel, true, p.crossRefLevel <= 0,
             out.Wants({Policy::CrossRefLevel}));
}

void WriteFileGeneration(const FC& p, PolicyFileWriter& out) {
  out.Section("[File generation]",
              out.Wants({Policy::InputDirectory, Policy::OutputDirectory, Policy::UseHtmExtension,
                         Policy::OutputFileExtension, Policy::UseDosFilenames,
                         Policy::DosFilenameRoot, Policy::SplitKnown, Policy::SplitLevel,
                         Policy::MinHtmlFileSize, Policy::AddNavigationBar, Policy::MinimiseHtml,
                         Policy::ErrorLevel}));
  out.Bool("Use .HTM extension", p.useHtmExtension, out.Wants({Policy::UseHtmExtension}));
  out.Text("Output file extension", p.outputFileExtension,
           out.Wants({Policy::OutputFileExtension}));

  const bool dos = out.Wants({Policy::UseDosFilenames, Policy::DosFilenameRoot});
  out.Group(dos);
  out.Bool("Use DOS filenames", p.useDosFilenames, dos);
  out.Text("DOS filename root", p.dosFilenameRoot, dos);

  out.Group(out.Wants({Policy::SplitKnown, Policy::SplitLevel, Policy::MinHtmlFileSize,
                       Policy::AddNavigationBar}));
  out.Number("Split level", p.splitLevel, true, !p.splitKnown || p.splitLevel < 1,
             out.Wants({Policy::SplitKnown, Policy::SplitLevel}));
  out.Number("Min HTML File size", p.minHtmlFileSize, true, p.minHtmlFileSize <= 0,
             out.Wants({Policy::MinHtmlFileSize}));
  out.Bool("Add navigation bar", p.splitKnown && p.addNavigationBar,
           out.Wants({Policy::SplitKnown, Policy::AddNavigationBar}));
  out.Bool("Minimise HTML file size", p.minimiseHtml, out.Wants({Policy::MinimiseHtml}));
  out.Number("Error reporting level", p.errorLevel, true, p.errorLevel < 0,
             out.Wants({Policy::ErrorLevel}));
}

void WriteContents(const FC& p, PolicyFileWriter& out) {
  out.Section("[Contents]", out.Wants({Policy::AddContentsList, Policy::ExpectContentsList,
                                       Policy::UseExistingContents, Policy::ExternalContents,
                                       Policy::ExternalContentsName, Policy::LinksOnNumbers}));
  out.Bool("Add contents list", p.addContentsList, out.Wants({Policy::AddContentsList}));
  out.Bool("Expect Contents List", p.expectContentsList, out.Wants({Policy::ExpectContentsList}));
  out.Bool("Use any existing contents list", p.useExistingContents,
           out.Wants({Policy::UseExistingContents}));
  out.Bool("Generate external contents file", p.externalContents,
           out.Wants({Policy::ExternalContents}));
  out.Text("External contents list filename", p.externalContentsName,
           out.Wants({Policy::ExternalContentsName}));
  out.Bool("Hyperlinks on numbers", p.linksOnNumbers, out.Wants({Policy::LinksOnNumbers}));
}

void WriteDirectoryPage(const FC& p, PolicyFileWriter& out) {
  out.Section("[Directory Page]",
              out.Wants({Policy::MakeDirectory, Policy::DirectoryFilename, Policy::ShowFileTitles,
                         Policy::IndentDirectoryHeadings, Policy::DirectoryTitle,
                         Policy::DirectoryKeywords, Policy::DirectoryDescription,
                         Policy::DirectoryReturnText, Policy::DirectoryScript,
                         Policy::DirectoryHeader, Policy::DirectoryFooter}));
  out.Bool("Make Directory", p.makeDirectory, out.Wants({Policy::MakeDirectory}));
  out.Text("Directory filename", p.directoryFilename, out.Wants({Policy::DirectoryFilename}));
  out.Bool("Show file titles in Directory", p.showFileTitles, out.Wants({Policy::ShowFileTitles}));
  out.Bool("Indent headings in Directory", p.indentDirectoryHeadings,
           out.Wants({Policy::IndentDirectoryHeadings}));
  out.Text("Directory title", p.directoryTitle, out.Wants({Policy::DirectoryTitle}));
  out.Text("Directory keywords", p.directoryKeywords, out.Wants({Policy::DirectoryKeywords}));
  out.Text("Directory description", p.directoryDescription,
           out.Wants({Policy::DirectoryDescription}));
  out.Text("Directory return hyperlink text", p.directoryReturnText,
           out.Wants({Policy::DirectoryReturnText}));
  out.Text("Directory Script file", p.directoryScript, out.Wants({Policy::DirectoryScript}));
  out.Text("Directory header file", p.directoryHeader, out.Wants({Policy::DirectoryHeader}));
  out.Text("Directory footer file", p.directoryFooter, out.Wants({Policy::DirectoryFooter}));
}

void WritePreprocessor(const FC& p, PolicyFileWriter& out) {
  out.Section("[Preprocessor]", out.Wants({Policy::UsePreprocessor, Policy::IncludedSections}));
  out.Bool("Use Preprocessor", p.usePreprocessor, out.Wants({Policy::UsePreprocessor}));
  out.Words("Include document section(s)", p.includedSections,
            out.Wants({Policy::IncludedSections}));
}

void WriteStyle(const FC& p, PolicyFileWriter& out) {
  out.Section("[Style]",
              out.Wants({Policy::StyleSheet, Policy::HighlightDefinitions,
                         Policy::UseParagraphMarkup, Policy::UseDefinitionLists,
                         Policy::AllowCentring, Policy::CentringTolerance, Policy::SmallestHeading,
                         Policy::LargestHeading, Policy::HeadingsColour,
                         Policy::IgnoreMultipleBlankLines, Policy::SearchForEmphasis,
                         Policy::DefinitionsInsidePre}));
  out.Text("Document Style Sheet", p.styleSheet, out.Wants({Policy::StyleSheet}));
  out.Bool("Highlight Definition Text", p.highlightDefinitions,
           out.Wants({Policy::HighlightDefinitions}));
  out.Bool("Use <P> markup for paragraphs", p.useParagraphMarkup,
           out.Wants({Policy::UseParagraphMarkup}));
  out.Bool("Use <DL> markup for defn. paras", p.useDefinitionLists,
           out.Wants({Policy::UseDefinitionLists}));
  out.Bool("Allow automatic centring", p.allowCentring, out.Wants({Policy::AllowCentring}));
  out.Number("Automatic centring tolerance", p.centringTolerance, true, p.centringTolerance <= 0,
             out.Wants({Policy::CentringTolerance}));
  // The two tag limits only make sense together.
  const bool tags = out.Wants({Policy::SmallestHeading, Policy::LargestHeading});
  out.Number("Smallest allowed <Hn> tag", p.smallestHeading, false, false, tags);
  out.Number("Largest allowed <Hn> tag", p.largestHeading, false, false, tags);
  out.Text("Headings Colour", p.headingsColour, out.Wants({Policy::HeadingsColour}));
  out.Bool("Ignore multiple blank lines", p.ignoreMultipleBlankLines,
           out.Wants({Policy::IgnoreMultipleBlankLines}));
  out.Bool("Search for emphasis", p.searchForEmphasis, out.Wants({Policy::SearchForEmphasis}));
  out.Bool("Allow definitions inside PRE", p.definitionsInsidePre,
           out.Wants({Policy::DefinitionsInsidePre}));
}

void WriteTables(const FC& p, PolicyFileWriter& out) {
  const TableConfig& t = p.tableDefaults;
  out.Section("[Table generation]", out.Wants({Policy::AttemptTables}) || t.AnyGiven());
  out.Bool("Use <CODE>..</CODE> markup", t.useCodeMarkup, out.WantsTable(Field::UseCodeMarkup));
  out.Bool("Attempt TABLE generation", p.attemptTables, out.Wants({Policy::AttemptTables}));
  // Border, spacing and padding not given are decided per table: "(none)"
  // says so, where the record's placeholder value would fix them when read.
  const auto open = [&t](Field field, int value) { return !t.IsGiven(field) || value < 0; };
  out.Number("Default TABLE border size", t.borderSize, true, open(Field::BorderSize, t.borderSize),
             out.WantsTable(Field::BorderSize));
  out.Number("Default TABLE header rows", t.headerRows, true, t.headerRows <= 0,
             out.WantsTable(Field::HeaderRows));
  out.Number("Default TABLE header cols", t.headerCols, true, t.headerCols <= 0,
             out.WantsTable(Field::HeaderCols));
  out.Number("Default TABLE cell spacing", t.cellSpacing, true,
             open(Field::CellSpacing, t.cellSpacing), out.WantsTable(Field::CellSpacing));
  out.Number("Default TABLE cell padding", t.cellPadding, true,
             open(Field::CellPadding, t.cellPadding), out.WantsTable(Field::CellPadding));
  out.Text("Default TABLE colour", t.colour, out.WantsTable(Field::Colour));
  out.Text("Default TABLE border colour", t.borderColour, out.WantsTable(Field::BorderColour));
  out.Text("Default TABLE caption", t.caption, out.WantsTable(Field::Caption));
  out.Text("Default TABLE width", t.width, out.WantsTable(Field::Width));
  out.Bool("Convert TABLE X-refs to links", t.xrefsToLinks, out.WantsTable(Field::XrefsToLinks));
  out.Number("Minimum TABLE column separation", t.minColumnSeparation, true,
             t.minColumnSeparation <= 0, out.WantsTable(Field::MinColumnSeparation));
  out.Bool("Expect sparse tables", t.sparseTables, out.WantsTable(Field::SparseTables));
}

}  // namespace

int FC::WritePolicyFile(LineFile& file, bool all) const {
  PolicyFileWriter out(*this, file, all);
  WriteGeneralAnalysis(*this, out);
  WriteBullets(*this, out);
  WriteHeadings(*this, out);

  out.Section("[Pre-formatted text]", out.Wants({Policy::MinPreSize}));
  out.Number("Minimum automatic <PRE> size", minPreSize, false, minPreSize <= 0,
             out.Wants({Policy::MinPreSize}));

  WriteAddedHtml(*this, out);
  WriteHyperlinks(*this, out);
  WriteFileGeneration(*this, out);
  WriteContents(*this, out);
  WriteDirectoryPage(*this, out);
  WritePreprocessor(*this, out);
  WriteStyle(*this, out);
  WriteTables(*this, out);

  const bool dictionaryFile = out.Wants({Policy::LinkDictionaryFile});
  out.Section("[Link Dictionary]", dictionaryFile);
  out.Text("Link Dictionary file", linkDictionaryFile, dictionaryFile);
  // The definitions themselves are written in both modes.
  const int definitionsWritten = WriteLinkDefinitions(file);
  return out.Succeeded() && definitionsWritten ? 1 : 0;
}

int FC::GetPolicyFileName(const char* inputName) {
  if (!policyFileName.IsEmpty()) {
    policyFileOutName = policyFileName;
    return 1;
  }
  const std::string_view name = inputName != nullptr ? inputName : "";
  // Scanning back to the second character (not the first) keeps a name such
  // as ".profile" whole.
  size_t baseStart = 0;
  size_t baseEnd = name.size();
  bool dotSeen = false;
  for (size_t i = name.size(); i > 1; --i) {
    const size_t at = i - 1;
    if (name[at] == '/') {
      baseStart = at + 1;
      break;
    }
    if (name[at] == '.' && !dotSeen) {
      dotSeen = true;
      if (name.size() - at - 1 <= kMaxExtensionLength) baseEnd = at;
    }
  }
  // A dot that starts the base (".profile" in a directory) is part of it.
  if (baseEnd <= baseStart) baseEnd = name.size();

  TextString result;
  if (!outputDirectory.IsEmpty()) {
    result = outputDirectory;
    if (result.View().back() != '/') result.AppendChar('/');
  } else {
    result.SetText(name.substr(0, baseStart));
  }
  result.AppendText(name.substr(baseStart, baseEnd - baseStart));
  result.AppendText(".pol");
  policyFileOutName = result;
  return 1;
}
