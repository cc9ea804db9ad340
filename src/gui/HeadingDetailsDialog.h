#pragma once

#include <QDialog>

#include "policy/HeadingStyle.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "Heading details": edits the style of one heading or contents level. OK
// stores the controls into the style given at construction; Cancel leaves
// it as it was. The style must outlive the dialog.
class HeadingDetailsDialog : public QDialog {
  Q_OBJECT

 public:
  HeadingDetailsDialog(HeadingStyle& style, QWidget* parent = nullptr);

  // Writes the controls into the style (what OK does).
  void Store();

 private:
  HeadingStyle& style_;
  QSpinBox* indent_ = nullptr;
  QLineEdit* prefix_ = nullptr;
  QComboBox* numbering_ = nullptr;
  QLineEdit* separator_ = nullptr;
  QLineEdit* before_ = nullptr;
  QLineEdit* after_ = nullptr;
  QCheckBox* letters_ = nullptr;
};
