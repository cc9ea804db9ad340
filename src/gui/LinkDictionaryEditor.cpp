#include "gui/LinkDictionaryEditor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/PolicyPage.h"

namespace {

const char* const kNewEntry = "-- Add new link definition --";
const char* const kMatchPrompt = "** enter text to be matched in source document **";
const char* const kLinkPrompt = "** enter text to be displayed in the hyperlink **";
const char* const kUrlPrompt = "** enter the hyperlink's URL **";

bool SameDefinition(const LinkDefinition& a, const LinkDefinition& b) {
  return a.matchText.IsEqual(b.matchText, true) && a.linkText.IsEqual(b.linkText, true) &&
         a.url.IsEqual(b.url, true);
}

QString EntryText(const LinkDefinition& definition) {
  return QStringLiteral("\"%1\" = \"%2\" + \"%3\"")
      .arg(ToQt(definition.matchText), ToQt(definition.linkText), ToQt(definition.url));
}

// A text still holding its prompt (or nothing) was never filled in.
bool Unfilled(const QLineEdit& edit, const char* prompt) {
  const QString text = edit.text().trimmed();
  return text.isEmpty() || text == QLatin1String(prompt);
}

}  // namespace

LinkDictionaryEditor::LinkDictionaryEditor(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  list_ = new QListWidget;
  list_->setToolTip(tr("The link definitions: choose one to see it, or the last entry to add one"));
  list_->setMinimumHeight(110);
  layout->addWidget(list_, 1);

  auto* form = new QFormLayout;
  match_ = new QLineEdit;
  link_ = new QLineEdit;
  url_ = new QLineEdit;
  struct Field {
    const char* label;
    QLineEdit* edit;
    const char* tip;
  };
  const Field fields[] = {
      {"Text to be matched", match_, "Text in the document that becomes a hyperlink (any case)"},
      {"Replacement text", link_, "Text shown in place of the matched text, as the hyperlink"},
      {"Hyperlink URL", url_, "Where the hyperlink points, e.g. http://www.example.com/"},
  };
  for (const Field& field : fields) {
    auto* label = new QLabel(tr(field.label));
    field.edit->setToolTip(tr(field.tip));
    label->setToolTip(tr(field.tip));
    label->setBuddy(field.edit);
    form->addRow(label, field.edit);
    connect(field.edit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
  }
  layout->addLayout(form);

  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(tr("Add new link"));
  add_->setToolTip(tr("Add the three texts above as a new link definition"));
  remove_ = new QPushButton(tr("Remove Link"));
  remove_->setToolTip(tr("Delete the chosen link definition"));
  for (QPushButton* button : {add_, remove_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowChosen(); });
  connect(add_, &QPushButton::clicked, this, [this] { AddDefinition(); });
  connect(remove_, &QPushButton::clicked, this, [this] { RemoveDefinition(); });
  Fill(-1);
}

void LinkDictionaryEditor::SetDefinitions(const std::vector<LinkDefinition>& definitions) {
  definitions_ = definitions;
  Fill(-1);
}

void LinkDictionaryEditor::Append(const std::vector<LinkDefinition>& definitions) {
  bool added = false;
  for (const LinkDefinition& definition : definitions) {
    bool known = false;
    for (const LinkDefinition& mine : definitions_) known = known || SameDefinition(mine, definition);
    if (known) continue;
    definitions_.push_back(definition);
    added = true;
  }
  if (!added) return;
  Fill(-1);
  emit Edited();
}

bool LinkDictionaryEditor::IsNewEntry(int row) const {
  return row == static_cast<int>(definitions_.size());
}

// Lists the definitions and the new-entry line and chooses row `chosen`
// (the new-entry line when out of range).
void LinkDictionaryEditor::Fill(int chosen) {
  list_->clear();
  for (const LinkDefinition& definition : definitions_) list_->addItem(EntryText(definition));
  list_->addItem(tr(kNewEntry));
  const int last = static_cast<int>(definitions_.size());
  list_->setCurrentRow(chosen >= 0 && chosen < last ? chosen : last);
  ShowChosen();
}

void LinkDictionaryEditor::ShowChosen() {
  const int row = list_->currentRow();
  if (row < 0) return;
  if (IsNewEntry(row)) {
    match_->setText(tr(kMatchPrompt));
    link_->setText(tr(kLinkPrompt));
    url_->setText(tr(kUrlPrompt));
  } else {
    const LinkDefinition& definition = definitions_[static_cast<size_t>(row)];
    match_->setText(ToQt(definition.matchText));
    link_->setText(ToQt(definition.linkText));
    url_->setText(ToQt(definition.url));
  }
  UpdateButtons();
}

// A definition still holding a prompt would link the prompt's words.
void LinkDictionaryEditor::UpdateButtons() {
  add_->setEnabled(!Unfilled(*match_, kMatchPrompt) && !Unfilled(*link_, kLinkPrompt) &&
                   !Unfilled(*url_, kUrlPrompt));
  const int row = list_->currentRow();
  remove_->setEnabled(row >= 0 && !IsNewEntry(row));
}

void LinkDictionaryEditor::AddDefinition() {
  LinkDefinition definition{ToText(match_->text().trimmed()), ToText(link_->text().trimmed()),
                            ToText(url_->text().trimmed())};
  for (const LinkDefinition& mine : definitions_) {
    if (SameDefinition(mine, definition)) return;
  }
  definitions_.push_back(std::move(definition));
  Fill(-1);
  emit Edited();
}

void LinkDictionaryEditor::RemoveDefinition() {
  const int row = list_->currentRow();
  if (row < 0 || IsNewEntry(row)) return;
  definitions_.erase(definitions_.begin() + row);
  Fill(row);
  emit Edited();
}
