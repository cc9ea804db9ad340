#pragma once

#include <cstddef>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

// A file of small cases under tests/data. Lines before the first case are
// comments. A case starts with "=== what it shows"; then "% policy line"
// lines, input lines, and, after a line "---", the expected output, whose
// lines are kept whole, each with its line end. In input lines the two
// characters "\f" stand for a form feed.
struct FileCase {
  std::string name;
  std::vector<std::string> policies;
  std::vector<std::string> input;
  std::string expected;
  bool hasExpected = false;  // a "---" line was seen
};

inline std::ostream& operator<<(std::ostream& out, const FileCase& c) {
  return out << c.name;
}

inline std::vector<FileCase> ReadCaseFile(const std::string& path) {
  std::vector<FileCase> cases;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  bool inExpected = false;
  while (std::getline(in, line)) {
    if (line.starts_with("=== ")) {
      cases.push_back({line.substr(4), {}, {}, {}, false});
      inExpected = false;
    } else if (cases.empty()) {
      continue;
    } else if (inExpected) {
      cases.back().expected += line + "\n";
    } else if (line == "---") {
      inExpected = cases.back().hasExpected = true;
    } else if (line.starts_with("% ")) {
      cases.back().policies.push_back(line.substr(2));
    } else {
      std::string text;
      for (std::size_t i = 0; i < line.size(); ++i) {
        const bool formFeed = line.compare(i, 2, "\\f") == 0;
        text += formFeed ? '\f' : line[i];
        i += formFeed ? 1 : 0;
      }
      cases.back().input.push_back(text);
    }
  }
  if (cases.empty()) cases.push_back({"no cases in " + path, {}, {}, "?", true});
  return cases;
}
