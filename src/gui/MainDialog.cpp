#include "gui/MainDialog.h"

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/ConversionRun.h"
#include "gui/PolicyDialogs.h"
#include "gui/StatusWindow.h"
#include "policy/FC.h"
#include "text/LineFile.h"

namespace {

const char* const kInputFilter = "Text files (*.txt *.asc);;All files (*)";
const char* const kOnlineDocumentation = "https://www.quenlow.com/webloom/";

// Keeps the wait cursor up while a conversion holds the event loop.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// A directory the run may write into: access(2) also sees read-only mounts.
bool IsWritableDirectory(const QString& dir) {
  return ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
}

}  // namespace

MainDialog::MainDialog(QWidget* parent)
    : QDialog(parent),
      policyFile_(std::make_unique<FC>()),
      analysis_(std::make_unique<FC>()),
      policies_(std::make_unique<FC>()),
      status_(new StatusWindow(this)) {
  settings_.Load();
  policyFileName_ = settings_.StartupPolicyFile();
  BuildControls();
  BuildMenus();
  InputChanged();
}

MainDialog::~MainDialog() { settings_.Save(); }

QString MainDialog::TitleFor(const QString& specification) {
  const QString spec = specification.trimmed();
  if (spec.isEmpty()) return QStringLiteral("Webloom");
  if (spec.startsWith(QLatin1Char('"'))) {
    return spec.section(QLatin1Char(' '), 0, 0) + QStringLiteral("... - Webloom");
  }
  return spec + QStringLiteral(" - Webloom");
}

void MainDialog::BuildControls() {
  files_ = new QComboBox(this);
  files_->setEditable(true);
  files_->setInsertPolicy(QComboBox::NoInsert);
  files_->setMinimumContentsLength(36);
  files_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (const QString& name : settings_.recentInputFiles) {
    if (!name.isEmpty()) files_->addItem(name);
  }
  files_->setCurrentIndex(-1);
  files_->setEditText(QString());
  files_->setToolTip(tr("The file to convert: a name, a pattern such as *.txt, or several "
                        "names in double quotes. The list holds the files converted last"));
  auto* browse = new QPushButton(tr("Browse..."), this);
  browse->setToolTip(tr("Choose one or more text files to convert"));
  inputDir_ = new QLineEdit(settings_.currentDir, this);
  inputDir_->setPlaceholderText(tr("the working directory"));
  inputDir_->setToolTip(tr("Directory searched for the input file(s) and for included files"));
  outputDir_ = new QLineEdit(this);
  outputDir_->setPlaceholderText(tr("the input directory"));
  outputDir_->setToolTip(tr("Directory the HTML files are written to; empty = the input directory"));
  outputName_ = new QLineEdit(this);
  outputName_->setPlaceholderText(tr("each input file's own name"));
  outputName_->setToolTip(tr("Name of the HTML file when one file is converted; empty = the "
                             "input file's name. Several files each keep their own name"));
  html_ = new QRadioButton(tr(".html"), this);
  html_->setToolTip(tr("Give the HTML files the extension .html"));
  html_->setChecked(true);
  htm_ = new QRadioButton(tr(".htm"), this);
  htm_->setToolTip(tr("Give the HTML files the extension .htm"));
  simple_ = new QCheckBox(tr("Perform simple conversion"), this);
  simple_->setToolTip(tr("Convert paragraphs, lists and links only: no search for headings, "
                         "definitions, tables or code"));
  convert_ = new QPushButton(tr("Convert File(s)..."), this);
  convert_->setToolTip(tr("Check the directories and convert the file(s)"));
  convert_->setDefault(true);
  view_ = new QPushButton(tr("View Results..."), this);
  view_->setToolTip(tr("Open the last converted page in the browser"));

  auto* extension = new QHBoxLayout;
  extension->addWidget(html_);
  extension->addWidget(htm_);

  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  const struct {
    const char* label;
    QWidget* field;
  } rows[] = {{"File(s) to convert", files_},
              {"Input Directory", inputDir_},
              {"Output Directory", outputDir_},
              {"Output filename", outputName_}};
  int row = 0;
  for (const auto& entry : rows) {
    auto* label = new QLabel(tr(entry.label), this);
    label->setBuddy(entry.field);
    grid->addWidget(label, row, 0);
    grid->addWidget(entry.field, row, 1);
    ++row;
  }
  grid->addWidget(browse, 0, 2);
  grid->addWidget(ChooseDirectoryButton(inputDir_, tr("Choose the input directory")), 1, 2);
  grid->addWidget(ChooseDirectoryButton(outputDir_, tr("Choose the output directory")), 2, 2);
  grid->addLayout(extension, 3, 2);
  grid->addWidget(simple_, 4, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(convert_, QDialogButtonBox::ActionRole);
  buttons->addButton(view_, QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setToolTip(tr("End Webloom"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(browse, &QPushButton::clicked, this, &MainDialog::Browse);
  connect(convert_, &QPushButton::clicked, this, &MainDialog::Convert);
  connect(view_, &QPushButton::clicked, this, &MainDialog::ViewResults);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(files_, &QComboBox::editTextChanged, this, &MainDialog::InputChanged);
  connect(files_, &QComboBox::textActivated, this, &MainDialog::RecentFileChosen);
  // Names for tests and the screenshot script, which drive the window as a
  // user does.
  files_->setObjectName(QStringLiteral("files"));
  inputDir_->setObjectName(QStringLiteral("inputDir"));
  outputDir_->setObjectName(QStringLiteral("outputDir"));
  outputName_->setObjectName(QStringLiteral("outputName"));
  htm_->setObjectName(QStringLiteral("htm"));
  simple_->setObjectName(QStringLiteral("simple"));
  convert_->setObjectName(QStringLiteral("convert"));
  view_->setObjectName(QStringLiteral("view"));
  resize(600, sizeHint().height());
}

QWidget* MainDialog::ChooseDirectoryButton(QLineEdit* box, const QString& caption) {
  auto* button = new QPushButton(tr("..."), this);
  button->setToolTip(caption);
  button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("......")) + 16);
  connect(button, &QPushButton::clicked, this, [this, box, caption] {
    const QString dir = QFileDialog::getExistingDirectory(this, caption, box->text().trimmed());
    if (!dir.isEmpty()) box->setText(dir);
  });
  return button;
}

void MainDialog::BuildMenus() {
  auto* bar = new QMenuBar(this);
  layout()->setMenuBar(bar);
  QMenu* file = bar->addMenu(tr("&File"));
  file->addAction(tr("Convert..."), this, &MainDialog::Convert);
  file->addSeparator();
  file->addAction(tr("E&xit"), this, &QDialog::reject);

  QMenu* options = bar->addMenu(tr("&Conversion options"));
  options->addAction(tr("Edit &analysis policies..."), this, &MainDialog::EditAnalysisSheet);
  options->addAction(tr("Edit &output policies..."), this, &MainDialog::EditOutputSheet);
  options->addAction(tr("Re-anal&yse the file"), this, &MainDialog::ReanalyseFile);
  options->addSeparator();
  options->addAction(tr("&Reset to defaults"), this, &MainDialog::ResetToDefaults);
  options->addAction(tr("&Load policy file..."), this, &MainDialog::ChoosePolicyFile);
  options->addAction(tr("&Save policy file..."), this, &MainDialog::SavePolicyFile);

  QMenu* settings = bar->addMenu(tr("&Settings"));
  settings->addAction(tr("&Edit..."), this, &MainDialog::EditSettings);

  QMenu* view = bar->addMenu(tr("&View"));
  view->addAction(tr("&Messages"), this, &MainDialog::ToggleMessages);
  view->addAction(tr("Last &Conversion"), this, &MainDialog::ViewResults);

  QMenu* help = bar->addMenu(tr("&Help"));
  help->addAction(tr("&Contents"), this, &MainDialog::OpenDocumentation);
  help->addAction(tr("&HTML doco (offline)"), this, &MainDialog::OpenDocumentation);
  help->addAction(tr("HTML doco (&online)"), this, [this] {
    if (!QDesktopServices::openUrl(QUrl(QString::fromLatin1(kOnlineDocumentation)))) {
      Warn(tr("Browser error"), tr("Sorry. Can't detect default browser"));
    }
  });
  help->addSeparator();
  help->addAction(tr("&About..."), this, &MainDialog::ShowAbout);
}

void MainDialog::InputChanged() {
  setWindowTitle(TitleFor(files_->currentText()));
  // The output name follows the input until the user types one of their
  // own, so that a name filled in for one file never overwrites another's.
  if (outputName_->text() != autoOutputName_) return;
  const QString spec = files_->currentText().trimmed();
  const bool single = !spec.isEmpty() && !spec.contains(QLatin1Char('"')) &&
                      !spec.contains(QLatin1Char('*')) && !spec.contains(QLatin1Char('?'));
  autoOutputName_ = single ? QFileInfo(spec).completeBaseName() : QString();
  outputName_->setText(autoOutputName_);
}

void MainDialog::RecentFileChosen(const QString& text) {
  const QFileInfo file(text);
  if (text.startsWith(QLatin1Char('"')) || !file.isAbsolute()) return;
  inputDir_->setText(file.absolutePath());
  files_->setEditText(file.fileName());
}

void MainDialog::Warn(const QString& title, const QString& text) {
  QMessageBox::warning(this, title, text);
}

void MainDialog::StatusLine(const QString& line) { status_->AppendLine(line); }

void MainDialog::Browse() {
  QString start = inputDir_->text().trimmed();
  if (start.isEmpty()) start = settings_.currentDir;
  const QStringList chosen =
      QFileDialog::getOpenFileNames(this, tr("Choose the file(s) to convert"), start,
                                    QString::fromLatin1(kInputFilter));
  if (chosen.isEmpty()) return;
  const QFileInfo first(chosen.front());
  inputDir_->setText(QDir::toNativeSeparators(first.absolutePath()));
  if (chosen.size() == 1) {
    files_->setEditText(first.fileName());
    return;
  }
  QStringList names;
  for (const QString& name : chosen) names.append(Quoted(QFileInfo(name).fileName()));
  files_->setEditText(names.join(QLatin1Char(' ')));
}

bool MainDialog::DirectoriesValid() {
  const QString input = inputDir_->text().trimmed();
  if (!input.isEmpty() && !QFileInfo(input).isDir()) {
    Warn(tr("Directory Error"), tr("Invalid Input Directory"));
    inputDir_->setFocus();
    return false;
  }
  const QString output = outputDir_->text().trimmed();
  const QString written = output.isEmpty() ? input : output;
  if (written.isEmpty()) return true;
  if (!QFileInfo(written).isDir()) {
    Warn(tr("Directory Error"), tr("Invalid Output Directory"));
    outputDir_->setFocus();
    return false;
  }
  if (!IsWritableDirectory(written)) {
    Warn(tr("Directory Error"), tr("Output Directory is Readonly"));
    outputDir_->setFocus();
    return false;
  }
  return true;
}

void MainDialog::RememberInput() {
  QString spec = files_->currentText().trimmed();
  const QString dir = inputDir_->text().trimmed();
  // A single name is remembered with its directory, so that picking it
  // from the list later finds it wherever the input directory points.
  if (!spec.startsWith(QLatin1Char('"')) && !dir.isEmpty() && QDir::isRelativePath(spec)) {
    spec = QDir(dir).filePath(spec);
  }
  ProgramSettings::Remember(settings_.recentInputFiles, spec);
  const QString text = files_->currentText();
  files_->clear();
  for (const QString& name : settings_.recentInputFiles) {
    if (!name.isEmpty()) files_->addItem(name);
  }
  files_->setCurrentIndex(-1);
  files_->setEditText(text);
}

void MainDialog::Convert() {
  if (files_->currentText().trimmed().isEmpty()) Browse();
  if (files_->currentText().trimmed().isEmpty()) return;
  if (!DirectoriesValid()) return;
  RunConversion(true);
}

void MainDialog::RunConversion(bool showStatus) {
  if (!inputDir_->text().trimmed().isEmpty()) settings_.currentDir = inputDir_->text().trimmed();
  RememberInput();
  settings_.Save();
  if (showStatus) status_->Present();

  ConversionRequest request;
  request.specification = files_->currentText().trimmed();
  request.inputDir = inputDir_->text().trimmed();
  request.outputDir = outputDir_->text().trimmed();
  request.outputName = outputName_->text();
  request.htmExtension = htm_->isChecked();
  request.simple = simple_->isChecked();

  ConversionRun run([this](const QString& line) { StatusLine(line); });
  const QStringList files = run.FindFiles(request);
  if (files.isEmpty()) {
    const QString text = tr("No files found ") + Quoted(request.specification);
    StatusLine(QStringLiteral("ERROR: ") + text);
    Warn(tr("File selection error"), text);
    return;
  }
  FC given;
  ConversionRun::MergePolicies(given, policyFileLoaded_ ? policyFile_.get() : nullptr,
                               policiesChanged_ ? policies_.get() : nullptr);
  WaitCursor wait;
  lastResult_ = run.Convert(request, files, given);
}

void MainDialog::ConvertDroppedFiles(const QStringList& files) {
  QStringList names;
  for (const QString& name : files) names.append(Quoted(name));
  inputDir_->clear();
  outputDir_->clear();
  outputName_->clear();
  autoOutputName_.clear();
  files_->setEditText(files.size() == 1 ? files.front() : names.join(QLatin1Char(' ')));
  if (!policyFileName_.isEmpty()) LoadPolicyFile(policyFileName_);
  const bool showStatus = settings_.showStatusAfterDrop;
  RunConversion(showStatus);
  if (showStatus) status_->exec();
  if (settings_.viewResultsAfterDrop && QFileInfo::exists(lastResult_)) {
    OpenInBrowser(lastResult_, true);
  }
}

bool MainDialog::LoadPolicyFile(const QString& name) {
  StatusLine(tr("Loading policy file"));
  policyFile_->Reset(false);
  LineFile file;
  if (name.isEmpty() || !file.OpenForReading(QFile::encodeName(name).constData())) {
    policyFileLoaded_ = false;
    Warn(tr("Policy File Error"), tr("Can't find policy file ") + Quoted(name));
    return false;
  }
  policyFile_->messageSink = [this](const char* text) { StatusLine(QString::fromUtf8(text)); };
  policyFile_->statusSink = policyFile_->messageSink;
  policyFile_->ReadPolicyFile(file);
  file.Close();
  policyFile_->messageSink = nullptr;
  policyFile_->statusSink = nullptr;
  policyFileName_ = name;
  policyFileLoaded_ = true;
  ProgramSettings::Remember(settings_.recentPolicyFiles, name);
  if (policyFile_->IsGiven(Policy::UseHtmExtension)) {
    (policyFile_->useHtmExtension ? htm_ : html_)->setChecked(true);
  }
  return true;
}

FC& MainDialog::EditablePolicies() {
  if (!policiesChanged_) {
    policies_->Reset(false);
    if (analysed_) policies_->CopyPolicies(*analysis_);
    if (policyFileLoaded_) policies_->MergeGiven(*policyFile_, true);
  }
  return *policies_;
}

void MainDialog::SetPoliciesChanged() { policiesChanged_ = true; }

void MainDialog::EditAnalysisSheet() {
  if (EditAnalysisPolicies(EditablePolicies(), settings_, this)) SetPoliciesChanged();
}

void MainDialog::EditOutputSheet() {
  if (EditOutputPolicies(EditablePolicies(), settings_, this)) SetPoliciesChanged();
}

void MainDialog::EditSettings() {
  if (EditProgramSettings(settings_, this)) settings_.Save();
}

void MainDialog::ReanalyseFile() {
  ConversionRequest request;
  request.specification = files_->currentText().trimmed();
  request.inputDir = inputDir_->text().trimmed();
  if (request.specification.isEmpty()) {
    Warn(tr("Input File Error"), tr("Must choose a file to convert"));
    return;
  }
  ConversionRun run([this](const QString& line) { StatusLine(line); });
  const QStringList files = run.FindFiles(request);
  if (files.isEmpty()) {
    Warn(tr("File selection error"), tr("No files found ") + Quoted(request.specification));
    return;
  }
  FC given;
  ConversionRun::MergePolicies(given, policyFileLoaded_ ? policyFile_.get() : nullptr,
                               policiesChanged_ ? policies_.get() : nullptr);
  WaitCursor wait;
  if (run.Analyse(files.front(), request.inputDir, given, *analysis_)) analysed_ = true;
}

void MainDialog::ResetToDefaults() {
  policies_->Reset(false);
  policyFile_->Reset(false);
  analysis_->Reset(false);
  analysed_ = false;
  policiesChanged_ = false;
  policyFileLoaded_ = false;
  policyFileName_.clear();
}

void MainDialog::ChoosePolicyFile() {
  PolicyFileActions actions;
  actions.load = [this](const QString& name) { return LoadPolicyFile(name); };
  actions.save = [this] { SavePolicyFile(); };
  actions.reset = [this] { ResetToDefaults(); };
  QString loaded;
  OpenPolicyFileDialog(*policyFile_, settings_, actions, loaded, this);
}

void MainDialog::SavePolicyFile() {
  // What a conversion would merge over the calculated policies.
  FC given;
  ConversionRun::MergePolicies(given, policyFileLoaded_ ? policyFile_.get() : nullptr,
                               policiesChanged_ ? policies_.get() : nullptr);
  OpenSavePolicyDialog(given, settings_, this);
}

void MainDialog::ToggleMessages() {
  if (status_->isVisible()) {
    status_->hide();
  } else {
    status_->Present();
  }
}

void MainDialog::ViewResults() {
  if (lastResult_.isEmpty() || !QFileInfo::exists(lastResult_)) {
    if (files_->currentText().trimmed().isEmpty()) {
      Warn(tr("Input File Error"), tr("Must choose a file to convert"));
    } else {
      Warn(tr("No conversion done yet"), tr("Must convert a file first"));
    }
    Convert();
    if (lastResult_.isEmpty() || !QFileInfo::exists(lastResult_)) return;
  }
  OpenInBrowser(lastResult_, true);
}

void MainDialog::OpenInBrowser(const QString& file, bool reportMissingBrowser) {
  const QString command = settings_.browserCommand.trimmed();
  if (command.isEmpty()) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath())) &&
        reportMissingBrowser) {
      Warn(tr("Browser error"), tr("Sorry. Can't detect default browser"));
    }
    return;
  }
  // Split, never run through a shell: a file name is only ever an argument.
  QStringList arguments = QProcess::splitCommand(command);
  const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
  arguments.append(QFileInfo(file).absoluteFilePath());
  if (program.isEmpty() || !QProcess::startDetached(program, arguments)) {
    Warn(tr("Viewer error"), tr("Error launching viewer ") + Quoted(command));
  }
}

void MainDialog::OpenDocumentation() {
  const QString manual = settings_.DocumentationFile();
  if (!QFileInfo::exists(manual)) {
    Warn(tr("Help"), tr("Can't find the documentation ") + Quoted(manual));
    return;
  }
  OpenInBrowser(manual, true);
}

void MainDialog::ShowAbout() {
  QMessageBox::about(this, tr("About Webloom"),
                     tr("<p><b>Webloom 3.0</b></p>"
                        "<p>Turns plain text written for a fixed-pitch screen (manuals, RFCs, "
                        "FAQs) into HTML, working out headings, lists, tables and links from "
                        "the layout alone.</p><p>Quenlow</p>"));
}

void MainDialog::done(int result) {
  // The drop-down already holds the recent input files, most recent first.
  if (policiesChanged_ &&
      QMessageBox::question(this, tr("Save Changes"), tr("Save changes made to your policy?"),
                            QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::No) == QMessageBox::Yes) {
    SavePolicyFile();
  }
  QDialog::done(result);
}
