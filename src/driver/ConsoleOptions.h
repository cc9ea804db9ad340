#pragma once

#include <string>
#include <vector>

#include "driver/ConsoleSwitches.h"

// What the words of a console command line ask for, worked out without
// touching any file so that it can be tested on its own.
//
// Each argument is one word and is never split again (a name with blanks is
// one word). Switches are whole words (ConsoleSwitches::TakeSwitch). Options:
//   -h, --help                 usage on standard output
//   --version                  the product name on standard output
//   -p FILE, --policy-file FILE, --policy-file=FILE
//                              the master policy file
// Any other word beginning with "--" is a usage error. The remaining words are
// input specifications, in order; when there are two or more and the last
// ends in ".pol" (any case) it is the master policy file instead.
struct ConsoleOptions {
  ConsoleSwitches switches;
  std::vector<std::string> inputSpecs;
  // The master policy file; empty when none was named.
  std::string policySpec;
  bool showHelp = false;
  bool showVersion = false;
  // Why the words are not a valid command line; empty when they are.
  std::string usageError;
};

// Fills `options` from `words` (the arguments after the program name).
// Returns 1, or 0 with `options.usageError` set for a usage error.
[[nodiscard]] int ParseConsoleOptions(const std::vector<std::string>& words,
                                      ConsoleOptions& options);

// The text printed for --help and, after a usage error, on standard error.
const char* ConsoleUsage();
