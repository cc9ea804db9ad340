// Hostile inputs converted as the console converts them: no crash, no
// sanitizer report, one clear message where an input is refused, and not a
// word of a text-only document lost. Sized to run in the sanitizer build in
// well under three minutes; the full sizes, with their time and memory
// budgets and a check that the time grows linearly, are in bench/run.sh.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "DriverTestDir.h"
#include "driver/ConsoleRun.h"
#include "driver/PosixFileSystem.h"

namespace {

// The words of `text`: runs of ASCII letters and digits. Everything else
// separates them, as markup, bullets and undecodable bytes may be replaced.
std::vector<std::string> WordsIn(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : text) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (letter) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The text a reader sees in the body of `page`: comments and tags left out,
// character entities of ASCII characters decoded (the others separate words).
std::string VisibleText(const std::string& page) {
  const std::size_t body = page.find("<BODY");
  const std::size_t end = page.rfind("</BODY>");
  if (body == std::string::npos || end == std::string::npos) return "";
  std::string text;
  for (std::size_t i = page.find('>', body) + 1; i < end; ++i) {
    if (page.compare(i, 4, "<!--") == 0) {
      i = page.find("-->", i);
      if (i == std::string::npos) break;
      i += 2;
    } else if (page[i] == '<') {
      i = page.find('>', i);
      if (i == std::string::npos) break;
      text += ' ';
    } else if (page[i] == '&') {
      const std::size_t semicolon = page.find(';', i);
      const std::string entity = page.substr(i + 1, semicolon - i - 1);
      const int code = entity.starts_with("#") ? std::atoi(entity.c_str() + 1) : 0;
      text += code > 0 && code < 128 ? static_cast<char>(code) : ' ';
      i = semicolon;
    } else {
      text += page[i];
    }
  }
  return text;
}

// One hostile run: the command-line words, the text whose words must all
// reach the page (empty: not checked) and the page.
struct HostileRun {
  std::vector<std::string> words;
  std::string text;
  std::string page;
};

struct HostileCase {
  const char* name;
  std::function<HostileRun(const DriverTestDir&)> make;
  int status;
  // A message the run must give (empty: no error at all).
  const char* message;
};

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  text.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// Writes `text` as the document doc.txt and converts it.
HostileRun Document(const DriverTestDir& dir, const std::string& text, bool checkWords = true) {
  dir.Write("doc.txt", text);
  return {{dir / "doc.txt"}, checkWords ? text : "", dir / "doc.html"};
}

// `count` files f0.txt ... each holding a word and including the next.
HostileRun IncludeChain(const DriverTestDir& dir, int count) {
  std::string all;
  for (int i = 0; i < count; ++i) {
    const std::string text = "Part" + std::to_string(i) + " of the chain.\n";
    all += text;
    dir.Write("f" + std::to_string(i) + ".txt",
              text + (i + 1 < count ? "$_$_INCLUDE f" + std::to_string(i + 1) + ".txt\n" : ""));
  }
  return {{dir / "f0.txt"}, all, dir / "f0.html"};
}

std::string NumberedHeadings(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += std::to_string(i) + ". Heading " + std::to_string(i) + "\n\nText " + std::to_string(i) +
            ".\n\n";
  }
  return text;
}

std::string NestedList(int levels) {
  std::string text = "A list:\n\n";
  for (int i = 0; i < levels; ++i) {
    text += std::string(static_cast<std::size_t>(i), ' ') + "- item" + std::to_string(i) + "\n";
  }
  return text + "\nEnd.\n";
}

// `count` characters, each "*" or "_", in an irregular order.
std::string EmphasisMarks(int count) {
  std::string text;
  unsigned state = 12345;
  for (int i = 0; i < count; ++i) {
    state = state * 1103515245U + 12345U;
    text += (state >> 16) % 3 == 0 ? '_' : '*';
  }
  return text + "\n";
}

std::string TableRows(int rows, int columns) {
  std::string text;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) text += "c" + std::to_string(c % 100) + "    ";
    text += "\n";
  }
  return text;
}

const HostileCase kCases[] = {
    {"OneLongLine",
     [](const DriverTestDir& d) { return Document(d, Repeat("word ", 2000000) + "\n"); }, 0, ""},
    {"BlankLines",
     [](const DriverTestDir& d) {
       return Document(d, "start\n" + Repeat("\n", 1000000) + "end\n");
     },
     0, ""},
    {"NumberedHeadings",
     [](const DriverTestDir& d) { return Document(d, NumberedHeadings(100000)); }, 0, ""},
    {"NestedListLevels", [](const DriverTestDir& d) { return Document(d, NestedList(5000)); }, 0,
     ""},
    {"EmphasisMarksOnly",
     [](const DriverTestDir& d) { return Document(d, EmphasisMarks(100000), false); }, 0, ""},
    {"EmphasisAroundWords",
     [](const DriverTestDir& d) {
       return Document(d, Repeat("*bold* _under_ *a_b* _c*d_ ** __ ", 10000) + "\n");
     },
     0, ""},
    {"WideTable",
     [](const DriverTestDir& d) {
       HostileRun run =
           Document(d, "A table:\n$_$_BEGIN_TABLE\n" + TableRows(60, 1000) + "$_$_END_TABLE\n");
       run.text = "A table: " + TableRows(60, 1000);
       return run;
     },
     0, ""},
    {"LongTable",
     [](const DriverTestDir& d) {
       return Document(d, "A table:\n\n" + TableRows(100000, 4) + "\nEnd.\n");
     },
     0, ""},
    {"HugePolicyFile",
     [](const DriverTestDir& d) {
       d.Write("big.pol", Repeat("Page width : 72\nLink definition : \"ab\" \"cd\" \"http://e/\"\n"
                                 "not a policy line\n# comment\n",
                                 250000));
       HostileRun run = Document(d, "Some text.\n");
       run.words.push_back(d / "big.pol");
       return run;
     },
     0, "Policy file: Ignoring policy line \\not a policy line\\"},
    {"IncludeChain100", [](const DriverTestDir& d) { return IncludeChain(d, 100); }, 0, ""},
    {"IncludeChainTooDeep",
     [](const DriverTestDir& d) {
       HostileRun run = IncludeChain(d, 300);
       run.text.clear();
       return run;
     },
     0, ": include files are nested too deeply"},
    {"FileIncludesItself",
     [](const DriverTestDir& d) {
       HostileRun run = Document(d, "Before.\n$_$_INCLUDE doc.txt\nAfter.\n");
       run.text = "Before. After.";
       return run;
     },
     0, "*** Failed to open include file \"doc.txt\" ***: it is already being read"},
    {"IncludeLoop",
     [](const DriverTestDir& d) {
       d.Write("b.txt", "Bee.\n$_$_INCLUDE doc.txt\n");
       HostileRun run = Document(d, "Before.\n$_$_INCLUDE b.txt\nAfter.\n");
       run.text = "Before. Bee. After.";
       return run;
     },
     0, ": it is already being read"},
    {"SwitchToFileLoop",
     [](const DriverTestDir& d) {
       d.Write("a.pol", "Document title : Loop\ninclude file : a.pol\nSwitch to file : b.pol\n");
       d.Write("b.pol", "Page width : 70\nSwitch to file : a.pol\n");
       HostileRun run = Document(d, "Some text.\n");
       run.words.push_back(d / "a.pol");
       return run;
     },
     0, ""},
    {"SteeringFileNamesOneFileOftenOver",
     [](const DriverTestDir& d) {
       d.Write("list.txt", Repeat(d / "doc.txt" + "\n", 1000));
       HostileRun run = Document(d, "Some text.\n");
       run.words = {"@" + (d / "list.txt")};
       return run;
     },
     1, "\": already written in this run"},
    {"ControlBytes",
     [](const DriverTestDir& d) {
       static constexpr char kBytes[] = "nul\0byte lone\rreturn ctrl\x1az mid\r\nfile\x1a\x1a\n";
       return Document(d, std::string(kBytes, sizeof kBytes - 1) + "tail \x01\x02\x7f bytes\n");
     },
     0, ""},
    {"BadUtf8",
     [](const DriverTestDir& d) {
       return Document(d,
                       "invalid \xff\xfe seq \xc3( lone \x80 cont \xed\xa0\x80 surrogate "
                       "\xf8\x88\x80\x80\x80 five \xc0\xaf overlong end \xe2\x82");
     },
     0, ""},
    {"TruncatedUtf8InUtf8Text",
     [](const DriverTestDir& d) {
       return Document(d,
                       "\xEF\xBB\xBF"
                       "caf\xc3\xa9 \xe2\x82\xac euro cut \xe2\x82\n"
                       "next line \xf0\x9f\x98\n");
     },
     0, ""},
};

class HostileInputTest : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileInputTest, ConvertsOrRefusesClearlyAndKeepsEveryWord) {
  const HostileCase& c = GetParam();
  DriverTestDir dir;
  const HostileRun run = c.make(dir);
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  PosixFileSystem fileSystem;
  std::istringstream in;
  EXPECT_EQ(RunConsole(run.words, fileSystem, in, console), c.status) << err.str().substr(0, 2000);
  if (*c.message == '\0') {
    EXPECT_EQ(err.str().find("ERROR"), std::string::npos) << err.str().substr(0, 2000);
  } else {
    EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str().substr(0, 2000);
  }
  const std::string page = dir.Read(run.page.substr(dir.Path().size()));
  EXPECT_NE(page.find("</HTML>"), std::string::npos);
  if (run.text.empty()) return;
  const std::vector<std::string> in_words = WordsIn(run.text);
  const std::vector<std::string> out_words = WordsIn(VisibleText(page));
  EXPECT_EQ(in_words.size(), out_words.size());
  for (std::size_t i = 0; i < in_words.size() && i < out_words.size(); ++i) {
    if (in_words[i] != out_words[i]) {
      ADD_FAILURE() << "word " << i << ": \"" << in_words[i] << "\" became \"" << out_words[i]
                    << "\"";
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Hostile, HostileInputTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HostileCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
