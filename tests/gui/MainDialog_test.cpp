#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/MainDialog.h"
#include "gui/StatusWindow.h"
#include "gui/WebloomApp.h"
#include "policy/FC.h"

namespace {

QByteArray ReadAll(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& name, const QByteArray& text) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

// Answers the modal windows a user would see, recording each as
// "title|text" (message boxes) or "file dialog", and dismisses it.
class ModalAnswerer : public QObject {
 public:
  QStringList seen;
  ModalAnswerer() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) modal = OnlyWindowShown();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.append(box->windowTitle() + QLatin1Char('|') + box->text());
        box->done(QMessageBox::No);
      } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        seen.append(QStringLiteral("file dialog"));
        dialog->reject();
      } else if (auto* status = qobject_cast<StatusWindow*>(modal);
                 status != nullptr && status->Text().endsWith(QLatin1String("complete ---\n"))) {
        const QStringList lines = status->Text().split(QLatin1Char('\n'));
        seen.append(QStringLiteral("status window: ") +
                    lines.filter(QStringLiteral("Processing :")).join(QLatin1Char('|')));
        for (auto* button : status->findChildren<QPushButton*>()) {
          if (button->text() == QLatin1String("Dismiss")) button->click();
        }
      }
    });
    timer_.start(20);
  }

 private:
  // Files dropped on the program leave only the status window on screen.
  static QWidget* OnlyWindowShown() {
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible()) shown.append(widget);
    }
    return shown.size() == 1 ? shown.front() : nullptr;
  }

  QTimer timer_;
};

// Records every window that is shown.
class ShownWindows : public QObject {
 public:
  QStringList shown;
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(object);
    if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow()) {
      shown.append(QString::fromLatin1(object->metaObject()->className()));
    }
    return false;
  }
};

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString In(const QString& name) const { return dir_.filePath(name); }

  // Loads file.pol, edits the title the user's way and converts guide.txt
  // into gui/ by pressing "Convert File(s)...", then closes the window.
  void ConvertWithAnEdit() {
    MainDialog dialog;
    dialog.show();
    QVERIFY(dialog.LoadPolicyFile(In("file.pol")));
    FC& edits = dialog.EditablePolicies();
    QCOMPARE(QString::fromUtf8(edits.documentTitle.View()), QStringLiteral("From the file"));
    edits.documentTitle.SetText("From the user");
    edits.SetGiven(Policy::DocumentTitle);
    dialog.SetPoliciesChanged();
    Fill(dialog, "files", QStringLiteral("guide.txt"));
    Fill(dialog, "inputDir", dir_.path());
    Fill(dialog, "outputDir", In("gui"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("convert")), Qt::LeftButton);
    QCOMPARE(dialog.LastResult(), In("gui/guide.html"));
    QVERIFY(dialog.Status().isVisible());
    QVERIFY(dialog.Status().Text().contains(QStringLiteral("Processing : \"%1\"").arg(In("guide.txt"))));
    QVERIFY(dialog.Status().Text().contains(QStringLiteral("--- Conversion complete ---")));
    ModalAnswerer answerer;
    dialog.reject();
    QCOMPARE(answerer.seen,
             QStringList{QStringLiteral("Save Changes|Save changes made to your policy?")});
  }

  static void Fill(MainDialog& dialog, const char* name, const QString& text) {
    if (auto* combo = dialog.findChild<QComboBox*>(QLatin1String(name))) {
      combo->setEditText(text);
    } else {
      dialog.findChild<QLineEdit*>(QLatin1String(name))->setText(text);
    }
  }

 private slots:
  void initTestCase() {
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlow"));
    QCoreApplication::setApplicationName(QStringLiteral("Webloom"));
    QVERIFY(dir_.isValid());
    QVERIFY(QFile::copy(QStringLiteral(WEBLOOM_SAMPLE), In("guide.txt")));
    QVERIFY(QDir().mkpath(In("gui")) && QDir().mkpath(In("console")));
  }
  void init() { QSettings().clear(); }

  // The window's run and the console reach the same page from the same
  // policies: a policy file, with the user's edit beating it.
  void conversionWritesWhatTheConsoleWrites() {
    WriteAll(In("file.pol"), "Document title : From the file\nBackground colour : Yellow\n");
    WriteAll(In("console/both.pol"), "Document title : From the user\nBackground colour : Yellow\n");
    QVERIFY(QFile::copy(In("guide.txt"), In("console/guide.txt")));
    QCOMPARE(QProcess::execute(QStringLiteral(WEBLOOMCON_PATH),
                               {QStringLiteral("-p"), In("console/both.pol"), In("console/guide.txt")}),
             0);
    ConvertWithAnEdit();
    const QByteArray page = ReadAll(In("gui/guide.html"));
    QVERIFY(page.contains("From the user"));
    QCOMPARE(page, ReadAll(In("console/guide.html")));
    QCOMPARE(QSettings().value("Files/MRU00").toString(), In("guide.txt"));
    QCOMPARE(QSettings().value("Policy/MRU00").toString(), In("file.pol"));
  }

  void directoryProblemsStopBeforeReading_data() {
    QTest::addColumn<QString>("inputDir");
    QTest::addColumn<QString>("outputDir");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing input") << "missing" << "gui" << "Invalid Input Directory";
    QTest::newRow("missing output") << "" << "missing" << "Invalid Output Directory";
    QTest::newRow("output is a file") << "" << "guide.txt" << "Invalid Output Directory";
    QTest::newRow("read-only output") << "" << "readonly" << "Output Directory is Readonly";
  }
  void directoryProblemsStopBeforeReading() {
    QFETCH(QString, inputDir);
    QFETCH(QString, outputDir);
    QFETCH(QString, message);
    QDir().mkpath(In("readonly"));
    QFile::setPermissions(In("readonly"), QFile::ReadOwner | QFile::ExeOwner);
    if (outputDir == QLatin1String("readonly") && QFileInfo(In("readonly")).isWritable()) {
      QSKIP("the user may write anywhere (root)");
    }
    MainDialog dialog;
    ModalAnswerer answerer;
    Fill(dialog, "files", In("guide.txt"));
    Fill(dialog, "inputDir", inputDir.isEmpty() ? QString() : In(inputDir));
    Fill(dialog, "outputDir", In(outputDir));
    dialog.Convert();
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("Directory Error|") + message});
    QVERIFY(dialog.Status().Text().isEmpty());
    QVERIFY(dialog.LastResult().isEmpty());
  }

  void viewResultsBeforeAnyConversion() {
    MainDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    dialog.ViewResults();
    QCOMPARE(answerer.seen, (QStringList{QStringLiteral("Input File Error|Must choose a file to convert"),
                                         QStringLiteral("file dialog")}));
    Fill(dialog, "files", QStringLiteral("nothing-*.txt"));
    Fill(dialog, "inputDir", dir_.path());
    answerer.seen.clear();
    dialog.ViewResults();
    QCOMPARE(answerer.seen,
             (QStringList{QStringLiteral("No conversion done yet|Must convert a file first"),
                          QStringLiteral("File selection error|No files found \"nothing-*.txt\"")}));
    QVERIFY(dialog.Status().Text().contains(QStringLiteral("ERROR: No files found \"nothing-*.txt\"")));
  }

  // The browser command is split, never given to a shell, and receives the
  // page as one argument, spaces and all.
  void viewResultsStartsTheBrowserCommand() {
    QVERIFY(QDir().mkpath(In("my pages")));
    const QString viewer = In("my pages/viewer.sh");
    WriteAll(viewer, "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/viewed\"\n");
    QVERIFY(QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    MainDialog dialog;
    dialog.Settings().browserCommand = QLatin1Char('"') + viewer + QLatin1Char('"');
    Fill(dialog, "files", QStringLiteral("guide.txt"));
    Fill(dialog, "inputDir", dir_.path());
    Fill(dialog, "outputDir", In("my pages"));
    Fill(dialog, "outputName", QStringLiteral("a page; rm -rf x"));
    dialog.Convert();
    dialog.ViewResults();
    QTRY_COMPARE(ReadAll(In("my pages/viewed")), In("my pages/a page; rm -rf x.html").toUtf8());
  }

  void titleFollowsTheSpecification_data() {
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QString>("title");
    QTest::newRow("none") << "" << "Webloom";
    QTest::newRow("one file") << "guide.txt" << "guide.txt - Webloom";
    QTest::newRow("several") << "\"a b.txt\" \"c.txt\"" << "\"a... - Webloom";
  }
  void titleFollowsTheSpecification() {
    QFETCH(QString, spec);
    QFETCH(QString, title);
    MainDialog dialog;
    Fill(dialog, "files", spec);
    QCOMPARE(dialog.windowTitle(), title);
  }

  // "Re-analyse the file" shows the calculated policies on the sheets, as
  // values, not as policies the user gave.
  void reanalysisFeedsTheSheets() {
    MainDialog dialog;
    Fill(dialog, "files", QStringLiteral("guide.txt"));
    Fill(dialog, "inputDir", dir_.path());
    const int defaultWidth = FC().pageWidth;
    dialog.ReanalyseFile();
    const FC& shown = dialog.EditablePolicies();
    QVERIFY(shown.pageWidth != defaultWidth);
    QVERIFY(!shown.AnyGiven());
  }

  // A name filled in for one file must not make another file overwrite it.
  void outputNameFollowsTheInputUntilTyped() {
    MainDialog dialog;
    auto* outputName = dialog.findChild<QLineEdit*>(QStringLiteral("outputName"));
    Fill(dialog, "files", QStringLiteral("guide.txt"));
    QCOMPARE(outputName->text(), QStringLiteral("guide"));
    Fill(dialog, "files", QStringLiteral("notes.asc"));
    QCOMPARE(outputName->text(), QStringLiteral("notes"));
    Fill(dialog, "files", QStringLiteral("*.txt"));
    QCOMPARE(outputName->text(), QString());
    outputName->setText(QStringLiteral("mine"));
    Fill(dialog, "files", QStringLiteral("other.txt"));
    QCOMPARE(outputName->text(), QStringLiteral("mine"));
  }

  // Dropped files: each converted beside itself under its own name, with the
  // default policy file, and no window shown when the settings ask for none.
  void droppedFilesConvertWithoutAnyWindow() {
    QVERIFY(QFile::copy(In("guide.txt"), In("gui/second.txt")));
    WriteAll(In("default.pol"), "Document title : Dropped\n");
    {
      QSettings store;
      store.setValue("DragAndDrop/ViewResults", "No");
      store.setValue("DragAndDrop/ViewStatusWindow", "No");
      store.setValue("DefaultPolicy/File", In("default.pol"));
      store.setValue("DefaultPolicy/Used", "Yes");
    }
    ShownWindows windows;
    qApp->installEventFilter(&windows);
    QCOMPARE(RunWebloom({QStringLiteral("webloom"), In("guide.txt"), In("gui/second.txt")}), 0);
    qApp->removeEventFilter(&windows);
    QCOMPARE(windows.shown, QStringList());
    QVERIFY(ReadAll(In("guide.html")).contains("Dropped"));
    QVERIFY(ReadAll(In("gui/second.html")).contains("Dropped"));

    // Asked to show the status window, the program stays until the user
    // dismisses it.
    QSettings().setValue("DragAndDrop/ViewStatusWindow", "Yes");
    QFile::remove(In("guide.html"));
    ModalAnswerer answerer;
    QCOMPARE(RunWebloom({QStringLiteral("webloom"), In("guide.txt")}), 0);
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("status window: Processing : \"%1\"")
                                            .arg(In("guide.txt"))});
    QVERIFY(QFile::exists(In("guide.html")));
  }
};

QTEST_MAIN(MainDialogTest)
#include "MainDialog_test.moc"
