#include "driver/ConsoleOptions.h"

#include <gtest/gtest.h>

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

std::string Shown(const std::vector<std::string>& words) {
  std::string shown;
  for (const std::string& w : words) shown += "[" + w + "] ";
  return shown;
}

TEST(ParseConsoleOptions, GivesPlan) {
  const OptionsCase cases[] = {
      {{"guide.txt"}, {}, {"guide.txt"}, ""},
      {{"guide.txt", "my.pol"}, {}, {"guide.txt"}, "my.pol"},
      {{"a.txt", "b.txt", "My.POL"}, {}, {"a.txt", "b.txt"}, "My.POL"},
      // A lone .pol word is an input, not a policy file.
      {{"only.pol"}, {}, {"only.pol"}, ""},
      // Only the last word is looked at.
      {{"x.pol", "a.txt"}, {}, {"x.pol", "a.txt"}, ""},
      {{"*.txt", "/contents"}, Switches(1, 0, 0, 0, 0, 0), {"*.txt"}, ""},
      {{"/DEBUG", "/Dos", "guide.txt"}, Switches(0, 0, 1, 1, 0, 0), {"guide.txt"}, ""},
      {{"--index", "--SIMPLE", "--policy", "a"}, Switches(0, 1, 0, 0, 1, 1), {"a"}, ""},
      // Words that only contain a switch are paths.
      {{"/home/ann/dos/x.txt"}, {}, {"/home/ann/dos/x.txt"}, ""},
      {{"/indexes", "/debugging"}, {}, {"/indexes", "/debugging"}, ""},
      {{"my file.txt"}, {}, {"my file.txt"}, ""},
      {{"-p", "m.pol", "a.txt"}, {}, {"a.txt"}, "m.pol"},
      {{"a.txt", "--policy-file", "m.cfg"}, {}, {"a.txt"}, "m.cfg"},
      {{"--policy-file=m.pol", "a.txt"}, {}, {"a.txt"}, "m.pol"},
      {{"@list.txt", "/policy"}, Switches(0, 0, 0, 0, 0, 1), {"@list.txt"}, ""},
      // Single-dash words other than -h and -p are file names.
      {{"-notes.txt"}, {}, {"-notes.txt"}, ""},
      {{}, {}, {}, ""},
  };
  for (const OptionsCase& c : cases) {
    SCOPED_TRACE(Shown(c.words));
    ConsoleOptions options;
    ASSERT_EQ(ParseConsoleOptions(c.words, options), 1) << options.usageError;
    EXPECT_EQ(options.switches, c.switches);
    EXPECT_EQ(options.inputSpecs, c.specs);
    EXPECT_EQ(options.policySpec, c.policy);
    EXPECT_FALSE(options.showHelp);
    EXPECT_FALSE(options.showVersion);
  }
}

TEST(ParseConsoleOptions, UsageErrorsAreRefused) {
  const struct {
    std::vector<std::string> words;
    std::string error;
  } cases[] = {{{"--bogus", "a.txt"}, "unknown option --bogus"},
               {{"a.txt", "--"}, "unknown option --"},
               {{"a.txt", "-p"}, "option -p needs a policy file name"},
               {{"--policy-file"}, "option --policy-file needs a policy file name"},
               {{"-p", "", "a.txt"}, "the master policy file name is empty"},
               {{"-p", "a.pol", "-p", "b.pol", "x"}, "more than one master policy file given"},
               {{"-p", "a.pol", "x.txt", "b.pol"}, "more than one master policy file given"}};
  for (const auto& c : cases) {
    ConsoleOptions options;
    EXPECT_EQ(ParseConsoleOptions(c.words, options), 0) << Shown(c.words);
    EXPECT_EQ(options.usageError, c.error) << Shown(c.words);
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

}  // namespace
