#pragma once

#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/LineFile.h"
#include "text/TextString.h"

// The preprocessor: the "$_$_" command lines of a source document. Every pass
// of a conversion reads its lines through ReadProcessedLine, so every pass
// sees the same lines; the state the commands change (sections, the
// user-marked blocks, the table settings) lives in the policy record's
// document state and is rebuilt by each pass, which reads from the start.
// Messages are given in the output pass only, except that a refused
// "$_$_CHANGE_POLICY" line is reported in every pass.

// Reads the next line that the preprocessor hands on into `line` (which keeps
// its links): command lines are obeyed and dropped, lines of an excluded
// section are dropped, and the returned line carries the block flags
// (user PRE, TABLE, CODE, DIAGRAM, HTML, pre-formatted, contents list,
// output). `input` is the source file, open for reading; an include command
// nests a file on its stack. Returns 1, or 0 at the end of the input (the
// line is then empty).
[[nodiscard]] int ReadProcessedLine(LineFile& input, SourceLine& line, FC& policy);

// Obeys every command found in one "$_$_" line. `text` is the line's prepared
// text (it must not be `line`'s own text, which "$_$_HTML_LINE" replaces).
// Command names are found anywhere in `text`, ignoring case, in a fixed
// order, and each one found is obeyed. Returns 1 when the line is used up, or
// 0 when it is to be handed on: with the preprocessor switched off (every
// line is then text), or as an HTML line made by "$_$_HTML_LINE", which also
// sets `isHtmlLine`.
[[nodiscard]] int ProcessCommand(LineFile& input, SourceLine& line, FC& policy,
                                 const TextString& text, bool& isHtmlLine);
