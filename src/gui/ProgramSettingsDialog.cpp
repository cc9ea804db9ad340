#include "gui/ProgramSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/PolicyFileDialog.h"
#include "gui/ProgramSettings.h"

namespace {

QPushButton* Button(const QString& text, const QString& tip) {
  auto* button = new QPushButton(text);
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

// A group holding a file name box and its button on one line.
QGroupBox* FileGroup(const QString& title, QLineEdit* edit, QPushButton* button,
                     const QString& tip) {
  auto* group = new QGroupBox(title);
  auto* layout = new QHBoxLayout(group);
  edit->setToolTip(tip);
  group->setToolTip(tip);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return group;
}

}  // namespace

ProgramSettingsDialog::ProgramSettingsDialog(ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setWindowTitle(tr("Program Settings"));
  auto* layout = new QVBoxLayout(this);

  policyFile_ = new QLineEdit(settings.defaultPolicyFile);
  policyFile_->setMinimumWidth(360);
  useDefault_ = new QCheckBox(tr("Use a default"));
  useDefault_->setChecked(settings.useDefaultPolicy);
  useDefault_->setToolTip(tr("Load this policy file every time the program starts?"));
  QPushButton* policyBrowse = Button(tr("Browse..."), tr("Choose the policy file"));
  auto* policyGroup = new QGroupBox(tr("Default policy file"));
  auto* policyLayout = new QHBoxLayout(policyGroup);
  policyFile_->setToolTip(tr("Policy file loaded when the program starts"));
  policyLayout->addWidget(useDefault_);
  policyLayout->addWidget(policyFile_, 1);
  policyLayout->addWidget(policyBrowse);
  layout->addWidget(policyGroup);

  browser_ = new QLineEdit(settings.browserCommand);
  QPushButton* browserSearch = Button(tr("Search..."), tr("Choose the browser program"));
  layout->addWidget(FileGroup(tr("Browser command used to view results"), browser_, browserSearch,
                              tr("Program that shows the converted pages; empty for the "
                                 "desktop's default browser")));

  auto* dropGroup = new QGroupBox(tr("Drag and drop properties"));
  auto* dropLayout = new QVBoxLayout(dropGroup);
  viewResults_ = new QCheckBox(tr("View results in browser once conversion is complete"));
  viewResults_->setChecked(settings.viewResultsAfterDrop);
  viewResults_->setToolTip(tr("Open the browser on files dropped on the program's icon?"));
  showStatus_ = new QCheckBox(tr("Show the status screen during the conversion(s)"));
  showStatus_->setChecked(settings.showStatusAfterDrop);
  showStatus_->setToolTip(tr("Show the messages while dropped files are converted?"));
  dropLayout->addWidget(viewResults_);
  dropLayout->addWidget(showStatus_);
  layout->addWidget(dropGroup);

  documentation_ = new QLineEdit(settings.documentation);
  documentation_->setPlaceholderText(ProgramSettings::DefaultDocumentation());
  QPushButton* docSearch = Button(tr("Search..."), tr("Choose the documentation file"));
  layout->addWidget(FileGroup(tr("Location of HTML documentation on this machine"),
                              documentation_, docSearch,
                              tr("The user manual opened by Help; empty for the one installed "
                                 "with the program")));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setToolTip(tr("Keep these settings"));
  buttons->button(QDialogButtonBox::Cancel)->setToolTip(tr("Forget the changes"));
  layout->addWidget(buttons);

  connect(policyBrowse, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getOpenFileName(this, tr("Default policy file"),
                                                        policyFile_->text(), tr(kPolicyFileFilter));
    if (!chosen.isEmpty()) policyFile_->setText(chosen);
  });
  connect(browserSearch, &QPushButton::clicked, this, [this] { SearchBrowser(); });
  connect(docSearch, &QPushButton::clicked, this, [this] {
    const QString chosen =
        QFileDialog::getOpenFileName(this, tr("HTML documentation"), documentation_->text(),
                                     tr("HTML files (*.html *.htm);;All files (*)"));
    if (!chosen.isEmpty()) documentation_->setText(chosen);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    changed_ = Store();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ProgramSettingsDialog::SearchBrowser() {
  const QString chosen = QFileDialog::getOpenFileName(this, tr("Browser program"),
                                                      browser_->text(), tr("All files (*)"));
  if (chosen.isEmpty()) return;
  if (!QFileInfo(chosen).isExecutable() || QFileInfo(chosen).isDir()) {
    QMessageBox::warning(this, tr("Browser error"),
                         tr("\"%1\" is not a program that can be run").arg(chosen));
    return;
  }
  browser_->setText(chosen);
}

bool ProgramSettingsDialog::Store() {
  bool changed = false;
  auto set = [&changed](auto& field, const auto& value) {
    if (field == value) return;
    field = value;
    changed = true;
  };
  set(settings_.defaultPolicyFile, policyFile_->text().trimmed());
  set(settings_.useDefaultPolicy, useDefault_->isChecked());
  set(settings_.browserCommand, browser_->text().trimmed());
  set(settings_.viewResultsAfterDrop, viewResults_->isChecked());
  set(settings_.showStatusAfterDrop, showStatus_->isChecked());
  set(settings_.documentation, documentation_->text().trimmed());
  return changed;
}
