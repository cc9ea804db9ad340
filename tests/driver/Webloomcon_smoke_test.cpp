// Drives the built webloomcon as a user would: the one test that goes
// through a real process, its arguments and its exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "DriverTestDir.h"

namespace {

int RunInDirectory(const std::string& dir, const std::string& arguments) {
  const std::string command = "cd '" + dir + "' && '" WEBLOOMCON_PATH "' " + arguments +
                              " >stdout.log 2>stderr.log </dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WebloomconSmoke, ConvertsTheSampleAndReportsUsageErrors) {
  DriverTestDir dir;
  dir.Write("guide.txt", "A SHORT GUIDE\n=============\n\nSome *text*.\n");
  dir.Write("with blank.txt", "Second file.\n");
  dir.Write("-dash.txt", "Third file.\n");
  EXPECT_EQ(RunInDirectory(dir.Path(), "guide.txt '*blank.txt' ./-dash.txt"), 0);
  EXPECT_EQ(dir.Read("stdout.log").rfind("Webloom 3.0\n\nProcessing : \"guide.txt\"\n", 0), 0u);
  EXPECT_NE(dir.Read("stdout.log").find("Processing : \"with blank.txt\""), std::string::npos);
  EXPECT_EQ(dir.Read("stderr.log").find("ERROR"), std::string::npos);
  EXPECT_EQ(dir.Read("guide.html").rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\n", 0),
            0u);
  EXPECT_TRUE(dir.Exists("with blank.html"));
  EXPECT_TRUE(dir.Exists("-dash.html"));
  // A file that could not be read shows in the exit status.
  EXPECT_EQ(RunInDirectory(dir.Path(), ". guide.txt"), 1);
  EXPECT_EQ(dir.Read("stderr.log").rfind("ERROR: Can't find file .: it is a directory\n*** ", 0), 0u);

  EXPECT_EQ(RunInDirectory(dir.Path(), "--bogus"), 2);
  EXPECT_EQ(RunInDirectory(dir.Path(), "missing.txt"), 1);
  EXPECT_EQ(dir.Read("stderr.log"), "ERROR: Can't find any files : missing.txt\n");
}

}  // namespace
