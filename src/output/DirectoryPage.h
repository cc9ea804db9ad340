#pragma once

#include "text/TextString.h"

class FC;
class LineFile;
class RunContext;

// The Directory page of a run: one page that lists every converted file
// with its title and its headings, each linked to its place in the output.
// The console opens it before the first file and closes it after the last;
// each file's conversion writes its entry, and the body writer its headings
// (ContentsList::WriteDirectoryHeading). Every operation does nothing when
// "Make Directory" is off, and the per-file one when no page is open.

// The file name of the Directory page: "Directory filename" when set, else
// `outputDir` + "index" + ".HTM" (DOS names), ".htm" (".HTM extension") or
// the record's output extension.
TextString DirectoryPageName(const FC& policy, const TextString& outputDir);

// Opens `file` (which must outlive the run's use of it) as the run's
// Directory page, reports "Generating Master index file \"NAME\"" and an
// empty line, and writes the page head. Returns 1, or 0 when nothing was
// opened (the opening file reports why).
int OpenDirectoryPage(FC& policy, RunContext& run, const TextString& outputDir, LineFile& file);

// Writes the entry of the file being converted with `policy`: the anchor
// its pages link back to (its document file name) and, with "Show file
// titles in Directory", its title linked to its first page `firstPage`.
void WriteDirectoryFileEntry(FC& policy, const TextString& firstPage);

// Closes the open indentation, writes the page end (the Directory footer
// file, no navigation bar) and closes the page.
void CloseDirectoryPage(FC& policy, RunContext& run);

// The Directory's title, description, keywords, style sheet and script,
// header and footer files: the Directory policies, each empty one but the
// style sheet falling back on its document policy.
void GetDirectoryProperties(const FC& policy, TextString& title, TextString& description,
                            TextString& keywords, TextString& styleSheet, TextString& scriptFile,
                            TextString& headerFile, TextString& footerFile);
