// MergeGiven and CopyPolicies over every policy at once, compared through the
// written policy file so that no field can be forgotten.

#include <gtest/gtest.h>

#include <string>

#include "PolicyFileTestSupport.h"

namespace {

std::string Written(const FC& fc) {
  const TempDir dir;
  return WrittenPolicy(fc, dir, true);
}

// Every policy away from its default, consistent under Normalise, and every
// given flag set: the round trip's record, plus what no policy file carries
// back and what it does not show at all.
void FillEveryPolicy(FC& f) {
  FillEverySection(f);
  f.otherBulletCount = 2;
  f.otherBullets[0] = '*';
  f.otherBullets[1] = '+';
  f.romanBullets = 0;
  f.contentsStyles[0].afterNumber.SetText(")");
  f.tableDefaults.caption.SetText("Table 1");
  f.linkDictionaryFile.SetText("links.pol");
  f.addContentsList = 1;
  f.inputDirectory.SetText("in");
  f.outputDirectory.SetText("out");
  f.policyFileName.SetText("chosen.pol");
  f.writePolicyFile = 1;
  f.diagnosticsFiles = 1;
  for (int p = 0; p < kPolicyCount; ++p) f.SetGiven(static_cast<Policy>(p));
  for (int i = 0; i < TableConfig::kFieldCount; ++i) {
    f.tableDefaults.SetGiven(static_cast<TableConfig::Field>(i));
  }
  f.Normalise();
}

void ExpectUnwrittenPoliciesEqual(const FC& a, const FC& b) {
  EXPECT_EQ(a.writePolicyFile, b.writePolicyFile);
  EXPECT_EQ(a.diagnosticsFiles, b.diagnosticsFiles);
  EXPECT_EQ(a.policyFileName.View(), b.policyFileName.View());
  EXPECT_EQ(a.inputDirectory.View(), b.inputDirectory.View());
  EXPECT_EQ(a.outputDirectory.View(), b.outputDirectory.View());
  EXPECT_EQ(a.contentsStyles[1].numberedParagraph, b.contentsStyles[1].numberedParagraph);
}

TEST(FCMergeTest, EveryGivenPolicyIsMerged) {
  FC from;
  FillEveryPolicy(from);
  const std::string expected = Written(from);
  FC fresh;
  ASSERT_NE(expected, Written(fresh));

  FC to;
  to.MergeGiven(from, true);
  EXPECT_EQ(Written(to), expected);
  ExpectUnwrittenPoliciesEqual(to, from);
  for (int p = 0; p < kPolicyCount; ++p) EXPECT_TRUE(to.IsGiven(static_cast<Policy>(p))) << p;
  for (int i = 0; i < TableConfig::kFieldCount; ++i) {
    EXPECT_TRUE(to.tableDefaults.IsGiven(static_cast<TableConfig::Field>(i))) << i;
  }
}

TEST(FCMergeTest, CopyPoliciesCopiesEveryValueButNoFlagsSinksOrPasses) {
  FC from;
  FillEveryPolicy(from);
  from.messageSink = [](const char*) {};
  from.analysisPass = 0;
  from.outputPass = 1;
  FC to;
  to.usenetGroups.Append("stale");
  to.statusSink = [](const char*) {};
  to.CopyPolicies(from);
  // The flags are gone, so rules that look at them may decide again; with
  // this record they decide the same. The table settings that are written
  // only when given are given back to compare their values.
  const std::string expected = Written(from);
  EXPECT_FALSE(to.AnyGiven() || to.tableDefaults.AnyGiven() || to.messageSink || to.statusSink);
  GiveTableSettings(to);
  EXPECT_EQ(Written(to), expected);
  ExpectUnwrittenPoliciesEqual(to, from);
  EXPECT_EQ(to.analysisPass * 10 + to.outputPass, 10);
  // Onto itself: the values stay, the flags go.
  from.CopyPolicies(from);
  EXPECT_FALSE(from.AnyGiven());
  GiveTableSettings(from);
  EXPECT_EQ(Written(from), expected);
}

}  // namespace
