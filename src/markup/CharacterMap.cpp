#include "markup/CharacterMap.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "text/ByteBlocks.h"
#include "text/TextString.h"

namespace {

// The 8-bit table: byte, then its ASCII form.
struct Mapping {
  unsigned char from;
  char to;
};
constexpr Mapping kEightBitMap[] = {
    {0x92, '\''}, {0x96, '-'}, {0xA5, '-'}, {0xAE, '>'}, {0xB4, '*'},
    {0xD2, '"'},  {0xD3, '"'}, {0xD4, '`'}, {0xD5, '\''},
};

constexpr char kTab = '\t';
constexpr char kFormFeed = '\f';
constexpr char kBackspace = '\b';
constexpr unsigned char kDelete = 0x7F;

bool IsBlankedControl(char c, bool keepBackspaces) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x20 && byte != kDelete) return false;
  if (c == kTab || c == kFormFeed) return false;
  return !(keepBackspaces && c == kBackspace);
}

// Whether `text` holds a byte below " " or DEL. Most lines hold none, and
// sixteen bytes at a time (eight without SSE2) are tested for one.
bool HoldsControl(std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    return HasMarkedByte(text, [](__m128i v) {
      // A byte no larger than its minimum with 0x1F is a control byte.
      const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(0x1F)), v);
      return _mm_movemask_epi8(
          _mm_or_si128(control, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(kDelete)))));
    });
  }
#endif
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    const std::uint64_t v = LoadEightBytes(text.data() + at);
    if ((HasByteBelow(v, 0x20) | HasByteEqual(v, kDelete)) != 0) return true;
  }
  for (; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == kDelete) return true;
  }
  return false;
}

// Rewrites `text` byte by byte through `change`; returns the number of bytes
// changed and stores the text only when something changed.
template <typename Change>
// Nearly every line has nothing to change: it is scanned, not copied.
int RewriteBytes(TextString& text, Change change) {
  const std::string_view view = text.View();
  std::size_t first = 0;
  while (first < view.size() && change(view[first]) == view[first]) ++first;
  if (first == view.size()) return 0;
  std::string bytes(view);
  int changed = 0;
  for (std::size_t i = first; i < bytes.size(); ++i) {
    const char replacement = change(bytes[i]);
    if (replacement != bytes[i]) {
      bytes[i] = replacement;
      ++changed;
    }
  }
  text.SetText(bytes);
  return changed;
}

}  // namespace

int MapEightBitCharacters(TextString& text) {
  return RewriteBytes(text, [](char c) {
    if (static_cast<unsigned char>(c) < 0x80) return c;
    for (const Mapping& m : kEightBitMap) {
      if (static_cast<unsigned char>(c) == m.from) return m.to;
    }
    return c;
  });
}

int BlankControlCharacters(TextString& text, bool keepBackspaces) {
  if (!HoldsControl(text.View())) return 0;
  return RewriteBytes(text,
                      [keepBackspaces](char c) { return IsBlankedControl(c, keepBackspaces) ? ' ' : c; });
}
