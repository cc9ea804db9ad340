#include "preprocessor/Preprocessor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/LineType.h"
#include "policy/RunContext.h"
#include "policy/TableConfig.h"
#include "support/TempDir.h"

namespace {

enum class PassKind { Analysis, Contents, Output };

// One pass over a document in a fresh directory, collecting every message
// and status line and every line handed on.
class PassFixture {
 public:
  explicit PassFixture(PassKind kind) {
    policy.SetOwner(&run);
    policy.analysisPass = kind == PassKind::Analysis ? 1 : 0;
    policy.contentsPass = kind == PassKind::Contents ? 1 : 0;
    policy.outputPass = kind == PassKind::Output ? 1 : 0;
    policy.messageSink = [this](const char* text) { messages.emplace_back(text); };
    policy.statusSink = [this](const char* text) { statuses.emplace_back(text); };
  }

  // Writes `bytes` to `name`, its directories created; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(dir.Path(name)).parent_path());
    return dir.Write(name, bytes);
  }

  // Reads the document `bytes` through the preprocessor; returns the texts
  // of the lines handed on.
  std::vector<std::string> Read(const std::string& bytes) {
    LineFile input;
    EXPECT_TRUE(input.OpenForReading(Write("doc.txt", bytes).c_str()));
    std::vector<std::string> texts;
    lines.clear();
    SourceLine line;
    while (ReadProcessedLine(input, line, policy)) {
      texts.emplace_back(line.GetText());
      lines.push_back({line.GetText(), line.escapedText.GetText(), line.rawText.GetText(),
                       line.flags & kBlockFlags});
    }
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_TRUE(line.sourceText.IsEmpty());
    return texts;
  }

  struct Line {
    std::string text, escaped, raw;
    std::uint32_t flags;
  };
  static constexpr std::uint32_t kBlockFlags = LineFlag::kUserRegionMask | LineFlag::kPreformatted |
                                               LineFlag::kUserHtml | LineFlag::kContentsList |
                                               LineFlag::kOutput;

  RunContext run;
  FC policy;
  std::vector<std::string> messages;
  std::vector<std::string> statuses;
  std::vector<Line> lines;
  TempDir dir;
};

using Texts = std::vector<std::string>;
constexpr std::uint32_t kOut = LineFlag::kOutput;
constexpr std::uint32_t kPre = LineFlag::kPreformatted;

TEST(PreprocessorTest, BlocksFlagTheLinesBetweenTheirCommands) {
  struct Case {
    const char* begin;
    const char* end;
    std::uint32_t flags;
    int tableConfigs;  // queued in the output pass
  } const cases[] = {
      {"$_$_BEGIN_PRE", "$_$_END_PRE", LineFlag::kUserPre | kPre, 1},
      {"$_$_begin_table", "$_$_End_Table", LineFlag::kUserTable | kPre, 1},
      {"$_$_BEGIN_CODE", "$_$_END_CODE", LineFlag::kUserCode | kPre, 1},
      {"$_$_BEGIN_DIAGRAM", "$_$_END_DIAGRAM", LineFlag::kUserDiagram | kPre, 1},
      {"$_$_BEGIN_HTML", "$_$_END_HTML", LineFlag::kUserHtml, 0},
      {"$_$_BEGIN_CONTENTS", "$_$_END_CONTENTS", LineFlag::kContentsList, 0},
      {"$_$_BEGIN_PRE $_$_BEGIN_CODE", "$_$_END_PRE $_$_END_CODE",
       LineFlag::kUserPre | LineFlag::kUserCode | kPre, 2},
  };
  for (const Case& c : cases) {
    for (const PassKind kind : {PassKind::Analysis, PassKind::Output}) {
      PassFixture pass(kind);
      const std::string doc = std::string("before\n") + c.begin + "\ninside\n" + c.end + "\nafter";
      EXPECT_EQ(pass.Read(doc), (Texts{"before", "inside", "after"})) << c.begin;
      ASSERT_EQ(pass.lines.size(), 3u);
      EXPECT_EQ(pass.lines[0].flags, kOut) << c.begin;
      EXPECT_EQ(pass.lines[1].flags, kOut | c.flags) << c.begin;
      EXPECT_EQ(pass.lines[2].flags, kOut) << c.begin;
      EXPECT_EQ(pass.policy.TableConfigCount(), kind == PassKind::Output ? c.tableConfigs : 0)
          << c.begin;
      EXPECT_TRUE(pass.messages.empty()) << c.begin;
    }
  }
}

TEST(PreprocessorTest, HtmlLinesAreHandedOnUnescaped) {
  PassFixture pass(PassKind::Output);
  EXPECT_EQ(pass.Read("$_$_HTML_LINE <HR>\n$_$_html_line  <B>a & b</B> \n$_$_BEGIN_HTML\n"
                      "<P>x & y\n$_$_END_HTML\nx & y"),
            (Texts{"<HR>", "<B>a & b</B>", "<P>x & y", "x &amp; y"}));
  const PassFixture::Line& second = pass.lines[1];
  EXPECT_EQ(second.escaped, "<B>a & b</B>");
  EXPECT_EQ(second.raw, "<B>a & b</B>");
  EXPECT_EQ(second.flags, kOut | LineFlag::kUserHtml);
  EXPECT_EQ(pass.lines[3].flags, kOut);
}

TEST(PreprocessorTest, OnlyTheFirstContentsBlockCounts) {
  PassFixture pass(PassKind::Output);
  EXPECT_EQ(pass.Read("$_$_BEGIN_CONTENTS\na\n$_$_END_CONTENTS\n$_$_BEGIN_CONTENTS\nb"),
            (Texts{"a", "b"}));
  EXPECT_EQ(pass.lines[0].flags, kOut | LineFlag::kContentsList);
  EXPECT_EQ(pass.lines[1].flags, kOut);
  const DocumentState& d = pass.policy.document;
  EXPECT_EQ(d.userContentsSeen, 1);
  EXPECT_EQ(d.inUserContents, 0);
  EXPECT_EQ(d.contentsListEnded, 1);
}

TEST(PreprocessorTest, IncludesNestRelativeToTheIncludingDocument) {
  for (const PassKind kind : {PassKind::Analysis, PassKind::Output}) {
    PassFixture pass(kind);
    pass.Write("sub/part.txt", "part 1\n$_$_INCLUDE inner.txt\npart 2\n");
    pass.Write("sub/inner.txt", "inner\n$_$_include ../doc.txt\n");
    std::filesystem::create_directories(pass.dir.Path("sub/xdir"));
    EXPECT_EQ(pass.Read("main 1\n$_$_INCLUDE sub/part.txt\nmain 2\n$_$_INCLUDE missing.txt\n"
                        "$_$_INCLUDE ./doc.txt\n$_$_INCLUDE sub/xdir\n$_$_INCLUDE\nmain 3"),
              (Texts{"main 1", "part 1", "inner", "part 2", "main 2", "main 3"}));
    if (kind == PassKind::Analysis) {
      EXPECT_TRUE(pass.messages.empty());
      EXPECT_TRUE(pass.statuses.empty());
      continue;
    }
    EXPECT_EQ(pass.statuses, (Texts{"- Opened include file \"sub/part.txt\"",
                                    "- Opened include file \"inner.txt\""}));
    EXPECT_EQ(pass.messages,
              (Texts{"*** Failed to open include file \"../doc.txt\" ***: it is already being read",
                     "*** Failed to open include file \"missing.txt\" ***",
                     "*** Failed to open include file \"./doc.txt\" ***: it is already being read",
                     "*** Failed to open include file \"sub/xdir\" ***: it is a directory",
                     "*** Failed to open include file \"\" ***"}));
  }
}

TEST(PreprocessorTest, ChangePolicyAppliesTheRawLineWithoutRepeatWarnings) {
  PassFixture pass(PassKind::Output);
  EXPECT_EQ(pass.Read("$_$_CHANGE_POLICY Tab size : 4\n$_$_change_policy Tab size : 4\n"
                      "\tx\n$_$_CHANGE_POLICY Document title : Files in the output directory\n"
                      "$_$_CHANGE_POLICY Headings colour : <red>"),
            Texts{"x"});
  EXPECT_TRUE(pass.messages.empty());
  EXPECT_EQ(pass.policy.tabSize, 4);
  EXPECT_EQ(pass.lines[0].escaped, "    x");
  EXPECT_EQ(pass.policy.documentTitle.View(), "Files in the output directory");
  EXPECT_FALSE(pass.policy.IsGiven(Policy::OutputDirectory));
  EXPECT_EQ(pass.policy.headingsColour.View(), "<red>");
}

TEST(PreprocessorTest, ChangePolicyRefusesFileChoicesAndUnknownLinesInEveryPass) {
  const char* refused[] = {
      "output directory : /tmp/x",
      "Input directory : /etc",
      "Output file extension : .php",
      "Use .HTM extension : Yes",
      "use DOS filenames : yes",
      "DOS filename root : abc",
      "Output policy filename : a.pol",
      "External contents list filename : c.html",
      "Directory filename : d.html",
      "HTML Script File : /etc/passwd",
      "HTML Header : /etc/passwd",
      "HTML Footer : ~/.ssh/id_rsa",
      "Directory Script File : s",
      "Directory Header : h",
      "Directory Footer : f",
      "Page width : wide, see output directory",
      "Include document section(s) : Intro",
      "Switch to file : other.pol",
      "Nonsense : 3",
  };
  for (const char* line : refused) {
    for (const PassKind kind : {PassKind::Analysis, PassKind::Output}) {
      PassFixture pass(kind);
      EXPECT_EQ(pass.Read(std::string("$_$_CHANGE_POLICY  ") + line + " \nbody"), Texts{"body"});
      EXPECT_EQ(pass.messages,
                Texts{std::string("*** Ignored $_$_CHANGE_POLICY line \"") + line + "\" ***"});
      EXPECT_FALSE(pass.policy.AnyGiven()) << line;
      EXPECT_EQ(pass.policy.pageWidth, 80) << line;
    }
  }
}

TEST(PreprocessorTest, TableSettingsChangeTheDefaultsOutsideOutputBlocks) {
  using F = TableConfig::Field;
  struct Case {
    const char* line;
    F field;
    int TableConfig::*number;
    int expected;
    bool given;
  } const numbers[] = {
      {"$_$_TABLE_BORDER 3", F::BorderSize, &TableConfig::borderSize, 3, true},
      {"$_$_TABLE_BORDER (none)", F::BorderSize, &TableConfig::borderSize, 0, true},
      {"$_$_TABLE_BORDER thick", F::BorderSize, &TableConfig::borderSize, 0, false},
      {"$_$_TABLE_HEADER_ROWS 2", F::HeaderRows, &TableConfig::headerRows, 2, true},
      {"$_$_table_header_cols (1)", F::HeaderCols, &TableConfig::headerCols, 1, true},
      {"$_$_TABLE_CELLPADDING 5", F::CellPadding, &TableConfig::cellPadding, 5, true},
      {"$_$_TABLE_CELLSPACING (NONE)", F::CellSpacing, &TableConfig::cellSpacing, 0, true},
      {"$_$_TABLE_MIN_COLUMN_SEPARATION (None)", F::MinColumnSeparation,
       &TableConfig::minColumnSeparation, 1, true},
      {"$_$_TABLE_MIN_COLUMN_SEPARATION 4", F::MinColumnSeparation,
       &TableConfig::minColumnSeparation, 4, true},
      {"$_$_TABLE_MAY_BE_SPARSE", F::SparseTables, &TableConfig::sparseTables, 1, true},
      {"$_$_TABLE_CONVERT_XREFS", F::XrefsToLinks, &TableConfig::xrefsToLinks, 1, true},
      // The colour is no border size: "$_$_TABLE_BORDER" is only the start of its name.
      {"$_$_TABLE_BORDERCOLOR #FF0000", F::BorderSize, &TableConfig::borderSize, 0, false},
  };
  for (const Case& c : numbers) {
    PassFixture pass(PassKind::Analysis);
    EXPECT_EQ(pass.Read(c.line), Texts{});
    const TableConfig& defaults = pass.policy.tableDefaults;
    EXPECT_EQ(defaults.*c.number, c.expected) << c.line;
    EXPECT_EQ(defaults.IsGiven(c.field), c.given) << c.line;
  }
  struct TextCase {
    const char* line;
    F field;
    TextString TableConfig::*text;
    const char* expected;
  } const texts[] = {
      {"$_$_TABLE_BGCOLOR #FFFFCC", F::Colour, &TableConfig::colour, "#FFFFCC"},
      {"$_$_TABLE_BGCOLOR (none)", F::Colour, &TableConfig::colour, ""},
      {"$_$_TABLE_BORDERCOLOR #FF0000", F::BorderColour, &TableConfig::borderColour, "#FF0000"},
      {"$_$_TABLE_CAPTION Prices & taxes", F::Caption, &TableConfig::caption, "Prices &amp; taxes"},
      {"$_$_table_width 80%", F::Width, &TableConfig::width, "80%"},
  };
  for (const TextCase& c : texts) {
    PassFixture pass(PassKind::Analysis);
    EXPECT_EQ(pass.Read(c.line), Texts{});
    EXPECT_EQ((pass.policy.tableDefaults.*c.text).View(), c.expected) << c.line;
    EXPECT_TRUE(pass.policy.tableDefaults.IsGiven(c.field)) << c.line;
  }
}

TEST(PreprocessorTest, TableSettingsChangeTheNewestBlockOfTheOutputPass) {
  PassFixture pass(PassKind::Output);
  EXPECT_EQ(pass.Read("$_$_TABLE_BORDER 4\n$_$_BEGIN_TABLE\n$_$_TABLE_BORDER 2\n"
                      "$_$_TABLE_CAPTION Cap\nrow\n$_$_END_TABLE\n$_$_BEGIN_DIAGRAM\n"),
            Texts{"row"});
  EXPECT_EQ(pass.policy.TableConfigCount(), 2);
  EXPECT_EQ(pass.policy.tableDefaults.borderSize, 4);
  EXPECT_TRUE(pass.policy.tableDefaults.caption.IsEmpty());
  const TableConfig& first = pass.policy.OldestTableConfig();
  EXPECT_EQ(first.borderSize, 2);
  EXPECT_EQ(first.caption.View(), "Cap");
  const TableConfig& second = pass.policy.CurrentTableConfig();
  EXPECT_EQ(second.borderSize, 4);
  EXPECT_TRUE(second.caption.IsEmpty());
}

}  // namespace
