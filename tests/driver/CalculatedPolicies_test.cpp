#include <gtest/gtest.h>

#include <string>

#include "DriverTestDir.h"
#include "driver/ConvertFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/LineFile.h"

namespace {

// Five chapters of justified text, 72 columns wide, whose headings stand at
// column 0: too long to be a simple file.
std::string Document() {
  const std::string line(72, 'x');
  std::string text;
  for (int chapter = 1; chapter <= 5; ++chapter) {
    text += std::to_string(chapter) + ". Chapter\n\n";
    for (int i = 0; i < 25; ++i) text += line.substr(0, 70) + " x\n";
    text += "\n";
  }
  return text;
}

// Converts doc.txt with /policy, the master record holding `policyText`
// (none when empty), and returns the policy file written.
std::string ConvertWritingPolicies(const DriverTestDir& dir, const std::string& policyText) {
  RunContext run;
  FC policy;
  policy.SetOwner(&run);
  policy.messageSink = [](const char*) {};
  policy.statusSink = [](const char*) {};
  if (!policyText.empty()) {
    dir.Write("given.pol", policyText);
    LineFile file;
    EXPECT_EQ(file.OpenForReading((dir / "given.pol").c_str()), 1);
    policy.ReadPolicyFile(file);
  }
  ConvertFileJob job;
  job.inputDir.SetText(dir.Path());
  job.outputDir.SetText(dir.Path());
  job.fileName.SetText(dir / "doc.txt");
  job.outputBase.SetText("doc");
  job.switches.writePolicy = 1;
  EXPECT_EQ(ConvertFile(job, policy, !policyText.empty()), 1);
  return dir.Read("doc.pol");
}

bool Has(const std::string& text, const std::string& line) {
  return text.find("\n" + line + "\n") != std::string::npos;
}

TEST(CalculatedPoliciesTest, PolicyFileHoldsTheCalculatedPolicies) {
  DriverTestDir dir;
  dir.Write("doc.txt", Document());
  const std::string written = ConvertWritingPolicies(dir, "");
  // The 99th percentile of the line lengths falls between 72 and the
  // shorter headings.
  EXPECT_TRUE(Has(written, "Page width                       : 72 ")) << written;
  EXPECT_TRUE(Has(written, "Text Justification               : Centre"));
  EXPECT_TRUE(Has(written, "Indent position(s)               : 0 "));
  EXPECT_TRUE(Has(written, "Keep it simple                   : No"));
  EXPECT_TRUE(Has(written, "We have 1  recognised headings"));
  EXPECT_TRUE(Has(written, "    Heading level 0 = \"\" N at indent 0"));
  EXPECT_TRUE(Has(written, "Expect Contents List             : No"));
}

TEST(CalculatedPoliciesTest, GivenPoliciesWinOverCalculatedOnes) {
  DriverTestDir dir;
  dir.Write("doc.txt", Document());
  const std::string written =
      ConvertWritingPolicies(dir, "Page width : 100\nText Justification : Left\n");
  EXPECT_TRUE(Has(written, "Page width                       : 100 ")) << written;
  EXPECT_TRUE(Has(written, "Text Justification               : Left"));
  EXPECT_TRUE(Has(written, "We have 1  recognised headings"));
}

}  // namespace
