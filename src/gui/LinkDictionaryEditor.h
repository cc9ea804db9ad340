#pragma once

#include <vector>

#include <QWidget>

#include "policy/LinkDefinition.h"

class QLineEdit;
class QListWidget;
class QPushButton;

// The link definitions of the "Link Dictionary" page: a list with one entry
// per definition and a last entry "-- Add new link definition --", the
// three texts of the chosen entry, "Add new link" (appends the texts as a
// definition) and "Remove Link" (deletes the chosen one).
class LinkDictionaryEditor : public QWidget {
  Q_OBJECT

 public:
  explicit LinkDictionaryEditor(QWidget* parent = nullptr);

  const std::vector<LinkDefinition>& Definitions() const { return definitions_; }
  // Shows `definitions` (no Edited signal).
  void SetDefinitions(const std::vector<LinkDefinition>& definitions);
  // Appends the definitions not yet in the list.
  void Append(const std::vector<LinkDefinition>& definitions);

  QLineEdit& MatchText() { return *match_; }
  QLineEdit& LinkText() { return *link_; }
  QLineEdit& Url() { return *url_; }
  QListWidget& List() { return *list_; }
  QPushButton& AddButton() { return *add_; }
  QPushButton& RemoveButton() { return *remove_; }

 signals:
  // The user added or removed a definition.
  void Edited();

 private:
  void Fill(int chosen);
  void ShowChosen();
  void AddDefinition();
  void RemoveDefinition();
  void UpdateButtons();
  bool IsNewEntry(int row) const;

  std::vector<LinkDefinition> definitions_;
  QListWidget* list_ = nullptr;
  QLineEdit* match_ = nullptr;
  QLineEdit* link_ = nullptr;
  QLineEdit* url_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
};
