#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/CharClass.h"

// Tests on eight bytes at once, for scans over long runs of ordinary text: a
// block that may hold a byte of interest is then looked at byte by byte.
// None of them misses a byte; where more than one byte matches, the flag of
// a byte after the first may be wrong, which is why only "none" is relied on.

inline constexpr std::uint64_t kByteOnes = 0x0101010101010101U;
inline constexpr std::uint64_t kByteHighBits = 0x8080808080808080U;

// The eight bytes from `p`, which must all be readable.
inline std::uint64_t LoadEightBytes(const char* p) {
  std::uint64_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Nonzero when a byte of `v` is below `n` (n at most 0x80) or above 0x7F.
constexpr std::uint64_t HasByteBelowOrHigh(std::uint64_t v, unsigned char n) {
  return ((v - kByteOnes * n) | v) & kByteHighBits;
}

// Nonzero when a byte of `v` is below `n` (n at most 0x80).
constexpr std::uint64_t HasByteBelow(std::uint64_t v, unsigned char n) {
  return (v - kByteOnes * n) & ~v & kByteHighBits;
}

// Nonzero when a byte of `v` is `c`.
constexpr std::uint64_t HasByteEqual(std::uint64_t v, unsigned char c) {
  const std::uint64_t x = v ^ (kByteOnes * c);
  return (x - kByteOnes) & ~x & kByteHighBits;
}

#if defined(__SSE2__)
#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <string_view>

// Sixteen bytes at once, where the processor has the instructions (every
// x86-64 does). These tests are exact: bit i of a mask is set when byte i
// matches.

inline __m128i LoadSixteenBytes(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline unsigned MaskOfEqual(__m128i v, char c) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
}

// Blanks and tabs: one mask from both comparisons, not one per comparison.
inline unsigned MaskOfBlank(__m128i v) {
  const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')),
                                     _mm_cmpeq_epi8(v, _mm_set1_epi8('\t')));
  return static_cast<unsigned>(_mm_movemask_epi8(blank));
}

// Bit i set when byte i of `v` is a digit: a byte minus '0' is one when at
// most 9, unsigned.
inline unsigned MaskOfDigit(__m128i v) {
  const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset)));
}

// The bytes HTML escapes, "&", "<" and ">", marked 0xFF. Setting bit 0x02
// makes "<" and ">" (only they) ">": one comparison for both.
inline __m128i MatchEscaped(__m128i v) {
  return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('&')),
                      _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(0x02)), _mm_set1_epi8('>')));
}

// The first byte of `text` at or after `from` that `mask` marks, or npos.
// `text` must hold at least 16 bytes: the last block overlaps the one before
// it rather than leaving a tail to test byte by byte.
template <typename Mask>
std::size_t FindMarkedByte(std::string_view text, std::size_t from, Mask mask) {
  std::size_t at = from;
  for (; at + 16 <= text.size(); at += 16) {
    const unsigned marked = mask(LoadSixteenBytes(text.data() + at));
    if (marked != 0) return at + static_cast<std::size_t>(std::countr_zero(marked));
  }
  // Only the last block overlaps bytes already tested, and has them shifted out.
  if (at < text.size()) {
    const std::size_t block = text.size() - 16;
    const unsigned marked = mask(LoadSixteenBytes(text.data() + block)) >> (at - block);
    if (marked != 0) return at + static_cast<std::size_t>(std::countr_zero(marked));
  }
  return std::string_view::npos;
}

// Whether `mask` marks any byte of `text`, which must hold at least 16 bytes.
// The last block overlaps the one before it: a byte tested twice gives the
// same answer, and no block needs its mask shifted.
template <typename Mask>
bool HasMarkedByte(std::string_view text, Mask mask) {
  std::size_t at = 0;
  for (; at + 16 <= text.size(); at += 16) {
    if (mask(LoadSixteenBytes(text.data() + at)) != 0) return true;
  }
  return at < text.size() && mask(LoadSixteenBytes(text.data() + text.size() - 16)) != 0;
}
#endif

// Where the word that starts `text` ends: at its first blank or tab, or at
// its end. Every line of every pass has its first word cut.
inline std::size_t WordEnd(std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    const std::size_t blank = FindMarkedByte(
        text, 0, [](__m128i v) { return MaskOfBlank(v); });
    return blank == std::string_view::npos ? text.size() : blank;
  }
#endif
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  return end;
}

// How many blanks and tabs start `text`.
inline std::size_t BlanksAtStart(std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    const std::size_t first = FindMarkedByte(text, 0, [](__m128i v) {
      return ~MaskOfBlank(v) & 0xFFFFU;
    });
    return first == std::string_view::npos ? text.size() : first;
  }
#endif
  std::size_t count = 0;
  while (count < text.size() && IsBlank(text[count])) ++count;
  return count;
}

// Whether every byte of `text` is below 0x80, tested sixteen at a time
// (eight without SSE2).
inline bool IsAscii(std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    // The mask of a block is its bytes' high bits.
    return !HasMarkedByte(text, [](__m128i v) { return _mm_movemask_epi8(v); });
  }
#endif
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    if ((LoadEightBytes(text.data() + at) & kByteHighBits) != 0) return false;
  }
  for (; at < text.size(); ++at) {
    if (static_cast<unsigned char>(text[at]) >= 0x80) return false;
  }
  return true;
}
