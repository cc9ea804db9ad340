#include "driver/InputChecks.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <vector>

bool LooksBinary(const char* name) {
  struct stat status{};
  if (name == nullptr || stat(name, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  std::FILE* file = std::fopen(name, "rb");
  if (file == nullptr) return false;
  std::vector<char> probe(kBinaryProbeLength);
  const std::size_t read = std::fread(probe.data(), 1, probe.size(), file);
  std::fclose(file);
  return std::memchr(probe.data(), '\0', read) != nullptr;
}
