#pragma once

#include <QStringList>

// The desktop program, after the application object exists: `arguments`
// are the program's (QCoreApplication::arguments()). Files named there are
// converted at once without showing the main window (files dropped on the
// program's icon arrive this way); otherwise the main window runs until it
// is closed. With "--screenshot DIR" the main window (after converting the
// named files, if any) and the status window are saved as PNG files in DIR
// and the program ends. Returns the exit status.
int RunWebloom(const QStringList& arguments);
