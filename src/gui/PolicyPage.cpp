#include "gui/PolicyPage.h"

#include <string_view>
#include <utility>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>

#include "gui/ColourPicker.h"
#include "gui/PolicySheet.h"
#include "gui/ProgramSettings.h"

IntPolicy RecordInt(Policy flag, int PolicyValues::*field) {
  return {[field](FC& p) -> int& { return p.*field; }, [flag](FC& p) { p.SetGiven(flag); }};
}

IntPolicy TableInt(TableConfig::Field flag, int TableConfig::*field) {
  return {[field](FC& p) -> int& { return p.tableDefaults.*field; },
          [flag](FC& p) { p.tableDefaults.SetGiven(flag); }};
}

TextPolicy RecordText(Policy flag, TextString PolicyValues::*field) {
  return {[field](FC& p) -> TextString& { return p.*field; },
          [flag](FC& p) { p.SetGiven(flag); }};
}

TextPolicy TableText(TableConfig::Field flag, TextString TableConfig::*field) {
  return {[field](FC& p) -> TextString& { return p.tableDefaults.*field; },
          [flag](FC& p) { p.tableDefaults.SetGiven(flag); }};
}

QString ToQt(const TextString& text) {
  const std::string_view view = text.View();
  return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

TextString ToText(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return TextString(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void MakeTextsPlain(QWidget& root) {
  for (auto* label : root.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  QList<QWidget*> widgets = root.findChildren<QWidget*>();
  widgets << &root;
  for (QWidget* widget : widgets) {
    const QString tip = widget->toolTip();
    if (tip.startsWith(QLatin1String("<html>")) || !Qt::mightBeRichText(tip)) continue;
    widget->setToolTip(QLatin1String("<html>") + tip.toHtmlEscaped());
  }
}

PolicyPage::PolicyPage(const QString& title, PolicySheet& sheet, FC& policies,
                       ProgramSettings& settings)
    : title_(title), sheet_(sheet), policies_(policies), settings_(settings) {
  columns_ = new QHBoxLayout(this);
  NextColumn();
}

int PolicyPage::AddBinding(std::function<void()> load, std::function<void()> store) {
  bindings_.push_back({std::move(load), std::move(store), false});
  return static_cast<int>(bindings_.size()) - 1;
}

void PolicyPage::MarkChanged(int binding) {
  if (loading_ || binding < 0 || binding >= static_cast<int>(bindings_.size())) return;
  bindings_[static_cast<size_t>(binding)].changed = true;
  emit Changed();
}

void PolicyPage::Watch(QCheckBox* box, int binding) {
  connect(box, &QCheckBox::toggled, this, [this, binding] { MarkChanged(binding); });
}

void PolicyPage::Watch(QAbstractButton* radio, int binding) {
  connect(radio, &QAbstractButton::toggled, this, [this, binding] { MarkChanged(binding); });
}

void PolicyPage::Watch(QLineEdit* edit, int binding) {
  connect(edit, &QLineEdit::textChanged, this, [this, binding] { MarkChanged(binding); });
}

void PolicyPage::Watch(QSpinBox* spin, int binding) {
  connect(spin, &QSpinBox::valueChanged, this, [this, binding] { MarkChanged(binding); });
}

void PolicyPage::Watch(QComboBox* list, int binding) {
  connect(list, &QComboBox::currentIndexChanged, this, [this, binding] { MarkChanged(binding); });
}

void PolicyPage::Watch(QSlider* slider, int binding) {
  connect(slider, &QSlider::valueChanged, this, [this, binding] { MarkChanged(binding); });
}

void PolicyPage::Refresh() {
  loading_ = true;
  for (Binding& binding : bindings_) {
    binding.load();
    binding.changed = false;
  }
  for (const auto& [box, control] : enablers_) control->setEnabled(box->isChecked());
  loading_ = false;
}

bool PolicyPage::Apply() {
  bool stored = false;
  for (Binding& binding : bindings_) {
    if (!binding.changed) continue;
    binding.store();
    binding.changed = false;
    stored = true;
  }
  return stored;
}

bool PolicyPage::AnyChanged() const {
  for (const Binding& binding : bindings_) {
    if (binding.changed) return true;
  }
  return false;
}

void PolicyPage::BeginGroup(const QString& title) {
  auto* holder = new QWidget;
  QWidget* frame = holder;
  if (!title.isEmpty()) {
    auto* group = new QGroupBox(title);
    auto* inside = new QVBoxLayout(group);
    inside->setContentsMargins(8, 4, 8, 4);
    inside->addWidget(holder);
    frame = group;
  }
  form_ = new QFormLayout(holder);
  form_->setContentsMargins(0, 0, 0, 0);
  form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form_->setRowWrapPolicy(QFormLayout::DontWrapRows);
  column_->addWidget(frame);
}

void PolicyPage::NextColumn() {
  if (column_ != nullptr) column_->addStretch(1);
  auto* column = new QVBoxLayout;
  columns_->addLayout(column, 1);
  column_ = column;
  form_ = nullptr;
}

QFormLayout& PolicyPage::CurrentForm() {
  if (form_ == nullptr) BeginGroup();
  return *form_;
}

void PolicyPage::AddRow(const QString& label, QWidget* field, const QString& tip) {
  field->setToolTip(tip);
  // Controls inside a composite row without a tip of their own share it.
  for (auto* part : field->findChildren<QWidget*>()) {
    if (part->toolTip().isEmpty()) part->setToolTip(tip);
  }
  if (label.isEmpty()) {
    CurrentForm().addRow(field);
    return;
  }
  auto* text = new QLabel(label);
  text->setToolTip(tip);
  text->setBuddy(field);
  CurrentForm().addRow(text, field);
}

QWidget* PolicyPage::WithButton(QWidget* field, QPushButton* button) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field, 1);
  layout->addWidget(button);
  return row;
}

QPushButton* PolicyPage::NewButton(const QString& text, const QString& tip) {
  auto* button = new QPushButton(text);
  button->setToolTip(tip);
  // Enter inside a page belongs to the focused control, never to a button.
  button->setAutoDefault(false);
  return button;
}

QCheckBox* PolicyPage::Check(const QString& label, const QString& tip, IntPolicy policy) {
  auto* box = new QCheckBox(label);
  AddRow(QString(), box, tip);
  const int binding = AddBinding(
      [this, box, policy] { box->setChecked(policy.value(policies_) != 0); },
      [this, box, policy] {
        policy.value(policies_) = box->isChecked() ? 1 : 0;
        policy.markGiven(policies_);
      });
  Watch(box, binding);
  return box;
}

QSpinBox* PolicyPage::Number(const QString& label, const QString& tip, IntPolicy policy,
                             int minimum, int maximum, bool noneAllowed) {
  auto* spin = new QSpinBox;
  spin->setRange(noneAllowed ? minimum - 1 : minimum, maximum);
  if (noneAllowed) spin->setSpecialValueText(tr("(none)"));
  spin->setMaximumWidth(110);
  AddRow(label, spin, tip);
  const int binding = AddBinding(
      [this, spin, policy] { spin->setValue(policy.value(policies_)); },
      [this, spin, policy, noneAllowed] {
        const int value = spin->value();
        policy.value(policies_) = noneAllowed && value < spin->minimum() + 1 ? -1 : value;
        policy.markGiven(policies_);
      });
  Watch(spin, binding);
  return spin;
}

QLineEdit* PolicyPage::Text(const QString& label, const QString& tip, TextPolicy policy,
                            int maxLength) {
  auto* edit = new QLineEdit;
  if (maxLength > 0) edit->setMaxLength(maxLength);
  AddRow(label, edit, tip);
  const int binding = AddBinding([this, edit, policy] { edit->setText(ToQt(policy.value(policies_))); },
                                 [this, edit, policy] {
                                   policy.value(policies_) = ToText(edit->text());
                                   policy.markGiven(policies_);
                                 });
  Watch(edit, binding);
  return edit;
}

QLineEdit* PolicyPage::FileName(const QString& label, const QString& tip, TextPolicy policy,
                                const QString& filter) {
  auto* edit = new QLineEdit;
  QPushButton* browse = NewButton(tr("Browse..."), tr("Choose the file with a file dialog"));
  AddRow(label, WithButton(edit, browse), tip);
  edit->setToolTip(tip);
  connect(browse, &QPushButton::clicked, this, [this, edit, label, filter] {
    const QString chosen = ChooseFile(label, edit->text(), filter);
    if (!chosen.isEmpty()) edit->setText(chosen);
  });
  const int binding = AddBinding([this, edit, policy] { edit->setText(ToQt(policy.value(policies_))); },
                                 [this, edit, policy] {
                                   policy.value(policies_) = ToText(edit->text());
                                   policy.markGiven(policies_);
                                 });
  Watch(edit, binding);
  return edit;
}

QLineEdit* PolicyPage::Colour(const QString& label, const QString& tip, TextPolicy policy) {
  auto* edit = new QLineEdit;
  QPushButton* pick = NewButton(tr("..."), tr("Choose the colour from the colour dialog"));
  pick->setMaximumWidth(pick->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 40);
  // A colour is a word or six digits: a short box, its button beside it.
  edit->setMaximumWidth(160);
  QWidget* row = WithButton(edit, pick);
  static_cast<QHBoxLayout*>(row->layout())->addStretch(1);
  AddRow(label, row, tip);
  connect(edit, &QLineEdit::textChanged, pick,
          [pick](const QString& text) { pick->setIcon(ColourSwatch(text)); });
  connect(pick, &QPushButton::clicked, this, [this, edit] { PickColour(*edit, sheet_.Chooser(), this); });
  const int binding = AddBinding([this, edit, policy] { edit->setText(ToQt(policy.value(policies_))); },
                                 [this, edit, policy] {
                                   policy.value(policies_) = ToText(edit->text());
                                   policy.markGiven(policies_);
                                 });
  Watch(edit, binding);
  pick->setIcon(ColourSwatch(QString()));
  return edit;
}

void PolicyPage::EnableWith(QCheckBox* box, QWidget* control) {
  enablers_.emplace_back(box, control);
  connect(box, &QCheckBox::toggled, control, &QWidget::setEnabled);
}

void PolicyPage::Finish() {
  column_->addStretch(1);
}

QString PolicyPage::ChooseFile(const QString& caption, const QString& current,
                               const QString& filter) {
  QString start = current;
  if (start.isEmpty()) start = settings_.currentDir;
  return QFileDialog::getOpenFileName(this, caption, start, filter);
}
