#pragma once

class DocumentStatistics;
class FC;
class LineSource;
class PassWork;

// The one window loop that every pass runs (the per-pass work comes in as
// `work`). Each line read from `source` gets its 1-based source line number;
// the line before it is then classified, since classification looks at the
// lines on both sides, and the window moves on. After the last line, that
// line is classified and two more lines follow it through the window: a
// blank line (type 1) and an end-of-file line (type -4). The flush then
// hands the lines still in the window to `work`, oldest first. An empty input
// classifies nothing: only the blank and end-of-file lines reach `work`.
// With "Remove page headers and footers" on, the contents and output passes
// skip the lines that the analysis pass found to be page furniture
// (statistics.pageFurniture): the lines on either side meet in the window,
// and each kept line carries the texts dropped just before it. Skipped
// lines keep their numbers, so every pass numbers a line alike.
void RunPass(LineSource& source, FC& policy, DocumentStatistics& statistics, PassWork& work);
