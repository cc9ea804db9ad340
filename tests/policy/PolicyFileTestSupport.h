#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "policy/FC.h"
#include "support/TempDir.h"
#include "text/LineFile.h"

// Helpers shared by the policy-file tests: a record whose messages are
// collected, and reading or writing a policy file whole.

inline std::string Str(const TextString& text) {
  return std::string(text.View());
}

// A policy record that keeps every message it is sent.
struct RecordingFC : FC {
  std::vector<std::string> messages;
  RecordingFC() { Listen(); }
  // Reset drops the sink; call again after one.
  void Listen() {
    messageSink = [this](const char* text) { messages.emplace_back(text); };
  }
};

// Reads the policy file `path` into `policy`; returns ReadPolicyFile's result,
// or -1 when the file cannot be opened.
inline int ReadPolicyPath(FC& policy, const std::string& path) {
  LineFile file;
  if (!file.OpenForReading(path.c_str())) return -1;
  return policy.ReadPolicyFile(file);
}

// Reads `text` as a policy file named `name` in `dir`.
inline int ReadPolicyText(FC& policy, const TempDir& dir, const std::string& text,
                          const std::string& name = "read.pol") {
  return ReadPolicyPath(policy, dir.Write(name, text));
}

// The policy file `policy` writes, as bytes.
inline std::string WrittenPolicy(const FC& policy, const TempDir& dir, bool all) {
  const std::string path = dir.Path("written.pol");
  {
    LineFile file;
    if (!file.OpenForWriting(path.c_str())) return "cannot write";
    if (!policy.WritePolicyFile(file, all)) return "write failed";
  }
  return ReadAll(path);
}

// Marks the table settings that act only when given as given.
inline void GiveTableSettings(FC& p) {
  using F = TableConfig::Field;
  for (const F field : {F::BorderSize, F::CellSpacing, F::CellPadding})
    p.tableDefaults.SetGiven(field);
}

// Fills `p` from tests/data/policy/every_section.pol: a value other than the
// default in every section, among the values the file format can carry (see
// the round trip's known exceptions), and no policy marked given but the
// table's border, spacing and padding, which act (and are written) only when
// given.
inline void FillEverySection(FC& p) {
  LineFile file;
  if (!file.OpenForReading(WEBLOOM_TEST_DATA "/policy/every_section.pol")) return;
  p.messageSink = [](const char*) {};  // the caption line is refused
  (void)p.ReadPolicyFile(file);
  p.CopyPolicies(p);
  GiveTableSettings(p);
}

// Every field of two heading styles but the numbers seen, compared.
inline void ExpectSameStyle(const HeadingStyle& a, const HeadingStyle& b) {
  EXPECT_EQ(a.numberingKind, b.numberingKind);
  EXPECT_EQ(a.indent, b.indent);
  EXPECT_EQ(Str(a.prefixWord), Str(b.prefixWord));
  EXPECT_EQ(a.prefixCount, b.prefixCount);
  EXPECT_EQ(a.hasPrefix, b.hasPrefix);
  EXPECT_EQ(a.numberedParagraph, b.numberedParagraph);
  EXPECT_EQ(Str(a.beforeNumber), Str(b.beforeNumber));
  EXPECT_EQ(Str(a.afterNumber), Str(b.afterNumber));
  EXPECT_EQ(a.letterSuffix, b.letterSuffix);
}
