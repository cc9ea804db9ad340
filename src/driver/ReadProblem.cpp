#include "driver/ReadProblem.h"

#include <sys/stat.h>
#include <unistd.h>

std::string ReadProblem(const char* name) {
  struct stat status{};
  if (name == nullptr || stat(name, &status) != 0) return "";
  if (S_ISDIR(status.st_mode)) return ": it is a directory";
  if (!S_ISREG(status.st_mode)) return ": it is not a regular file";
  if (access(name, R_OK) != 0) return ": it cannot be read";
  return "";
}
