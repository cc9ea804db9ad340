#include "gui/PolicyScreenshots.h"

#include <QApplication>
#include <QDir>
#include <QString>
#include <QTabWidget>
#include <QWidget>

#include "gui/AnalysisPolicySheet.h"
#include "gui/HeadingDetailsDialog.h"
#include "gui/OutputPolicySheet.h"
#include "gui/PolicyFileDialog.h"
#include "gui/ProgramSettings.h"
#include "gui/ProgramSettingsDialog.h"
#include "gui/SavePolicyDialog.h"
#include "policy/FC.h"

namespace {

// "Table generation" -> "table-generation".
QString FileWord(const QString& title) {
  QString word;
  for (const QChar c : title.toLower()) {
    if (c.isLetterOrNumber()) {
      word += c;
    } else if (!word.endsWith(QLatin1Char('-'))) {
      word += QLatin1Char('-');
    }
  }
  while (word.endsWith(QLatin1Char('-'))) word.chop(1);
  return word;
}

void Grab(QWidget& widget, const QString& path, QStringList& written) {
  widget.show();
  QApplication::processEvents();
  if (widget.grab().save(path)) written << path;
}

void GrabSheet(PolicySheet& sheet, const QString& directory, const QString& prefix,
               QStringList& written) {
  sheet.show();
  for (int i = 0; i < sheet.Tabs().count(); ++i) {
    sheet.Tabs().setCurrentIndex(i);
    const QString name = QStringLiteral("%1-%2-%3.png")
                             .arg(prefix)
                             .arg(i + 1, 2, 10, QLatin1Char('0'))
                             .arg(FileWord(sheet.Tabs().tabText(i)));
    Grab(sheet, QDir(directory).filePath(name), written);
  }
  sheet.hide();
}

}  // namespace

QStringList SavePolicyScreenshots(const QString& directory) {
  QDir().mkpath(directory);
  QStringList written;
  FC policies;
  ProgramSettings settings;
  {
    AnalysisPolicySheet sheet(policies, settings);
    GrabSheet(sheet, directory, QStringLiteral("analysis"), written);
  }
  {
    OutputPolicySheet sheet(policies, settings);
    GrabSheet(sheet, directory, QStringLiteral("output"), written);
  }
  const QDir dir(directory);
  {
    HeadingDetailsDialog dialog(policies.headingStyles[1]);
    Grab(dialog, dir.filePath(QStringLiteral("heading-details.png")), written);
  }
  {
    PolicyFileDialog dialog(policies, settings);
    Grab(dialog, dir.filePath(QStringLiteral("policy-file.png")), written);
  }
  {
    SavePolicyDialog dialog(policies, settings);
    Grab(dialog, dir.filePath(QStringLiteral("save-policies.png")), written);
  }
  {
    ProgramSettingsDialog dialog(settings);
    Grab(dialog, dir.filePath(QStringLiteral("program-settings.png")), written);
  }
  return written;
}
