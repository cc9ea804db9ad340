#include "gui/HeadingDetailsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/PolicyPage.h"

namespace {

// The list shows numbering kinds 1 to 5 in this order.
constexpr int kFirstKind = HeadingStyle::kNumbers;
constexpr int kLastKind = HeadingStyle::kUpperRoman;

// Headings indented further than this are not headings.
constexpr int kMaxIndent = 200;

void AddRow(QFormLayout& form, const QString& label, QWidget* field, const QString& tip) {
  field->setToolTip(tip);
  auto* text = new QLabel(label);
  text->setToolTip(tip);
  text->setBuddy(field);
  form.addRow(text, field);
}

}  // namespace

HeadingDetailsDialog::HeadingDetailsDialog(HeadingStyle& style, QWidget* parent)
    : QDialog(parent), style_(style) {
  setWindowTitle(tr("Heading details"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  indent_ = new QSpinBox;
  indent_->setRange(-1, kMaxIndent);
  indent_->setSpecialValueText(tr("(unknown)"));
  indent_->setValue(style.indent);
  AddRow(*form, tr("Indentation on section line"), indent_,
         tr("Column at which headings of this level start (unknown: any)"));

  prefix_ = new QLineEdit(ToQt(style.prefixWord));
  AddRow(*form, tr("Prefix word (e.g. Chapter, Section)"), prefix_,
         tr("Word written before the heading number, if any"));

  numbering_ = new QComboBox;
  numbering_->addItems({tr("Numeric"), tr("alphabetic"), tr("roman numeral"), tr("ALPHABETIC"),
                        tr("ROMAN NUMERAL")});
  const int kind = style.numberingKind;
  numbering_->setCurrentIndex(kind >= kFirstKind && kind <= kLastKind ? kind - kFirstKind : 0);
  AddRow(*form, tr("Numbering type"), numbering_,
         tr("How the headings of this level are numbered: 1, a, i, A or I"));

  separator_ = new QLineEdit(QString(QLatin1Char(style.separator)));
  separator_->setMaxLength(1);
  separator_->setMaximumWidth(40);
  AddRow(*form, tr("Separator character"), separator_,
         tr("Character between the parts of a section number, as the \".\" in 2.1"));

  before_ = new QLineEdit(ToQt(style.beforeNumber));
  AddRow(*form, tr("Leading bracket characters"), before_,
         tr("Characters written before the number, as the \"(\" in (2)"));

  after_ = new QLineEdit(ToQt(style.afterNumber));
  AddRow(*form, tr("Trailing bracket characters"), after_,
         tr("Characters written after the number, as the \")\" in 2)"));

  letters_ = new QCheckBox(tr("Do we expect trailing letters?"));
  letters_->setChecked(style.letterSuffix != 0);
  letters_->setToolTip(tr("Can a letter follow the number, as in 2a?"));
  form->addRow(letters_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setToolTip(tr("Keep these details"));
  buttons->button(QDialogButtonBox::Cancel)->setToolTip(tr("Forget the changes"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Store();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void HeadingDetailsDialog::Store() {
  style_.indent = indent_->value();
  const QString prefix = prefix_->text().trimmed();
  style_.prefixWord = ToText(prefix);
  style_.hasPrefix = prefix.isEmpty() ? 0 : 1;
  style_.prefixCount =
      prefix.isEmpty() ? 1 : static_cast<int>(prefix.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
  style_.numberingKind = numbering_->currentIndex() + kFirstKind;
  const QByteArray separator = separator_->text().toLatin1();
  style_.separator = separator.isEmpty() || separator[0] == ' ' ? '.' : separator[0];
  style_.beforeNumber = ToText(before_->text());
  style_.afterNumber = ToText(after_->text());
  style_.letterSuffix = letters_->isChecked() ? 1 : 0;
}
