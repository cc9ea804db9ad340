#include "driver/ConsoleOptions.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

ConsoleSwitches Switches(int contents, int index, int dos, int debug, int simple, int policy) {
  ConsoleSwitches s;
  s.contents = contents;
  s.index = index;
  s.dos = dos;
  s.debug = debug;
  s.simple = simple;
  s.writePolicy = policy;
  return s;
}

struct OptionsCase {
  std::vector<std::string> words;
  ConsoleSwitches switches;
  std::vector<std::string> specs;
  std::string policy;
};

std::ostream& operator<<(std::ostream& os, const OptionsCase& c) {
  for (const std::string& w : c.words) os << "[" << w << "] ";
  return os;
}

class ParseConsoleOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(ParseConsoleOptionsTest, GivesPlan) {
  const OptionsCase& c = GetParam();
  ConsoleOptions options;
  ASSERT_EQ(ParseConsoleOptions(c.words, options), 1) << options.usageError;
  EXPECT_EQ(options.switches, c.switches);
  EXPECT_EQ(options.inputSpecs, c.specs);
  EXPECT_EQ(options.policySpec, c.policy);
  EXPECT_FALSE(options.showHelp);
  EXPECT_FALSE(options.showVersion);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ParseConsoleOptionsTest,
    testing::Values(
        OptionsCase{{"guide.txt"}, {}, {"guide.txt"}, ""},
        OptionsCase{{"guide.txt", "my.pol"}, {}, {"guide.txt"}, "my.pol"},
        OptionsCase{{"a.txt", "b.txt", "My.POL"}, {}, {"a.txt", "b.txt"}, "My.POL"},
        // A lone .pol word is an input, not a policy file.
        OptionsCase{{"only.pol"}, {}, {"only.pol"}, ""},
        // Only the last word is looked at.
        OptionsCase{{"x.pol", "a.txt"}, {}, {"x.pol", "a.txt"}, ""},
        OptionsCase{{"*.txt", "/contents"}, Switches(1, 0, 0, 0, 0, 0), {"*.txt"}, ""},
        OptionsCase{{"/DEBUG", "/Dos", "guide.txt"}, Switches(0, 0, 1, 1, 0, 0), {"guide.txt"}, ""},
        OptionsCase{{"--index", "--SIMPLE", "--policy", "a"}, Switches(0, 1, 0, 0, 1, 1), {"a"}, ""},
        // Words that only contain a switch are paths.
        OptionsCase{{"/home/ann/dos/x.txt"}, {}, {"/home/ann/dos/x.txt"}, ""},
        OptionsCase{{"/indexes", "/debugging"}, {}, {"/indexes", "/debugging"}, ""},
        OptionsCase{{"my file.txt"}, {}, {"my file.txt"}, ""},
        OptionsCase{{"-p", "m.pol", "a.txt"}, {}, {"a.txt"}, "m.pol"},
        OptionsCase{{"a.txt", "--policy-file", "m.cfg"}, {}, {"a.txt"}, "m.cfg"},
        OptionsCase{{"--policy-file=m.pol", "a.txt"}, {}, {"a.txt"}, "m.pol"},
        OptionsCase{{"@list.txt", "/policy"}, Switches(0, 0, 0, 0, 0, 1), {"@list.txt"}, ""},
        // Single-dash words other than -h and -p are file names.
        OptionsCase{{"-notes.txt"}, {}, {"-notes.txt"}, ""},
        OptionsCase{{}, {}, {}, ""}));

struct UsageCase {
  std::vector<std::string> words;
  std::string error;
};

std::ostream& operator<<(std::ostream& os, const UsageCase& c) {
  for (const std::string& w : c.words) os << "[" << w << "] ";
  return os;
}

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, IsRefused) {
  ConsoleOptions options;
  EXPECT_EQ(ParseConsoleOptions(GetParam().words, options), 0);
  EXPECT_EQ(options.usageError, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Words, UsageErrorTest,
    testing::Values(UsageCase{{"--bogus", "a.txt"}, "unknown option --bogus"},
                    UsageCase{{"a.txt", "--"}, "unknown option --"},
                    UsageCase{{"a.txt", "-p"}, "option -p needs a policy file name"},
                    UsageCase{{"--policy-file"}, "option --policy-file needs a policy file name"},
                    UsageCase{{"-p", "", "a.txt"}, "the master policy file name is empty"},
                    UsageCase{{"-p", "a.pol", "-p", "b.pol", "x"},
                              "more than one master policy file given"},
                    UsageCase{{"-p", "a.pol", "x.txt", "b.pol"},
                              "more than one master policy file given"}));

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

}  // namespace
