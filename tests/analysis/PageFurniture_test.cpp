#include "analysis/PageFurniture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Pages of one text line each, parted by a footer, a form feed and a header;
// `header(n)` and `footer(n)` give page n's (empty: none; a header of several
// lines parts them with '\n').
template <typename Header, typename Footer>
std::vector<std::string> Pages(int pages, const std::vector<std::string>& texts, Header header,
                               Footer footer) {
  std::vector<std::string> lines;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1 && !header(page).empty()) {
      std::istringstream block(header(page));
      for (std::string line; std::getline(block, line);) lines.push_back(line);
      lines.push_back("");
    }
    lines.push_back(texts[static_cast<std::size_t>(page - 1) % texts.size()]);
    lines.push_back("");
    if (!footer(page).empty()) lines.push_back(footer(page));
    if (page < pages) lines.push_back("\f");
  }
  return lines;
}

// The lines kept, joined by '|'.
std::string Kept(const std::vector<std::string>& lines, int& repeatedBreaks) {
  PageFurniture furniture;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    furniture.Observe(static_cast<int>(i) + 1, lines[i], false, false);
  }
  furniture.Finish();
  repeatedBreaks = furniture.RepeatedBreaks();
  std::string kept;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (furniture.Drops(static_cast<int>(i) + 1)) continue;
    if (!kept.empty()) kept += '|';
    kept += lines[i];
  }
  return kept;
}

std::string PageFooter(int page) {
  return "Fielding, et al.   Standards Track   [Page " + std::to_string(page) + "]";
}

std::string RunningHeader(int) {
  return "RFC 2616          HTTP/1.1          June 1999";
}

std::string NoLine(int) {
  return "";
}

// Texts that run on from page to page: no sentence ends at a page end.
const std::vector<std::string> kRunOn = {"   the text runs on", "   and on"};

TEST(PageFurnitureTest, RepetitionRule) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string kept;
    int repeatedBreaks;
  };
  // RFC 791: a title page, an empty page, then the running header.
  std::vector<std::string> titled = {"   a title page", "\f", "\f", RunningHeader(1), ""};
  for (const std::string& line : Pages(4, kRunOn, RunningHeader, PageFooter)) titled.push_back(line);
  const Case cases[] = {
      {"a page break kept beside the stretch (an empty page) starts the text after it afresh",
       titled, "   a title page|\f||   the text runs on|   and on|   the text runs on|   and on", 4},
      {"footers differing only in their numbers, and a fixed header, on four pages",
       Pages(4, kRunOn, RunningHeader, PageFooter),
       "   the text runs on|   and on|   the text runs on|   and on", 3},
      {"only two page breaks: no line repeats three times",
       Pages(3, kRunOn, RunningHeader, PageFooter),
       "   the text runs on||" + PageFooter(1) + "|\f|" + RunningHeader(2) + "||   and on||" +
           PageFooter(2) + "|\f|" + RunningHeader(3) + "||   the text runs on||" + PageFooter(3),
       0},
      {"a header whose words change from page to page stays; the footers go",
       Pages(
           4, kRunOn, [](int page) { return "Chapter " + std::string(1, char('A' + page)); },
           PageFooter),
       "   the text runs on||Chapter C||   and on||Chapter D||   the text runs on||Chapter E||"
       "   and on",
       3},
      {"a header of two repeated lines takes the line below them that names the section",
       Pages(
           4, kRunOn,
           [](int page) {
             return std::string("September 1981\nTransmission Control Protocol\n") +
                    (page < 4 ? "OPEN Call" : "SEND Call");
           },
           PageFooter),
       "   the text runs on|   and on|   the text runs on|   and on", 3},
      {"a page number alone, written right or left, is a footer",
       Pages(4, kRunOn, NoLine,
             [](int page) { return (page % 2 ? "    " : "") + std::to_string(page); }),
       "   the text runs on|   and on|   the text runs on|   and on", 3},
      {"a page ending a sentence whose next word would have fitted keeps one blank line",
       Pages(4, {"   It ends here.", "   Next paragraph."}, RunningHeader, PageFooter),
       "   It ends here.||   Next paragraph.||   It ends here.||   Next paragraph.", 3},
      {"text stepping back to the margin starts a block of its own",
       Pages(4, {"   text of a section", "2 Next Section"}, RunningHeader, PageFooter),
       "   text of a section||2 Next Section|   text of a section||2 Next Section", 3},
      {"a block of one line, then a capital after the break: two blocks (lower case would "
       "run on, as above)",
       Pages(4, {"   POST   the result of the action;", "   TRACE  the request message"},
             RunningHeader, PageFooter),
       "   POST   the result of the action;||   TRACE  the request message||"
       "   POST   the result of the action;||   TRACE  the request message",
       3},
      {"a rule repeated at every break is no furniture: it has no words",
       Pages(4, kRunOn, NoLine, [](int) { return std::string("----------"); }),
       "   the text runs on||----------|\f|   and on||----------|\f|   the text runs on||"
       "----------|\f|   and on||----------",
       0},
  };
  for (const Case& c : cases) {
    int repeatedBreaks = -1;
    EXPECT_EQ(Kept(c.lines, repeatedBreaks), c.kept) << c.name;
    EXPECT_EQ(repeatedBreaks, c.repeatedBreaks) << c.name;
  }
}

// Pages beyond the gathering limit keep their furniture; no text is lost
// on either side of the limit.
TEST(PageFurnitureTest, PagesBeyondTheLimitKeepTheirFurniture) {
  const int pages = PageFurniture::kMostBreaks + 3;
  const std::vector<std::string> lines = Pages(pages, kRunOn, RunningHeader, PageFooter);
  int repeatedBreaks = 0;
  const std::string kept = Kept(lines, repeatedBreaks);
  EXPECT_EQ(repeatedBreaks, PageFurniture::kMostBreaks);
  EXPECT_EQ(kept.find(PageFooter(1)), std::string::npos);
  EXPECT_NE(kept.find(PageFooter(pages)), std::string::npos);
  int texts = 0;
  std::istringstream keptLines(kept);
  for (std::string line; std::getline(keptLines, line, '|');) {
    if (line == kRunOn[0] || line == kRunOn[1]) ++texts;
  }
  EXPECT_EQ(texts, pages);
}

// Every pass asks about the lines in order, and a copy may be asked again
// from the start: the answers do not depend on what was asked before.
TEST(PageFurnitureTest, DropsAnswersAlikeInAnyOrder) {
  const std::vector<std::string> lines = Pages(5, kRunOn, RunningHeader, PageFooter);
  PageFurniture furniture;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    furniture.Observe(static_cast<int>(i) + 1, lines[i], false, false);
  }
  furniture.Finish();
  const int last = static_cast<int>(lines.size()) + 1;
  std::vector<bool> forward;
  for (int line = 0; line <= last; ++line) forward.push_back(furniture.Drops(line));
  ASSERT_NE(std::count(forward.begin(), forward.end(), true), 0);
  const PageFurniture copy = furniture;
  for (int line = last; line >= 0; --line) {
    EXPECT_EQ(furniture.Drops(line), forward[static_cast<std::size_t>(line)]) << line;
    EXPECT_EQ(copy.Drops(line), forward[static_cast<std::size_t>(line)]) << line;
  }
}

}  // namespace
