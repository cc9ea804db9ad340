// Runs that write several pages: contents lists, split documents, the
// external contents file and the Directory page. Each case folder of
// tests/data/pages holds the inputs; the console converts a copy of them
// ("%" in the words and in list.txt stands for that copy's folder), and the
// pages written must be exactly those of expected/, byte for byte, with
// every link leading to a page and an anchor that exist. The corpus runs
// with the same link check.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DriverTestDir.h"
#include "driver/ConsoleRun.h"
#include "driver/PosixFileSystem.h"
#include "support/LinkChecker.h"

namespace {

namespace fs = std::filesystem;

struct PagesCase {
  const char* name;
  const char* shows;
  std::vector<std::string> words;
};

const PagesCase kCases[] = {
    {"contents",
     "the list at the top of the page, linked to each heading",
     {"%/guide.txt", "%/guide.pol", "/contents"}},
    {"split1",
     "a page per chapter, Prev/Next/Contents bars, the list on the first page",
     {"%/guide.txt", "%/guide.pol"}},
    {"split2",
     "pages per section; Min HTML File size keeps short sections together",
     {"%/guide.txt", "%/guide.pol"}},
    {"external",
     "the contents list in a file of its own, linked from the page",
     {"%/guide.txt", "%/guide.pol"}},
    {"dos",
     "DOS names: .HTM, a five-character root, long page names made short",
     {"%/userguide.txt", "%/userguide.pol", "/dos"}},
    {"unnumbered",
     "pages begun at unnumbered headings get running numbers",
     {"%/manual.txt", "%/manual.pol"}},
    {"directory",
     "the Directory page over three files; file links between them",
     {"%/*.txt", "%/master.pol", "/index"}},
    {"steering",
     "the same with a policy file per document from a steering file",
     {"@%/list.txt", "/index"}},
};

void PrintTo(const PagesCase& run, std::ostream* os) {
  *os << run.name;
}

const std::string kPagesDir = std::string(WEBLOOM_TEST_DATA) + "/pages/";

std::string Replace(std::string text, const std::string& dir) {
  for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at)) {
    text.replace(at, 1, dir);
    at += dir.size();
  }
  return text;
}

std::set<std::string> PagesIn(const fs::path& dir) {
  std::set<std::string> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".html" || ext == ".htm" || ext == ".HTM") pages.insert(entry.path().filename());
  }
  return pages;
}

int RunConsoleQuietly(const std::vector<std::string>& words) {
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  PosixFileSystem fileSystem;
  return RunConsole(words, fileSystem, in, console);
}

class PagesTest : public testing::TestWithParam<PagesCase> {};

TEST_P(PagesTest, PagesAreAsExpectedAndEveryLinkLeadsSomewhere) {
  const PagesCase& run = GetParam();
  SCOPED_TRACE(run.shows);
  DriverTestDir top;
  const fs::path source = kPagesDir + run.name;
  const std::string dir = top.Path().substr(0, top.Path().size() - 1);
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    if (entry.is_regular_file()) {
      top.Write(entry.path().filename(), Replace(ReadWholeFile(entry.path()), dir));
    }
  }
  std::vector<std::string> words;
  for (const std::string& word : run.words) words.push_back(Replace(word, dir));
  ASSERT_EQ(RunConsoleQuietly(words), kExitSuccess);

  const fs::path expected = source / "expected";
  EXPECT_EQ(PagesIn(top.Path()), PagesIn(expected));
  for (const std::string& page : PagesIn(expected)) {
    EXPECT_EQ(top.Read(page), ReadWholeFile(expected / page)) << page;
  }
  EXPECT_EQ(BrokenLinks(top.Path()), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Pages, PagesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PagesCase>& param) {
                           return std::string(param.param.name);
                         });

// Every corpus document with the default policies, with a contents list and
// split at level 1: no link of any page leads nowhere.
class CorpusLinks : public testing::TestWithParam<const char*> {};

TEST_P(CorpusLinks, EveryLinkLeadsSomewhere) {
  DriverTestDir top;
  top.Write("split.pol", "Split level : 1\n");
  std::vector<std::string> words;
  if (!fs::is_directory(WEBLOOM_CORPUS)) GTEST_SKIP() << "no corpus at " << WEBLOOM_CORPUS;
  for (const fs::directory_entry& entry : fs::directory_iterator(WEBLOOM_CORPUS)) {
    if (entry.path().extension() != ".txt") continue;
    fs::copy_file(entry.path(), top / entry.path().filename().string());
  }
  const std::string mode = GetParam();
  if (mode == "split") {
    words = {top / "*.txt", top / "split.pol"};
  } else {
    words = {top / "*.txt"};
    if (mode == "contents") words.push_back("/contents");
  }
  EXPECT_EQ(RunConsoleQuietly(words), kExitSuccess);
  EXPECT_EQ(BrokenLinks(top.Path()), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusLinks, testing::Values("default", "contents", "split"),
                         [](const testing::TestParamInfo<const char*>& param) {
                           return std::string(param.param);
                         });

}  // namespace
