#pragma once

#include <utility>
#include <vector>

#include <QDialog>
#include <QString>

#include "gui/ColourPicker.h"

class FC;
class PolicyPage;
class ProgramSettings;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

// A tabbed sheet of policy pages over one policy record. OK applies every
// page in tab order and closes; Apply applies and stays open (it is enabled
// only once a control has changed); Cancel closes without applying. Opening
// the sheet shows the record as it is now.
//
// When shown, the sheet places itself so that its bottom-right corner lies
// 30 pixels left of and above the bottom-right corner of the desktop. Enter
// inside a page goes to the focused control and never closes the sheet.
//
// The record and the settings must outlive the sheet.
class PolicySheet : public QDialog {
  Q_OBJECT

 public:
  PolicySheet(const QString& caption, FC& policies, ProgramSettings& settings, QWidget* parent);

  // Adds a page (owned by the sheet) as the last tab.
  PolicyPage& AddPage(const QString& title);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  PolicyPage& Page(int index) { return *pages_.at(static_cast<size_t>(index)); }
  QTabWidget& Tabs() { return *tabs_; }

  // Every page shows the record's policies; every changed flag is cleared.
  void Refresh();
  // Applies every page in tab order; true when any stored a policy.
  bool ApplyPages();
  // True once OK or Apply stored a policy since the sheet was built.
  bool ChangesApplied() const { return applied_; }

  // The colour picker behind every "..." button of the sheet.
  const ColourChooser& Chooser() const { return chooser_; }
  void SetChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

  QPushButton& ApplyButton() { return *applyButton_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PlaceNearCorner();

  FC& policies_;
  ProgramSettings& settings_;
  QTabWidget* tabs_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  std::vector<PolicyPage*> pages_;  // owned by tabs_
  bool applied_ = false;
  ColourChooser chooser_ = ChooseWithColourDialog;
};
