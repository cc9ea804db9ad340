// The pages of the output sheet (the contents page is in AnalysisPages.cpp).

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "gui/LinkDictionaryEditor.h"
#include "gui/PolicyFileDialog.h"
#include "gui/PolicyPage.h"
#include "gui/PolicyPages.h"
#include "gui/PolicySheet.h"
#include "gui/ProgramSettings.h"

namespace {

using PV = PolicyValues;
using Field = TableConfig::Field;

const char* const kIncludeFilter = "Text files (*.txt *.asc);;All files (*)";
const char* const kImageFilter = "Images (*.jpg *.gif);;All files (*)";
const char* const kStyleSheetFilter = "Cascading style sheets (*.css);;All files (*)";

// Numbers of table attributes run up to this.
constexpr int kMaxTableNumber = 100;

// Words separated by blanks, stored in a word list that replaces the old one.
QLineEdit* WordsRow(PolicyPage& page, const QString& label, const QString& tip, Policy flag,
                    WordList PV::*words) {
  auto* edit = new QLineEdit;
  page.AddRow(label, edit, tip);
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [edit, &p, words] { edit->setText(ToQt((p.*words).Join(" "))); },
      [edit, &p, words, flag] {
        (p.*words).Clear();
        (p.*words).AppendWords(ToText(edit->text().trimmed()), ' ');
        p.SetGiven(flag);
      });
  page.Watch(edit, binding);
  return edit;
}

}  // namespace

void AddAddedHtmlPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Added HTML"));
  page.BeginGroup(QObject::tr("Document"));
  page.Text(QObject::tr("Document Title"),
            QObject::tr("Title of the page, shown in the browser's title bar"),
            RecordText(Policy::DocumentTitle, &PV::documentTitle));
  page.Check(QObject::tr("Use first heading"),
             QObject::tr("Use the document's first heading as its title?"),
             RecordInt(Policy::FirstHeadingAsTitle, &PV::firstHeadingAsTitle));
  page.Check(QObject::tr("Use first line"),
             QObject::tr("Use the document's first line as its title?"),
             RecordInt(Policy::FirstLineAsTitle, &PV::firstLineAsTitle));
  page.Text(QObject::tr("Document Description"),
            QObject::tr("Description for search engines (the description META tag)"),
            RecordText(Policy::DocumentDescription, &PV::documentDescription));
  page.Text(QObject::tr("Document Keywords"),
            QObject::tr("Keywords for search engines (the keywords META tag)"),
            RecordText(Policy::DocumentKeywords, &PV::documentKeywords));
  page.BeginGroup(QObject::tr("Files"));
  page.FileName(QObject::tr("Background Image"),
                QObject::tr("Image shown behind the text of every page"),
                RecordText(Policy::BackgroundImage, &PV::backgroundImage),
                QObject::tr(kImageFilter));
  page.FileName(QObject::tr("Header file"),
                QObject::tr("HTML file copied to the top of every page"),
                RecordText(Policy::HeaderFile, &PV::headerFile), QObject::tr(kIncludeFilter));
  page.FileName(QObject::tr("Footer file"),
                QObject::tr("HTML file copied to the bottom of every page"),
                RecordText(Policy::FooterFile, &PV::footerFile), QObject::tr(kIncludeFilter));
  page.FileName(QObject::tr("Script file (in <HEAD>)"),
                QObject::tr("File copied into the HEAD of every page, e.g. a script"),
                RecordText(Policy::ScriptFile, &PV::scriptFile), QObject::tr(kIncludeFilter));
  page.Finish();
}

void AddColoursPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Colours"));
  page.BeginGroup(QObject::tr("Page colours (a name such as Red, or rrggbb)"));
  page.Colour(QObject::tr("Background"), QObject::tr("Background colour of the page"),
              RecordText(Policy::BackgroundColour, &PV::backgroundColour));
  page.Colour(QObject::tr("Text"), QObject::tr("Colour of the text"),
              RecordText(Policy::TextColour, &PV::textColour));
  page.Colour(QObject::tr("Link"), QObject::tr("Colour of links not yet followed"),
              RecordText(Policy::UnvisitedLinkColour, &PV::unvisitedLinkColour));
  page.Colour(QObject::tr("Visited link"), QObject::tr("Colour of links already followed"),
              RecordText(Policy::VisitedLinkColour, &PV::visitedLinkColour));
  page.Colour(QObject::tr("Active Link"), QObject::tr("Colour of a link while it is clicked"),
              RecordText(Policy::ActiveLinkColour, &PV::activeLinkColour));
  page.Finish();
}

void AddHyperlinksPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Hyperlinks"));
  page.BeginGroup(QObject::tr("Make hyperlinks of"));
  page.Check(QObject::tr("http:, www, ftp and gopher references"),
             QObject::tr("Turn web and ftp addresses into hyperlinks?"),
             RecordInt(Policy::CreateHyperlinks, &PV::createHyperlinks));
  page.Check(QObject::tr("Email addresses"),
             QObject::tr("Turn e-mail addresses into mailto: hyperlinks?"),
             RecordInt(Policy::CreateMailtoLinks, &PV::createMailtoLinks));
  page.Check(QObject::tr("USENET newsgroups"),
             QObject::tr("Turn newsgroup names into news: hyperlinks?"),
             RecordInt(Policy::CreateNewsLinks, &PV::createNewsLinks));
  page.Check(QObject::tr("Only link groups in the standard hierarchies (alt., comp., rec., sci., "
                         "soc. etc)"),
             QObject::tr("Link only newsgroups of the well-known hierarchies, so that dotted "
                         "words are not taken for groups?"),
             RecordInt(Policy::OnlyKnownGroups, &PV::onlyKnownGroups));
  WordsRow(page, QObject::tr("Additional hierarchies to recognise"),
           QObject::tr("Further newsgroup hierarchies to link, separated by blanks (e.g. uk. "
                       "de.)"),
           Policy::UsenetGroups, &PV::usenetGroups);

  page.BeginGroup(QObject::tr("Cross-references"));
  auto* crossRefs = new QCheckBox(QObject::tr("Add hyperlinks to cross-references to numbered "
                                              "sections"));
  auto* level = new QSpinBox;
  level->setRange(1, PolicyValues::kHeadingLevels);
  level->setMaximumWidth(110);
  page.AddRow(QString(), crossRefs,
              QObject::tr("Turn mentions of numbered sections (\"see 2.1\") into links?"));
  page.AddRow(QObject::tr("At what level of cross-section to start adding links"), level,
              QObject::tr("Section numbers with at least this many parts become links"));
  page.EnableWith(crossRefs, level);
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [crossRefs, level, &p] {
        crossRefs->setChecked(p.crossRefLevel > 0);
        if (p.crossRefLevel > 0) level->setValue(p.crossRefLevel);
      },
      [crossRefs, level, &p] {
        p.crossRefLevel = crossRefs->isChecked() ? level->value() : -1;
        p.SetGiven(Policy::CrossRefLevel);
      });
  page.Watch(crossRefs, binding);
  page.Watch(level, binding);
  page.Check(QObject::tr("Add <BR> markup to lines with URLs"),
             QObject::tr("End every line holding a URL with a line break?"),
             RecordInt(Policy::AddBreakToUrlLines, &PV::addBreakToUrlLines));
  page.Finish();
}

namespace {

void AddSplitting(PolicyPage& page) {
  page.BeginGroup(QObject::tr("Splitting"));
  auto* split = new QCheckBox(QObject::tr("Split into several HTML files"));
  auto* level = new QSpinBox;
  level->setRange(1, PolicyValues::kHeadingLevels);
  level->setMaximumWidth(110);
  page.AddRow(QString(), split, QObject::tr("Write one page per section instead of one page?"));
  page.AddRow(QObject::tr("Split at what heading level?"), level,
              QObject::tr("Headings of this level and above start a new page"));
  page.EnableWith(split, level);
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [split, level, &p] {
        split->setChecked(p.splitKnown != 0);
        if (p.splitLevel > 0) level->setValue(p.splitLevel);
      },
      [split, level, &p] {
        p.splitKnown = split->isChecked() ? 1 : 0;
        p.splitLevel = split->isChecked() ? level->value() : -1;
        p.SetGiven(Policy::SplitKnown);
        p.SetGiven(Policy::SplitLevel);
      });
  page.Watch(split, binding);
  page.Watch(level, binding);
  page.Number(QObject::tr("Minimum output file size (lines)"),
              QObject::tr("A section shorter than this stays on the page before it"),
              RecordInt(Policy::MinHtmlFileSize, &PV::minHtmlFileSize), 1, 99999, true);
  page.Check(QObject::tr("Add Navigation Bar"),
             QObject::tr("Link every page to the previous and next page and the contents?"),
             RecordInt(Policy::AddNavigationBar, &PV::addNavigationBar));
}

void AddErrorLevel(PolicyPage& page) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setRange(0, 10);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBelow);
  auto* holder = new QWidget;
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QObject::tr("Low")));
  layout->addWidget(slider, 1);
  layout->addWidget(new QLabel(QObject::tr("High")));
  const QString tip =
      QObject::tr("How many messages the conversion reports: Low shows only errors, High "
                  "shows every remark");
  page.AddRow(QObject::tr("Error reporting level"), holder, tip);
  slider->setToolTip(tip);
  FC& p = page.Policies();
  const int binding = page.AddBinding([slider, &p] { slider->setValue(p.errorLevel); },
                                      [slider, &p] {
                                        p.errorLevel = slider->value();
                                        p.SetGiven(Policy::ErrorLevel);
                                      });
  page.Watch(slider, binding);
}

void AddExtensions(PolicyPage& page) {
  page.BeginGroup(QObject::tr("File extensions"));
  auto* html = new QRadioButton(QObject::tr(".html"));
  auto* htm = new QRadioButton(QObject::tr(".htm"));
  auto* other = new QRadioButton(QObject::tr("Other"));
  auto* group = new QButtonGroup(&page);
  auto* holder = new QWidget;
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QRadioButton* button : {html, htm, other}) {
    group->addButton(button);
    layout->addWidget(button);
    button->setToolTip(QObject::tr("Extension of the pages written"));
  }
  layout->addStretch(1);
  page.AddRow(QString(), holder, QObject::tr("Extension of the pages written"));
  auto* extension = new QLineEdit;
  extension->setMaximumWidth(120);
  page.AddRow(QObject::tr("Extension (e.g. .shtml)"), extension,
              QObject::tr("Extension used when Other is chosen"));
  QObject::connect(other, &QRadioButton::toggled, extension, &QWidget::setEnabled);
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [=, &p] {
        const bool custom = !p.useHtmExtension && !p.outputFileExtension.IsEmpty();
        (p.useHtmExtension ? htm : custom ? other : html)->setChecked(true);
        extension->setText(ToQt(p.outputFileExtension));
        extension->setEnabled(custom);
      },
      [=, &p] {
        p.useHtmExtension = htm->isChecked() ? 1 : 0;
        QString text = other->isChecked() ? extension->text().trimmed() : QString();
        if (!text.isEmpty() && !text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('.'));
        p.outputFileExtension = ToText(text);
        p.SetGiven(Policy::UseHtmExtension);
        p.SetGiven(Policy::OutputFileExtension);
      });
  for (QRadioButton* button : {html, htm, other}) page.Watch(button, binding);
  page.Watch(extension, binding);
}

}  // namespace

void AddFileSplitPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("File Generation"));
  AddSplitting(page);
  AddExtensions(page);
  page.NextColumn();
  page.BeginGroup(QObject::tr("Files written"));
  page.Check(QObject::tr("Generate .lis log files"),
             QObject::tr("Write the line listings and the statistics report beside the pages?"),
             RecordInt(Policy::DiagnosticsFiles, &PV::diagnosticsFiles));
  QCheckBox* writePolicy = page.Check(QObject::tr("Generate a sample policy file"),
             QObject::tr("Write the policies used into a policy file you can edit and reuse?"),
             RecordInt(Policy::WritePolicyFile, &PV::writePolicyFile));
  QLineEdit* policyFile = page.FileName(QObject::tr("Filename"),
                QObject::tr("Name of the policy file written (empty: named after the document)"),
                RecordText(Policy::PolicyFileName, &PV::policyFileName),
                QObject::tr(kPolicyFileFilter));
  page.EnableWith(writePolicy, policyFile->parentWidget());
  QCheckBox* dos = page.Check(QObject::tr("Generate DOS compatible filenames"),
             QObject::tr("Name split pages in the 8.3 form, e.g. ROOT0001.HTM?"),
             RecordInt(Policy::UseDosFilenames, &PV::useDosFilenames));
  QLineEdit* root = page.Text(QObject::tr("Filename root"),
                              QObject::tr("First characters of DOS page names (at most 5)"),
                              RecordText(Policy::DosFilenameRoot, &PV::dosFilenameRoot), 5);
  root->setMaximumWidth(120);
  page.EnableWith(dos, root);
  page.Check(QObject::tr("Minimise size of HTML file"),
             QObject::tr("Leave out the indentation that makes the HTML easy to read?"),
             RecordInt(Policy::MinimiseHtml, &PV::minimiseHtml));
  AddErrorLevel(page);
  page.Finish();
}

void AddPreprocessorPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Preprocessor"));
  page.BeginGroup();
  page.Check(QObject::tr("Use Preprocessor"),
             QObject::tr("Obey the $_$_ command lines in the document?"),
             RecordInt(Policy::UsePreprocessor, &PV::usePreprocessor));
  WordsRow(page, QObject::tr("Include sections"),
           QObject::tr("Names of the $_$_SECTION parts to convert, separated by blanks (empty: "
                       "all)"),
           Policy::IncludedSections, &PV::includedSections);
  page.Check(QObject::tr("Allow definitions inside a user pre-formatted section"),
             QObject::tr("Look for definitions inside regions marked as pre-formatted?"),
             RecordInt(Policy::DefinitionsInsidePre, &PV::definitionsInsidePre));
  page.Finish();
}

void AddStylePage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Style"));
  page.BeginGroup(QObject::tr("Text"));
  page.Check(QObject::tr("Highlight definition term"),
             QObject::tr("Show the term of a definition paragraph in bold?"),
             RecordInt(Policy::HighlightDefinitions, &PV::highlightDefinitions));
  page.Check(QObject::tr("Use <DL> markup for paragraphs"),
             QObject::tr("Write definition paragraphs as definition lists (<DL>)?"),
             RecordInt(Policy::UseDefinitionLists, &PV::useDefinitionLists));
  page.Check(QObject::tr("Use <P> markup instead of <BR>"),
             QObject::tr("Mark paragraphs with <P> rather than line breaks?"),
             RecordInt(Policy::UseParagraphMarkup, &PV::useParagraphMarkup));
  page.Check(QObject::tr("Markup *this* and _that_"),
             QObject::tr("Show *this* in bold and _that_ underlined?"),
             RecordInt(Policy::SearchForEmphasis, &PV::searchForEmphasis));
  page.Check(QObject::tr("Ignore multiple blank lines"),
             QObject::tr("Treat several blank lines in a row as one?"),
             RecordInt(Policy::IgnoreMultipleBlankLines, &PV::ignoreMultipleBlankLines));
  QCheckBox* centring = page.Check(QObject::tr("Enable automatic centering"),
             QObject::tr("Centre lines that are centred in the document?"),
             RecordInt(Policy::AllowCentring, &PV::allowCentring));
  QSpinBox* tolerance =
      page.Number(QObject::tr("Tolerance"),
                  QObject::tr("How far, in characters, a line may be off the middle and still "
                              "count as centred"),
                  RecordInt(Policy::CentringTolerance, &PV::centringTolerance), 2, 40);
  tolerance->setSuffix(QObject::tr(" characters"));
  tolerance->setMaximumWidth(140);
  page.EnableWith(centring, tolerance);

  page.NextColumn();
  page.BeginGroup(QObject::tr("Headings"));
  page.Number(QObject::tr("Largest Heading size (Hn)"),
              QObject::tr("The tag of the outermost headings: 1 is <H1>, the largest"),
              RecordInt(Policy::LargestHeading, &PV::largestHeading), 1, 6);
  page.Number(QObject::tr("Smallest Heading size (Hn)"),
              QObject::tr("The tag of the innermost headings: 6 is <H6>, the smallest"),
              RecordInt(Policy::SmallestHeading, &PV::smallestHeading), 1, 6);
  page.Colour(QObject::tr("Headings colour"), QObject::tr("Colour of the headings' text"),
              RecordText(Policy::HeadingsColour, &PV::headingsColour));
  page.BeginGroup(QObject::tr("Style sheet"));
  page.FileName(QObject::tr("Style sheet URL"),
                QObject::tr("Cascading style sheet every page links to"),
                RecordText(Policy::StyleSheet, &PV::styleSheet), QObject::tr(kStyleSheetFilter));
  page.Finish();
}

void AddLinkDictionaryPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Link Dictionary"));
  page.BeginGroup();
  auto* file = new QLineEdit;
  QPushButton* browse = page.NewButton(
      QObject::tr("Browse..."), QObject::tr("Choose a link dictionary file and add its links"));
  page.AddRow(QObject::tr("Link dictionary file"), page.WithButton(file, browse),
              QObject::tr("Policy file of \"Link definition\" lines read with this policy file"));
  page.BeginGroup(QObject::tr("Link definitions"));
  auto* editor = new LinkDictionaryEditor;
  page.AddRow(QString(), editor,
              QObject::tr("Texts that always become the same hyperlink wherever they appear"));
  FC& p = page.Policies();
  const int fileBinding = page.AddBinding([file, &p] { file->setText(ToQt(p.linkDictionaryFile)); },
                                          [file, &p] {
                                            p.linkDictionaryFile = ToText(file->text());
                                            p.SetGiven(Policy::LinkDictionaryFile);
                                          });
  page.Watch(file, fileBinding);
  const int listBinding = page.AddBinding([editor, &p] { editor->SetDefinitions(p.linkDefinitions); },
                                          [editor, &p] {
                                            p.linkDefinitions = editor->Definitions();
                                            p.SetGiven(Policy::LinkDictionary);
                                          });
  QObject::connect(editor, &LinkDictionaryEditor::Edited, &page,
                   [&page, listBinding] { page.MarkChanged(listBinding); });
  QObject::connect(browse, &QPushButton::clicked, &page, [&page, file, editor] {
    const QString chosen = page.ChooseFile(QObject::tr("Link dictionary file"), file->text(),
                                           QObject::tr(kPolicyFileFilter));
    if (chosen.isEmpty()) return;
    file->setText(chosen);
    // The links are read by the policy reader, as a policy file would.
    FC dictionary;
    if (LoadPolicyFile(dictionary, chosen)) editor->Append(dictionary.linkDefinitions);
  });
  page.Finish();
}

void AddTablePage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Table generation"));
  page.BeginGroup();
  page.Check(QObject::tr("Attempt TABLE recognition and generation"),
             QObject::tr("Look for tables in the document and write them as HTML tables?"),
             RecordInt(Policy::AttemptTables, &PV::attemptTables));
  page.BeginGroup(QObject::tr("Table attributes"));
  page.Number(QObject::tr("BORDER size"), QObject::tr("Width of the table border in pixels"),
              TableInt(Field::BorderSize, &TableConfig::borderSize), 0, kMaxTableNumber);
  page.Number(QObject::tr("Number of header rows"),
              QObject::tr("Rows at the top of a table written as header cells"),
              TableInt(Field::HeaderRows, &TableConfig::headerRows), 0, kMaxTableNumber);
  page.Number(QObject::tr("CELLPADDING value"),
              QObject::tr("Space between a cell's border and its text, in pixels"),
              TableInt(Field::CellPadding, &TableConfig::cellPadding), 0, kMaxTableNumber);
  page.Number(QObject::tr("CELLSPACING value"), QObject::tr("Space between cells, in pixels"),
              TableInt(Field::CellSpacing, &TableConfig::cellSpacing), 0, kMaxTableNumber);
  page.Colour(QObject::tr("Background colour"), QObject::tr("Background colour of tables"),
              TableText(Field::Colour, &TableConfig::colour));
  page.Colour(QObject::tr("Border colour"), QObject::tr("Colour of table borders"),
              TableText(Field::BorderColour, &TableConfig::borderColour));
  QLineEdit* width = page.Text(QObject::tr("Table width"),
                               QObject::tr("Width of tables, in pixels or as a percentage such "
                                           "as 100%"),
                               TableText(Field::Width, &TableConfig::width));
  width->setMaximumWidth(160);
  page.BeginGroup();
  page.Check(QObject::tr("Convert any section cross references in the table into hyperlinks"),
             QObject::tr("Link section numbers mentioned inside tables to their sections?"),
             TableInt(Field::XrefsToLinks, &TableConfig::xrefsToLinks));
  page.Finish();
}

void AddDirectoryPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Directory Page"));
  page.BeginGroup();
  page.Check(QObject::tr("Generate a Directory file"),
             QObject::tr("Write a Directory page linking every file converted in one run?"),
             RecordInt(Policy::MakeDirectory, &PV::makeDirectory));
  page.Check(QObject::tr("Show file titles"),
             QObject::tr("Show each file's title beside its link?"),
             RecordInt(Policy::ShowFileTitles, &PV::showFileTitles));
  page.Check(QObject::tr("Indent content lines"),
             QObject::tr("Indent each file's headings by their level?"),
             RecordInt(Policy::IndentDirectoryHeadings, &PV::indentDirectoryHeadings));
  page.BeginGroup(QObject::tr("Directory page"));
  page.Text(QObject::tr("Title"), QObject::tr("Title of the Directory page"),
            RecordText(Policy::DirectoryTitle, &PV::directoryTitle));
  page.Text(QObject::tr("Description"),
            QObject::tr("Description of the Directory page for search engines"),
            RecordText(Policy::DirectoryDescription, &PV::directoryDescription));
  page.Text(QObject::tr("Keywords"), QObject::tr("Keywords of the Directory page for search engines"),
            RecordText(Policy::DirectoryKeywords, &PV::directoryKeywords));
  page.FileName(QObject::tr("Header file"),
                QObject::tr("HTML file copied to the top of the Directory page"),
                RecordText(Policy::DirectoryHeader, &PV::directoryHeader),
                QObject::tr(kIncludeFilter));
  page.FileName(QObject::tr("Footer file"),
                QObject::tr("HTML file copied to the bottom of the Directory page"),
                RecordText(Policy::DirectoryFooter, &PV::directoryFooter),
                QObject::tr(kIncludeFilter));
  page.FileName(QObject::tr("Script file (in <HEAD>)"),
                QObject::tr("File copied into the HEAD of the Directory page"),
                RecordText(Policy::DirectoryScript, &PV::directoryScript),
                QObject::tr(kIncludeFilter));
  page.Text(QObject::tr("Text on hyperlink back"),
            QObject::tr("Text of the link from every page back to the Directory page"),
            RecordText(Policy::DirectoryReturnText, &PV::directoryReturnText));
  page.Finish();
}
