#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The desktop program's own settings, kept between runs in the user's
// settings store (QSettings, organisation "Quenlow", application "Webloom").
// Nothing of the conversion policies lives here: only which policy file to
// load by default, how to view results and the two recent-file lists.
//
// Every value is stored as a string under the key named beside its field;
// flags as "Yes" or "No". Loaded once at start-up, saved as a whole at every
// conversion run and at exit.
class ProgramSettings {
 public:
  // Entries in each recent-file list.
  static constexpr int kRecentCount = 10;
  // Stored texts are cut to fewer than this many bytes when read, as the
  // settings of earlier versions were; the cut never splits a character.
  static constexpr int kStoredTextLimit = 260;

  ProgramSettings();

  QString currentDir;         // CurrentDir: directory last used for input
  QString browserCommand;     // BrowserCommand: empty = the desktop's default
  QString documentation;      // HTMLDoco: empty = DefaultDocumentation()
  QString defaultPolicyFile;  // DefaultPolicy/File
  bool useDefaultPolicy = false;             // DefaultPolicy/Used
  bool viewResultsAfterDrop = true;          // DragAndDrop/ViewResults
  bool showStatusAfterDrop = true;           // DragAndDrop/ViewStatusWindow
  QStringList recentPolicyFiles;  // Policy/MRU00..09: always kRecentCount entries
  QStringList recentInputFiles;   // Files/MRU00..09: always kRecentCount entries

  // Reads every setting from the application's settings store, or from
  // `store`. A missing string key leaves its field as it is; a flag keeps
  // its value unless the stored text is exactly "Yes" or "No"; a missing
  // recent-list entry becomes empty.
  void Load();
  void Load(QSettings& store);
  // Writes every setting, both lists with all their entries (empty ones
  // too). Write failures are not reported.
  void Save() const;
  void Save(QSettings& store) const;

  // Puts `name` at the top of a recent list, removing an earlier entry of
  // the same name and dropping the last; an empty name changes nothing.
  static void Remember(QStringList& list, const QString& name);

  // The documentation file to open: the setting, or the default.
  QString DocumentationFile() const;
  // The HTML user manual installed beside the program's executable.
  static QString DefaultDocumentation();
  // The policy file start-up loads: the default policy file when it is
  // enabled and named, else empty.
  QString StartupPolicyFile() const;
};
