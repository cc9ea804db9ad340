#include "text/FileIdentity.h"

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

std::string ReadProblem(const char* name) {
  struct stat status {};
  if (name == nullptr || stat(name, &status) != 0) return "";
  if (S_ISDIR(status.st_mode)) return ": it is a directory";
  if (!S_ISREG(status.st_mode)) return ": it is not a regular file";
  if (access(name, R_OK) != 0) return ": it cannot be read";
  return "";
}
