#include "text/Utf8.h"

#include <algorithm>

#include "text/ByteBlocks.h"

namespace {

// Length of the sequence a lead byte starts, or 0 for a byte that cannot
// start a multi-byte sequence (ASCII, continuation, or never valid).
std::size_t SequenceLength(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

// The well-formed sequence starting at `at`: its length (0 when the byte
// starts none) and its code point.
std::size_t DecodeAt(std::string_view text, std::size_t at, char32_t& code) {
  const std::size_t length = SequenceLength(text[at]);
  if (length == 0 || at + length > text.size()) return 0;
  static constexpr unsigned char kLeadMask[5] = {0, 0, 0x1F, 0x0F, 0x07};
  code = static_cast<unsigned char>(text[at]) & kLeadMask[length];
  for (std::size_t k = 1; k < length; ++k) {
    if (!IsUtf8Continuation(text[at + k])) return 0;
    code = (code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
  }
  return length;
}

// Characters a terminal shows two columns wide: Hangul Jamo, the CJK
// ideographs, kana and symbols, Hangul syllables, compatibility and
// full-width forms.
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Bytes and columns of the character at `at`.
std::size_t StepAt(std::string_view text, std::size_t at, int& columns) {
  char32_t code = 0;
  const std::size_t length = DecodeAt(text, at, code);
  if (length == 0) {
    columns = 1;
    return 1;
  }
  columns = IsWide(code) ? 2 : 1;
  return length;
}

}  // namespace

int Utf8Columns(std::string_view text) {
  // Most texts (most often a single word) are ASCII, a column a byte.
  if (IsAscii(text)) return static_cast<int>(text.size());
  int columns = 0;
  for (std::size_t at = 0; at < text.size();) {
    // Most text is ASCII: a column a byte, eight bytes at a time.
    if (at + 8 <= text.size() && (LoadEightBytes(text.data() + at) & kByteHighBits) == 0) {
      columns += 8;
      at += 8;
      continue;
    }
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++columns;
      ++at;
      continue;
    }
    int width = 0;
    at += StepAt(text, at, width);
    columns += width;
  }
  return columns;
}

std::size_t Utf8ByteAtColumn(std::string_view text, int column) {
  int reached = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    int width = 0;
    const std::size_t step = StepAt(text, at, width);
    if (reached + width > column) return at;
    reached += width;
    at += step;
  }
  return text.size();
}

std::size_t Utf8SafeCut(std::string_view text, std::size_t cut) {
  if (cut >= text.size()) return text.size();
  if (!IsUtf8Continuation(text[cut])) return cut;
  // A sequence is at most 4 bytes, so its lead is at most 3 bytes back.
  const std::size_t lowest = cut >= 3 ? cut - 3 : 0;
  for (std::size_t j = cut; j-- > lowest;) {
    if (IsUtf8Continuation(text[j])) continue;
    const std::size_t length = SequenceLength(text[j]);
    // Bytes beyond the end of `text` are unknown and taken as continuing.
    if (length == 0 || j + length <= cut) return cut;
    const std::size_t known = std::min(j + length, text.size());
    for (std::size_t k = j + 1; k < known; ++k) {
      if (!IsUtf8Continuation(text[k])) return cut;
    }
    return j;
  }
  return cut;
}

std::size_t Utf8SafeCutForward(std::string_view text, std::size_t cut) {
  if (cut >= text.size()) return text.size();
  const std::size_t back = Utf8SafeCut(text, cut);
  if (back == cut) return cut;
  return std::min(back + SequenceLength(text[back]), text.size());
}

std::string Utf8ExpandTabs(std::string_view text, int tabSize) {
  constexpr int kLargestTab = 8;
  const int t = std::clamp(tabSize, 1, kLargestTab);
  std::string expanded;
  int column = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] == '\t') {
      const int blanks = t - column % t;
      expanded.append(static_cast<std::size_t>(blanks), ' ');
      column += blanks;
      ++at;
      continue;
    }
    int width = 1;
    const std::size_t step =
        static_cast<unsigned char>(text[at]) < 0x80 ? 1 : StepAt(text, at, width);
    expanded.append(text.substr(at, step));
    column += width;
    at += step;
  }
  return expanded;
}
