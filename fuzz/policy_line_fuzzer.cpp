// Feeds arbitrary policy-file lines to one record, so values set by earlier
// lines meet later ones, then writes the record out again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "policy/FC.h"
#include "text/LineFile.h"
#include "text/TextString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FC policy;
  policy.messageSink = [](const char*) {};
  policy.statusSink = [](const char*) {};
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    (void)policy.ParsePolicyLine(TextString(line), true);
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  policy.Normalise();
  LineFile out;
  if (out.OpenForWriting("/dev/null")) (void)policy.WritePolicyFile(out, true);
  return 0;
}
