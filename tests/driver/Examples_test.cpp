// Whole-page examples: every tests/data/examples/NAME.txt, as the README
// there describes, each its own test case.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DriverTestDir.h"
#include "driver/ConvertFile.h"
#include "driver/WriteGuard.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/LineFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kExampleDir = std::string(WEBLOOM_TEST_DATA) + "/examples/";

// The name of every example, in order.
std::vector<std::string> ExampleNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kExampleDir)) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsCalculationReport(std::string_view text) {
  return text.starts_with("*** Treating as") || text.starts_with("   *** ") ||
         text.starts_with("Policy calculation") || text.starts_with("Policy Calculation");
}

// Copies the example's input, its policy file and its folder of further
// files into `dir`.
void CopyExample(const std::string& name, const fs::path& dir) {
  fs::copy_file(kExampleDir + name + ".txt", dir / (name + ".txt"));
  if (fs::exists(kExampleDir + name + ".pol")) {
    fs::copy_file(kExampleDir + name + ".pol", dir / (name + ".pol"));
  }
  if (fs::is_directory(kExampleDir + name)) {
    fs::copy(kExampleDir + name, dir, fs::copy_options::recursive);
  }
}

class ExampleTest : public testing::TestWithParam<std::string> {};

TEST_P(ExampleTest, PageIsAsExpected) {
  const std::string name = GetParam();
  DriverTestDir top;
  // A directory with a blank: names are used as one word throughout.
  const fs::path dir = top / "example dir/";
  fs::create_directories(dir);
  CopyExample(name, dir);

  RunContext run;
  FC policy;
  policy.SetOwner(&run);
  std::string messages;
  policy.messageSink = [&messages](const char* text) {
    if (!IsCalculationReport(text)) messages += std::string(text) + "\n";
  };
  policy.statusSink = [](const char*) {};
  WriteGuard guard;
  const fs::path input = dir / (name + ".txt");
  const fs::path policyFile = dir / (name + ".pol");
  const bool given = fs::exists(policyFile);
  if (given) {
    LineFile file;
    ASSERT_EQ(file.OpenForReading(policyFile.c_str()), 1);
    EXPECT_EQ(policy.ReadPolicyFile(file), 1) << "every line of " << name << ".pol is a policy";
    guard.AddInput(policyFile.c_str());
  }
  guard.AddInput(input.c_str());

  ConvertFileJob job;
  job.inputDir.SetText(dir.string());
  job.outputDir.SetText(dir.string());
  job.fileName.SetText(input.string());
  job.outputBase.SetText(name);
  job.guard = &guard;
  ASSERT_EQ(ConvertFile(job, policy, given), 1);

  EXPECT_EQ(ReadWholeFile(dir / (name + ".html")), ReadWholeFile(kExampleDir + name + ".html"));
  EXPECT_EQ(messages, ReadWholeFile(kExampleDir + name + ".messages"));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, testing::ValuesIn(ExampleNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                           return param.param;
                         });

}  // namespace
