#include "markup/Utf8Detector.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "text/ByteBlocks.h"
#include "text/FileIdentity.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The well-formed sequence that a lead byte starts: its length and the range
// of its second byte (later bytes are always 80..BF). Length 0 for a byte
// that starts no sequence (a stray continuation byte, C0, C1, F5..FF).
struct SequenceShape {
  std::size_t length;
  unsigned char secondLow;
  unsigned char secondHigh;
};

SequenceShape ShapeOf(unsigned char lead) {
  if (lead < 0x80) return {1, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};  // no overlong forms
  if (lead == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};  // nothing above U+10FFFF
  return {0, 0, 0};
}

bool InRange(unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; }

}  // namespace

void Utf8Detector::Feed(std::string_view bytes) {
  if (head_.size() < kByteOrderMark.size()) {
    head_.append(bytes.substr(0, kByteOrderMark.size() - head_.size()));
    byteOrderMark_ = head_ == kByteOrderMark;
  }
  if (malformed_ || bytes.empty()) return;
  // A sequence cut by the last chunk is finished from this one's first
  // bytes; the rest is scanned where it lies, not copied.
  if (!pending_.empty()) {
    const std::size_t missing = ShapeOf(static_cast<unsigned char>(pending_[0])).length - pending_.size();
    const std::size_t taken = std::min(missing, bytes.size());
    std::string sequence = std::move(pending_);
    pending_.clear();
    sequence.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    Scan(sequence);
    if (malformed_ || bytes.empty()) return;
  }
  Scan(bytes);
}

void Utf8Detector::Scan(std::string_view data) {
  std::size_t i = 0;
  while (i < data.size()) {
    // ASCII, nearly all of most files, is stepped over in blocks.
#if defined(__SSE2__)
    // Four blocks at a time: one test of their high bits together.
    while (data.size() - i >= 64) {
      const char* p = data.data() + i;
      const __m128i high = _mm_or_si128(_mm_or_si128(LoadSixteenBytes(p), LoadSixteenBytes(p + 16)),
                                        _mm_or_si128(LoadSixteenBytes(p + 32), LoadSixteenBytes(p + 48)));
      if (_mm_movemask_epi8(high) != 0) break;
      i += 64;
    }
    while (data.size() - i >= 16 && _mm_movemask_epi8(LoadSixteenBytes(data.data() + i)) == 0) {
      i += 16;
    }
#endif
    while (data.size() - i >= 8 && (LoadEightBytes(data.data() + i) & kByteHighBits) == 0) i += 8;
    if (i == data.size()) break;
    const auto lead = static_cast<unsigned char>(data[i]);
    const SequenceShape shape = ShapeOf(lead);
    if (shape.length == 0) {
      malformed_ = true;
      return;
    }
    if (shape.length > 1) nonAscii_ = true;
    const std::size_t available = std::min(shape.length, data.size() - i);
    for (std::size_t k = 1; k < available; ++k) {
      const auto c = static_cast<unsigned char>(data[i + k]);
      const bool ok = k == 1 ? InRange(c, shape.secondLow, shape.secondHigh) : InRange(c, 0x80, 0xBF);
      if (!ok) {
        malformed_ = true;
        return;
      }
    }
    if (available < shape.length) {
      pending_.assign(data.substr(i));
      return;
    }
    i += shape.length;
  }
}

bool Utf8Detector::IsUtf8() const {
  if (byteOrderMark_) return true;
  return nonAscii_ && !malformed_ && pending_.empty();
}

int DetectUtf8File(const char* fileName, bool& isUtf8) {
  isUtf8 = false;
  std::FILE* in = OpenRegularFile(fileName);
  if (in == nullptr) return 0;
  Utf8Detector detector;
  // Read in 64 KiB pieces; the verdict does not depend on the piece size.
  constexpr std::size_t kChunk = 64 * 1024;
  std::string chunk(kChunk, '\0');
  std::size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) {
    detector.Feed(std::string_view(chunk.data(), got));
  }
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) return 0;
  isUtf8 = detector.IsUtf8();
  return 1;
}
