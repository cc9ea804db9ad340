#pragma once

#include <vector>

#include "text/FileIdentity.h"

class FC;

// Keeps what a run reads from being destroyed by what it writes. The run
// records its inputs (documents, policy files, steering files); before a
// file is opened for writing it is compared with them, and with the files
// the run has already written, by device and inode.
class WriteGuard {
 public:
  // How a second write of the same file in one run is treated.
  enum class Repeat {
    kRefuse,   // refused: pages, listings, reports, the Directory page
    kReplace,  // allowed and reported: the policy file that /policy writes
  };

  // Records the file `name` names as an input of the run; a name that names
  // no file is ignored.
  void AddInput(const char* name);
  // Whether the file `name` may be opened for writing now. Refuses a name
  // that is not a regular file (a named pipe would block the run, a device
  // would swallow the page) with "ERROR: Not writing \"<name>\": it is a
  // named pipe" (or "a directory", "a device", "not a regular file"), an input
  // of the run with "ERROR: Not writing \"<name>\": it is an input of this
  // run", and a file already written in this run (with kRefuse) with
  // "ERROR: Not writing \"<name>\": already written in this run", both
  // through policy.Message at importance 10, and returns 0. Otherwise
  // returns 1; with kReplace a file written before is reported as replaced.
  [[nodiscard]] int MayWrite(const char* name, const FC& policy, Repeat repeat) const;
  // Records the file `name` names (now open for writing) as written.
  void AddWritten(const char* name);
  // Counts a file of the run that was refused, or could not be created or
  // written whole.
  void CountFailure() { ++failures_; }
  // How many there were so far.
  int Failures() const { return failures_; }

 private:
  std::vector<FileIdentity> inputs_;
  std::vector<FileIdentity> written_;
  int failures_ = 0;
};
