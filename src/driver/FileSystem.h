#pragma once

#include <string>
#include <vector>

// The little the console asks of the file system to turn input
// specifications into file names, behind a narrow interface so that tests
// can use an in-memory fake (PosixFileSystem is the real one).
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when `name` names an existing file of any kind (links are
  // followed; a dangling link does not exist).
  virtual bool Exists(const std::string& name) const = 0;
  // True when `name` names a regular file (links are followed).
  virtual bool IsRegularFile(const std::string& name) const = 0;
  // The names that the wildcard `pattern` ("*", "?", "[...]") matches, in no
  // particular order; empty when nothing matches.
  virtual std::vector<std::string> Glob(const std::string& pattern) const = 0;
};
