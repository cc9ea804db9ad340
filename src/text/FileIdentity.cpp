#include "text/FileIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Fill(const struct stat& info, FileIdentity& identity) {
  identity.device = static_cast<std::uint64_t>(info.st_dev);
  identity.inode = static_cast<std::uint64_t>(info.st_ino);
}

}  // namespace

int GetFileIdentity(const char* name, FileIdentity& identity) {
  struct stat info {};
  if (name == nullptr || stat(name, &info) != 0) return 0;
  Fill(info, identity);
  return 1;
}

int GetStreamIdentity(std::FILE* stream, FileIdentity& identity) {
  struct stat info {};
  if (stream == nullptr || fstat(fileno(stream), &info) != 0) return 0;
  Fill(info, identity);
  return 1;
}

bool IsRegularFile(const char* name) {
  struct stat info {};
  return name != nullptr && stat(name, &info) == 0 && S_ISREG(info.st_mode);
}

std::FILE* OpenRegularFile(const char* name) {
  if (!IsRegularFile(name)) return nullptr;
  // Without O_NONBLOCK a FIFO swapped in since the check would block the open.
  const int descriptor = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat info {};
  const int flags = fcntl(descriptor, F_GETFL);
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(descriptor);
    return nullptr;
  }
  std::FILE* file = fdopen(descriptor, "rb");
  if (file == nullptr) close(descriptor);
  return file;
}

bool IsReadableRegularFile(const char* name) {
  std::FILE* file = OpenRegularFile(name);
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

std::string NotRegularKind(const char* name) {
  struct stat status {};
  if (name == nullptr || stat(name, &status) != 0 || S_ISREG(status.st_mode)) return "";
  if (S_ISDIR(status.st_mode)) return "a directory";
  if (S_ISFIFO(status.st_mode)) return "a named pipe";
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "a device";
  return "not a regular file";
}

std::string ReadProblem(const char* name) {
  struct stat status {};
  if (name == nullptr || stat(name, &status) != 0) return "";
  const std::string kind = NotRegularKind(name);
  if (!kind.empty()) return ": it is " + kind;
  return IsReadableRegularFile(name) ? "" : ": it cannot be read";
}
