#include "text/FileStream.h"

FileStream::FileStream(std::FILE* file) : file_(file) {}

FileStream::~FileStream() {
  Close();
}

int FileStream::Close() {
  if (file_ == nullptr) return 0;
  const int result = std::fclose(file_);
  file_ = nullptr;
  return result == 0 ? 1 : 0;
}
