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

// "Anyloom Policy File": loads a policy file into the record (from
// "Browse...", from the list of recent policy files, or typed into the name
// box), opens the save dialog, and resets the policies. A loaded file goes
// to the top of the recent list. The record and the settings must outlive
// the dialog.
class PolicyFileDialog : public QDialog {
  Q_OBJECT

 public:
  PolicyFileDialog(FC& policies, ProgramSettings& settings, QWidget* parent = nullptr);

  // What "Reset to defaults" does; without one it resets the record.
  void SetResetAction(std::function<void()> reset) { reset_ = std::move(reset); }

  // Loads `name` ("Loading policy file"; a message box when it cannot be
  // read). Returns true when it was loaded.
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
  std::function<void()> reset_;
  QComboBox* name_ = nullptr;
  QString loaded_;
};
