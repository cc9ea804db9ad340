#include "text/FileStream.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "text/ErrorReport.h"

FileStream::FileStream(std::FILE* file) : file_(file) {}

FileStream::FileStream(std::FILE* file, std::string name, WriteFailureSink sink)
    : file_(file), writtenName_(std::move(name)), sink_(std::move(sink)) {
  // A page is written in many small pieces: fewer, larger writes. The
  // stream's own buffer would be a page of memory.
  if (file_ == nullptr) return;
  buffer_ = std::make_unique_for_overwrite<char[]>(kWriteBufferSize);
  (void)std::setvbuf(file_, buffer_.get(), _IOFBF, kWriteBufferSize);
}

FileStream::~FileStream() {
  Close();
}

int FileStream::Close() {
  if (file_ == nullptr) return 0;
  if (writtenName_.empty()) {
    const int result = std::fclose(file_);
    file_ = nullptr;
    return result == 0 ? 1 : 0;
  }
  // A failed write leaves the stream's error flag set and its bytes in the
  // buffer; flushing tries them again and gives the reason.
  errno = 0;
  int reason = std::fflush(file_) != 0 ? errno : 0;
  bool lost = reason != 0 || std::ferror(file_) != 0;
  struct stat info {};
  const bool regular = fstat(fileno(file_), &info) == 0 && S_ISREG(info.st_mode);
  if (std::fclose(file_) != 0) {
    if (reason == 0) reason = errno;
    lost = true;
  }
  file_ = nullptr;
  if (!lost) return 1;
  // Never remove a device such as /dev/full.
  if (regular) (void)std::remove(writtenName_.c_str());
  std::string message = "ERROR: Failed to write file \"" + writtenName_ +
                        "\": " + (reason != 0 ? std::strerror(reason) : "a write failed");
  if (regular) message += "; the incomplete file was removed";
  ReportTo(sink_, message);
  return 0;
}

void ReportTo(const WriteFailureSink& sink, const std::string& message) {
  if (sink) {
    sink(message);
  } else {
    ReportError(message);
  }
}
