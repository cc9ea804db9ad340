// Converts arbitrary text as a document: all three passes, the policy
// calculation, the listings and the statistics report. The first two bytes
// choose the policies, so that every part of the engine is reached: the
// preprocessor, tables, splitting, the contents list, DOS names, UTF-8 text.
// The document's directory holds two include files that include each other
// and the document, for the preprocessor's include handling.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "driver/ConvertFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"

namespace {

bool WriteFile(const std::string& name, std::string_view bytes) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return true;
}

// The work directory's name, filled by mkdtemp; plain characters, so that
// it outlives every destructor that runs at exit.
char workPattern[] = "/tmp/webloom-fuzz-XXXXXX";

const std::string& WorkDirectory() {
  static const std::string dir = [] {
    const char* made = mkdtemp(workPattern);
    if (made == nullptr) std::abort();
    const std::string path = std::string(made) + "/";
    // Every fuzzing process makes its own directory; none is left behind.
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(workPattern, ignored);
    });
    if (!WriteFile(path + "a.inc", "Included *text* from a.\n$_$_INCLUDE b.inc\n1. Heading\n") ||
        !WriteFile(path + "b.inc", "$_$_INCLUDE a.inc\n$_$_INCLUDE doc.txt\nb   c   d\n")) {
      std::abort();
    }
    return path;
  }();
  return dir;
}

bool Bit(unsigned flags, int bit) {
  return ((flags >> bit) & 1U) != 0;
}

void SetInt(FC& policy, int PolicyValues::*field, Policy flag, int value) {
  policy.*field = value;
  policy.SetGiven(flag);
}

// The policies that the two flag bytes choose; each chosen one is given, so
// that it wins over the calculated value.
void ChoosePolicies(unsigned flags, FC& policy, ConsoleSwitches& switches) {
  switches.contents = Bit(flags, 0) ? 1 : 0;
  switches.dos = Bit(flags, 1) ? 1 : 0;
  switches.simple = Bit(flags, 2) ? 1 : 0;
  switches.writePolicy = Bit(flags, 3) ? 1 : 0;
  if (Bit(flags, 4)) {
    SetInt(policy, &PolicyValues::splitKnown, Policy::SplitKnown, 1);
    SetInt(policy, &PolicyValues::splitLevel, Policy::SplitLevel,
           1 + static_cast<int>((flags >> 5) & 3U));
  }
  if (Bit(flags, 7)) SetInt(policy, &PolicyValues::usePreprocessor, Policy::UsePreprocessor, 0);
  if (Bit(flags, 8)) SetInt(policy, &PolicyValues::attemptTables, Policy::AttemptTables, 0);
  if (Bit(flags, 9)) SetInt(policy, &PolicyValues::externalContents, Policy::ExternalContents, 1);
  if (Bit(flags, 10)) {
    SetInt(policy, &PolicyValues::useExistingContents, Policy::UseExistingContents, 0);
  }
  if (Bit(flags, 11)) SetInt(policy, &PolicyValues::minimiseHtml, Policy::MinimiseHtml, 1);
  if (Bit(flags, 12)) {
    SetInt(policy, &PolicyValues::expectCodeSamples, Policy::ExpectCodeSamples, 1);
  }
  if (Bit(flags, 13)) SetInt(policy, &PolicyValues::linksOnNumbers, Policy::LinksOnNumbers, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const unsigned flags = static_cast<unsigned>(data[0]) | (static_cast<unsigned>(data[1]) << 8);
  std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::string dir = WorkDirectory();
  const std::string input = dir + "doc.txt";
  // Bit 14 marks the document UTF-8 with a byte-order mark.
  const std::string document = (Bit(flags, 14) ? "\xEF\xBB\xBF" : "") + std::string(text);
  if (!WriteFile(input, document)) return 0;

  RunContext run;
  run.outputKind = RunContext::kHtmlOutput;
  FC policy;
  policy.outputExtension.SetText(".html");
  policy.SetOwner(&run);
  policy.messageSink = [](const char*) {};
  policy.statusSink = [](const char*) {};

  ConvertFileJob job;
  ChoosePolicies(flags, policy, job.switches);
  job.inputDir.SetText(dir.c_str());
  job.outputDir.SetText(dir.c_str());
  job.fileName.SetText(input.c_str());
  job.outputBase.SetText((dir + "doc").c_str());
  // Bit 15 writes the diagnostics files as well.
  if (Bit(flags, 15)) {
    job.statisticsName.SetText((dir + "doc.stats").c_str());
    job.listingName.SetText((dir + "doc.lis").c_str());
    job.analysisListingName.SetText((dir + "doc.lis1").c_str());
  }
  (void)ConvertFile(job, policy, true);
  return 0;
}
