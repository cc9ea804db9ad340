#include "driver/ConsoleRun.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include "DriverTestDir.h"
#include "FakeFileSystem.h"
#include "driver/PosixFileSystem.h"

namespace {

class ConsoleRunTest : public testing::Test {
 protected:
  int Run(const std::vector<std::string>& words, const std::string& input = "",
          const FileSystem& fileSystem = PosixFileSystem()) {
    out_.str("");
    err_.str("");
    std::istringstream in(input);
    ConsoleStreams console(out_, err_);
    const int status = RunConsole(words, fileSystem, in, console);
    // The policy calculation's own reports ("*** ...") are left out.
    std::istringstream lines(err_.str());
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
      if (!line.starts_with("*** ")) kept += line + "\n";
    }
    err_.str(kept);
    return status;
  }
  // The lines that announce a file and its output page.
  std::string Converted(const std::string& shown, const std::string& page) {
    return "\nProcessing : \"" + shown + "\"\n---- Starting Output pass ----\n" +
           "Generating HTML file " + page + "\n";
  }

  DriverTestDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ConsoleRunTest, ConvertsOneFileAndSucceeds) {
  dir_.Write("guide.txt", "Hello\n");
  EXPECT_EQ(Run({dir_ / "guide.txt"}), kExitSuccess);
  EXPECT_EQ(out_.str(), "Webloom 3.0\n" + Converted("guide.txt", dir_ / "guide.html"));
  EXPECT_EQ(err_.str(), "");
  EXPECT_NE(dir_.Read("guide.html").find("Hello"), std::string::npos);
}

TEST_F(ConsoleRunTest, UsageHelpAndVersion) {
  EXPECT_EQ(Run({"--contnets", "a.txt"}), kExitUsage);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(),
            "webloomcon: unknown option --contnets\n"
            "Try 'webloomcon --help' for more information.\n");
  EXPECT_EQ(Run({"--help"}), kExitSuccess);
  EXPECT_EQ(out_.str().rfind("Usage: webloomcon", 0), 0u);
  EXPECT_EQ(Run({"--version"}), kExitSuccess);
  EXPECT_EQ(out_.str(), "Webloom 3.0\n");
}

TEST_F(ConsoleRunTest, MissingFileStopsTheRun) {
  EXPECT_EQ(Run({dir_ / "missing.txt"}), kExitStopped);
  EXPECT_EQ(out_.str(), "Webloom 3.0\n");
  EXPECT_EQ(err_.str(), "ERROR: Can't find any files : " + (dir_ / "missing.txt") + "\n");
}

TEST_F(ConsoleRunTest, MissingSpecificationAmongOthersIsReported) {
  dir_.Write("a.txt", "A\n");
  EXPECT_EQ(Run({dir_ / "missing.txt", dir_ / "a.txt"}), kExitSkipped);
  EXPECT_EQ(err_.str(), "ERROR: Can't find any files : " + (dir_ / "missing.txt") + "\n");
  EXPECT_TRUE(dir_.Exists("a.html"));
}

TEST_F(ConsoleRunTest, MissingMasterPolicyFileStopsTheRun) {
  dir_.Write("a.txt", "A\n");
  EXPECT_EQ(Run({dir_ / "a.txt", dir_ / "none.pol"}), kExitStopped);
  EXPECT_EQ(err_.str(), "ERROR: Can't find master policy file " + (dir_ / "none.pol") + "\n");
  EXPECT_EQ(Run({dir_ / "a.txt", "-p", dir_.Path()}), kExitStopped);
  EXPECT_EQ(err_.str(), "ERROR: Can't find master policy file " + dir_.Path() +
                            ": it is a directory\n");
  EXPECT_FALSE(dir_.Exists("a.html"));
}

TEST_F(ConsoleRunTest, MasterPolicyFileIsNamedAndApplied) {
  dir_.Write("a.txt", "Some text\n");
  dir_.Write("my.pol", "Document title : Manual\n");
  EXPECT_EQ(Run({dir_ / "a.txt", dir_ / "my.pol"}), kExitSuccess);
  EXPECT_NE(out_.str().find("\nProcessing : \"a.txt\" using policy file \"my.pol\"\n"),
            std::string::npos);
  EXPECT_NE(dir_.Read("a.html").find("<TITLE>Manual</TITLE>"), std::string::npos);
}

TEST_F(ConsoleRunTest, QuotedPatternExpandsInByteOrderAndInAscGivesOut) {
  dir_.Write("b.asc", "B\n");
  dir_.Write("in.asc", "I\n");
  dir_.Write("My file.asc", "M\n");
  dir_.Write("skip.txt", "S\n");
  EXPECT_EQ(Run({dir_ / "*.asc"}), kExitSuccess);
  EXPECT_EQ(out_.str(), "Webloom 3.0\n" + Converted("My file.asc", dir_ / "My file.html") +
                            Converted("b.asc", dir_ / "b.html") +
                            Converted("in.asc", dir_ / "in.html"));
  // Only a file named exactly "in.asc" gives the base name "out".
  const std::filesystem::path start = std::filesystem::current_path();
  std::filesystem::current_path(dir_.Path());
  EXPECT_EQ(Run({"in.asc"}), kExitSuccess);
  std::filesystem::current_path(start);
  EXPECT_TRUE(dir_.Exists("out.html"));
}

TEST_F(ConsoleRunTest, PromptsWhenNoFileIsNamed) {
  dir_.Write("a.txt", "A\n");
  EXPECT_EQ(Run({"/contents"}, dir_ / "a.txt" + "\nNONE\n"), kExitSuccess);
  EXPECT_EQ(out_.str().rfind("Enter input file name > Enter input policy file name or \"none\" > "
                             "Webloom 3.0\n\nProcessing : \"a.txt\"\n",
                             0),
            0u);
  // The end of the input is an empty answer: nothing to convert.
  EXPECT_EQ(Run({}, ""), kExitStopped);
  EXPECT_EQ(err_.str(), "ERROR: Can't find any files : \n");
}

TEST_F(ConsoleRunTest, SteeringFileGivesPolicyFilesAndSwitchesPerFile) {
  dir_.Write("a.txt", "A\n");
  dir_.Write("b.txt", "B\n");
  dir_.Write("b.pol", "Document title : Bee\n");
  dir_.Write("list.txt", "# comment\n" + (dir_ / "a.txt") + " /DOS\n\n" + (dir_ / "b.txt") +
                             " " + (dir_ / "b.pol") + "\n");
  EXPECT_EQ(Run({"@" + (dir_ / "list.txt")}), kExitSuccess);
  EXPECT_EQ(out_.str(),
            "Webloom 3.0\n" + Converted("a.txt", dir_ / "a.HTM") + "\nProcessing : \"" +
                (dir_ / "b.txt") + "\" using policy file \"" + (dir_ / "b.pol") +
                "\"\n---- Starting Output pass ----\nGenerating HTML file " + (dir_ / "b.html") +
                "\n");
  // Each of the two readings of the steering file reports the comment.
  EXPECT_EQ(err_.str(), "Steering file: Ignoring comment line \"# comment\"\n"
                        "Steering file: Ignoring comment line \"# comment\"\n");
  EXPECT_NE(dir_.Read("b.html").find("<TITLE>Bee</TITLE>"), std::string::npos);
}

TEST_F(ConsoleRunTest, MissingOwnPolicyFileStopsAtThatFile) {
  dir_.Write("a.txt", "A\n");
  dir_.Write("b.txt", "B\n");
  dir_.Write("list.txt", (dir_ / "a.txt") + "\n" + (dir_ / "b.txt") + " " + (dir_ / "b.pol") +
                             "\n");
  EXPECT_EQ(Run({"@" + (dir_ / "list.txt")}), kExitStopped);
  EXPECT_EQ(err_.str(), "ERROR: Can't find policy file " + (dir_ / "b.pol") + "\n");
  EXPECT_TRUE(dir_.Exists("a.html"));
  EXPECT_FALSE(dir_.Exists("b.html"));
  EXPECT_EQ(Run({"@" + (dir_ / "nolist.txt")}), kExitStopped);
  EXPECT_EQ(err_.str(), "ERROR: Can't open " + (dir_ / "nolist.txt") + "\n");
}

TEST_F(ConsoleRunTest, NothingWrittenOverAnInputOrTwice) {
  dir_.Write("notes.html", "Plain text that happens to end in .html\n");
  dir_.Write("a.txt", "A\n");
  dir_.Write("a.asc", "Second\n");
  // The pages not written show in the exit status.
  EXPECT_EQ(Run({dir_ / "notes.html", dir_ / "a.txt", dir_ / "a.asc"}), kExitSkipped);
  EXPECT_EQ(dir_.Read("notes.html"), "Plain text that happens to end in .html\n");
  EXPECT_NE(err_.str().find("ERROR: Not writing \"" + (dir_ / "notes.html") +
                            "\": it is an input of this run\n"),
            std::string::npos);
  EXPECT_NE(err_.str().find("ERROR: Not writing \"" + (dir_ / "a.html") +
                            "\": already written in this run\n"),
            std::string::npos);
  EXPECT_EQ(dir_.Read("a.html").find("Second"), std::string::npos);
}

// Each input that is not a readable regular file gets one error line and
// nothing else, is never opened (a pipe would block the run), and makes the
// run end with kExitSkipped once the others are converted.
TEST_F(ConsoleRunTest, InputsThatAreNotReadableFilesAreRefusedOnceEach) {
  std::filesystem::create_directory(dir_ / "sub.txt");
  ASSERT_EQ(mkfifo((dir_ / "pipe.txt").c_str(), 0600), 0);
  dir_.Write("locked.txt", "L\n");
  std::filesystem::permissions(dir_ / "locked.txt", std::filesystem::perms::none);
  std::filesystem::create_symlink(dir_ / "sub.txt", dir_ / "sublink.txt");
  std::filesystem::create_symlink(dir_ / "pipe.txt", dir_ / "pipelink.txt");
  std::filesystem::create_symlink("/dev/zero", dir_ / "zero.txt");
  // A steering file's names are not looked at before the conversion.
  dir_.Write("list.txt", dir_ / "gone.txt" + "\n");
  dir_.Write("ok.txt", "Fine\n");
  const struct {
    std::string word;
    std::string shown;
    std::string reason;
  } cases[] = {
      {dir_ / "sub.txt", dir_ / "sub.txt", ": it is a directory"},
      {dir_ / "sublink.txt", dir_ / "sublink.txt", ": it is a directory"},
      {dir_ / "pipe.txt", dir_ / "pipe.txt", ": it is a named pipe"},
      {dir_ / "pipelink.txt", dir_ / "pipelink.txt", ": it is a named pipe"},
      {dir_ / "zero.txt", dir_ / "zero.txt", ": it is a device"},
      {"/dev/null", "/dev/null", ": it is a device"},
      {"@" + (dir_ / "list.txt"), dir_ / "gone.txt", ""},
      {dir_ / "locked.txt", dir_ / "locked.txt", ": it cannot be read"},
  };
  std::vector<std::string> words;
  std::string errors;
  for (const auto& c : cases) {
    // The superuser reads any file.
    if (geteuid() == 0 && c.word == dir_ / "locked.txt") continue;
    words.push_back(c.word);
    errors += "ERROR: Can't find file " + c.shown + c.reason + "\n";
  }
  words.push_back(dir_ / "ok.txt");
  EXPECT_EQ(Run(words), kExitSkipped);
  EXPECT_EQ(err_.str(), errors);
  EXPECT_EQ(out_.str(), "Webloom 3.0\n" + Converted("ok.txt", dir_ / "ok.html"));
  EXPECT_FALSE(dir_.Exists("sub.html"));
  EXPECT_FALSE(dir_.Exists("pipe.html"));
}

// A page or Directory page that cannot be written is reported with the
// reason and never opened when it is not a regular file (a pipe would block
// the run); the other files are still converted, and the run ends with
// kExitSkipped. So does a listed file that is gone when its turn comes.
TEST_F(ConsoleRunTest, OutputsThatCannotBeWrittenAreReported) {
  for (const std::string name : {"a", "b", "c", "ok"}) dir_.Write(name + ".txt", name + "\n");
  ASSERT_EQ(mkfifo((dir_ / "a.html").c_str(), 0600), 0);
  std::filesystem::create_directory(dir_ / "b.html");
  std::filesystem::create_symlink("/dev/null", dir_ / "c.html");
  dir_.Write("index.pol", "Directory filename : " + (dir_ / "ok.txt/index.html") + "\n");
  FakeFileSystem listing;
  for (const std::string name : {"a", "b", "c", "gone", "ok"}) {
    listing.AddFile(dir_ / (name + ".txt"));
  }
  EXPECT_EQ(Run({dir_ / "*.txt", "/index", "-p", dir_ / "index.pol"}, "", listing), kExitSkipped);
  std::string expected =
      "ERROR: Failed to create file \"" + (dir_ / "ok.txt/index.html") + "\": Not a directory\n";
  for (const auto& [page, kind] : {std::pair{"a.html", "a named pipe"}, {"b.html", "a directory"},
                                   {"c.html", "a device"}}) {
    expected += "ERROR: Not writing \"" + (dir_ / page) + "\": it is " + kind +
                "\nERROR: Can't open file \"" + (dir_ / page) + "\"\n";
  }
  expected += "ERROR: Can't find file " + (dir_ / "gone.txt") + "\n";
  EXPECT_EQ(err_.str(), expected);
  EXPECT_NE(dir_.Read("ok.html").find("ok"), std::string::npos);
}

// A full disk, here a file-size limit in a child process: the page is
// reported with the reason and removed, not left looking complete.
TEST_F(ConsoleRunTest, PageCutShortIsReportedAndRemoved) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "Line " + std::to_string(i) + " of some text.\n";
  dir_.Write("big.txt", text);
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16384, 16384};
    setrlimit(RLIMIT_FSIZE, &limit);
    const int status = Run({dir_ / "big.txt"});
    const std::string errors = err_.str();
    (void)!write(channel[1], errors.data(), errors.size());
    _exit(status);
  }
  close(channel[1]);
  std::string errors;
  char buffer[4096];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
    errors.append(buffer, static_cast<std::size_t>(got));
  }
  close(channel[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, kExitSkipped);
  EXPECT_EQ(errors, "ERROR: Failed to write file \"" + (dir_ / "big.html") +
                        "\": File too large; the incomplete file was removed\n");
  EXPECT_FALSE(dir_.Exists("big.html"));
}

// Quotes, blanks and accents are ordinary name characters.
TEST_F(ConsoleRunTest, NamesWithQuotesBlanksAndAccentsAreConverted) {
  for (const std::string name : {"it's \"q\".txt", "\xC3\xA9 \xC3\xA0.txt"}) {
    dir_.Write(name, "Text\n");
    EXPECT_EQ(Run({dir_ / name}), kExitSuccess) << err_.str();
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(dir_.Exists(name.substr(0, name.size() - 4) + ".html")) << name;
  }
}

}  // namespace
