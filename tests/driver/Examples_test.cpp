// Whole-page examples: each tests/data/examples/NAME.txt is converted with
// the policies of NAME.pol (when there is one) and the page must equal
// NAME.html byte for byte. Files a document includes or names in its
// policies live in the folder NAME/ and are copied beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "DriverTestDir.h"
#include "driver/ConsoleRun.h"
#include "driver/ConvertFile.h"
#include "driver/PosixFileSystem.h"
#include "driver/WriteGuard.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/LineFile.h"

namespace {

namespace fs = std::filesystem;

struct Example {
  const char* name;
  const char* shows;
  // The conversion's messages, one a line, the policy calculation's own
  // reports left out.
  const char* messages;
  // A known fault that keeps the page from being as expected; the example
  // is skipped while the fault lasts, and fails once it is gone so that
  // this note goes too.
  const char* fault = nullptr;
};

const Example kExamples[] = {
    {"skeleton", "an empty document: the bare page with head and footer and no body line", ""},
    {"paragraphs", "blank lines: <P> after text, <BR> for each further blank line", ""},
    {"paragraphs_br", "the same document without P markup: <BR> throughout", ""},
    {"paragraphs_ignore_blanks", "further blank lines write nothing", ""},
    {"head_commands",
     "title (the last one, escaped), keywords wrapped past 80 columns, description with quotes, "
     "style sheet; command names in any case",
     ""},
    {"head_policies_win",
     "the title command beats the title policy; keyword and style sheet policies beat their "
     "commands; the description command fills an empty policy",
     ""},
    {"title_first_line", "the first line of more than two characters, as escaped, is the title",
     ""},
    {"page_policies", "body colours and image, script, header and footer files", ""},
    {"html_lines", "HTML lines and an HTML block are copied unescaped, without emphasis", ""},
    {"sections_included",
     "named sections kept by \"Include document section(s)\" (any case), others dropped",
     "Preprocessor: Ignoring \"Secret\" section\n"},
    {"sections_excluded", "without that policy every named section but \"all\" is dropped",
     "Preprocessor: Ignoring \"Intro\" section\n"
     "Preprocessor: Ignoring \"Secret\" section\n"
     "Preprocessor: Ignoring \"APPENDIX\" section\n"},
    {"include",
     "an included file and the one it includes from its own folder; a missing one is reported",
     "*** Failed to open include file \"missing.inc\" ***\n"},
    {"change_policy",
     "a policy changed by the document applies to the page; file-level and location policies "
     "and unknown lines are refused in every pass",
     "*** Ignored $_$_CHANGE_POLICY line \"Include document section(s) : Private\" ***\n"
     "*** Ignored $_$_CHANGE_POLICY line \"HTML footer file : secret.txt\" ***\n"
     "*** Ignored $_$_CHANGE_POLICY line \"output directory : /tmp/\" ***\n"
     "*** Ignored $_$_CHANGE_POLICY line \"No such policy : 12\" ***\n"
     "Preprocessor: Ignoring \"Private\" section\n"
     "*** Ignored $_$_CHANGE_POLICY line \"Include document section(s) : Private\" ***\n"
     "*** Ignored $_$_CHANGE_POLICY line \"HTML footer file : secret.txt\" ***\n"
     "*** Ignored $_$_CHANGE_POLICY line \"output directory : /tmp/\" ***\n"
     "*** Ignored $_$_CHANGE_POLICY line \"No such policy : 12\" ***\n"},
    {"unknown_command",
     "an unknown command is dropped and reported once; an indented command is text",
     "ERROR: Unknown command /$_$_FROBNICATE the text/\n"},
    {"no_preprocessor", "with the preprocessor off, command lines are escaped text", ""},
    {"blocks_and_html",
     "HTML lines and user blocks close the open levels; an HTML line ends a block; a CODE "
     "comment is bold italic; a block open at the end of the input is written",
     ""},
    {"user_pre", "a user-specified PRE block: escaped, no emphasis, its own comments", ""},
    {"escaping", "< & > become entities, typed entities are escaped again", ""},
    {"emphasis", "framed words, phrases, marks that stay, the empty strong element", ""},
    {"emphasis_across_lines",
     "phrases closed one and two lines after they open; a closing mark with no opening stays", ""},
    {"underlined_headings",
     "underlined headings get anchors from their whole text and H2 or H3 by the underline; the "
     "first one is the title",
     ""},
    {"indentation", "indented text nests in BLOCKQUOTE levels by the indent positions", ""},
    {"indentation_minimised", "the same without the two-blank indentation of tags and lines", ""},
    {"centring", "a centred block after the top of the page is framed by CENTER", ""},
    {"definitions",
     "a definition with a continuation line as a DL; a one-line definition highlighted", ""},
    {"capitalised_headings",
     "capitalised headings holding entities or emphasis, anchored by their raw text", ""},
    {"numbered_list", "numbered and lettered lists, each a new OL with its start", ""},
    {"numbered_titles_run_on",
     "RFC 2119: key-word sections whose titles run on into text are headings 1 to 9", ""},
    {"numbered_centred_chapters", "RFC 791: centred \"1.  INTRODUCTION\" is numbered chapter 1",
     ""},
    {"numbered_lone_chapter", "ABOUT-NLS: a lone chapter 1 over 1.1 to 1.3 is a heading", ""},
    {"numbered_levels_five", "RFC 5321's sections: numbered headings down to 4.5.3.1.1", ""},
    {"overstrike", "overstruck words become bold or underlined; a run of them one phrase", ""},
    {"rules", "a line of dashes and a form feed become rules", ""},
    {"utf8", "UTF-8 text is kept and declared by the charset META line", ""},
    {"utf8_bom", "a byte-order mark is dropped and makes the page UTF-8", ""},
    {"latin1", "8-bit text: the word-processor characters are mapped, others kept", ""},
};

// Names the example in test listings.
void PrintTo(const Example& example, std::ostream* os) {
  *os << example.name;
}

const std::string kExampleDir = std::string(WEBLOOM_TEST_DATA) + "/examples/";

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsCalculationReport(std::string_view text) {
  return text.starts_with("*** Treating as") || text.starts_with("   *** ") ||
         text.starts_with("Policy calculation") || text.starts_with("Policy Calculation");
}

// Copies the example's input, its policy file and its folder of further
// files into `dir`.
void CopyExample(const std::string& name, const fs::path& dir) {
  fs::copy_file(kExampleDir + name + ".txt", dir / (name + ".txt"));
  if (fs::exists(kExampleDir + name + ".pol")) {
    fs::copy_file(kExampleDir + name + ".pol", dir / (name + ".pol"));
  }
  if (fs::is_directory(kExampleDir + name)) {
    fs::copy(kExampleDir + name, dir, fs::copy_options::recursive);
  }
}

class ExampleTest : public testing::TestWithParam<Example> {};

TEST_P(ExampleTest, PageIsAsExpected) {
  const Example& example = GetParam();
  const std::string name = example.name;
  SCOPED_TRACE(example.shows);
  DriverTestDir top;
  // A directory with a blank: names are used as one word throughout.
  const fs::path dir = top / "example dir/";
  fs::create_directories(dir);
  CopyExample(name, dir);

  RunContext run;
  FC policy;
  policy.SetOwner(&run);
  std::string messages;
  policy.messageSink = [&messages](const char* text) {
    if (!IsCalculationReport(text)) messages += std::string(text) + "\n";
  };
  policy.statusSink = [](const char*) {};
  WriteGuard guard;
  const fs::path input = dir / (name + ".txt");
  const fs::path policyFile = dir / (name + ".pol");
  const bool given = fs::exists(policyFile);
  if (given) {
    LineFile file;
    ASSERT_EQ(file.OpenForReading(policyFile.c_str()), 1);
    EXPECT_EQ(policy.ReadPolicyFile(file), 1) << "every line of " << name << ".pol is a policy";
    guard.AddInput(policyFile.c_str());
  }
  guard.AddInput(input.c_str());

  ConvertFileJob job;
  job.inputDir.SetText(dir.string());
  job.outputDir.SetText(dir.string());
  job.fileName.SetText(input.string());
  job.outputBase.SetText(name);
  job.guard = &guard;
  ASSERT_EQ(ConvertFile(job, policy, given), 1);

  const std::string page = ReadWhole(dir / (name + ".html"));
  const std::string expected = ReadWhole(kExampleDir + name + ".html");
  if (example.fault != nullptr) {
    if (page != expected) GTEST_SKIP() << "known fault: " << example.fault;
    ADD_FAILURE() << "the page is now as expected: drop the fault note of " << name;
  }
  EXPECT_EQ(page, expected);
  EXPECT_EQ(messages, example.messages);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, testing::ValuesIn(kExamples),
                         [](const testing::TestParamInfo<Example>& param) {
                           return std::string(param.param.name);
                         });

TEST(ExampleFiles, EveryInputIsListedAndHasItsPage) {
  std::set<std::string> listed;
  for (const Example& example : kExamples) {
    listed.insert(example.name);
    EXPECT_TRUE(fs::exists(kExampleDir + example.name + ".html")) << example.name;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(kExampleDir)) {
    if (entry.path().extension() != ".txt") continue;
    EXPECT_TRUE(listed.contains(entry.path().stem().string())) << entry.path();
  }
}

// The console gives the same pages: a path with blanks as one word with the
// master policy file as the trailing word, and a steering file that names a
// policy file per document.
class ExamplesThroughTheConsole : public testing::Test {
 protected:
  int Run(const std::vector<std::string>& words) {
    std::istringstream in;
    ConsoleStreams console(out_, err_);
    PosixFileSystem fileSystem;
    return RunConsole(words, fileSystem, in, console);
  }
  static std::string Expected(const std::string& name) {
    return ReadWhole(kExampleDir + name + ".html");
  }

  DriverTestDir top_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ExamplesThroughTheConsole, PathWithBlanksAndTrailingPolicyFile) {
  const fs::path dir = top_ / "my documents/";
  fs::create_directories(dir);
  CopyExample("sections_included", dir);
  EXPECT_EQ(
      Run({(dir / "sections_included.txt").string(), (dir / "sections_included.pol").string()}),
      kExitSuccess);
  EXPECT_EQ(ReadWhole(dir / "sections_included.html"), Expected("sections_included"));
}

TEST_F(ExamplesThroughTheConsole, SteeringFileWithAPolicyFilePerDocument) {
  const fs::path dir = top_.Path();
  for (const char* name : {"paragraphs", "paragraphs_br", "paragraphs_ignore_blanks"}) {
    CopyExample(name, dir);
  }
  std::ofstream(dir / "list.txt") << "# three documents, two policy files\n"
                                  << (dir / "paragraphs.txt").string() << "\n"
                                  << (dir / "paragraphs_br.txt").string() << " "
                                  << (dir / "paragraphs_br.pol").string() << "\n"
                                  << (dir / "paragraphs_ignore_blanks.txt").string() << " "
                                  << (dir / "paragraphs_ignore_blanks.pol").string() << "\n";
  EXPECT_EQ(Run({"@" + (dir / "list.txt").string()}), kExitSuccess);
  for (const char* name : {"paragraphs", "paragraphs_br", "paragraphs_ignore_blanks"}) {
    EXPECT_EQ(ReadWhole(dir / (std::string(name) + ".html")), Expected(name)) << name;
  }
}

}  // namespace
