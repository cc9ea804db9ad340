#include "driver/SteeringFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "driver/SteeringLine.h"

namespace {

struct LineCase {
  const char* line;
  int result;
  const char* file;
  const char* policy;
  ConsoleSwitches switches;
};

ConsoleSwitches Dos() {
  ConsoleSwitches s;
  s.dos = 1;
  return s;
}

ConsoleSwitches DebugPolicy() {
  ConsoleSwitches s;
  s.debug = 1;
  s.writePolicy = 1;
  return s;
}

class ParseSteeringLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ParseSteeringLineTest, TakesWordsAndSwitches) {
  const LineCase& c = GetParam();
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  ConsoleSwitches switches;
  TextString file("old"), policy("old");
  EXPECT_EQ(ParseSteeringLine(TextString(c.line), switches, file, policy, console), c.result)
      << c.line;
  EXPECT_EQ(file.View(), c.file) << c.line;
  EXPECT_EQ(policy.View(), c.policy) << c.line;
  EXPECT_EQ(switches, c.switches) << c.line;
  EXPECT_EQ(err.str(), c.result == 0 ? "Steering file: Ignoring comment line \"" +
                                           std::string(c.line) + "\"\n"
                                     : "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseSteeringLineTest,
    testing::Values(LineCase{"a.txt /DOS", 1, "a.txt", "", Dos()},
                    LineCase{"b.txt b.pol", 1, "b.txt", "b.pol", {}},
                    LineCase{"/debug\tc.txt  c.pol --policy extra", 1, "c.txt", "c.pol",
                             DebugPolicy()},
                    LineCase{"  indented.txt", 1, "indented.txt", "", {}},
                    LineCase{"/data/dos/x.txt", 1, "/data/dos/x.txt", "", {}},
                    LineCase{"", 1, "", "", {}},
                    LineCase{"/dos", 1, "", "", Dos()},
                    LineCase{"# comment /dos", 0, "", "", {}},
                    LineCase{"!a.txt", 0, "", "", {}},
                    // Only the first character makes a comment.
                    LineCase{" # a.txt", 1, "#", "a.txt", {}}));

class SteeringFileTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "steering_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
  }
  void TearDown() override { std::remove(path_.c_str()); }
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  std::string path_;
};

TEST_F(SteeringFileTest, YieldsFileLinesWithTheirOwnSwitches) {
  Write("# comment\r\na.txt /DOS\r\n\r\n   \nb.txt b.pol\nc.txt");
  SteeringFile steering;
  ASSERT_EQ(steering.Open(path_.c_str()), 1);
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  ConsoleSwitches switches;
  TextString file, policy;
  ASSERT_TRUE(steering.NextFileLine(switches, file, policy, console));
  EXPECT_EQ(file.View(), "a.txt");
  EXPECT_EQ(switches, Dos());
  // The blank lines between do not carry a.txt's switches over.
  ASSERT_TRUE(steering.NextFileLine(switches, file, policy, console));
  EXPECT_EQ(file.View(), "b.txt");
  EXPECT_EQ(policy.View(), "b.pol");
  EXPECT_EQ(switches, ConsoleSwitches());
  ASSERT_TRUE(steering.NextFileLine(switches, file, policy, console));
  EXPECT_EQ(file.View(), "c.txt");
  EXPECT_TRUE(policy.IsEmpty());
  EXPECT_FALSE(steering.NextFileLine(switches, file, policy, console));
  EXPECT_EQ(err.str(), "Steering file: Ignoring comment line \"# comment\"\n");
}

TEST_F(SteeringFileTest, MissingFileDoesNotOpen) {
  SteeringFile steering;
  EXPECT_EQ(steering.Open(path_.c_str()), 0);
  EXPECT_EQ(steering.Open(testing::TempDir().c_str()), 0);
}

}  // namespace
