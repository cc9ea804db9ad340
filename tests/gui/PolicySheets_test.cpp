// The policy editor as a user drives it: what reaches the policy record,
// which policies end up marked given, and what a saved policy file holds.

#include <functional>
#include <memory>
#include <vector>

#include <QSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/AnalysisPolicySheet.h"
#include "gui/ColourPicker.h"
#include "gui/LinkDictionaryEditor.h"
#include "gui/OutputPolicySheet.h"
#include "gui/PolicyFileDialog.h"
#include "gui/PolicyPage.h"
#include "gui/ProgramSettings.h"
#include "gui/ProgramSettingsDialog.h"
#include "gui/SavePolicyDialog.h"
#include "policy/FC.h"
#include "support/TempDir.h"

namespace {

// A policy of every kind the pages edit: plain, grouped, table and lists.
const char* const kRichPolicies =
    "Indent position(s) : 0 4 12\n"
    "Definition Char : ':' (strong)\n"
    "Page width : 72\n"
    "Text Justification : Left\n"
    "Bullet Char : '*'\n"
    "We have 2  recognised headings\n"
    "    Heading level 0 = \"Chapter\" N at indent 0\n"
    "    Heading level 1 = \"\" N.N) at indent 2\n"
    "Background colour : Navy\n"
    "Split level : 2\n"
    "Output file extension : .shtml\n"
    "Error reporting level : 3\n"
    "Recognised USENET groups : uk. de.\n"
    "Cross-refs at level : 3\n"
    "Default TABLE border size : 4\n"
    "Default TABLE colour : ffff00\n"
    "Link definition: \"RFC\" = \"the RFC\" + \"http://example.com/rfc\"\n";

std::unique_ptr<PolicySheet> MakeSheet(bool analysis, FC& policies, ProgramSettings& settings) {
  if (analysis) return std::make_unique<AnalysisPolicySheet>(policies, settings);
  return std::make_unique<OutputPolicySheet>(policies, settings);
}

// The policy file `policies` writes, all policies or only the given ones.
std::string Written(const FC& policies, bool all) {
  TempDir dir;
  const std::string name = dir.Path("out.pol");
  if (!SavePolicyFile(policies, QString::fromStdString(name), all)) return "(not written)";
  return ReadAll(name);
}

std::vector<int> GivenFlags(const FC& policies) {
  std::vector<int> given;
  for (int i = 0; i < kPolicyCount; ++i) {
    if (policies.IsGiven(static_cast<Policy>(i))) given.push_back(i);
  }
  for (int i = 0; i < TableConfig::kFieldCount; ++i) {
    if (policies.tableDefaults.IsGiven(static_cast<TableConfig::Field>(i))) {
      given.push_back(kPolicyCount + i);
    }
  }
  return given;
}

int TableFlag(TableConfig::Field field) { return kPolicyCount + static_cast<int>(field); }

// The control labelled `label` inside `root`: a check or radio box by its
// text, anything else by the label beside it.
template <typename Control>
Control* FindIn(QWidget& root, const QString& label) {
  for (auto* button : root.findChildren<QAbstractButton*>()) {
    if (button->text() == label) return qobject_cast<Control*>(button);
  }
  for (auto* text : root.findChildren<QLabel*>()) {
    if (text->text() != label || text->buddy() == nullptr) continue;
    if (auto* control = qobject_cast<Control*>(text->buddy())) return control;
    return text->buddy()->findChild<Control*>();
  }
  return nullptr;
}

// The same on the tab titled `tab`, which becomes the current one.
template <typename Control>
Control* Find(PolicySheet& sheet, const QString& tab, const QString& label) {
  for (int i = 0; i < sheet.PageCount(); ++i) {
    if (sheet.Page(i).Title() != tab) continue;
    sheet.Tabs().setCurrentIndex(i);
    return FindIn<Control>(sheet.Page(i), label);
  }
  return nullptr;
}

struct Edit {
  const char* what;
  bool analysisSheet;
  // Changes one control; false when the control was not found.
  std::function<bool(PolicySheet&)> act;
  std::vector<int> expectedGiven;
  std::function<bool(const FC&)> valueStored;
};

}  // namespace

class PolicySheetsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(!QFontInfo(QApplication::font()).family().isEmpty());
  }

  // Both sheets, on a record whose values came from a file but whose flags
  // were dropped, and on one with its flags: OK changes nothing.
  void okWithNothingTouchedMarksNothing() {
    TempDir dir;
    FC loaded;
    QVERIFY(LoadPolicyFile(loaded, QString::fromStdString(dir.Write("rich.pol", kRichPolicies))));
    FC calculated;
    calculated.CopyPolicies(loaded);
    ProgramSettings settings;
    for (FC* policies : {&calculated, &loaded}) {
      for (const bool analysis : {true, false}) {
        const std::vector<int> givenBefore = GivenFlags(*policies);
        const std::string allBefore = Written(*policies, true);
        const std::unique_ptr<PolicySheet> sheet = MakeSheet(analysis, *policies, settings);
        sheet->show();
        for (int i = 0; i < sheet->PageCount(); ++i) sheet->Tabs().setCurrentIndex(i);
        QVERIFY(!sheet->ApplyButton().isEnabled());
        QTest::mouseClick(sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        QVERIFY(!sheet->ChangesApplied());
        QCOMPARE(GivenFlags(*policies), givenBefore);
        QCOMPARE(Written(*policies, true), allBefore);
      }
    }
    QVERIFY(GivenFlags(calculated).empty());
  }

  void applyingOneEditMarksExactlyThatPolicy() {
    using Field = TableConfig::Field;
    auto flag = [](Policy p) { return static_cast<int>(p); };
    const std::vector<Edit> edits = {
        {"page width", true,
         [](PolicySheet& s) {
           auto* spin = Find<QSpinBox>(s, "Analysis", "Page width");
           if (spin) spin->setValue(66);
           return spin != nullptr;
         },
         {flag(Policy::PageWidth)}, [](const FC& p) { return p.pageWidth == 66; }},
        {"indent positions", true,
         [](PolicySheet& s) {
           auto* edit = Find<QLineEdit>(s, "Analysis", "Indentation positions (in characters)");
           if (edit) edit->setText("0 5 10");
           return edit != nullptr;
         },
         {flag(Policy::IndentPositions)},
         [](const FC& p) { return p.indentCount == 3 && p.indentPositions[2] == 10; }},
        {"colon definitions off", true,
         [](PolicySheet& s) {
           auto* box = Find<QCheckBox>(s, "Analysis", "Recognise colon (:) characters");
           if (box) box->click();
           return box != nullptr;
         },
         {flag(Policy::DefinitionChars)},
         [](const FC& p) { return p.colonDefinitions == 0 && p.dashDefinitions == 1; }},
        {"o bullets", true,
         [](PolicySheet& s) {
           auto* box = Find<QCheckBox>(s, "Bullets", "Use \"o\" character as a bullet");
           if (box) box->click();
           return box != nullptr;
         },
         {flag(Policy::BulletChars)},
         [](const FC& p) { return p.circleBullets == 0 && p.dashBullets == 1; }},
        {"links on numbers", true,
         [](PolicySheet& s) {
           auto* radio = Find<QRadioButton>(s, "Contents List", "On section numbers");
           if (radio) radio->click();
           return radio != nullptr;
         },
         {flag(Policy::LinksOnNumbers)}, [](const FC& p) { return p.linksOnNumbers == 1; }},
        {"column separation", true,
         [](PolicySheet& s) {
           auto* spin =
               Find<QSpinBox>(s, "Table analysis", "Minimum number of spaces between columns");
           if (spin) spin->setValue(3);
           return spin != nullptr;
         },
         {TableFlag(Field::MinColumnSeparation)},
         [](const FC& p) { return p.tableDefaults.minColumnSeparation == 3; }},
        {"split", false,
         [](PolicySheet& s) {
           auto* box = Find<QCheckBox>(s, "File Generation", "Split into several HTML files");
           if (box) box->click();
           return box != nullptr;
         },
         {flag(Policy::SplitKnown), flag(Policy::SplitLevel)},
         [](const FC& p) { return p.splitKnown == 1 && p.splitLevel == 1; }},
        {"largest heading alone", false,
         [](PolicySheet& s) {
           auto* spin = Find<QSpinBox>(s, "Style", "Largest Heading size (Hn)");
           if (spin) spin->setValue(1);
           return spin != nullptr;
         },
         {flag(Policy::LargestHeading)},
         [](const FC& p) { return p.largestHeading == 1 && p.smallestHeading == 5; }},
        {"newsgroup hierarchies", false,
         [](PolicySheet& s) {
           auto* edit = Find<QLineEdit>(s, "Hyperlinks", "Additional hierarchies to recognise");
           if (edit) edit->setText("uk.  de.");
           return edit != nullptr;
         },
         {flag(Policy::UsenetGroups)}, [](const FC& p) { return p.usenetGroups.Count() == 2; }},
        {"link definition", false,
         [](PolicySheet& s) {
           s.Tabs().setCurrentIndex(7);
           auto* editor = s.findChild<LinkDictionaryEditor*>();
           if (!editor) return false;
           editor->MatchText().setText("RFC");
           editor->LinkText().setText("RFC");
           editor->Url().setText("http://example.com/");
           editor->AddButton().click();
           return true;
         },
         {flag(Policy::LinkDictionary)},
         [](const FC& p) {
           return p.linkDefinitions.size() == 1 && p.linkDefinitions[0].url.View() ==
                                                       "http://example.com/";
         }},
        {"heading level 2 details", true,
         [](PolicySheet& s) {
           auto* edit = Find<QPushButton>(s, "Headings", "Edit level 2");
           if (!edit) return false;
           // The details dialog is modal: fill it in once it is up.
           QTimer::singleShot(0, [] {
             QWidget* dialog = QApplication::activeModalWidget();
             if (!dialog) return;
             FindIn<QComboBox>(*dialog, "Numbering type")->setCurrentIndex(2);
             FindIn<QLineEdit>(*dialog, "Prefix word (e.g. Chapter, Section)")->setText("Part");
             FindIn<QLineEdit>(*dialog, "Trailing bracket characters")->setText(")");
             qobject_cast<QDialog*>(dialog)->findChild<QDialogButtonBox*>()
                 ->button(QDialogButtonBox::Ok)->click();
           });
           edit->click();
           return true;
         },
         {flag(Policy::HeadingStyles)},
         [](const FC& p) {
           const HeadingStyle& style = p.headingStyles[1];
           return style.numberingKind == HeadingStyle::kLowerRoman && style.hasPrefix == 1 &&
                  style.TextForm(1).View() == "\"Part\" i) at indent -1" &&
                  p.headingLevelCount == 0;
         }},
        {"table width", false,
         [](PolicySheet& s) {
           auto* edit = Find<QLineEdit>(s, "Table generation", "Table width");
           if (edit) edit->setText("100%");
           return edit != nullptr;
         },
         {TableFlag(Field::Width)}, [](const FC& p) { return p.tableDefaults.width.View() == "100%"; }},
    };
    for (const Edit& edit : edits) {
      FC policies;
      ProgramSettings settings;
      const std::unique_ptr<PolicySheet> sheet = MakeSheet(edit.analysisSheet, policies, settings);
      sheet->show();
      QVERIFY2(edit.act(*sheet), edit.what);
      QVERIFY2(sheet->ApplyButton().isEnabled(), edit.what);
      QTest::mouseClick(&sheet->ApplyButton(), Qt::LeftButton);
      QVERIFY2(sheet->ChangesApplied(), edit.what);
      QVERIFY2(!sheet->ApplyButton().isEnabled(), edit.what);
      QVERIFY2(GivenFlags(policies) == edit.expectedGiven, edit.what);
      QVERIFY2(edit.valueStored(policies), edit.what);
    }
  }

  void loadedFileSavedChangedOnlyHoldsWhatWasGiven() {
    TempDir dir;
    const QString source = QString::fromStdString(dir.Write("rich.pol", kRichPolicies));
    const QString saved = QString::fromStdString(dir.Path("saved.pol"));
    FC policies;
    ProgramSettings settings;
    PolicyFileDialog loader(policies, settings);
    loader.show();
    QTest::keyClicks(loader.NameBox().lineEdit(), source);
    QTest::keyClick(loader.NameBox().lineEdit(), Qt::Key_Return);
    QCOMPARE(loader.LoadedFile(), source);
    QCOMPARE(settings.recentPolicyFiles.value(0), source);

    // Looking at the policies in between changes nothing.
    OutputPolicySheet sheet(policies, settings);
    sheet.show();
    QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);

    SavePolicyDialog saver(policies, settings);
    saver.FileName().setText(saved);
    QVERIFY(saver.Save());
    QCOMPARE(settings.recentPolicyFiles.value(0), saved);

    FC expected;
    QVERIFY(LoadPolicyFile(expected, source));
    // The saved file is the changed-only form of the file as loaded (with
    // the companion lines the writer adds, such as the navigation bar beside
    // the split level).
    QCOMPARE(ReadAll(saved.toStdString()), Written(expected, false));
  }

  // A control without a tip, or Enter closing the sheet from a text box,
  // would go unnoticed until a user met it.
  void everyControlHasATipAndEnterKeepsTheSheetOpen() {
    for (const bool analysis : {true, false}) {
      FC policies;
      ProgramSettings settings;
      const std::unique_ptr<PolicySheet> sheet = MakeSheet(analysis, policies, settings);
      sheet->show();
      for (int i = 0; i < sheet->PageCount(); ++i) {
        for (auto* control : sheet->Page(i).findChildren<QWidget*>()) {
          const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                                 qobject_cast<QLineEdit*>(control) ||
                                 qobject_cast<QSlider*>(control) ||
                                 qobject_cast<QAbstractSpinBox*>(control) ||
                                 qobject_cast<QComboBox*>(control);
          // The text box inside a number box or a list carries the tip of its owner.
          QWidget* owner = control->parentWidget();
          const bool inner = qobject_cast<QAbstractSpinBox*>(owner) || qobject_cast<QComboBox*>(owner);
          if (isControl && !inner && control->toolTip().isEmpty()) {
            QFAIL(qPrintable(sheet->Page(i).Title() + ": no tip on " +
                             control->metaObject()->className() + " " +
                             control->property("text").toString()));
          }
        }
      }
      auto* edit = sheet->Page(0).findChild<QLineEdit*>();
      edit->setFocus();
      QTest::keyClicks(edit, "7");
      QTest::keyClick(edit, Qt::Key_Return);
      QVERIFY(sheet->isVisible());
      QVERIFY(!sheet->ChangesApplied());
    }
  }

  void sheetSitsThirtyPixelsInsideTheDesktopCorner() {
    FC policies;
    ProgramSettings settings;
    AnalysisPolicySheet sheet(policies, settings);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    const QRect desktop = sheet.screen()->availableGeometry();
    QCOMPARE(sheet.frameGeometry().bottomRight(), desktop.bottomRight() - QPoint(30, 30));
  }

  // The main window saves the settings only when the dialog reports a change.
  void programSettingsReportOnlyRealChanges() {
    ProgramSettings settings;
    settings.browserCommand = "firefox";
    ProgramSettingsDialog dialog(settings);
    QVERIFY(!dialog.Store());
    FindIn<QCheckBox>(dialog, "Use a default")->click();
    QVERIFY(dialog.Store());
    QVERIFY(settings.useDefaultPolicy);
    QCOMPARE(settings.browserCommand, QString("firefox"));
    QVERIFY(!dialog.Store());
  }

  void colourBoxesReadAndWriteNamesAndDigits() {
    struct Case {
      const char* text;
      QRgb rgb;
    };
    const Case cases[] = {
        {"", 0xc0c0c0},      {"Red", 0xff0000},    {"yellow", 0xffff00}, {"#FF0000", 0xff0000},
        {"navy", 0x0a0000},  {"12345", 0x123450},  {"0000fG", 0x0000f0},
    };
    for (const Case& c : cases) {
      QVERIFY2((ColourFromText(c.text).rgb() & 0xffffff) == c.rgb, c.text);
    }
    QCOMPARE(TextFromColour(QColor(0xff0000)), QString("Red"));
    QCOMPARE(TextFromColour(QColor(0x008000)), QString("Green"));
    QCOMPARE(TextFromColour(QColor(0x0a0b0c)), QString("0a0b0c"));

    // Through the "..." button: pure red is stored as the word.
    FC policies;
    ProgramSettings settings;
    OutputPolicySheet sheet(policies, settings);
    QColor offered;
    sheet.SetChooser([&offered](const QColor& initial, QWidget*) {
      offered = initial;
      return QColor(255, 0, 0);
    });
    sheet.show();
    auto* box = Find<QLineEdit>(sheet, "Colours", "Background");
    QVERIFY(box != nullptr);
    box->setText("navy");
    QPushButton* pick = nullptr;
    for (auto* button : box->parentWidget()->findChildren<QPushButton*>()) pick = button;
    QVERIFY(pick != nullptr);
    QTest::mouseClick(pick, Qt::LeftButton);
    QCOMPARE(offered.rgb() & 0xffffff, QRgb(0x0a0000));
    QCOMPARE(box->text(), QString("Red"));
    QTest::mouseClick(&sheet.ApplyButton(), Qt::LeftButton);
    QCOMPARE(policies.backgroundColour.View(), std::string_view("Red"));
    QCOMPARE(GivenFlags(policies), std::vector<int>{static_cast<int>(Policy::BackgroundColour)});
  }
};

QTEST_MAIN(PolicySheetsTest)
#include "PolicySheets_test.moc"
