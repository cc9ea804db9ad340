// Converts arbitrary text as a document: all three passes, the policy
// calculation, the listings and the statistics report.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/ConvertFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"

namespace {

const std::string& WorkDirectory() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/webloom-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) std::abort();
    return std::string(made) + "/";
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string dir = WorkDirectory();
  const std::string input = dir + "doc.txt";
  std::FILE* file = std::fopen(input.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  RunContext run;
  FC policy;
  policy.SetOwner(&run);
  policy.messageSink = [](const char*) {};
  policy.statusSink = [](const char*) {};

  ConvertFileJob job;
  job.inputDir.SetText(dir.c_str());
  job.outputDir.SetText(dir.c_str());
  job.fileName.SetText(input.c_str());
  job.outputBase.SetText((dir + "doc").c_str());
  job.statisticsName.SetText((dir + "doc.stats").c_str());
  job.listingName.SetText((dir + "doc.lis").c_str());
  job.analysisListingName.SetText((dir + "doc.lis1").c_str());
  (void)ConvertFile(job, policy, false);
  return 0;
}
