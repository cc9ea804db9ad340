#pragma once

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Readers of the case files under tests/data, whose first lines say what
// their cases hold.
//
// A case file: lines before the first case are comments. A case starts with
// "=== what it shows"; then "% " lines (policy lines or directives), input
// lines, and, after a line "---", the expected output, whose lines are kept
// whole, each with its line end. In input lines the two characters "\f"
// stand for a form feed.
struct FileCase {
  std::string name;
  std::vector<std::string> policies;
  std::vector<std::string> input;
  std::string expected;
  bool hasExpected = false;  // a "---" line was seen
};

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

// `text` with the escapes \n \t \b \f \r \\ and \xHH (two hex digits) replaced.
inline std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = i + 1 < text.size() && text[i] == '\\' ? text[++i] : 0;
    if (c == 'x' && i + 2 < text.size()) {
      out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      const std::string plain = "ntbfr\\", escaped = "\n\t\b\f\r\\";
      const std::size_t at = c == 0 ? std::string::npos : plain.find(c);
      out += c == 0 ? text[i] : at == std::string::npos ? c : escaped[at];
    }
  }
  return out;
}

// The rows of a table file under tests/data: every line that is neither
// empty nor a comment ("#"), cut at each "|" into fields, escapes replaced.
inline std::vector<std::vector<std::string>> ReadRows(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream cut(line);
    for (std::string field; std::getline(cut, field, '|');) fields.push_back(Unescape(field));
    if (line.back() == '|') fields.emplace_back();
    rows.push_back(fields);
  }
  if (rows.empty()) rows.push_back({"no rows in " + path});
  return rows;
}
