#pragma once

#include <cstdio>
#include <string_view>

class ParsedString;

// The primitive writes of every output file. Lines end with a line feed.
// A stream must not be written by two threads at once: the writes take no
// stream lock.

// Writes `text` (null = "") and a line feed to `stream`. Returns 1 if the
// write succeeded, 0 for a null stream or a failed write.
int WriteText(std::FILE* stream, const char* text);
// The same for a text whose length is known (it holds no NUL).
int WriteText(std::FILE* stream, std::string_view text);
// Writes `lines` as they stand: lines put together by the caller, each with
// its line feed. Returns 1, or 0 for a null stream or a failed write.
int WriteLines(std::FILE* stream, std::string_view lines);

// Writes `indent` blanks (none when not positive), `text` and a line feed to
// `stream`, uncut. Returns 1, or 0 for a null stream or a failed write.
int WriteIndentedText(std::FILE* stream, int indent, std::string_view text);

// Writes `line` to `stream`: whole on one output line if `whole`, otherwise
// cut into pieces by the line's own GetSegment(start, piece, next), one piece
// per output line, every piece after the first preceded by as many blanks as
// the line has leading blanks. Returns 1, or 0 for a null stream or when a
// write failed.
int WriteWrapped(std::FILE* stream, const ParsedString& line, bool whole);

// Writes `line` as WriteWrapped writes it with `indent` blanks put in front
// of it. A line that stays on one output line is written after its blanks
// as it stands; a line to be cut gets the blanks inserted (so `line` may
// change) and is cut as WriteWrapped cuts it.
int WriteWrappedIndented(std::FILE* stream, ParsedString& line, int indent, bool whole);
