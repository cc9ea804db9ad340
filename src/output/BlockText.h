#pragma once

#include <string_view>

class FC;
class SourceLine;
class TextString;

// The passes the block writers run on a line or cell of a block before it is
// written. Each works on the text alone; `lineNumber` is the source line the
// text came from, for messages. `work` is the line a pass runs in: whatever
// it held is dropped first, so the result is that of a new line, and a
// writer keeps one for all its texts instead of making a line for each.

// Emphasis (framed words and phrases) as in a line of text.
void MarkBlockEmphasis(TextString& text, FC& policy, int lineNumber, SourceLine& work);
// The inline pass (character map, overstrike, hyperlinks), whatever region
// the line lies in; trims the text when `trim`.
void MarkBlockInline(TextString& text, FC& policy, int lineNumber, bool trim, SourceLine& work);
// A comment to the end of a code line is bold italic: the first "//" that
// does not follow a ':' (as in a web address) becomes "//<B><EM>" and
// "</EM></B>" ends the text.
void MarkCodeComment(TextString& text);
