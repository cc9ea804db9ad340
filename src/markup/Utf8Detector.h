#pragma once

#include <string>
#include <string_view>

// Decides, once per source file and before its first pass, whether the file
// is UTF-8 text. A file is UTF-8 when it starts with the byte-order mark
// EF BB BF, or when every byte sequence in it is well-formed UTF-8 and it
// holds at least one byte above 0x7F. Anything else is single-byte text, to
// which the 8-bit character map applies; a UTF-8 file must not be mapped,
// since the map would corrupt its multi-byte characters.
//
// The file is fed in chunks of any size; a sequence may straddle two chunks.
class Utf8Detector {
 public:
  // Takes the next bytes of the file.
  void Feed(std::string_view bytes);
  // The verdict once the whole file has been fed: a sequence still
  // unfinished at the end makes the file single-byte.
  bool IsUtf8() const;
  // True when the file starts with the UTF-8 byte-order mark.
  bool HasByteOrderMark() const { return byteOrderMark_; }

 private:
  // Checks the sequences of `bytes` from the start; keeps an unfinished one
  // at the end in pending_.
  void Scan(std::string_view bytes);

  bool byteOrderMark_ = false;
  bool malformed_ = false;
  bool nonAscii_ = false;
  // The first bytes of a sequence cut by the end of a chunk (at most 3).
  std::string pending_;
  // The first bytes of the file, up to the length of a byte-order mark.
  std::string head_;
};

// Reads the file `fileName` through a Utf8Detector. Returns 1 and sets
// `isUtf8`, or 0 when the file cannot be read (then `isUtf8` is false).
int DetectUtf8File(const char* fileName, bool& isUtf8);
