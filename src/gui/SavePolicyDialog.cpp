#include "gui/SavePolicyDialog.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/PolicyFileDialog.h"
#include "gui/ProgramSettings.h"

SavePolicyDialog::SavePolicyDialog(const FC& policies, ProgramSettings& settings,
                                   QWidget* parent)
    : QDialog(parent), policies_(policies), settings_(settings) {
  setWindowTitle(tr("Save policies to file"));
  auto* layout = new QVBoxLayout(this);

  auto* row = new QHBoxLayout;
  auto* label = new QLabel(tr("File name"));
  name_ = new QLineEdit;
  name_->setMinimumWidth(320);
  name_->setToolTip(tr("The policy file to write"));
  label->setToolTip(name_->toolTip());
  label->setBuddy(name_);
  auto* browse = new QPushButton(tr("Browse..."));
  browse->setToolTip(tr("Choose the file with a file dialog"));
  browse->setAutoDefault(false);
  row->addWidget(label);
  row->addWidget(name_, 1);
  row->addWidget(browse);
  layout->addLayout(row);

  auto* choice = new QGroupBox(tr("Policies to save"));
  auto* choiceLayout = new QVBoxLayout(choice);
  changed_ = new QRadioButton(tr("Save changed policies only (recommended)"));
  changed_->setToolTip(
      tr("Write only the policies loaded from a policy file or changed on the sheets"));
  all_ = new QRadioButton(tr("Save all policies to file (only ever use this to get a sample file)"));
  all_->setToolTip(tr("Write every policy, calculated and default ones too"));
  changed_->setChecked(true);
  choiceLayout->addWidget(changed_);
  choiceLayout->addWidget(all_);
  layout->addWidget(choice);

  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(tr("Save"));
  save->setToolTip(tr("Write the policy file"));
  save->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"));
  cancel->setToolTip(tr("Close without writing"));
  cancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  const QString recent = settings_.recentPolicyFiles.value(0);
  if (!recent.isEmpty()) name_->setText(recent);

  connect(browse, &QPushButton::clicked, this, [this] {
    const QString start = name_->text().isEmpty() ? settings_.currentDir : name_->text();
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("Save policies to file"), start, tr(kPolicyFileFilter));
    if (!chosen.isEmpty()) name_->setText(chosen);
  });
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool SavePolicyDialog::Save() {
  const QString name = name_->text().trimmed();
  if (name.isEmpty()) {
    QMessageBox::warning(this, tr("Output File Error"), tr("Must choose a file name"));
    name_->setFocus();
    return false;
  }
  if (!SavePolicyFile(policies_, name, all_->isChecked())) {
    QMessageBox::warning(this, tr("Output File Error"),
                         tr("Can't write policy file \"%1\"").arg(name));
    return false;
  }
  ProgramSettings::Remember(settings_.recentPolicyFiles, name);
  accept();
  return true;
}
