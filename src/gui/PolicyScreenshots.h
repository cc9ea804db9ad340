#pragma once

#include <QStringList>

class QString;

// Writes a PNG of every page of both policy sheets and of the editor's
// dialogs into `directory`, showing the default policies. Returns the files
// written; a file that could not be saved is left out.
QStringList SavePolicyScreenshots(const QString& directory);
