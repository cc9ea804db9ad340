#pragma once

#include <istream>
#include <string>
#include <vector>

#include "driver/ConsoleStreams.h"
#include "driver/FileSystem.h"

// Exit statuses of the console program.
inline constexpr int kExitSuccess = 0;  // every file named was converted
inline constexpr int kExitStopped = 1;  // the run stopped at an error
inline constexpr int kExitSkipped = 1;  // some file could not be read or converted
inline constexpr int kExitUsage = 2;    // the command line is not valid

// The console program: turns the words of its command line (the arguments
// after the program name; see ConsoleOptions) into a list of input files,
// each with its policy file and switches, and converts them in order with
// ConvertFile. With no input named it prompts on standard output for an
// input and a policy file and reads the answers from `in` (the end of the
// input counts as an empty answer). Prints the product name, then an empty
// line and a "Processing" line before each file.
//
// The run stops with kExitStopped when the master policy file, a steering
// file or a file's own policy file cannot be opened, or when no input file is
// found. A file that is not a regular readable file (or names that match
// nothing) is refused with one error line before its conversion starts, and
// the run goes on to end with kExitSkipped; so it does when a conversion
// fails or a file of the run (a page, the Directory page) could not be
// written whole, which is then removed.
// Nothing the run writes may overwrite one of its inputs or a file it has
// already written (WriteGuard).
//
// Returns the exit status.
int RunConsole(const std::vector<std::string>& words, const FileSystem& fileSystem,
               std::istream& in, ConsoleStreams& console);
