#include "driver/SteeringFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "DriverTestDir.h"
#include "driver/SteeringLine.h"
#include "support/CaseFile.h"

namespace {

TEST(ParseSteeringLine, TakesWordsAndSwitches) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/driver/driver_cases.txt")) {
    if (r[0] != "steering") continue;
    std::ostringstream out, err;
    ConsoleStreams console(out, err);
    ConsoleSwitches switches;
    TextString file("old"), policy("old");
    const int result = ParseSteeringLine(TextString(r.at(1)), switches, file, policy, console);
    EXPECT_EQ(result, std::stoi(r.at(2))) << r[1];
    EXPECT_EQ(file.View(), r.at(3)) << r[1];
    EXPECT_EQ(policy.View(), r.at(4)) << r[1];
    EXPECT_EQ(switches, SwitchesOf(r.at(5))) << r[1];
    // Only the first character makes a comment, which is reported.
    EXPECT_EQ(err.str(), result ? "" : "Steering file: Ignoring comment line \"" + r[1] + "\"\n");
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
  EXPECT_EQ(switches, SwitchesOf("001000"));
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
