#pragma once

#include <fnmatch.h>

#include <map>
#include <string>
#include <vector>

#include "driver/FileSystem.h"

// An in-memory file system: a set of names, each a regular file or not.
// Glob matches with fnmatch(3) and hands the matches back in reverse order,
// so that a caller that forgets to sort is caught.
class FakeFileSystem : public FileSystem {
 public:
  void AddFile(const std::string& name) { files_[name] = true; }
  void AddDirectory(const std::string& name) { files_[name] = false; }

  bool Exists(const std::string& name) const override { return files_.count(name) != 0; }
  bool IsRegularFile(const std::string& name) const override {
    auto it = files_.find(name);
    return it != files_.end() && it->second;
  }
  std::vector<std::string> Glob(const std::string& pattern) const override {
    std::vector<std::string> matches;
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) {
      if (fnmatch(pattern.c_str(), it->first.c_str(), FNM_PATHNAME | FNM_PERIOD) == 0) {
        matches.push_back(it->first);
      }
    }
    return matches;
  }

 private:
  std::map<std::string, bool> files_;
};
