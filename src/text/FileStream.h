#pragma once

#include <cstdio>

// One open standard-library stream. A TextFile stack level holds it through a
// std::shared_ptr so that two file objects can write to one stream (see
// TextFile(const TextFile*)). Close() closes the stream for every holder: the
// others then see a null stream and their writes fail instead of touching a
// closed stream. A stream nobody closed is closed when its last holder lets
// go of it.
class FileStream {
 public:
  // Takes ownership of `file` (may be null).
  explicit FileStream(std::FILE* file);
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream();

  // The stream, or null once closed.
  std::FILE* Get() const { return file_; }
  // Closes the stream. Returns 1 if it was open and closed cleanly (all
  // buffered output written), else 0.
  int Close();

 private:
  std::FILE* file_;
};
