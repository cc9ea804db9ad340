#include "output/BodyWriter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "OutputTestSupport.h"
#include "output/HeadingEntries.h"
#include "support/CaseFile.h"
#include "text/LineFile.h"

namespace {

using LineType::kText;

constexpr std::uint32_t kPre = LineFlag::kPreformatted;

// Reads "TYPE [FLAGS] [INDENT]|text" as tests/data/output/body_cases.txt
// describes it.
LineSpec SpecOf(const std::string& line) {
  static const std::pair<char, std::uint32_t> kFlags[] = {{'p', kPre},
                                                          {'s', LineFlag::kShortLine},
                                                          {'c', LineFlag::kCentred},
                                                          {'b', LineFlag::kUrlBreak},
                                                          {'H', LineFlag::kUserHtml},
                                                          {'P', LineFlag::kUserPre | kPre},
                                                          {'T', LineFlag::kUserTable | kPre},
                                                          {'C', LineFlag::kUserCode | kPre},
                                                          {'D', LineFlag::kUserDiagram | kPre},
                                                          {'R', LineFlag::kUserRegionStart}};
  const std::size_t bar = line.find('|');
  LineSpec spec;
  spec.text = line.substr(bar + 1);
  std::istringstream head(line.substr(0, bar));
  std::string word;
  head >> spec.type;
  while (head >> word) {
    if (std::isdigit(static_cast<unsigned char>(word[0]))) spec.indent = std::stoi(word);
    for (char c : word) {
      if (c == 'x') spec.output = false;
      for (const auto& [letter, flags] : kFlags) spec.flags |= c == letter ? flags : 0;
    }
  }
  return spec;
}

TEST(BodyWriterTest, CasesOfTheDataFile) {
  for (const FileCase& c :
       ReadCaseFile(std::string(WEBLOOM_TEST_DATA) + "/output/body_cases.txt")) {
    OutputRecord record;
    for (const std::string& line : c.policies)
      EXPECT_EQ(record.policy.ParsePolicyLine(TextString(line), false), 1)
          << c.name << ": " << line;
    std::vector<LineSpec> specs;
    for (const std::string& line : c.input) specs.push_back(SpecOf(line));
    EXPECT_EQ(WriteBody(record, specs), c.expected) << c.name;
  }
}

TEST(BodyWriterTest, UserBlockTakesItsTableConfiguration) {
  OutputRecord record;
  record.policy.CreateNewTabConfig();
  record.policy.CreateNewTabConfig();
  WriteBody(record, {{kText, "x", 0, LineFlag::kUserTable | kPre}, {kText, "After."}});
  EXPECT_EQ(record.policy.TableConfigCount(), 1);
}

TEST(BodyWriterTest, ContentsPassKeepsOnlyTheBlockBookkeeping) {
  OutputRecord record;
  record.policy.outputPass = 0;
  record.policy.contentsPass = 1;
  record.policy.CreateNewTabConfig();
  HTMLFile unopened;
  LineChain lines({{kText, "a", 0, LineFlag::kUserPre | kPre},
                   {kText, "b", 0, LineFlag::kUserPre | kPre},
                   {kText, "c"}});
  std::vector<int> open;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    unopened.WriteLine(lines[i], record.policy);
    open.push_back(record.policy.document.preOpen);
  }
  EXPECT_EQ(open, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(record.policy.TableConfigCount(), 0);
  EXPECT_TRUE(record.messages.empty());
}

// Records what the writer asks of the contents list and the Directory page.
class FakeEntries : public HeadingEntries {
 public:
  int MakeContentsLine(const FC&, int lineType, const TextString& headingText,
                       TextString& entry) override {
    entry.SetText("[entry " + std::to_string(lineType) + ": " + std::string(headingText.View()) +
                  "]");
    return 1;
  }
  int WriteDirectoryHeading(FC&, const SourceLine& heading, int level) override {
    directory.push_back(std::string(heading.rawText.View()) + " at " + std::to_string(level));
    return 1;
  }
  std::vector<std::string> directory;
};

TEST(BodyWriterTest, ContentsLinesBecomeTheirEntries) {
  OutputRecord record;
  FakeEntries entries;
  TempDir dir;
  HTMLFile page;
  page.SetHeadingEntries(&entries);
  const std::string body = BodyOf(WritePage(
      record, dir, {{LineType::ContentsLine(1), "1   Intro"}, {LineType::kAppended, "and more"}},
      page));
  EXPECT_EQ(body, "<BLOCKQUOTE>\n  <P>\n[entry 151: 1 Intro and more]\n</BLOCKQUOTE>\n");
}

TEST(BodyWriterTest, HeadingsFeedTheContentsHolderAndTheDirectoryPage) {
  OutputRecord record;
  record.policy.splitLevel = 1;
  record.policy.splitKnown = 1;
  record.policy.expectContentsList = 0;
  record.policy.makeDirectory = 1;
  record.policy.headingStyles[2].numberedParagraph = 1;
  record.policy.Normalise();
  LineFile directoryPage;
  record.run.directoryPage = &directoryPage;
  FakeEntries entries;
  TempDir dir;
  HTMLFile page;
  page.SetHeadingEntries(&entries);
  ASSERT_TRUE(WriteFile(record, dir,
                        {{LineType::NumberedHeading(1), "1 Intro"},
                         {LineType::NumberedHeading(2), "1.1 Scope"},
                         {LineType::NumberedHeading(3), "1.1.1 A point"}},
                        page));
  ASSERT_NE(page.ContentsHolder(), nullptr);
  page.ContentsHolder()->Close();
  EXPECT_TRUE(page.ContentsEntryWritten());
  EXPECT_EQ(BodyOf(ReadAll(dir.Path("guide.html")) + "</BODY>\n"),
            "<P>\n<A NAME=\"Section_1\"> </A>\n[entry 101: 1 Intro]\n"
            "<A NAME=\"Section_1.1\"> </A>\n<P>\n<BLOCKQUOTE>\n[entry 102: 1.1 Scope]\n");
  EXPECT_EQ(entries.directory, (std::vector<std::string>{"1 Intro at 1", "1.1 Scope at 2"}));
}

}  // namespace
