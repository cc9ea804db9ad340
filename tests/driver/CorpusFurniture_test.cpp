// Page headers and footers of the RFCs of the corpus, removed by the
// calculated policy: no page keeps a "[Page N]" footer line, and wherever a
// sentence of RFC 2616 or RFC 793 runs on across a page break (the page's
// last text line ends in a letter or a comma, the next page's first text
// line begins in lower case at the same indent), the two lines are written
// one after the other, in one paragraph.

#include <gtest/gtest.h>

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

std::string Trim(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \r");
  return first == std::string::npos ? ""
                                    : line.substr(first, line.find_last_not_of(" \r") - first + 1);
}

// From `at`, steps by `step` over blank lines, then over the furniture (the
// next run of non-blank lines), then over blank lines again.
std::size_t PastFurniture(const std::vector<std::string>& lines, std::size_t at, int step) {
  auto blank = [&](std::size_t i) { return i < lines.size() && Trim(lines[i]).empty(); };
  auto text = [&](std::size_t i) { return i < lines.size() && !blank(i) && lines[i] != "\f"; };
  while (blank(at)) at += step;
  while (text(at)) at += step;
  while (blank(at)) at += step;
  return at;
}

// A footer "[Page N]" with a number of digits.
bool HasPageFooter(const std::string& page) {
  static constexpr std::string_view kFooter = "[Page ";
  for (std::size_t at = page.find(kFooter); at != std::string::npos;
       at = page.find(kFooter, at + 1)) {
    std::size_t end = at + kFooter.size();
    while (end < page.size() && page[end] >= '0' && page[end] <= '9') ++end;
    if (end > at + kFooter.size() && end < page.size() && page[end] == ']') return true;
  }
  return false;
}

// A line that ends in a letter or a comma: its sentence goes on.
bool RunsOn(const std::string& line) {
  const char last = line.empty() ? ' ' : line.back();
  return last == ',' || (last >= 'a' && last <= 'z') || (last >= 'A' && last <= 'Z');
}

TEST(CorpusFurniture, RfcPagesHoldNoFootersAndSentencesRunOnAcrossPageBreaks) {
  if (!fs::is_directory(WEBLOOM_CORPUS)) GTEST_SKIP() << "no corpus at " << WEBLOOM_CORPUS;
  DriverTestDir top;
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(WEBLOOM_CORPUS)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("rfc") || entry.path().extension() != ".txt") continue;
    fs::copy_file(entry.path(), top / name);
    names.push_back(name.substr(0, name.size() - 4));
  }
  ASSERT_FALSE(names.empty());
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  PosixFileSystem fileSystem;
  ASSERT_EQ(RunConsole({top / "rfc*.txt"}, fileSystem, in, console), kExitSuccess);

  int runOns = 0;
  for (const std::string& name : names) {
    const std::string page = top.Read(name + ".html");
    EXPECT_FALSE(HasPageFooter(page)) << name;
    if (name != "rfc2616" && name != "rfc793") continue;
    std::vector<std::string> lines;
    std::istringstream source(top.Read(name + ".txt"));
    for (std::string line; std::getline(source, line);) lines.push_back(line);
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
      if (lines[i] != "\f") continue;
      const std::size_t last = PastFurniture(lines, i - 1, -1);
      const std::size_t first = PastFurniture(lines, i + 1, 1);
      if (last >= lines.size() || first >= lines.size()) continue;
      const std::string before = Trim(lines[last]);
      const std::string after = Trim(lines[first]).substr(0, Trim(lines[first]).find(' '));
      if (after.empty() || after[0] < 'a' || after[0] > 'z' || !RunsOn(before) ||
          lines[last].find_first_not_of(' ') != lines[first].find_first_not_of(' ')) {
        continue;
      }
      // Lines that markup changed (escapes, links) are not looked for.
      const std::size_t at = page.find(before + "\n");
      if (at == std::string::npos) continue;
      ++runOns;
      const std::size_t next = page.find_first_not_of(' ', at + before.size() + 1);
      EXPECT_EQ(page.compare(next, after.size(), after), 0)
          << name << " line " << last + 1 << ": \"" << before << "\" is parted from \"" << after
          << "\"";
    }
  }
  EXPECT_GT(runOns, 0);
}

}  // namespace
