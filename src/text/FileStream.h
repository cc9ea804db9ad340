#pragma once

#include <cstdio>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// Receives the one-line report of a file that could not be written
// ("ERROR: ..."). Without one, reports go to standard error.
using WriteFailureSink = std::function<void(const std::string& message)>;

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
  // A stream written to the file `name`. When it closes with output lost (a
  // full disk, a file-size limit, an I/O error), a regular file is removed,
  // so that nothing half-written looks like a result, and "ERROR: Failed to
  // write file \"<name>\": <reason>; the incomplete file was removed" goes
  // to `sink`.
  FileStream(std::FILE* file, std::string name, WriteFailureSink sink);
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream();

  // The stream, or null once closed.
  std::FILE* Get() const { return file_; }
  // Closes the stream. Returns 1 if it was open and closed cleanly (all
  // buffered output written), else 0.
  int Close();

 private:
  static constexpr std::size_t kWriteBufferSize = 64 * 1024;

  std::FILE* file_;
  std::string writtenName_;
  WriteFailureSink sink_;
  // The buffer of a written stream; it outlives the stream's closing.
  std::unique_ptr<char[]> buffer_;
};

// Sends `message` to `sink`, or to standard error when there is none.
void ReportTo(const WriteFailureSink& sink, const std::string& message);
