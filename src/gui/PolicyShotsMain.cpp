// webloom-policy-shots DIR: a PNG of every page of the policy sheets and of
// the policy editor's dialogs, for looking at the layout without a desktop
// (run it with QT_QPA_PLATFORM=offscreen).

#include <cstdio>

#include <QApplication>
#include <QString>

#include "gui/PolicyScreenshots.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: webloom-policy-shots DIRECTORY\n");
    return 2;
  }
  const QStringList written = SavePolicyScreenshots(QString::fromLocal8Bit(argv[1]));
  for (const QString& file : written) std::printf("%s\n", qPrintable(file));
  return written.isEmpty() ? 1 : 0;
}
