#include "driver/InputChecks.h"

#include <cstdio>
#include <cstring>
#include <vector>

bool LooksBinary(const char* name) {
  std::FILE* file = OpenRegularFile(name);
  if (file == nullptr) return false;
  std::vector<char> probe(kBinaryProbeLength);
  const std::size_t read = std::fread(probe.data(), 1, probe.size(), file);
  std::fclose(file);
  return std::memchr(probe.data(), '\0', read) != nullptr;
}
