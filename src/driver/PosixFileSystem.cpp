#include "driver/PosixFileSystem.h"

#include <glob.h>
#include <sys/stat.h>

bool PosixFileSystem::Exists(const std::string& name) const {
  struct stat status{};
  return stat(name.c_str(), &status) == 0;
}

bool PosixFileSystem::IsRegularFile(const std::string& name) const {
  struct stat status{};
  return stat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::vector<std::string> PosixFileSystem::Glob(const std::string& pattern) const {
  std::vector<std::string> matches;
  glob_t found{};
  // The caller sorts by byte order; glob's own order would follow the locale.
  if (glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found) == 0) {
    for (std::size_t i = 0; i < found.gl_pathc; ++i) matches.emplace_back(found.gl_pathv[i]);
  }
  globfree(&found);
  return matches;
}
