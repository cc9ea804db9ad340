#include "gui/WebloomApp.h"

#include <QCommandLineParser>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "gui/MainDialog.h"
#include "gui/StatusWindow.h"

namespace {

int SaveScreenshots(MainDialog& dialog, const QString& dir, const QStringList& files) {
  if (!QDir().mkpath(dir)) return 1;
  dialog.show();
  if (!files.isEmpty()) {
    const QFileInfo first(files.front());
    dialog.findChild<QLineEdit*>(QStringLiteral("inputDir"))->setText(first.absolutePath());
    dialog.findChild<QLineEdit*>(QStringLiteral("outputName"))->setText(first.completeBaseName());
    dialog.findChild<QComboBox*>(QStringLiteral("files"))->setEditText(first.fileName());
    dialog.findChild<QPushButton*>(QStringLiteral("convert"))->click();
  }
  dialog.Status().Present();
  dialog.Status().move(dialog.frameGeometry().bottomLeft() + QPoint(0, 40));
  bool saved = dialog.grab().save(QDir(dir).filePath(QStringLiteral("main-window.png")));
  saved = dialog.Status().grab().save(QDir(dir).filePath(QStringLiteral("status-window.png"))) &&
          saved;
  return saved ? 0 : 1;
}

}  // namespace

int RunWebloom(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Converts plain text documents into HTML."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Save pictures of the windows in <directory> and end."),
      QStringLiteral("directory"));
  parser.addOption(screenshot);
  parser.addPositionalArgument(QStringLiteral("files"),
                               QStringLiteral("Text files to convert at once."),
                               QStringLiteral("[files...]"));
  parser.process(arguments);

  MainDialog dialog;
  const QStringList files = parser.positionalArguments();
  if (parser.isSet(screenshot)) return SaveScreenshots(dialog, parser.value(screenshot), files);
  if (!files.isEmpty()) {
    dialog.ConvertDroppedFiles(files);
    return 0;
  }
  const QString policyFile = dialog.Settings().StartupPolicyFile();
  if (!policyFile.isEmpty()) dialog.LoadPolicyFile(policyFile);
  dialog.exec();
  return 0;
}
