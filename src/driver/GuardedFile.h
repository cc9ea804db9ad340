#pragma once

#include "driver/WriteGuard.h"

class FC;

// A file class whose OpenForWriting first asks the run's WriteGuard, so that
// every file the conversion writes through it (pages, listings, reports, the
// Directory page, the policy file) is checked against the inputs of the run
// and the files already written. `File` is TextFile or one of its
// descendants. Without a guard it behaves exactly like `File`.
//
// The guard and the policy record (which receives the refusal messages) are
// not owned and must outlive the file.
template <class File>
class GuardedFile : public File {
 public:
  GuardedFile(WriteGuard* guard, const FC& policy,
              WriteGuard::Repeat repeat = WriteGuard::Repeat::kRefuse)
      : guard_(guard), policy_(policy), repeat_(repeat) {}

  [[nodiscard]] int OpenForWriting(const char* name) override {
    if (guard_ != nullptr && !guard_->MayWrite(name, policy_, repeat_)) return 0;
    if (!File::OpenForWriting(name)) return 0;
    if (guard_ != nullptr) guard_->AddWritten(name);
    return 1;
  }

 private:
  WriteGuard* guard_;
  const FC& policy_;
  WriteGuard::Repeat repeat_;
};
