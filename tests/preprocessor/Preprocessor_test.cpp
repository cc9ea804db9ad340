#include "preprocessor/Preprocessor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/LineType.h"
#include "policy/RunContext.h"
#include "policy/TableConfig.h"
#include "support/CaseFile.h"
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
    starts.clear();
    SourceLine line;
    while (ReadProcessedLine(input, line, policy)) {
      texts.emplace_back(line.GetText());
      lines.push_back({line.GetText(), line.escapedText.GetText(), line.rawText.GetText(),
                       line.flags & kBlockFlags});
      starts += (line.flags & LineFlag::kUserRegionStart) != 0 ? '^' : '.';
    }
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_TRUE(line.sourceText.IsEmpty());
    return texts;
  }

  // Per line handed on: '^' when it starts a user-specified block.
  std::string starts;

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
       LineFlag::kUserPre | LineFlag::kUserCode | kPre, 1},
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

// One table configuration per block of a user-specified region, so no
// block ever takes the settings of another.
TEST(PreprocessorTest, TableConfigurationsPairWithRegionBlocks) {
  struct Case {
    const char* doc;
    const char* starts;
    int tableConfigs;
  } const cases[] = {
      {"$_$_BEGIN_TABLE\n$_$_END_TABLE\nx", ".", 0},
      {"$_$_BEGIN_TABLE\na\n$_$_BEGIN_TABLE\nb\n$_$_END_TABLE", "^.", 1},
      {"$_$_BEGIN_PRE\na\n$_$_END_PRE\n$_$_BEGIN_PRE\nb\n$_$_END_PRE", "^^", 2},
      {"$_$_SECTION x\n$_$_BEGIN_CODE\n$_$_SECTION\na\nb\n$_$_END_CODE", "^.", 1},
      {"$_$_BEGIN_DIAGRAM\na\n$_$_BEGIN_TABLE\n$_$_END_TABLE\nb", "^.", 1},
  };
  for (const Case& c : cases) {
    PassFixture pass(PassKind::Output);
    pass.Read(c.doc);
    EXPECT_EQ(pass.starts, c.starts) << c.doc;
    EXPECT_EQ(pass.policy.TableConfigCount(), c.tableConfigs) << c.doc;
  }
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
  for (const auto& row : ReadRows(WEBLOOM_TEST_DATA "/preprocessor/refused_change_policy.txt")) {
    const std::string& line = row[0];
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
  for (const FileCase& c : ReadCaseFile(WEBLOOM_TEST_DATA "/preprocessor/table_commands.txt")) {
    PassFixture pass(PassKind::Analysis);
    std::string document;
    for (const std::string& line : c.input) document += line + "\n";
    EXPECT_EQ(pass.Read(document), Texts{}) << c.name;
    LineFile written;
    ASSERT_TRUE(written.OpenForWriting(pass.dir.Path("written.pol").c_str()));
    EXPECT_TRUE(pass.policy.WritePolicyFile(written, false));
    written.Close();
    EXPECT_EQ(ReadAll(pass.dir.Path("written.pol")), c.expected) << c.name;
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
