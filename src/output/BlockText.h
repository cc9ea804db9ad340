#pragma once

#include <string_view>

class FC;
class TextString;

// The passes the block writers run on a line or cell of a block before it is
// written. Each works on the text alone; `lineNumber` is the source line the
// text came from, for messages.

// Emphasis (framed words and phrases) as in a line of text.
void MarkBlockEmphasis(TextString& text, FC& policy, int lineNumber);
// The inline pass (character map, overstrike, hyperlinks), whatever region
// the line lies in; trims the text when `trim`.
void MarkBlockInline(TextString& text, FC& policy, int lineNumber, bool trim);
// A comment to the end of a code line is bold italic: the first "//" that
// does not follow a ':' (as in a web address) becomes "//<B><EM>" and
// "</EM></B>" ends the text.
void MarkCodeComment(TextString& text);
