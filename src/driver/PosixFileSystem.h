#pragma once

#include "driver/FileSystem.h"

// The real file system: stat(2) and glob(3). Holds no state.
class PosixFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& name) const override;
  bool IsRegularFile(const std::string& name) const override;
  std::vector<std::string> Glob(const std::string& pattern) const override;
};
