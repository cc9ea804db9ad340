#pragma once

#include "text/TextString.h"

class DocumentStatistics;
class FC;
class WriteGuard;

// The three passes of a conversion. Each reads the document from the start
// through the 40-line window (RunPass) with its own per-line work, after
// setting the pass flags of `policy`. Each returns 1, or 0 when the document
// cannot be opened ("ERROR: Can't find file <name>", importance 10).
// The GUI runs them itself; the console runs them through ConvertFile.

// Classifies every line and counts it into `statistics` as it leaves the
// window; at the end decides the page furniture the later passes may drop
// (they need a copy of statistics.pageFurniture in their own statistics).
// Lists every line in the listing `listingName` (none when empty), opened
// through `guard` when one is given.
int AnalysisPass(FC& policy, DocumentStatistics& statistics, const TextString& fileName,
                 const TextString& listingName, WriteGuard* guard);

// Collects the headings of the document into the run context's contents
// entries, for a contents list at the top of a single page. The lines also
// go through the page writer's bookkeeping, to a page that is never opened,
// so that a heading inside a pre-formatted block is recognised as such.
// Switches "Attempt TABLE generation" off in `policy`.
int ContentsPass(FC& policy, DocumentStatistics& statistics, const TextString& fileName);

// Writes the page(s): starts the first page as `outputBase` (in the
// "output directory" of `policy`), writes every line leaving the window and
// at the flush, then the footer of the last page. Every line, and the start
// of every page, is listed in the listing `listingName` (none when empty).
// Pages and the listing are opened through `guard` when one is given (null:
// no checks). Returns 0 as well when the first page could not be opened.
int OutputPass(FC& policy, DocumentStatistics& statistics, const TextString& fileName,
               const TextString& outputBase, const TextString& listingName, WriteGuard* guard);
