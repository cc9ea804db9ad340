#pragma once

#include <cstdint>
#include <cstring>

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

// Nonzero when a byte of `v` is `c`.
constexpr std::uint64_t HasByteEqual(std::uint64_t v, unsigned char c) {
  const std::uint64_t x = v ^ (kByteOnes * c);
  return (x - kByteOnes) & ~x & kByteHighBits;
}
