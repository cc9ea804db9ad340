#pragma once

#include <string>
#include <vector>

#include "driver/ConsoleStreams.h"
#include "driver/FileSystem.h"

class FC;
class RunContext;

// Where the entries of a run's file list came from, and what found nothing.
struct FileListSources {
  // The steering files named by the specifications, in order.
  std::vector<std::string> steeringFiles;
  // One per entry of the run's `files`: the index in steeringFiles of the
  // steering file that named it, or -1 for a command-line specification.
  std::vector<int> steeringOf;
  // The specifications that named no file.
  std::vector<std::string> unmatched;
  // How many pattern matches were skipped as not regular files.
  int skipped = 0;
};

// Turns the input specifications of a run, in order, into the run context's
// `files` and `policies` (entry i of `policies` is the policy file of entry i
// of `files`):
// - "@NAME": the files of the steering file NAME, each taken as written, with
//   the policy file its line names, else `policySpec`;
// - a specification holding a double quote that names no file: a list of quoted names
//   (SplitQuotedNames), each expanded as below;
// - otherwise ExpandSpecification, each file with `policySpec`.
// Matches that are not regular files are skipped with the message
// "Skipping \"<name>\": not a regular file" through messages.Message
// (importance 10). Returns 1, or 0 when a steering file cannot be opened
// ("ERROR: Can't open <name>" on standard error).
[[nodiscard]] int BuildFileList(const std::vector<std::string>& specs,
                                const std::string& policySpec, const FileSystem& fileSystem,
                                const FC& messages, ConsoleStreams& console, RunContext& run,
                                FileListSources& sources);

// The names of a quoted list: the k-th name is the text between the
// (2k-1)-th and the 2k-th double quote, trimmed of blanks and tabs, with the
// text before the first double quote put in front of it. Empty names and an
// unpaired last quote give nothing. `docs/"a b.txt" "c.txt"` gives
// "docs/a b.txt" and "docs/c.txt".
std::vector<std::string> SplitQuotedNames(const std::string& spec);

// The files one specification names, sorted by byte order. A specification
// that names an existing file is that file, even when it holds "*", "?" or
// "["; otherwise one holding those characters is a wildcard pattern and
// yields its matches (`skipped` receives those that are not regular files);
// otherwise it yields nothing.
std::vector<std::string> ExpandSpecification(const std::string& spec,
                                             const FileSystem& fileSystem,
                                             std::vector<std::string>& skipped);
