#include "driver/ConsoleOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "DriverTestDir.h"
#include "support/CaseFile.h"

namespace {

TEST(ParseConsoleOptions, GivesPlanOrUsageError) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/driver/driver_cases.txt")) {
    if (r[0] != "options" && r[0] != "usage") continue;
    SCOPED_TRACE(r.at(1));
    ConsoleOptions options;
    const int parsed = ParseConsoleOptions(WordsOf(r[1]), options);
    if (r[0] == "usage") {
      EXPECT_EQ(parsed, 0);
      EXPECT_EQ(options.usageError, r.at(2));
      continue;
    }
    ASSERT_EQ(parsed, 1) << options.usageError;
    EXPECT_EQ(options.switches, SwitchesOf(r.at(2)));
    EXPECT_EQ(options.inputSpecs, WordsOf(r.at(3)));
    EXPECT_EQ(options.policySpec, r.at(4));
    EXPECT_FALSE(options.showHelp || options.showVersion);
  }
}

TEST(ParseConsoleOptions, HelpAndVersion) {
  ConsoleOptions options;
  ASSERT_EQ(ParseConsoleOptions({"-h"}, options), 1);
  EXPECT_TRUE(options.showHelp);
  ASSERT_EQ(ParseConsoleOptions({"a.txt", "--help"}, options), 1);
  EXPECT_TRUE(options.showHelp);
  ASSERT_EQ(ParseConsoleOptions({"--version"}, options), 1);
  EXPECT_TRUE(options.showVersion);
  EXPECT_FALSE(options.showHelp);
}

// The usage names every switch the parser knows, in both spellings.
TEST(ConsoleUsage, NamesEverySwitch) {
  const std::string usage = ConsoleUsage();
  for (const std::string_view name : ConsoleSwitches::Names()) {
    for (const std::string lead : {"/", "--"}) {
      EXPECT_NE(usage.find(lead + std::string(name) + " "), std::string::npos) << lead << name;
    }
  }
}

}  // namespace
