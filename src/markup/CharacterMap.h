#pragma once

class TextString;

// Byte-level clean-up of one line of source text.

// Replaces the word-processor characters of single-byte (8-bit) text by
// plain ASCII: 0x92 and 0xD5 "'", 0x96 and 0xA5 "-", 0xAE ">", 0xB4 "*",
// 0xD2 and 0xD3 "\"", 0xD4 "`". Other bytes stay. Must not be applied to
// UTF-8 text, whose multi-byte characters it would corrupt. Returns the
// number of bytes replaced.
int MapEightBitCharacters(TextString& text);

// Replaces every control byte (0x01 to 0x1F and 0x7F) by a blank, except
// tab and form feed, and the backspace while `keepBackspaces` (overstrike
// still needs it). The line keeps its length: nothing else is lost.
// Returns the number of bytes replaced.
int BlankControlCharacters(TextString& text, bool keepBackspaces);
