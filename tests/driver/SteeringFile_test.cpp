#include "driver/SteeringFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "DriverTestDir.h"
#include "driver/SteeringLine.h"

namespace {

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

TEST(ParseSteeringLine, TakesWordsAndSwitches) {
  const struct {
    const char* line;
    int result;
    const char* file;
    const char* policy;
    ConsoleSwitches switches;
  } cases[] = {
      {"a.txt /DOS", 1, "a.txt", "", Dos()},
      {"b.txt b.pol", 1, "b.txt", "b.pol", {}},
      {"/debug\tc.txt  c.pol --policy extra", 1, "c.txt", "c.pol", DebugPolicy()},
      {"  indented.txt", 1, "indented.txt", "", {}},
      {"/data/dos/x.txt", 1, "/data/dos/x.txt", "", {}},
      {"", 1, "", "", {}},
      {"/dos", 1, "", "", Dos()},
      {"# comment /dos", 0, "", "", {}},
      {"!a.txt", 0, "", "", {}},
      // Only the first character makes a comment.
      {" # a.txt", 1, "#", "a.txt", {}},
  };
  for (const auto& c : cases) {
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
                                       : "")
        << c.line;
  }
}

TEST(SteeringFileTest, YieldsFileLinesWithTheirOwnSwitches) {
  DriverTestDir dir;
  dir.Write("list.txt", "# comment\r\na.txt /DOS\r\n\r\n   \nb.txt b.pol\nc.txt");
  SteeringFile steering;
  ASSERT_EQ(steering.Open((dir / "list.txt").c_str()), 1);
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

TEST(SteeringFileTest, MissingFileOrDirectoryDoesNotOpen) {
  DriverTestDir dir;
  SteeringFile steering;
  EXPECT_EQ(steering.Open((dir / "missing.txt").c_str()), 0);
  EXPECT_EQ(steering.Open(dir.Path().c_str()), 0);
}

}  // namespace
