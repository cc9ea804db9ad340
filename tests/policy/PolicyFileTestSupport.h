#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "policy/FC.h"
#include "text/LineFile.h"

// Helpers shared by the policy-file tests: a scratch directory, a record
// whose messages are collected, and reading or writing a policy file whole.

// A fresh directory for one test, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "webloom_policy_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }

  // Writes `bytes` to `name` inside the directory and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string full = Path(name);
    std::ofstream(full, std::ios::binary) << bytes;
    return full;
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Root() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Str(const TextString& text) { return std::string(text.View()); }

// A policy record that keeps every message it is sent.
struct RecordingFC : FC {
  std::vector<std::string> messages;
  RecordingFC() { Listen(); }
  // Reset drops the sink; call again after one.
  void Listen() {
    messageSink = [this](const char* text) { messages.emplace_back(text); };
  }
};

// Reads the policy file `path` into `policy`; returns ReadPolicyFile's result,
// or -1 when the file cannot be opened.
inline int ReadPolicyPath(FC& policy, const std::string& path) {
  LineFile file;
  if (!file.OpenForReading(path.c_str())) return -1;
  return policy.ReadPolicyFile(file);
}

// Reads `text` as a policy file named `name` in `dir`.
inline int ReadPolicyText(FC& policy, const ScratchDir& dir, const std::string& text,
                          const std::string& name = "read.pol") {
  return ReadPolicyPath(policy, dir.Write(name, text));
}

// The policy file `policy` writes, as bytes.
inline std::string WrittenPolicy(const FC& policy, const ScratchDir& dir, bool all) {
  const std::string path = dir.Path("written.pol");
  {
    LineFile file;
    if (!file.OpenForWriting(path.c_str())) return "cannot write";
    if (!policy.WritePolicyFile(file, all)) return "write failed";
  }
  return ReadAll(path);
}
