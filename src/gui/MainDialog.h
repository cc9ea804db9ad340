#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "gui/ProgramSettings.h"

class FC;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class StatusWindow;

// The main window "Webloom": the input file(s), the directories, the output
// name and extension, the conversion run and the menus that lead to the
// policy editor and the program settings.
//
// Owns the program settings (loaded on construction, saved at every
// conversion run and on destruction), the policy records (the loaded policy
// file, the analysis results, the record the policy sheets edit) and the
// status window.
class MainDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MainDialog(QWidget* parent = nullptr);
  ~MainDialog() override;

  // Takes the files dropped on the program (named on its command line) as
  // the input and converts them at once, without showing this window: the
  // status window is shown when the settings ask for it, and left open
  // until the user dismisses it; then the result is viewed when the
  // settings ask for that.
  void ConvertDroppedFiles(const QStringList& files);

  // Loads `name` into the policy-file record ("Loading policy file" in the
  // status window); a file that cannot be read is reported in a message box
  // and leaves no policy file loaded. Returns true when loaded.
  bool LoadPolicyFile(const QString& name);

  // The record the policy sheets edit. Until the user has changed a policy
  // it is rebuilt on each call from the defaults, the analysis results (when
  // the file was analysed) and the loaded policy file, so that it shows what
  // a conversion would use.
  FC& EditablePolicies();
  // Records that the user changed policies in the editor: the given
  // policies of EditablePolicies() are merged last in every conversion.
  void SetPoliciesChanged();

  ProgramSettings& Settings() { return settings_; }
  StatusWindow& Status() { return *status_; }
  // The first page written by the last conversion; empty before one.
  QString LastResult() const { return lastResult_; }

  // The window title for an input specification.
  static QString TitleFor(const QString& specification);

 public slots:
  void Browse();
  void Convert();
  void ViewResults();
  void ReanalyseFile();
  void ResetToDefaults();
  void ToggleMessages();

 protected:
  // Closing: keeps the recent input files and offers to save changed
  // policies.
  void done(int result) override;

 private:
  void BuildMenus();
  void BuildControls();
  // A "..." button that fills `box` from a directory chooser.
  QWidget* ChooseDirectoryButton(QLineEdit* box, const QString& caption);
  void InputChanged();
  void RecentFileChosen(const QString& text);
  void RememberInput();
  void Warn(const QString& title, const QString& text);
  void StatusLine(const QString& line);
  bool DirectoriesValid();
  void RunConversion(bool showStatus);
  void EditAnalysisSheet();
  void EditOutputSheet();
  void EditSettings();
  void ChoosePolicyFile();
  void SavePolicyFile();
  void OpenInBrowser(const QString& file, bool reportMissingBrowser);
  void OpenDocumentation();
  void ShowAbout();

  ProgramSettings settings_;
  std::unique_ptr<FC> policyFile_;  // the loaded policy file
  std::unique_ptr<FC> analysis_;    // the policies "Re-analyse the file" worked out
  std::unique_ptr<FC> policies_;    // what the policy sheets edit
  QString policyFileName_;
  bool policyFileLoaded_ = false;
  bool analysed_ = false;
  bool policiesChanged_ = false;
  QString lastResult_;
  // The output name the window filled in itself.
  QString autoOutputName_;

  QComboBox* files_ = nullptr;
  QLineEdit* inputDir_ = nullptr;
  QLineEdit* outputDir_ = nullptr;
  QLineEdit* outputName_ = nullptr;
  QRadioButton* html_ = nullptr;
  QRadioButton* htm_ = nullptr;
  QCheckBox* simple_ = nullptr;
  QPushButton* convert_ = nullptr;
  QPushButton* view_ = nullptr;
  StatusWindow* status_ = nullptr;
};
