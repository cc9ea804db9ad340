#include "text/TextWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "text/ParsedString.h"

namespace {

// The longest indented line (blanks and line feed included) joined on the
// stack before it is written; a longer one is written in parts.
constexpr std::size_t kJoinedLine = 512;

// Writes `text` and, when `lineFeed`, a line feed; true when it succeeded.
bool PutText(std::FILE* stream, std::string_view text, bool lineFeed) {
  const std::size_t size = text.size() + (lineFeed ? 1 : 0);
  if (size > 0 && size <= BufferRoom(stream)) {
    char* at = TakeRoom(stream, size);
    std::memcpy(at, text.data(), text.size());
    if (lineFeed) at[text.size()] = '\n';
    return true;
  }
  if (fwrite_unlocked(text.data(), 1, text.size(), stream) != text.size()) return false;
  return !lineFeed || putc_unlocked('\n', stream) != EOF;
}

}  // namespace

// The writes below use the stream calls that take no lock: a page, listing
// or contents file belongs to the one conversion writing it, and the lock
// cost more than most lines' copy.

int WriteText(std::FILE* stream, const char* text) {
  if (stream == nullptr) return 0;
  const std::string_view view = text == nullptr ? std::string_view() : std::string_view(text);
  return PutText(stream, view, true) ? 1 : 0;
}

int WriteText(std::FILE* stream, std::string_view text) {
  if (stream == nullptr) return 0;
  return PutText(stream, text, true) ? 1 : 0;
}

int WriteLines(std::FILE* stream, std::string_view lines) {
  if (stream == nullptr) return 0;
  return PutText(stream, lines, false) ? 1 : 0;
}

int WriteIndentedParts(std::FILE* stream, std::size_t blanks, std::string_view text) {
  const std::size_t size = blanks + text.size() + 1;
  // The blanks, the text and the line feed are put together on the stack
  // and written with one call, as each call to the stream costs more than
  // the copy.
  std::array<char, kJoinedLine> joined;
  if (blanks + text.size() < joined.size()) {
    std::memset(joined.data(), ' ', blanks);
    std::memcpy(joined.data() + blanks, text.data(), text.size());
    joined[blanks + text.size()] = '\n';
    return fwrite_unlocked(joined.data(), 1, size, stream) == size ? 1 : 0;
  }
  static constexpr std::string_view kBlanks = "                                ";
  for (std::size_t left = blanks; left > 0;) {
    const std::size_t n = std::min(left, kBlanks.size());
    if (fwrite_unlocked(kBlanks.data(), 1, n, stream) != n) return 0;
    left -= n;
  }
  return WriteText(stream, text);
}

int WriteWrapped(std::FILE* stream, const ParsedString& line, bool whole) {
  if (stream == nullptr) return 0;
  if (whole) return WriteText(stream, line.View());
  // Most lines are one piece: written as they stand, without a cut copy.
  if (line.Length() <= std::max(line.PieceWidth(), 0)) return WriteText(stream, line.View());

  int indent = 0;
  while (line.At(indent) == ' ') ++indent;
  const std::string prefix(static_cast<std::size_t>(indent), ' ');

  int result = 1;
  TextString piece;
  TextString output;
  int start = 0;
  while (true) {
    int next = -1;
    if (!line.GetSegment(start, piece, next)) break;
    // The first piece is written as it is; later ones after the indentation.
    const char* written = piece.GetText();
    if (start != 0) {
      output.SetText(prefix);
      output.AppendText(piece.View());
      written = output.GetText();
    }
    if (WriteText(stream, written) == 0) result = 0;
    // A derived GetSegment that does not move forward must not loop forever.
    if (next <= start) break;
    start = next;
  }
  return result;
}

int WriteWrappedIndented(std::FILE* stream, ParsedString& line, int indent, bool whole) {
  if (stream == nullptr) return 0;
  if (indent <= 0) return WriteWrapped(stream, line, whole);
  if (!whole && indent + line.Length() > std::max(line.PieceWidth(), 0)) {
    line.InsertText(0, std::string(static_cast<std::size_t>(indent), ' ').c_str());
    return WriteWrapped(stream, line, whole);
  }
  // Most lines: written after their blanks as they stand, so the text in
  // `line` is not moved to make room for them.
  return WriteIndentedText(stream, indent, line.View());
}
