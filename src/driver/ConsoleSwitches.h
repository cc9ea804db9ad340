#pragma once

#include <string_view>
#include <vector>

// The six switches of the console command line and of steering-file lines.
// Each is 0 or 1. Switches only ever add up: a word never clears one.
struct ConsoleSwitches {
  int contents = 0;     // "Add contents list" on
  int index = 0;        // "Make Directory" on: a Directory page over the run
  int dos = 0;          // "Use DOS filenames" on; short diagnostics file names
  int debug = 0;        // write the diagnostics files
  int simple = 0;       // "Keep it simple" on
  int writePolicy = 0;  // write the policies used into a policy file

  // When the whole of `word` equals, ignoring case, one of "/contents",
  // "/index", "/dos", "/debug", "/simple", "/policy", or the same name after
  // "--", sets that switch and returns true. Any other word returns false and
  // changes nothing: "/home/ann/dos/x.txt" is a path, not a switch.
  bool TakeSwitch(std::string_view word);

  // The switch names, without "/" or "--", in the order they are examined.
  static std::vector<std::string_view> Names();

  // Sets every switch that is set in `other`.
  void Add(const ConsoleSwitches& other);

  bool operator==(const ConsoleSwitches&) const = default;
};
