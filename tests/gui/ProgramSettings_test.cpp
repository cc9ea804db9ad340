#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "gui/ProgramSettings.h"

// The settings go through an INI file of the test's own: the same QSettings
// code as the user's store, with the keys visible.
class ProgramSettingsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString StoreName() const { return dir_.filePath(QStringLiteral("Webloom.conf")); }

 private slots:
  void init() { QFile::remove(StoreName()); }

  void freshUserKeepsDefaults() {
    QSettings store(StoreName(), QSettings::IniFormat);
    ProgramSettings settings;
    settings.useDefaultPolicy = true;
    settings.viewResultsAfterDrop = false;
    settings.Load(store);
    QVERIFY(settings.currentDir.isEmpty());
    QVERIFY(settings.browserCommand.isEmpty());
    QVERIFY(settings.defaultPolicyFile.isEmpty());
    QCOMPARE(settings.useDefaultPolicy, true);
    QCOMPARE(settings.viewResultsAfterDrop, false);
    QCOMPARE(settings.recentInputFiles, QStringList(10, QString()));
    QCOMPARE(settings.recentPolicyFiles, QStringList(10, QString()));
  }

  void roundTripThroughTheStoredKeys() {
    ProgramSettings saved;
    saved.currentDir = QStringLiteral("/home/ann/docs");
    saved.browserCommand = QStringLiteral("firefox --new-window");
    saved.documentation = QStringLiteral("/usr/share/doc/webloom/guide.html");
    saved.defaultPolicyFile = QStringLiteral("/home/ann/rfc, draft.pol");
    saved.useDefaultPolicy = true;
    saved.viewResultsAfterDrop = false;
    saved.showStatusAfterDrop = true;
    ProgramSettings::Remember(saved.recentPolicyFiles, QStringLiteral("a.pol"));
    for (const char* name : {"one.txt", "two.txt", "one.txt"}) {
      ProgramSettings::Remember(saved.recentInputFiles, QString::fromLatin1(name));
    }
    {
      QSettings store(StoreName(), QSettings::IniFormat);
      saved.Save(store);
    }
    QSettings store(StoreName(), QSettings::IniFormat);
    QCOMPARE(store.value("DefaultPolicy/Used").toString(), QStringLiteral("Yes"));
    QCOMPARE(store.value("DragAndDrop/ViewResults").toString(), QStringLiteral("No"));
    QCOMPARE(store.value("DefaultPolicy/File").toString(), saved.defaultPolicyFile);
    QCOMPARE(store.value("Files/MRU00").toString(), QStringLiteral("one.txt"));
    QCOMPARE(store.value("Files/MRU01").toString(), QStringLiteral("two.txt"));
    QVERIFY(store.contains("Files/MRU09"));
    QVERIFY(store.contains("Policy/MRU09"));

    ProgramSettings loaded;
    loaded.viewResultsAfterDrop = true;
    loaded.showStatusAfterDrop = false;
    loaded.Load(store);
    QCOMPARE(loaded.currentDir, saved.currentDir);
    QCOMPARE(loaded.browserCommand, saved.browserCommand);
    QCOMPARE(loaded.documentation, saved.documentation);
    QCOMPARE(loaded.defaultPolicyFile, saved.defaultPolicyFile);
    QCOMPARE(loaded.useDefaultPolicy, true);
    QCOMPARE(loaded.viewResultsAfterDrop, false);
    QCOMPARE(loaded.showStatusAfterDrop, true);
    QCOMPARE(loaded.recentInputFiles, saved.recentInputFiles);
    QCOMPARE(loaded.recentPolicyFiles, saved.recentPolicyFiles);
    QCOMPARE(loaded.recentInputFiles.size(), 10);
  }

  void flagsOnlyExactYesOrNo_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::newRow("Yes") << "Yes" << false << true;
    QTest::newRow("No") << "No" << true << false;
    QTest::newRow("lower-case yes") << "yes" << false << false;
    QTest::newRow("upper-case NO") << "NO" << true << true;
    QTest::newRow("padded") << "Yes " << false << false;
    QTest::newRow("empty") << "" << true << true;
  }
  void flagsOnlyExactYesOrNo() {
    QFETCH(QString, stored);
    QFETCH(bool, before);
    QFETCH(bool, after);
    {
      QSettings store(StoreName(), QSettings::IniFormat);
      store.setValue("DragAndDrop/ViewStatusWindow", stored);
    }
    QSettings store(StoreName(), QSettings::IniFormat);
    ProgramSettings settings;
    settings.showStatusAfterDrop = before;
    settings.Load(store);
    QCOMPARE(settings.showStatusAfterDrop, after);
  }

  void longTextsAreCutWithoutSplittingACharacter() {
    const QString longPath = QStringLiteral("/") + QString(257, QLatin1Char('a')) +
                             QStringLiteral("\u00e9\u00e9");  // 258 + 4 bytes
    {
      QSettings store(StoreName(), QSettings::IniFormat);
      store.setValue("CurrentDir", longPath);
      store.setValue("Files/MRU03", longPath);
    }
    QSettings store(StoreName(), QSettings::IniFormat);
    ProgramSettings settings;
    settings.Load(store);
    QCOMPARE(settings.currentDir, longPath.left(258));
    QCOMPARE(settings.recentInputFiles[3], longPath.left(258));
  }

  void rememberKeepsTenDistinctEntries() {
    QStringList list(10, QString());
    for (int i = 0; i < 12; ++i) ProgramSettings::Remember(list, QString::number(i));
    ProgramSettings::Remember(list, QStringLiteral("5"));
    ProgramSettings::Remember(list, QString());
    QCOMPARE(list, (QStringList{"5", "11", "10", "9", "8", "7", "6", "4", "3", "2"}));
  }
};

QTEST_GUILESS_MAIN(ProgramSettingsTest)
#include "ProgramSettings_test.moc"
