#include "driver/ConvertFile.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "DriverTestDir.h"
#include "driver/WriteGuard.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/LineFile.h"

namespace {

ConsoleSwitches Contents() {
  ConsoleSwitches s;
  s.contents = 1;
  return s;
}

ConsoleSwitches WritePolicy() {
  ConsoleSwitches s;
  s.writePolicy = 1;
  return s;
}

class ConvertFileTest : public testing::Test {
 protected:
  ConvertFileTest() {
    policy_.SetOwner(&run_);
    // The policy calculation's own reports ("*** ...") are not this code's
    // business; every other message is kept in order.
    policy_.messageSink = [this](const char* text) {
      if (std::string_view(text).starts_with("*** ")) return;
      log_ += std::string("E: ") + text + "\n";
    };
    policy_.statusSink = [this](const char* text) { log_ += std::string("S: ") + text + "\n"; };
  }

  // Converts `name` in the test directory, the master record holding the
  // policy lines `policyText` (none when empty); `converted` is the result
  // expected.
  void Convert(const std::string& name, const std::string& policyText = "",
               ConsoleSwitches switches = {}, const std::string& outputDir = "",
               int converted = 1) {
    bool given = false;
    if (!policyText.empty()) {
      dir_.Write("given.pol", policyText);
      LineFile file;
      ASSERT_EQ(file.OpenForReading((dir_ / "given.pol").c_str()), 1);
      policy_.ReadPolicyFile(file);
      given = true;
    }
    ConvertFileJob job;
    job.inputDir.SetText(dir_.Path());
    job.outputDir.SetText(outputDir.empty() ? dir_.Path() : outputDir);
    job.fileName.SetText(dir_ / name);
    job.outputBase.SetText(name.substr(0, name.find('.')));
    job.switches = switches;
    job.guard = &guard_;
    EXPECT_EQ(ConvertFile(job, policy_, given), converted);
  }

  DriverTestDir dir_;
  RunContext run_;
  FC policy_;
  WriteGuard guard_;
  std::string log_;
};

TEST_F(ConvertFileTest, ContentsPassRunsBeforeTheOutputPass) {
  dir_.Write("doc.txt", "Introduction\n============\n\nText.\n");
  Convert("doc.txt", "Expect Contents List : No\n", Contents());
  EXPECT_EQ(log_,
            "S: ---- Generating Contents List ----\nS: ---- Starting Output pass ----\n"
            "S: Generating HTML file " +
                (dir_ / "doc.html") + "\n");
  EXPECT_EQ(run_.contentsGenerated, 1);
}

TEST_F(ConvertFileTest, NoContentsPassForAnExternalContentsFile) {
  dir_.Write("doc.txt", "Text.\n");
  Convert("doc.txt", "Expect Contents List : No\nGenerate external contents file : Yes\n",
          Contents());
  EXPECT_EQ(log_.find("Generating Contents List"), std::string::npos);
  EXPECT_EQ(run_.contentsGenerated, 0);
}

// A document gone since it was listed is reported once, and nothing is
// written for it.
TEST_F(ConvertFileTest, MissingInputIsReportedOnceAndNothingWritten) {
  Convert("gone.txt", "", WritePolicy(), "", 0);
  EXPECT_EQ(log_, "E: ERROR: Can't find file " + (dir_ / "gone.txt") + "\n");
  EXPECT_FALSE(dir_.Exists("gone.pol"));
  EXPECT_FALSE(dir_.Exists("gone.html"));
}

TEST_F(ConvertFileTest, PerFileStateStartsAfreshAndUtf8IsDecidedPerFile) {
  dir_.Write("one.txt", "$_$_TITLE First title\nCaf\xC3\xA9 text.\n");
  dir_.Write("two.txt", "Caf\xE9 in Latin-1.\n");
  Convert("one.txt");
  EXPECT_EQ(run_.title.View(), "First title");
  EXPECT_EQ(run_.utf8Text, 1);
  EXPECT_NE(dir_.Read("one.html").find("<TITLE>First title</TITLE>"), std::string::npos);
  Convert("two.txt");
  EXPECT_EQ(run_.title.View(), "");
  EXPECT_EQ(run_.utf8Text, 0);
  EXPECT_EQ(dir_.Read("two.html").find("First title"), std::string::npos);
}

TEST_F(ConvertFileTest, UnwritableOutputDirectoryIsReportedAndTheRunGoesOn) {
  dir_.Write("doc.txt", "Text.\n");
  const std::string nowhere = dir_ / "no/such/dir/";
  Convert("doc.txt", "", {}, nowhere, 0);
  EXPECT_EQ(log_, "S: ---- Starting Output pass ----\nS: Generating HTML file " + nowhere +
                      "doc.html\nE: ERROR: Failed to create file \"" + nowhere +
                      "doc.html\": No such file or directory\nE: ERROR: Can't open file \"" +
                      nowhere + "doc.html\"\n");
}

TEST_F(ConvertFileTest, BinaryInputIsNamedAsSuchAndConvertedAsText) {
  static constexpr char kBinary[] = "BIN\0\x01\x02 data\nmore\n";
  dir_.Write("data.bin", std::string(kBinary, sizeof kBinary - 1));
  Convert("data.bin");
  EXPECT_EQ(log_.rfind("E: WARNING: \"" + (dir_ / "data.bin") +
                           "\" looks like a binary file (it holds NUL bytes); it is converted as "
                           "text\n",
                       0),
            0u);
  EXPECT_NE(dir_.Read("data.html").find("more"), std::string::npos);
}

TEST_F(ConvertFileTest, AnIncludedFileIsNeverOverwritten) {
  dir_.Write("part.html", "Included text.\n");
  dir_.Write("part.txt", "$_$_INCLUDE part.html\n");
  Convert("part.txt", "", {}, "", 0);
  EXPECT_EQ(dir_.Read("part.html"), "Included text.\n");
  EXPECT_NE(log_.find("E: ERROR: Not writing \"" + (dir_ / "part.html") +
                      "\": it is an input of this run"),
            std::string::npos)
      << log_;
}

// Five chapters of justified text, 72 columns wide, whose headings stand at
// column 0: too long to be a simple file.
std::string FiveChapters() {
  const std::string line(72, 'x');
  std::string text;
  for (int chapter = 1; chapter <= 5; ++chapter) {
    text += std::to_string(chapter) + ". Chapter\n\n";
    for (int i = 0; i < 25; ++i) text += line.substr(0, 70) + " x\n";
    text += "\n";
  }
  return text;
}

// The whole policy file, against tests/data/driver/five_chapters.pol: the
// 99th percentile of the line lengths falls between 72 and the shorter
// headings; one heading level at column 0; no contents list expected.
TEST_F(ConvertFileTest, PolicyFileHoldsTheCalculatedPolicies) {
  dir_.Write("doc.txt", FiveChapters());
  Convert("doc.txt", "", WritePolicy());
  EXPECT_EQ(dir_.Read("doc.pol"), ReadWholeFile(WEBLOOM_TEST_DATA "/driver/five_chapters.pol"));
}

TEST_F(ConvertFileTest, GivenPoliciesWinOverCalculatedOnes) {
  dir_.Write("doc.txt", FiveChapters());
  Convert("doc.txt", "Page width : 100\nText Justification : Left\n", WritePolicy());
  const std::string written = dir_.Read("doc.pol");
  EXPECT_NE(written.find("\nPage width                       : 100 \n"), std::string::npos);
  EXPECT_NE(written.find("\nText Justification               : Left\n"), std::string::npos);
  EXPECT_NE(written.find("\nWe have 1  recognised headings\n"), std::string::npos);
}

}  // namespace
