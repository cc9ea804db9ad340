#include "text/Utf8.h"

#include <algorithm>

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

}  // namespace

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
