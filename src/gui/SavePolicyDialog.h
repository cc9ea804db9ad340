#pragma once

#include <QDialog>

class FC;
class ProgramSettings;
class QLineEdit;
class QRadioButton;

// "Save policies to file": writes the record's policies to a policy file,
// only those marked given ("Save changed policies only (recommended)", the
// default) or all of them. A saved file goes to the top of the recent policy
// files. The record and the settings must outlive the dialog.
class SavePolicyDialog : public QDialog {
  Q_OBJECT

 public:
  SavePolicyDialog(const FC& policies, ProgramSettings& settings, QWidget* parent = nullptr);

  // What "Save" does: a message box and false when there is no name or the
  // file cannot be written; else writes, remembers the name, closes.
  bool Save();

  QLineEdit& FileName() { return *name_; }
  QRadioButton& AllPolicies() { return *all_; }

 private:
  const FC& policies_;
  ProgramSettings& settings_;
  QLineEdit* name_ = nullptr;
  QRadioButton* changed_ = nullptr;
  QRadioButton* all_ = nullptr;
};
