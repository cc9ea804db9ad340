#pragma once

#include "text/TextString.h"

class ContentsList;
class FC;
class HTMLFile;

// The block at the top of every output file of a run, and the name of the
// external contents file.

// Sets policy.document.contentsFileName: "External contents list filename"
// when set, else the output directory (or the directory of `base`) +
// "contents.htm" with DOS names, or "contents_" + the root of `base` + the
// output extension.
void GetContentsFileName(FC& policy, const TextString& base);

// Writes the navigation block on the first page of `page`, right after it
// was started: with a Directory page, the links to it (at this file's
// anchor) and to the previous and next file of the run (plain text at the
// ends of the run); with an external contents file, the link to it;
// otherwise, when a contents pass has run, the in-page contents list
// (`contents`). Then "<P>" after the links. Every link is relative to the
// page, and names a file the run writes.
void WriteFileNavigation(FC& policy, HTMLFile& page, ContentsList& contents);
