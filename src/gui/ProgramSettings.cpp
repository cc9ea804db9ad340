#include "gui/ProgramSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr const char* kManualName = "manual.html";
// Where an installed program finds the manual, from its own directory.
constexpr const char* kInstalledManual = "/../share/doc/webloom/manual.html";

QString ListKey(const char* list, int index) {
  return QStringLiteral("%1/MRU%2").arg(QLatin1String(list)).arg(index, 2, 10, QLatin1Char('0'));
}

// Cuts `text` to fewer than kStoredTextLimit bytes of UTF-8, backing off to
// the start of a character so that no character is split.
QString CutStoredText(const QString& text) {
  QByteArray bytes = text.toUtf8();
  const qsizetype limit = ProgramSettings::kStoredTextLimit - 1;
  if (bytes.size() <= limit) return text;
  qsizetype end = limit;
  while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
  bytes.truncate(end);
  return QString::fromUtf8(bytes);
}

// Returns false, leaving `out` unchanged, when the key is missing.
bool ReadText(QSettings& store, const QString& key, QString& out) {
  if (!store.contains(key)) return false;
  const QVariant value = store.value(key);
  // A hand-edited value holding unquoted commas comes back as a list.
  const QString text = value.typeId() == QMetaType::QStringList
                           ? value.toStringList().join(QLatin1Char(','))
                           : value.toString();
  out = CutStoredText(text);
  return true;
}

void ReadFlag(QSettings& store, const QString& key, bool& flag) {
  QString text;
  if (!ReadText(store, key, text)) return;
  if (text == QLatin1String("Yes")) flag = true;
  if (text == QLatin1String("No")) flag = false;
}

void WriteFlag(QSettings& store, const QString& key, bool flag) {
  store.setValue(key, flag ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void ReadList(QSettings& store, const char* list, QStringList& out) {
  out.clear();
  for (int i = 0; i < ProgramSettings::kRecentCount; ++i) {
    QString entry;
    ReadText(store, ListKey(list, i), entry);
    out.append(entry);
  }
}

void WriteList(QSettings& store, const char* list, const QStringList& entries) {
  for (int i = 0; i < ProgramSettings::kRecentCount; ++i) {
    store.setValue(ListKey(list, i), i < entries.size() ? entries[i] : QString());
  }
}

}  // namespace

ProgramSettings::ProgramSettings() {
  for (int i = 0; i < kRecentCount; ++i) {
    recentPolicyFiles.append(QString());
    recentInputFiles.append(QString());
  }
}

void ProgramSettings::Load() {
  QSettings store;
  Load(store);
}

void ProgramSettings::Load(QSettings& store) {
  ReadText(store, QStringLiteral("CurrentDir"), currentDir);
  ReadText(store, QStringLiteral("BrowserCommand"), browserCommand);
  ReadText(store, QStringLiteral("HTMLDoco"), documentation);
  ReadText(store, QStringLiteral("DefaultPolicy/File"), defaultPolicyFile);
  ReadFlag(store, QStringLiteral("DefaultPolicy/Used"), useDefaultPolicy);
  ReadFlag(store, QStringLiteral("DragAndDrop/ViewResults"), viewResultsAfterDrop);
  ReadFlag(store, QStringLiteral("DragAndDrop/ViewStatusWindow"), showStatusAfterDrop);
  ReadList(store, "Policy", recentPolicyFiles);
  ReadList(store, "Files", recentInputFiles);
}

void ProgramSettings::Save() const {
  QSettings store;
  Save(store);
}

void ProgramSettings::Save(QSettings& store) const {
  store.setValue(QStringLiteral("CurrentDir"), currentDir);
  store.setValue(QStringLiteral("BrowserCommand"), browserCommand);
  store.setValue(QStringLiteral("HTMLDoco"), documentation);
  store.setValue(QStringLiteral("DefaultPolicy/File"), defaultPolicyFile);
  WriteFlag(store, QStringLiteral("DefaultPolicy/Used"), useDefaultPolicy);
  WriteFlag(store, QStringLiteral("DragAndDrop/ViewResults"), viewResultsAfterDrop);
  WriteFlag(store, QStringLiteral("DragAndDrop/ViewStatusWindow"), showStatusAfterDrop);
  WriteList(store, "Policy", recentPolicyFiles);
  WriteList(store, "Files", recentInputFiles);
  store.sync();
}

void ProgramSettings::Remember(QStringList& list, const QString& name) {
  if (name.isEmpty()) return;
  list.removeAll(name);
  list.prepend(name);
  while (list.size() > kRecentCount) list.removeLast();
  while (list.size() < kRecentCount) list.append(QString());
}

QString ProgramSettings::DocumentationFile() const {
  return documentation.isEmpty() ? DefaultDocumentation() : documentation;
}

QString ProgramSettings::DefaultDocumentation() {
  const QString programDir = QCoreApplication::applicationDirPath();
  const QString beside = programDir + QLatin1Char('/') + QLatin1String(kManualName);
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = QDir::cleanPath(programDir + QLatin1String(kInstalledManual));
  return QFileInfo::exists(installed) ? installed : beside;
}

QString ProgramSettings::StartupPolicyFile() const {
  return useDefaultPolicy ? defaultPolicyFile : QString();
}
