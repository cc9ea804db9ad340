#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cut positions that respect UTF-8 sequences. Text is handled as bytes and
// columns are counted in bytes, but a piece of a line must never end in the
// middle of a multi-byte character. Single-byte text (any byte that does not
// start a well-formed UTF-8 sequence) is cut exactly where asked.

// True for a UTF-8 continuation byte (10xxxxxx).
constexpr bool IsUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Returns the cut index nearest to `cut`, at or before it, that does not fall
// inside a well-formed UTF-8 sequence of `text`: the result splits `text` into
// text[0, result) and text[result, end). A `cut` beyond the end of `text` is
// taken as the end. The result is at most 3 below `cut`.
std::size_t Utf8SafeCut(std::string_view text, std::size_t cut);

// Returns the cut index nearest to `cut`, at or after it, that does not fall
// inside a well-formed UTF-8 sequence (never beyond the end of `text`). Used
// when moving backward would leave a piece empty.
std::size_t Utf8SafeCutForward(std::string_view text, std::size_t cut);

// Screen columns of UTF-8 text: one per character, two for a wide East Asian
// character. A byte that is no part of a well-formed sequence is one column,
// so single-byte text measures as its length in bytes.
int Utf8Columns(std::string_view text);

// The byte index at which column `column` of UTF-8 text starts (measured as
// Utf8Columns does); the size of `text` when the text is narrower. Inside a
// wide character the index of that character.
std::size_t Utf8ByteAtColumn(std::string_view text, int column);

// `text` with its tabs expanded to stops every `tabSize` screen columns
// (taken as 1 to 8), the columns counted as Utf8Columns counts them.
std::string Utf8ExpandTabs(std::string_view text, int tabSize);
