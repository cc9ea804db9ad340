#pragma once

#include <functional>

#include <QDialog>
#include <QString>

class FC;
class ProgramSettings;
class QComboBox;

// The policy file filter of every policy file chooser (Qt form).
inline constexpr const char* kPolicyFileFilter = "Policy Files (*.pol);;All files (*)";

// Reads the policy file `name` into `policies`, which first returns to its
// defaults (keeping its owner and message sinks), so the file replaces what
// an earlier one gave. Returns 0, leaving the record as it was, when the
// file cannot be opened.
int LoadPolicyFile(FC& policies, const QString& name);

// Writes the policies to `name`: all of them, or only those marked given.
// Returns 0 when the file cannot be written.
int SavePolicyFile(const FC& policies, const QString& name, bool all);

// Returns every policy of `policies` to its default and clears every given
// flag, keeping the record's owner and message sinks.
void ResetPolicies(FC& policies);

// What the buttons of the policy file dialog do; an empty action does the
// dialog's own: load `name` into the record (a message box when it cannot
// be read), open the save dialog on the record, reset the record.
struct PolicyFileActions {
  // Loads one file and reports its own failure; true when loaded.
  std::function<bool(const QString& name)> load;
  std::function<void()> save;
  std::function<void()> reset;
};

// "Anyloom Policy File": loads a policy file (chosen with "Browse...",
// picked from the recent policy files, or typed into the name box and left),
// saves the policies and resets them to their defaults. A loaded file goes
// to the top of the recent list. The record and the settings must outlive
// the dialog.
class PolicyFileDialog : public QDialog {
  Q_OBJECT

 public:
  PolicyFileDialog(FC& policies, ProgramSettings& settings, QWidget* parent = nullptr);
  ~PolicyFileDialog() override;

  void SetActions(PolicyFileActions actions) { actions_ = std::move(actions); }

  // Loads `name` with the load action. Returns true when it was loaded.
  bool Load(const QString& name);
  // The file loaded last; empty when none was.
  const QString& LoadedFile() const { return loaded_; }

  QComboBox& NameBox() { return *name_; }

 signals:
  void PolicyFileLoaded(const QString& name);
  void PoliciesReset();

 private:
  void ShowRecent();
  void Browse();
  void ShowHelp();

  FC& policies_;
  ProgramSettings& settings_;
  PolicyFileActions actions_;
  QComboBox* name_ = nullptr;
  QString loaded_;
};
