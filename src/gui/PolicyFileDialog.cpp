#include "gui/PolicyFileDialog.h"

#include <utility>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/PolicyPage.h"
#include "gui/ProgramSettings.h"
#include "gui/SavePolicyDialog.h"
#include "policy/FC.h"
#include "text/LineFile.h"

namespace {

void KeepSinksAndReset(FC& policies) {
  FC::Sink message = policies.messageSink;
  FC::Sink status = policies.statusSink;
  policies.Reset(false);
  policies.messageSink = std::move(message);
  policies.statusSink = std::move(status);
}

QPushButton* Button(const QString& text, const QString& tip) {
  auto* button = new QPushButton(text);
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

int LoadPolicyFile(FC& policies, const QString& name) {
  if (name.isEmpty() || !QFileInfo(name).isFile()) return 0;
  LineFile file;
  if (!file.OpenForReading(QFile::encodeName(name).constData())) return 0;
  KeepSinksAndReset(policies);
  policies.ReadPolicyFile(file);
  file.Close();
  return 1;
}

int SavePolicyFile(const FC& policies, const QString& name, bool all) {
  LineFile file;
  if (name.isEmpty() || !file.OpenForWriting(QFile::encodeName(name).constData())) return 0;
  const int written = policies.WritePolicyFile(file, all);
  file.Close();
  return written;
}

void ResetPolicies(FC& policies) { KeepSinksAndReset(policies); }

PolicyFileDialog::PolicyFileDialog(FC& policies, ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), policies_(policies), settings_(settings) {
  setWindowTitle(tr("Anyloom Policy File"));
  auto* layout = new QVBoxLayout(this);

  auto* group = new QGroupBox(tr("Get options from a policy file"));
  auto* groupLayout = new QVBoxLayout(group);
  auto* label = new QLabel(tr("Load policy file"));
  groupLayout->addWidget(label);
  auto* row = new QHBoxLayout;
  name_ = new QComboBox;
  name_->setEditable(true);
  name_->setInsertPolicy(QComboBox::NoInsert);
  name_->setMinimumWidth(360);
  name_->setToolTip(tr("The policy file to load: type its name, or choose a recent one"));
  label->setToolTip(name_->toolTip());
  label->setBuddy(name_);
  QPushButton* browse = Button(tr("Browse..."), tr("Choose the policy file with a file dialog"));
  row->addWidget(name_, 1);
  row->addWidget(browse);
  groupLayout->addLayout(row);
  layout->addWidget(group);

  auto* buttons = new QHBoxLayout;
  QPushButton* save = Button(tr("Save options to a policy file"),
                             tr("Write the current policies into a policy file"));
  QPushButton* reset = Button(tr("Reset to defaults"),
                              tr("Forget every loaded and edited policy and use the defaults"));
  QPushButton* help = Button(tr("Help"), tr("What this dialog does"));
  QPushButton* close = Button(tr("Close"), tr("Close this dialog"));
  for (QPushButton* button : {save, reset, help}) buttons->addWidget(button);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  ShowRecent();
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
  connect(name_, &QComboBox::activated, this, [this] { Load(name_->currentText()); });
  // Leaving the edited box loads what was typed, unless it is loaded already.
  connect(name_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    const QString name = name_->currentText().trimmed();
    if (!name.isEmpty() && name != loaded_) Load(name);
  });
  connect(save, &QPushButton::clicked, this, [this] {
    if (actions_.save) {
      actions_.save();
    } else {
      SavePolicyDialog dialog(policies_, settings_, this);
      dialog.exec();
    }
    ShowRecent();
  });
  connect(reset, &QPushButton::clicked, this, [this] {
    if (actions_.reset) {
      actions_.reset();
    } else {
      ResetPolicies(policies_);
    }
    loaded_.clear();
    emit PoliciesReset();
  });
  connect(help, &QPushButton::clicked, this, [this] { ShowHelp(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

// Hiding a dialog that is being destroyed takes the focus from the name box,
// which must not load a file into a half-destroyed dialog.
PolicyFileDialog::~PolicyFileDialog() { name_->lineEdit()->disconnect(this); }

bool PolicyFileDialog::Load(const QString& name) {
  bool loaded = false;
  if (actions_.load) {
    loaded = actions_.load(name);
  } else {
    policies_.StatusMessage("Loading policy file");
    loaded = LoadPolicyFile(policies_, name) != 0;
    if (!loaded) {
      QMessageBox::warning(this, tr("Policy File Error"),
                           tr("Can't find policy file \"%1\"").arg(name));
    }
  }
  if (!loaded) return false;
  loaded_ = name;
  ProgramSettings::Remember(settings_.recentPolicyFiles, name);
  ShowRecent();
  emit PolicyFileLoaded(name);
  return true;
}

void PolicyFileDialog::ShowRecent() {
  const QString shown = name_->currentText();
  const QSignalBlocker blocker(name_);
  name_->clear();
  for (const QString& name : settings_.recentPolicyFiles) {
    if (!name.isEmpty()) name_->addItem(name);
  }
  name_->setEditText(shown);
}

void PolicyFileDialog::Browse() {
  const QString start = name_->currentText().isEmpty() ? settings_.currentDir : name_->currentText();
  const QString chosen =
      QFileDialog::getOpenFileName(this, tr("Load policy file"), start, tr(kPolicyFileFilter));
  if (chosen.isEmpty()) return;
  name_->setEditText(chosen);
  Load(chosen);
}

void PolicyFileDialog::ShowHelp() {
  QMessageBox::information(
      this, tr("Policy files"),
      tr("A policy file holds policies as keyword and value lines, such as "
         "\"Page width : 72\".\n\n"
         "Loading a file replaces the policies of the file loaded before; the policies it "
         "gives beat the ones the analysis calculates, and your edits on the policy sheets "
         "beat both.\n\n"
         "\"Save options to a policy file\" writes the current policies; \"Reset to "
         "defaults\" forgets every loaded and edited policy."));
}
