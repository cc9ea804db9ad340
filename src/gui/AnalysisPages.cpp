// The pages of the analysis sheet, and the contents page both sheets show.

#include <algorithm>
#include <array>
#include <memory>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "gui/HeadingDetailsDialog.h"
#include "gui/PolicyPage.h"
#include "gui/PolicyPages.h"
#include "gui/PolicySheet.h"

namespace {

using PV = PolicyValues;
using Positions = std::array<int, PolicyValues::kMaxPositions>;

// The heading page edits the styles of this many levels (the record holds
// six; the deeper two are kept as they are).
constexpr int kEditedLevels = 4;

// Longest line any document is expected to have.
constexpr int kMaxWidth = 1000;

// "0 4 8"; "none" when the list is not in use.
QString PositionsText(const Positions& positions, int count, int used) {
  if (!used) return QStringLiteral("none");
  QStringList words;
  const int shown = std::clamp(count, 0, PolicyValues::kMaxPositions);
  for (int i = 0; i < shown; ++i) words << QString::number(positions[static_cast<size_t>(i)]);
  return words.join(QLatin1Char(' '));
}

// The positions box is stored as the policy file line it stands for, so it
// is read by the same rules.
void StorePositions(FC& policies, const char* keyword, const QString& text) {
  const QString value = text.trimmed().isEmpty() ? QStringLiteral("none") : text.trimmed();
  TextString line(keyword);
  line.AppendText(" : ");
  line.AppendText(ToText(value).View());
  static_cast<void>(policies.ParsePolicyLine(line, false));
}

QLineEdit* PositionsRow(PolicyPage& page, const QString& label, const QString& tip,
                        Positions PV::*positions, int PV::*count, int PV::*used,
                        const char* keyword) {
  auto* edit = new QLineEdit;
  page.AddRow(label, edit, tip);
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [edit, &p, positions, count, used] {
        edit->setText(PositionsText(p.*positions, p.*count, p.*used));
      },
      [edit, &p, keyword] { StorePositions(p, keyword, edit->text()); });
  page.Watch(edit, binding);
  return edit;
}

QHBoxLayout* Row(QWidget* holder) {
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  return layout;
}

// Two radio buttons that set one bool policy, the one standing for 1 listed
// first when `onFirst`.
void RadioPair(PolicyPage& page, const QString& title, const QString& offText,
               const QString& onText, bool onFirst, const QString& tip, IntPolicy policy) {
  page.BeginGroup(title);
  auto* off = new QRadioButton(offText);
  auto* on = new QRadioButton(onText);
  auto* group = new QButtonGroup(&page);
  group->addButton(off);
  group->addButton(on);
  page.AddRow(QString(), onFirst ? on : off, tip);
  page.AddRow(QString(), onFirst ? off : on, tip);
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [on, off, &p, policy] { (policy.value(p) ? on : off)->setChecked(true); },
      [on, &p, policy] {
        policy.value(p) = on->isChecked() ? 1 : 0;
        policy.markGiven(p);
      });
  page.Watch(on, binding);
}

void AddJustification(PolicyPage& page) {
  auto* list = new QComboBox;
  list->addItems({QObject::tr("(none)"), QObject::tr("Left"), QObject::tr("Right"),
                  QObject::tr("Centre")});
  page.AddRow(QObject::tr("Text justification"), list,
              QObject::tr("How the text of the document is aligned: left, right, both (centre) "
                          "or not at all"));
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [list, &p] { list->setCurrentIndex((p.leftJustified ? 1 : 0) + (p.rightJustified ? 2 : 0)); },
      [list, &p] {
        const int index = list->currentIndex();
        p.leftJustified = (index & 1) != 0 ? 1 : 0;
        p.rightJustified = (index & 2) != 0 ? 1 : 0;
        p.SetGiven(Policy::Justification);
      });
  page.Watch(list, binding);
}

void AddDefinitionCharacters(PolicyPage& page) {
  auto* dash = new QCheckBox(QObject::tr("Recognise hyphen (-) characters"));
  auto* dashAlways = new QCheckBox(QObject::tr("Always"));
  auto* colon = new QCheckBox(QObject::tr("Recognise colon (:) characters"));
  auto* colonAlways = new QCheckBox(QObject::tr("Always"));
  struct Pair {
    QCheckBox* box;
    QCheckBox* always;
    const char* tip;
  };
  const Pair pairs[] = {
      {dash, dashAlways, "Does a hyphen after a term mark a definition, as in \"term - meaning\"?"},
      {colon, colonAlways, "Does a colon after a term mark a definition, as in \"term: meaning\"?"},
  };
  for (const Pair& pair : pairs) {
    auto* holder = new QWidget;
    QHBoxLayout* layout = Row(holder);
    layout->addWidget(pair.box);
    layout->addWidget(pair.always);
    layout->addStretch(1);
    page.AddRow(QString(), holder, QObject::tr(pair.tip));
    pair.box->setToolTip(QObject::tr(pair.tip));
    pair.always->setToolTip(
        QObject::tr("Always treat it as a definition, even where the layout says otherwise"));
    page.EnableWith(pair.box, pair.always);
  }
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [=, &p] {
        dash->setChecked(p.dashDefinitions != 0);
        dashAlways->setChecked(p.dashStrong != 0);
        colon->setChecked(p.colonDefinitions != 0);
        colonAlways->setChecked(p.colonStrong != 0);
      },
      [=, &p] {
        p.dashDefinitions = dash->isChecked() ? 1 : 0;
        p.dashStrong = dash->isChecked() && dashAlways->isChecked() ? 1 : 0;
        p.colonDefinitions = colon->isChecked() ? 1 : 0;
        p.colonStrong = colon->isChecked() && colonAlways->isChecked() ? 1 : 0;
        p.SetGiven(Policy::DefinitionChars);
      });
  for (QCheckBox* box : {dash, dashAlways, colon, colonAlways}) page.Watch(box, binding);

  // The record knows only the hyphen and the colon; the box says so
  // rather than take characters that would be dropped.
  auto* other = new QLineEdit;
  other->setEnabled(false);
  other->setPlaceholderText(QObject::tr("(not available)"));
  page.AddRow(QObject::tr("Other definition characters"), other,
              QObject::tr("Further characters that mark a definition.  Only the hyphen and the "
                          "colon are recognised at present"));
}

}  // namespace

void AddAnalysisPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Analysis"));
  page.BeginGroup(QObject::tr("Layout"));
  page.Number(QObject::tr("Short line length"),
              QObject::tr("Lines shorter than this are short lines, kept apart from the next "
                          "line.  (none) lets the analysis decide"),
              RecordInt(Policy::ShortLineLength, &PV::shortLineLength), 1, kMaxWidth, true);
  page.Number(QObject::tr("Page width"),
              QObject::tr("Output page width.  Helps detect short lines and centred text"),
              RecordInt(Policy::PageWidth, &PV::pageWidth), 1, kMaxWidth);
  page.Number(QObject::tr("TAB size"),
              QObject::tr("Number of spaces per tab.  May affect layout analysis where tabs, "
                          "spaces and text are mixed"),
              RecordInt(Policy::TabSize, &PV::tabSize), 2, 8);
  AddJustification(page);
  page.Number(QObject::tr("Minimum Chapter Size"),
              QObject::tr("Fewest lines a section must have before a heading is believed"),
              RecordInt(Policy::MinChapterSize, &PV::minChapterSize), 1, 9999, true);
  page.Check(QObject::tr("Expect only a simple layout (no section headings)"),
             QObject::tr("Is this a simple document with no section headings?"),
             RecordInt(Policy::KeepItSimple, &PV::keepItSimple));
  page.Check(QObject::tr("Expect \"C\"-like code samples"),
             QObject::tr("Does the document hold program code written like C?"),
             RecordInt(Policy::ExpectCodeSamples, &PV::expectCodeSamples));
  page.Check(QObject::tr("Remove page headers and footers"),
             QObject::tr("Drop the header and footer lines repeated at every page break, so "
                         "that paragraphs, lists and tables run on across pages?"),
             RecordInt(Policy::RemovePageFurniture, &PV::removePageFurniture));

  page.BeginGroup(QObject::tr("Paragraphs"));
  page.Check(QObject::tr("Blank lines between paragraphs"),
             QObject::tr("Are paragraphs separated by blank lines?"),
             RecordInt(Policy::ExpectBlankLines, &PV::expectBlankLines));
  page.Number(QObject::tr("New paragraph offset"),
              QObject::tr("How far the first line of a new paragraph is indented, in characters"),
              RecordInt(Policy::NewParagraphOffset, &PV::newParagraphOffset), 1, 100, true);
  PositionsRow(page, QObject::tr("Indentation positions (in characters)"),
               QObject::tr("Columns at which indented text starts, separated by blanks (e.g. "
                           "0 4 8); none for no list"),
               &PV::indentPositions, &PV::indentCount, &PV::indentPositionsUsed,
               "Indent position(s)");
  PositionsRow(page, QObject::tr("Definition paragraph indent levels"),
               QObject::tr("Columns at which the text of definition paragraphs starts, "
                           "separated by blanks; none for no list"),
               &PV::hangingPositions, &PV::hangingCount, &PV::hangingPositionsUsed,
               "Hanging paragraph position(s)");

  page.NextColumn();
  page.BeginGroup(QObject::tr("Definitions"));
  page.Check(QObject::tr("Search for definitions"),
             QObject::tr("Look for definition paragraphs (a term followed by its meaning)?"),
             RecordInt(Policy::SearchForDefinitions, &PV::searchForDefinitions));
  AddDefinitionCharacters(page);
  page.Finish();
}

namespace {

// The styles of the heading or the contents levels, as the page holds them
// until it stores them.
struct HeadingCopy {
  int count = 0;
  std::array<HeadingStyle, PolicyValues::kHeadingLevels> headings;
  std::array<HeadingStyle, PolicyValues::kHeadingLevels> contents;
};

// "Headings at" / "Contents at" n "different levels", then one box and an
// edit button per level; both counts are the record's one level count.
QSpinBox* LevelRows(PolicyPage& page, const std::shared_ptr<HeadingCopy>& copy, bool contents,
                    std::array<QLineEdit*, kEditedLevels>& boxes,
                    const std::shared_ptr<int>& binding) {
  auto* count = new QSpinBox;
  count->setRange(0, PolicyValues::kHeadingLevels);
  auto* holder = new QWidget;
  QHBoxLayout* layout = Row(holder);
  layout->addWidget(new QLabel(contents ? QObject::tr("Contents at") : QObject::tr("Headings at")));
  layout->addWidget(count);
  layout->addWidget(new QLabel(QObject::tr("different levels")));
  layout->addStretch(1);
  page.AddRow(QString(), holder,
              contents ? QObject::tr("How many levels the contents list of the document has")
                       : QObject::tr("How many levels of headings the document has"));
  count->setToolTip(holder->toolTip());
  for (int i = 0; i < kEditedLevels; ++i) {
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    boxes[static_cast<size_t>(i)] = box;
    QPushButton* edit = page.NewButton(QObject::tr("Edit level %1").arg(i + 1),
                                       QObject::tr("Change how this level is numbered and set out"));
    page.AddRow(QObject::tr("Level %1").arg(i + 1), page.WithButton(box, edit),
                contents ? QObject::tr("How lines of contents level %1 look").arg(i + 1)
                         : QObject::tr("How headings of level %1 look").arg(i + 1));
    QObject::connect(edit, &QPushButton::clicked, &page, [&page, copy, contents, i, box, binding] {
      auto& styles = contents ? copy->contents : copy->headings;
      HeadingStyle& style = styles[static_cast<size_t>(i)];
      HeadingDetailsDialog dialog(style, &page);
      if (dialog.exec() != QDialog::Accepted) return;
      box->setText(ToQt(style.TextForm(i)));
      page.MarkChanged(*binding);
    });
  }
  return count;
}

}  // namespace

void AddHeadingPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Headings"));
  page.BeginGroup(QObject::tr("Expected heading styles"));
  page.Check(QObject::tr("Numbered headings"),
             QObject::tr("Do we expect numbered headings - 1, 1.1, 2...?"),
             RecordInt(Policy::NumberedHeadings, &PV::numberedHeadings));
  page.Check(QObject::tr("Underlined headings"),
             QObject::tr("Do we expect headings underlined with a line of - or = characters?"),
             RecordInt(Policy::UnderlinedHeadings, &PV::underlinedHeadings));
  page.Check(QObject::tr("Capitalised headings"),
             QObject::tr("Do we expect headings written in CAPITALS?"),
             RecordInt(Policy::CapitalisedHeadings, &PV::capitalisedHeadings));

  // Built before its binding exists; the buttons read the index when pressed.
  auto copy = std::make_shared<HeadingCopy>();
  auto binding = std::make_shared<int>(-1);
  std::array<QLineEdit*, kEditedLevels> headingBoxes{};
  std::array<QLineEdit*, kEditedLevels> contentsBoxes{};
  page.NextColumn();
  page.BeginGroup(QObject::tr("Heading levels"));
  QSpinBox* headingCount = LevelRows(page, copy, false, headingBoxes, binding);
  page.BeginGroup(QObject::tr("Contents list levels"));
  QSpinBox* contentsCount = LevelRows(page, copy, true, contentsBoxes, binding);

  auto showBoxes = [copy, headingBoxes, contentsBoxes] {
    for (int i = 0; i < kEditedLevels; ++i) {
      const auto level = static_cast<size_t>(i);
      const bool used = i < copy->count;
      headingBoxes[level]->setText(used ? ToQt(copy->headings[level].TextForm(i)) : QString());
      contentsBoxes[level]->setText(used ? ToQt(copy->contents[level].TextForm(i)) : QString());
      headingBoxes[level]->setEnabled(used);
      contentsBoxes[level]->setEnabled(used);
    }
  };
  FC& p = page.Policies();
  *binding = page.AddBinding(
      [copy, &p, headingCount, contentsCount, showBoxes] {
        copy->count = std::clamp(p.headingLevelCount, 0, PolicyValues::kHeadingLevels);
        copy->headings = p.headingStyles;
        copy->contents = p.contentsStyles;
        headingCount->setValue(copy->count);
        contentsCount->setValue(copy->count);
        showBoxes();
      },
      [copy, &p] {
        p.headingLevelCount = copy->count;
        p.headingStyles = copy->headings;
        p.contentsStyles = copy->contents;
        p.SetGiven(Policy::HeadingStyles);
      });
  for (QSpinBox* count : {headingCount, contentsCount}) {
    QSpinBox* other = count == headingCount ? contentsCount : headingCount;
    QObject::connect(count, &QSpinBox::valueChanged, &page,
                     [&page, copy, other, showBoxes, binding](int value) {
                       copy->count = value;
                       other->setValue(value);
                       showBoxes();
                       page.MarkChanged(*binding);
                     });
  }
  page.Finish();
}

void AddBulletsPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Bullets"));
  page.BeginGroup(QObject::tr("Numbered bullets"));
  page.Check(QObject::tr("Numbered bullets - 1), 2)..."),
             QObject::tr("Do we expect numbered bullets - 1), 2)...?"),
             RecordInt(Policy::NumberedBullets, &PV::numberedBullets));
  page.Check(QObject::tr("Alphabetic bullets - a), b)..."),
             QObject::tr("Do we expect alphabetic bullets - a), b)...?"),
             RecordInt(Policy::AlphabeticBullets, &PV::alphabeticBullets));
  page.Check(QObject::tr("Roman numeral bullets - i). ii)..."),
             QObject::tr("Do we expect roman numeral bullets - i). ii)...?"),
             RecordInt(Policy::RomanBullets, &PV::romanBullets));

  page.BeginGroup(QObject::tr("Bullet characters"));
  auto* dash = new QCheckBox(QObject::tr("Use hyphen character \"-\" as a bullet"));
  auto* circle = new QCheckBox(QObject::tr("Use \"o\" character as a bullet"));
  auto* other = new QLineEdit;
  other->setMaxLength(PolicyValues::kMaxOtherBullets);
  other->setMaximumWidth(120);
  page.AddRow(QString(), dash, QObject::tr("Does a line starting \"- \" start a bullet point?"));
  page.AddRow(QString(), circle, QObject::tr("Does a line starting \"o \" start a bullet point?"));
  page.AddRow(QObject::tr("Other bullet characters"), other,
              QObject::tr("Further characters that start a bullet point, e.g. *+# (at most %1)")
                  .arg(PolicyValues::kMaxOtherBullets));
  FC& p = page.Policies();
  const int binding = page.AddBinding(
      [=, &p] {
        dash->setChecked(p.dashBullets != 0);
        circle->setChecked(p.circleBullets != 0);
        const int count = p.otherBulletsUsed
                              ? std::clamp(p.otherBulletCount, 0, PolicyValues::kMaxOtherBullets)
                              : 0;
        other->setText(QString::fromLatin1(p.otherBullets.data(), count));
      },
      [=, &p] {
        p.dashBullets = dash->isChecked() ? 1 : 0;
        p.circleBullets = circle->isChecked() ? 1 : 0;
        // Bullets are single bytes; blanks cannot start one.
        QByteArray chars = other->text().toLatin1();
        chars.replace(' ', QByteArray());
        const int count = std::min(static_cast<int>(chars.size()), PolicyValues::kMaxOtherBullets);
        p.otherBullets.fill('\0');
        std::copy_n(chars.constData(), count, p.otherBullets.begin());
        p.otherBulletCount = count > 0 ? count : -1;
        p.otherBulletsUsed = 1;
        p.SetGiven(Policy::BulletChars);
      });
  page.Watch(dash, binding);
  page.Watch(circle, binding);
  page.Watch(other, binding);
  page.Finish();
}

void AddContentsPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Contents List"));
  page.BeginGroup();
  page.Check(QObject::tr("File includes existing contents list"),
             QObject::tr("Does the document start with a contents list of its own?"),
             RecordInt(Policy::ExpectContentsList, &PV::expectContentsList));
  page.Check(QObject::tr("Generate a contents list"),
             QObject::tr("Add a contents list with links to every heading?"),
             RecordInt(Policy::AddContentsList, &PV::addContentsList));
  RadioPair(page, QObject::tr("Place hyperlinks"), QObject::tr("On section titles"),
            QObject::tr("On section numbers"), true,
            QObject::tr("Which part of a contents line becomes the link to its section"),
            RecordInt(Policy::LinksOnNumbers, &PV::linksOnNumbers));
  RadioPair(page, QObject::tr("Calculate contents list"), QObject::tr("from observed headings"),
            QObject::tr("from contents list in document"), false,
            QObject::tr("Build the contents list from the headings found, or from the "
                        "document's own contents list"),
            RecordInt(Policy::UseExistingContents, &PV::useExistingContents));
  page.BeginGroup();
  page.Check(QObject::tr("Put contents list in separate file"),
             QObject::tr("Write the contents list to a file of its own instead of the top of "
                         "the page?"),
             RecordInt(Policy::ExternalContents, &PV::externalContents));
  page.Finish();
}

void AddPreFormatPage(PolicySheet& sheet) {
  PolicyPage& page = sheet.AddPage(QObject::tr("Pre-formatted text"));
  page.BeginGroup();
  QSpinBox* size =
      page.Number(QObject::tr("Minimum size of a pre-formatted region"),
                  QObject::tr("Fewest lines a table, diagram or code sample must have to be kept "
                              "as laid out.  (none) lets the analysis decide"),
                  RecordInt(Policy::MinPreSize, &PV::minPreSize), 1, 999, true);
  size->setSuffix(QObject::tr(" lines"));
  page.Finish();
}

void AddTableAnalysisPage(PolicySheet& sheet) {
  using Field = TableConfig::Field;
  PolicyPage& page = sheet.AddPage(QObject::tr("Table analysis"));
  page.BeginGroup();
  page.Check(QObject::tr("Attempt TABLE recognition and generation"),
             QObject::tr("Look for tables in the document and write them as HTML tables?"),
             RecordInt(Policy::AttemptTables, &PV::attemptTables));
  page.Number(QObject::tr("Minimum number of spaces between columns"),
              QObject::tr("Fewest blanks that separate two columns of a table"),
              TableInt(Field::MinColumnSeparation, &TableConfig::minColumnSeparation), 1, 20);
  page.Check(QObject::tr("Is the table expected to have sparse columns"),
             QObject::tr("Do tables have many empty cells?"),
             TableInt(Field::SparseTables, &TableConfig::sparseTables));
  page.Finish();
}
