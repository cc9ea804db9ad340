#pragma once

#include <QDialog>

class ProgramSettings;
class QCheckBox;
class QLineEdit;

// "Program Settings": the default policy file, the browser, the
// drag-and-drop behaviour and the documentation location. OK stores the
// controls into the settings record; Cancel leaves it as it was. The
// settings must outlive the dialog.
class ProgramSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  ProgramSettingsDialog(ProgramSettings& settings, QWidget* parent = nullptr);

  // What OK does. Returns true when any setting changed.
  bool Store();
  // True when OK stored a change.
  bool Changed() const { return changed_; }

 private:
  void SearchBrowser();

  ProgramSettings& settings_;
  QLineEdit* policyFile_ = nullptr;
  QCheckBox* useDefault_ = nullptr;
  QLineEdit* browser_ = nullptr;
  QCheckBox* viewResults_ = nullptr;
  QCheckBox* showStatus_ = nullptr;
  QLineEdit* documentation_ = nullptr;
  bool changed_ = false;
};
