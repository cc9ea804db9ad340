#include <QApplication>

#include "gui/WebloomApp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Quenlow"));
  QCoreApplication::setApplicationName(QStringLiteral("Webloom"));
  QCoreApplication::setApplicationVersion(QStringLiteral("3.0"));
  return RunWebloom(QCoreApplication::arguments());
}
