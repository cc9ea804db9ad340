#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string_view>

class ParsedString;

// The primitive writes of every output file. Lines end with a line feed.
// A stream must not be written by two threads at once: the writes take no
// stream lock.

// Writes `text` (null = "") and a line feed to `stream`. Returns 1 if the
// write succeeded, 0 for a null stream or a failed write.
int WriteText(std::FILE* stream, const char* text);
// The same for a text whose length is known (it holds no NUL).
int WriteText(std::FILE* stream, std::string_view text);
// Writes `lines` as they stand: lines put together by the caller, each with
// its line feed. Returns 1, or 0 for a null stream or a failed write.
int WriteLines(std::FILE* stream, std::string_view lines);

// The free room in the stream's own buffer, which the bytes of a line are
// copied into directly, as putc does with one byte: the library's write call
// costs more than most lines' copy. A line buffered or unbuffered stream
// shows no room, and so does a stream before its first write.
inline std::size_t BufferRoom(std::FILE* stream) {
#if defined(__GLIBC__)
  return static_cast<std::size_t>(stream->_IO_write_end - stream->_IO_write_ptr);
#else
  (void)stream;
  return 0;
#endif
}

// Takes `size` bytes, which fit in the room BufferRoom gave.
inline char* TakeRoom(std::FILE* stream, std::size_t size) {
#if defined(__GLIBC__)
  char* at = stream->_IO_write_ptr;
  stream->_IO_write_ptr += size;
  return at;
#else
  (void)stream;
  (void)size;
  return nullptr;
#endif
}

// WriteIndentedText for a line the stream's buffer has no room for.
int WriteIndentedParts(std::FILE* stream, std::size_t blanks, std::string_view text);

// Writes `indent` blanks (none when not positive), `text` and a line feed to
// `stream`, uncut. Returns 1, or 0 for a null stream or a failed write.
// Inline: nearly every line of a page is written here, most straight into
// the stream's buffer.
inline int WriteIndentedText(std::FILE* stream, int indent, std::string_view text) {
  if (stream == nullptr) return 0;
  const std::size_t blanks = indent > 0 ? static_cast<std::size_t>(indent) : 0;
  const std::size_t size = blanks + text.size() + 1;
  if (size > BufferRoom(stream)) return WriteIndentedParts(stream, blanks, text);
  // A line indented by at most sixteen blanks, in a buffer with room for
  // sixteen, gets them in one store, the text written over those it does
  // not need: no call to fill the blanks. The bytes past the line are
  // free room of the buffer.
  constexpr std::size_t kBlankRun = 16;
  const std::size_t room = BufferRoom(stream);
  char* at = TakeRoom(stream, size);
  if (blanks <= kBlankRun && room >= kBlankRun) {
    std::memcpy(at, "                ", kBlankRun);
  } else {
    std::memset(at, ' ', blanks);
  }
  std::memcpy(at + blanks, text.data(), text.size());
  at[size - 1] = '\n';
  return 1;
}

// Writes `line` to `stream`: whole on one output line if `whole`, otherwise
// cut into pieces by the line's own GetSegment(start, piece, next), one piece
// per output line, every piece after the first preceded by as many blanks as
// the line has leading blanks. Returns 1, or 0 for a null stream or when a
// write failed.
int WriteWrapped(std::FILE* stream, const ParsedString& line, bool whole);

// Writes `line` as WriteWrapped writes it with `indent` blanks put in front
// of it. A line that stays on one output line is written after its blanks
// as it stands; a line to be cut gets the blanks inserted (so `line` may
// change) and is cut as WriteWrapped cuts it.
int WriteWrappedIndented(std::FILE* stream, ParsedString& line, int indent, bool whole);
