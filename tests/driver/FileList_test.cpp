#include "driver/FileList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "policy/FC.h"
#include "policy/RunContext.h"

namespace {

std::vector<std::string> Entries(const StringList& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.Count(); ++i) entries.emplace_back(list.Get(i)->View());
  return entries;
}

class FileListTest : public testing::Test {
 protected:
  FileListTest() : console_(out_, err_) {
    messages_.messageSink = [this](const char* text) { messageLog_ += std::string(text) + "\n"; };
    fs_.AddFile("b.txt");
    fs_.AddFile("a.txt");
    fs_.AddFile("B.txt");
    fs_.AddFile("notes.md");
    fs_.AddFile("star*.txt");
    fs_.AddFile("docs/first file.txt");
    fs_.AddFile("docs/c.txt");
    fs_.AddDirectory("dir.txt");
  }

  int Build(const std::vector<std::string>& specs, const std::string& policySpec = "") {
    return BuildFileList(specs, policySpec, fs_, messages_, console_, run_, sources_);
  }

  FakeFileSystem fs_;
  FC messages_;
  std::ostringstream out_, err_;
  ConsoleStreams console_;
  RunContext run_;
  FileListSources sources_;
  std::string messageLog_;
};

TEST_F(FileListTest, PatternsExpandInByteOrderAndSkipDirectories) {
  ASSERT_EQ(Build({"*.txt"}, "m.pol"), 1);
  EXPECT_EQ(Entries(run_.files),
            (std::vector<std::string>{"B.txt", "a.txt", "b.txt", "star*.txt"}));
  EXPECT_EQ(Entries(run_.policies),
            (std::vector<std::string>{"m.pol", "m.pol", "m.pol", "m.pol"}));
  EXPECT_EQ(sources_.steeringOf, (std::vector<int>{-1, -1, -1, -1}));
  EXPECT_EQ(messageLog_, "Skipping \"dir.txt\": not a regular file\n");
}

TEST_F(FileListTest, ExistingNameIsTakenEvenWithWildcardCharacters) {
  ASSERT_EQ(Build({"star*.txt"}), 1);
  EXPECT_EQ(Entries(run_.files), (std::vector<std::string>{"star*.txt"}));
}

TEST_F(FileListTest, SpecificationsKeepTheirOrderAndUnmatchedAreListed) {
  ASSERT_EQ(Build({"notes.md", "missing.txt", "docs/*", "none*"}), 1);
  EXPECT_EQ(Entries(run_.files),
            (std::vector<std::string>{"notes.md", "docs/c.txt", "docs/first file.txt"}));
  EXPECT_EQ(sources_.unmatched, (std::vector<std::string>{"missing.txt", "none*"}));
}

TEST_F(FileListTest, NamedDirectoryIsHandedOnForTheConverterToRefuse) {
  ASSERT_EQ(Build({"dir.txt"}), 1);
  EXPECT_EQ(Entries(run_.files), (std::vector<std::string>{"dir.txt"}));
  EXPECT_EQ(messageLog_, "");
}

TEST_F(FileListTest, QuotedNamesShareThePrefix) {
  ASSERT_EQ(Build({"docs/\" first file.txt \" \"c.txt\" \"gone.txt\""}), 1);
  EXPECT_EQ(Entries(run_.files),
            (std::vector<std::string>{"docs/first file.txt", "docs/c.txt"}));
}

TEST(SplitQuotedNames, TakesPairsOfQuotes) {
  EXPECT_EQ(SplitQuotedNames("\"a.txt\"\"b.txt\""), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(SplitQuotedNames("p/\"a\" x \"b\" \"c"), (std::vector<std::string>{"p/a", "p/b"}));
  EXPECT_EQ(SplitQuotedNames("\"  \" \"\t z \""), (std::vector<std::string>{"z"}));
  EXPECT_TRUE(SplitQuotedNames("plain").empty());
}

TEST_F(FileListTest, SteeringFileNamesFilesAsWrittenWithTheirPolicies) {
  const std::string path = testing::TempDir() + "filelist_steering.txt";
  std::ofstream(path) << "# comment\na*.txt /DOS\n\nb.txt b.pol\n";
  ASSERT_EQ(Build({"notes.md", "@" + path}, "m.pol"), 1);
  std::remove(path.c_str());
  EXPECT_EQ(Entries(run_.files), (std::vector<std::string>{"notes.md", "a*.txt", "b.txt"}));
  EXPECT_EQ(Entries(run_.policies), (std::vector<std::string>{"m.pol", "m.pol", "b.pol"}));
  EXPECT_EQ(sources_.steeringFiles, (std::vector<std::string>{path}));
  EXPECT_EQ(sources_.steeringOf, (std::vector<int>{-1, 0, 0}));
  EXPECT_EQ(err_.str(), "Steering file: Ignoring comment line \"# comment\"\n");
}

TEST_F(FileListTest, MissingSteeringFileStopsTheList) {
  EXPECT_EQ(Build({"@" + testing::TempDir() + "no_such_list.txt"}), 0);
  EXPECT_EQ(err_.str(), "ERROR: Can't open " + testing::TempDir() + "no_such_list.txt\n");
  err_.str("");
  EXPECT_EQ(Build({"@" + testing::TempDir()}), 0);
  EXPECT_EQ(err_.str(), "ERROR: Can't open " + testing::TempDir() + ": it is a directory\n");
}

}  // namespace
