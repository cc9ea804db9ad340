#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "driver/ConsoleSwitches.h"

// The whole of a file, empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh directory per test under the test temporary directory (named with
// the process, so that runs side by side never share one), removed at the end, with helpers to write and read whole files in it.
class DriverTestDir {
 public:
  DriverTestDir() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    path_ = testing::TempDir() + "webloom_driver_" + std::to_string(getpid()) + "_" + name + "/";
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~DriverTestDir() { std::filesystem::remove_all(path_); }

  // The directory, ending in "/".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ + name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const { return ReadWholeFile(path_ + name); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ + name); }

 private:
  std::string path_;
};

// Switches written as six digits, 1 for on: contents, index, dos, debug,
// simple, policy (tests/data/driver/driver_cases.txt).
inline ConsoleSwitches SwitchesOf(const std::string& digits) {
  ConsoleSwitches s;
  int* const fields[] = {&s.contents, &s.index, &s.dos, &s.debug, &s.simple, &s.writePolicy};
  for (std::size_t i = 0; i < digits.size() && i < 6; ++i) *fields[i] = digits[i] == '1';
  return s;
}

// The words of `list`, joined by ";".
inline std::vector<std::string> WordsOf(const std::string& list) {
  std::vector<std::string> words;
  std::istringstream in(list);
  for (std::string word; std::getline(in, word, ';');) words.push_back(word);
  return words;
}
