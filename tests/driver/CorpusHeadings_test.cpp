// How many of the numbered sections of the RFCs of the corpus become
// numbered headings, and how many numbered headings are sections. A
// section line stands alone (a blank line or page break before it; a blank
// line or deeper-indented text after it), reads "number, optional dot,
// blanks, title", and is no contents-list line (no dot leaders, no page
// number at its end). Rows of tables and diagrams (a wide gap inside the
// title), sentences, short numbered lists (an item followed by its
// sibling) and indented numbered paragraphs of prose (list items) are not
// sections.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "DriverTestDir.h"
#include "driver/ConsoleRun.h"
#include "driver/PosixFileSystem.h"

namespace {

namespace fs = std::filesystem;

// Reached on the corpus; raise them as headings are mended.
constexpr double kRecallTarget = 0.99;
constexpr double kPrecisionTarget = 0.99;

struct SectionLine {
  int indent = 0;
  int level = 0;
  std::string number;
  std::string_view title;
};

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

bool Digit(char c) {
  return c >= '0' && c <= '9';
}

bool Alnum(char c) {
  return Digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "number, optional dot, blanks, title": components of one or two digits.
bool ReadSectionLine(std::string_view line, SectionLine& out) {
  std::size_t at = line.find_first_not_of(' ');
  if (at == std::string_view::npos) return false;
  out.indent = static_cast<int>(at);
  out.level = 0;
  out.number.clear();
  for (;;) {
    std::size_t digits = 0;
    while (at < line.size() && Digit(line[at]) && digits < 3) {
      out.number += line[at++];
      ++digits;
    }
    if (digits == 0 || digits > 2) return false;
    if (at + 1 < line.size() && line[at] == '.' && Digit(line[at + 1])) {
      out.number += line[at++];
      ++out.level;
      continue;
    }
    break;
  }
  if (at < line.size() && line[at] == '.') ++at;
  if (at >= line.size() || line[at] != ' ') return false;
  at = line.find_first_not_of(' ', at);
  if (at == std::string_view::npos || !Alnum(line[at])) return false;
  out.title = line.substr(at);
  while (!out.title.empty() && (out.title.back() == ' ' || out.title.back() == '\r')) {
    out.title.remove_suffix(1);
  }
  return true;
}

bool IsContentsOrRow(std::string_view title) {
  if (title.find("...") != std::string_view::npos) return true;
  if (title.find(". . .") != std::string_view::npos) return true;
  // A page number after a gap, or a gap between columns.
  std::size_t end = title.size();
  while (end > 0 && Digit(title[end - 1])) --end;
  if (end < title.size() && end >= 2 && title.substr(end - 2, 2) == "  ") return true;
  return title.find("    ") != std::string_view::npos;
}

bool IsSentence(std::string_view title) {
  const char first = title.front();
  const char last = title.back();
  return first >= 'a' && first <= 'z' && (last == '.' || last == ';' || last == ',');
}

constexpr int kMostTitleWords = 8;

int WordCount(std::string_view text) {
  int words = 0;
  bool inWord = false;
  for (char c : text) {
    if (c != ' ' && !inWord) ++words;
    inWord = c != ' ';
  }
  return words;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Truth {
  int lineNumber;
  std::string number;
  std::string text;
};

std::vector<Truth> SectionLines(const std::vector<std::string>& lines) {
  std::vector<Truth> found;
  SectionLine line;
  SectionLine sibling;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!ReadSectionLine(lines[i], line)) continue;
    if (i > 0 && !IsBlank(lines[i - 1]) && lines[i - 1].find('\f') == std::string::npos) continue;
    if (i + 1 < lines.size() && !IsBlank(lines[i + 1]) &&
        static_cast<int>(lines[i + 1].find_first_not_of(' ')) <= line.indent) {
      continue;
    }
    if (IsContentsOrRow(line.title) || IsSentence(line.title)) continue;
    const bool runsOn = i + 1 < lines.size() && !IsBlank(lines[i + 1]);
    const bool ended = line.title.back() == '.' || line.title.back() == ':';
    if (line.indent > 0 && line.level == 0 && (runsOn || ended)) continue;
    if (runsOn && line.indent > 0 && WordCount(line.title) > kMostTitleWords) continue;
    std::size_t next = i + 1;
    while (next < lines.size() && IsBlank(lines[next])) ++next;
    if (next > i + 1 && next < lines.size() && ReadSectionLine(lines[next], sibling) &&
        sibling.indent == line.indent && sibling.level == line.level) {
      continue;
    }
    found.push_back({static_cast<int>(i + 1), line.number, lines[i]});
  }
  return found;
}

// The numbers of the numbered headings written: an anchor "Section_N"
// holding a heading, or standing just before one.
std::vector<std::string> WrittenHeadings(const std::string& page) {
  std::vector<std::string> numbers;
  static constexpr std::string_view kAnchor = "<A NAME=\"Section_";
  for (std::size_t at = page.find(kAnchor); at != std::string::npos;
       at = page.find(kAnchor, at + 1)) {
    const std::size_t start = at + kAnchor.size();
    const std::size_t quote = page.find('"', start);
    if (quote == std::string::npos) break;
    std::size_t tag = page.find_first_not_of(" \r\n", quote + 2);
    // A heading holding a link gets its anchor closed before it.
    if (tag != std::string::npos && page.compare(tag, 4, "</A>") == 0) {
      tag = page.find_first_not_of(" \r\n", tag + 4);
    }
    if (tag == std::string::npos || page.compare(tag, 2, "<H") != 0 || tag + 2 >= page.size() ||
        !Digit(page[tag + 2])) {
      continue;
    }
    numbers.push_back(page.substr(start, quote - start));
  }
  return numbers;
}

int RunConsoleQuietly(const std::vector<std::string>& words) {
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  PosixFileSystem fileSystem;
  return RunConsole(words, fileSystem, in, console);
}

TEST(CorpusHeadings, NumberedSectionsOfTheRfcsAreFoundAsHeadings) {
  DriverTestDir top;
  std::vector<std::string> names;
  if (!fs::is_directory(WEBLOOM_CORPUS)) GTEST_SKIP() << "no corpus at " << WEBLOOM_CORPUS;
  for (const fs::directory_entry& entry : fs::directory_iterator(WEBLOOM_CORPUS)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("rfc") || entry.path().extension() != ".txt") continue;
    fs::copy_file(entry.path(), top / name);
    names.push_back(name.substr(0, name.size() - 4));
  }
  ASSERT_FALSE(names.empty());
  ASSERT_EQ(RunConsoleQuietly({top / "rfc*.txt"}), kExitSuccess);

  int sections = 0;
  int written = 0;
  int matched = 0;
  std::ostringstream misses;
  for (const std::string& name : names) {
    const std::vector<Truth> truth = SectionLines(SplitLines(top.Read(name + ".txt")));
    const std::vector<std::string> headings = WrittenHeadings(top.Read(name + ".html"));
    sections += static_cast<int>(truth.size());
    written += static_cast<int>(headings.size());
    // Sections and headings are paired in document order (longest common
    // subsequence of their numbers), so a list item numbered 2 does not
    // stand in for section 2.
    const std::size_t rows = truth.size() + 1;
    const std::size_t cols = headings.size() + 1;
    std::vector<int> table(rows * cols, 0);
    for (std::size_t i = truth.size(); i-- > 0;) {
      for (std::size_t j = headings.size(); j-- > 0;) {
        table[i * cols + j] = truth[i].number == headings[j]
                                  ? table[(i + 1) * cols + j + 1] + 1
                                  : std::max(table[(i + 1) * cols + j], table[i * cols + j + 1]);
      }
    }
    matched += table[0];
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < truth.size() || j < headings.size()) {
      if (i < truth.size() && j < headings.size() && truth[i].number == headings[j]) {
        ++i;
        ++j;
      } else if (j == headings.size() ||
                 (i < truth.size() && table[(i + 1) * cols + j] >= table[i * cols + j + 1])) {
        misses << name << " line " << truth[i].lineNumber << " missed: " << truth[i].text << "\n";
        ++i;
      } else {
        misses << name << " heading " << headings[j] << " is no section line\n";
        ++j;
      }
    }
  }
  ASSERT_GT(sections, 0);
  ASSERT_GT(written, 0);
  const double recall = static_cast<double>(matched) / sections;
  const double precision = static_cast<double>(matched) / written;
  std::printf("%s", misses.str().c_str());
  std::printf("recall %.3f (%d of %d sections), precision %.3f (%d of %d headings)\n", recall,
              matched, sections, precision, matched, written);
  EXPECT_GE(recall, kRecallTarget);
  EXPECT_GE(precision, kPrecisionTarget);
}

}  // namespace
