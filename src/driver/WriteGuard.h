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
  // Whether the file `name` may be opened for writing now. Refuses an input
  // of the run with "ERROR: Not writing \"<name>\": it is an input of this
  // run", and a file already written in this run (with kRefuse) with
  // "ERROR: Not writing \"<name>\": already written in this run", both
  // through policy.Message at importance 10, and returns 0. Otherwise
  // returns 1; with kReplace a file written before is reported as replaced.
  [[nodiscard]] int MayWrite(const char* name, const FC& policy, Repeat repeat) const;
  // Records the file `name` names (now open for writing) as written.
  void AddWritten(const char* name);

 private:
  std::vector<FileIdentity> inputs_;
  std::vector<FileIdentity> written_;
};
