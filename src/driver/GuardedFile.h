#pragma once

#include <string>

#include "driver/WriteGuard.h"
#include "policy/FC.h"

// A file class whose OpenForWriting first asks the run's WriteGuard, so that
// every file the conversion writes through it (pages, listings, reports, the
// Directory page, the policy file) is checked against the inputs of the run
// and the files already written. A file that cannot be created or written
// whole is reported through the policy record's Message at importance 10
// (see TextFile::OpenForWriting) and counted by the guard as a failure of
// the run. `File` is TextFile or one of its descendants. Without a guard it
// only routes the reports.
//
// The guard and the policy record (which receives the messages) are not
// owned and must outlive the file.
template <class File>
class GuardedFile : public File {
 public:
  GuardedFile(WriteGuard* guard, const FC& policy,
              WriteGuard::Repeat repeat = WriteGuard::Repeat::kRefuse)
      : guard_(guard), policy_(policy), repeat_(repeat) {
    this->SetWriteFailureSink([guard, &policy](const std::string& message) {
      policy.Message(message.c_str(), 10);
      if (guard != nullptr) guard->CountFailure();
    });
  }

  [[nodiscard]] int OpenForWriting(const char* name) override {
    if (guard_ != nullptr && !guard_->MayWrite(name, policy_, repeat_)) {
      guard_->CountFailure();
      return 0;
    }
    if (!File::OpenForWriting(name)) return 0;
    if (guard_ != nullptr) guard_->AddWritten(name);
    return 1;
  }

 private:
  WriteGuard* guard_;
  const FC& policy_;
  WriteGuard::Repeat repeat_;
};
