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
void RunPass(LineSource& source, FC& policy, DocumentStatistics& statistics, PassWork& work);
