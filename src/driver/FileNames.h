#pragma once

#include "driver/ConsoleSwitches.h"
#include "text/TextString.h"

// How the console derives names from an input file name. "/" is the only
// directory separator; names are compared byte for byte.

// Splits `full` into its directory (up to and including the last "/"), its
// extension (from the last "." after the directory, dot included) and the
// root between them. A dot that begins the name ("notes/.plan") starts the
// root, not an extension, so a hidden file never gets an empty root.
// "docs/guide.txt" gives "docs/", "guide", ".txt"; "readme" gives "", "readme", "".
void SplitFileName(const TextString& full, TextString& dir, TextString& root, TextString& ext);

// The base name of the output pages of `file`: "out" when `file` is exactly
// "in.asc" in any case, else `root`.
TextString OutputBaseName(const TextString& file, const TextString& root);

// Names of the diagnostics files of one input, without a directory so that
// they are written in the current directory; all empty unless `debug`.
struct DiagnosticsNames {
  TextString statistics;        // root + ".stats" (".sts" with DOS names)
  TextString listing;           // output-pass listing: root + ".lis"
  TextString analysisListing;   // analysis-pass listing: root + ".lis1" (".ls1")
};
DiagnosticsNames MakeDiagnosticsNames(const TextString& root, const ConsoleSwitches& switches);
