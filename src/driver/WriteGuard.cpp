#include "driver/WriteGuard.h"

#include <algorithm>
#include <string>

#include "policy/FC.h"

namespace {

void Remember(const char* name, std::vector<FileIdentity>& identities) {
  FileIdentity identity;
  if (!GetFileIdentity(name, identity)) return;
  if (std::find(identities.begin(), identities.end(), identity) == identities.end()) {
    identities.push_back(identity);
  }
}

bool Contains(const std::vector<FileIdentity>& identities, const FileIdentity& identity) {
  return std::find(identities.begin(), identities.end(), identity) != identities.end();
}

}  // namespace

void WriteGuard::AddInput(const char* name) { Remember(name, inputs_); }

void WriteGuard::AddWritten(const char* name) { Remember(name, written_); }

int WriteGuard::MayWrite(const char* name, const FC& policy, Repeat repeat) const {
  FileIdentity identity;
  if (name == nullptr || !GetFileIdentity(name, identity)) return 1;
  std::string quoted = "\"";
  quoted.append(name).append("\"");
  const std::string kind = NotRegularKind(name);
  if (!kind.empty()) {
    policy.Message(("ERROR: Not writing " + quoted + ": it is " + kind).c_str(), 10);
    return 0;
  }
  if (Contains(inputs_, identity)) {
    policy.Message(("ERROR: Not writing " + quoted + ": it is an input of this run").c_str(), 10);
    return 0;
  }
  if (Contains(written_, identity)) {
    if (repeat == Repeat::kRefuse) {
      policy.Message(("ERROR: Not writing " + quoted + ": already written in this run").c_str(),
                     10);
      return 0;
    }
    policy.Message(("Replacing " + quoted + ", written earlier in this run").c_str(), 5);
  }
  return 1;
}
