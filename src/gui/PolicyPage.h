#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

#include "policy/FC.h"

class PolicySheet;
class ProgramSettings;
class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

// Where one number policy lives and how it is marked given: a field of the
// record with its flag, or a field of the table defaults with its own flag.
struct IntPolicy {
  std::function<int&(FC&)> value;
  std::function<void(FC&)> markGiven;
};
IntPolicy RecordInt(Policy flag, int PolicyValues::*field);
IntPolicy TableInt(TableConfig::Field flag, int TableConfig::*field);

// The same for a text policy.
struct TextPolicy {
  std::function<TextString&(FC&)> value;
  std::function<void(FC&)> markGiven;
};
TextPolicy RecordText(Policy flag, TextString PolicyValues::*field);
TextPolicy TableText(TableConfig::Field flag, TextString TableConfig::*field);

// Shows every label and tooltip under `root` as plain text, so that texts
// naming tags ("Script file (in <HEAD>)") are not taken for markup.
void MakeTextsPlain(QWidget& root);

// Engine texts are UTF-8 bytes.
QString ToQt(const TextString& text);
TextString ToText(const QString& text);

// One tab of a policy sheet. Its controls show the policies of the sheet's
// record; each control, or each group of controls that edits one policy, is
// a binding with a changed flag. Only a binding the user touched is stored
// by Apply, and storing marks its policy given; an untouched policy changes
// neither its value nor its flag.
//
// The page is built by adding rows (Check, Number, Text, ...), each of which
// creates its binding; pages with unusual controls add bindings of their
// own. The record and the settings must outlive the page.
class PolicyPage : public QWidget {
  Q_OBJECT

 public:
  PolicyPage(const QString& title, PolicySheet& sheet, FC& policies, ProgramSettings& settings);

  const QString& Title() const { return title_; }
  PolicySheet& Sheet() { return sheet_; }
  FC& Policies() { return policies_; }
  ProgramSettings& Settings() { return settings_; }

  // --- Bindings ---
  // `load` shows the record's value in the controls; `store` writes the
  // controls into the record and marks the policy given. Returns the
  // binding's index for MarkChanged and Watch.
  int AddBinding(std::function<void()> load, std::function<void()> store);
  // Sets the binding's changed flag and tells the sheet, unless the page is
  // loading its values.
  void MarkChanged(int binding);
  // Calls MarkChanged(binding) whenever the control's value changes.
  void Watch(QCheckBox* box, int binding);
  void Watch(QAbstractButton* radio, int binding);
  void Watch(QLineEdit* edit, int binding);
  void Watch(QSpinBox* spin, int binding);
  void Watch(QComboBox* list, int binding);
  void Watch(QSlider* slider, int binding);

  // Shows the record's values and clears every changed flag.
  void Refresh();
  // Stores every changed binding, in the order they were added, and clears
  // the flags. Returns true when it stored anything.
  bool Apply();
  bool AnyChanged() const;

  // --- Building: rows go into the current group of the current column ---
  // Starts a framed group (untitled: no frame) below the previous one.
  void BeginGroup(const QString& title = QString());
  // Starts a new column to the right.
  void NextColumn();
  // A labelled row; an empty label lets the field span the row. The tip is
  // set on the field and on the label.
  void AddRow(const QString& label, QWidget* field, const QString& tip);
  // A field with a button after it, as one row widget.
  QWidget* WithButton(QWidget* field, QPushButton* button);
  QPushButton* NewButton(const QString& text, const QString& tip);

  QCheckBox* Check(const QString& label, const QString& tip, IntPolicy policy);
  // A number box from `minimum` to `maximum`; with `noneAllowed` one below
  // `minimum` shows "(none)" and stands for the unset -1.
  QSpinBox* Number(const QString& label, const QString& tip, IntPolicy policy, int minimum,
                   int maximum, bool noneAllowed = false);
  QLineEdit* Text(const QString& label, const QString& tip, TextPolicy policy, int maxLength = 0);
  // A file name with "Browse..." (a file dialog with `filter`, Qt form).
  QLineEdit* FileName(const QString& label, const QString& tip, TextPolicy policy,
                      const QString& filter);
  // A colour with "..." (the colour picker) and a swatch of the colour.
  QLineEdit* Colour(const QString& label, const QString& tip, TextPolicy policy);
  // Keeps `control` enabled only while `box` is ticked.
  void EnableWith(QCheckBox* box, QWidget* control);
  // Adds the room left below the last group.
  void Finish();

  // Shows a file dialog for an existing file; empty when cancelled.
  QString ChooseFile(const QString& caption, const QString& current, const QString& filter);

 signals:
  void Changed();

 private:
  struct Binding {
    std::function<void()> load;
    std::function<void()> store;
    bool changed = false;
  };

  QFormLayout& CurrentForm();

  QString title_;
  PolicySheet& sheet_;
  FC& policies_;
  ProgramSettings& settings_;
  std::vector<Binding> bindings_;
  std::vector<std::pair<QCheckBox*, QWidget*>> enablers_;
  bool loading_ = false;
  QBoxLayout* columns_ = nullptr;
  QBoxLayout* column_ = nullptr;
  QFormLayout* form_ = nullptr;
};
