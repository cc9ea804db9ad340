// One steering-file line: switches, file and policy file words.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "driver/ConsoleStreams.h"
#include "driver/ConsoleSwitches.h"
#include "driver/SteeringLine.h"
#include "text/TextString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ostringstream out, err;
  ConsoleStreams console(out, err);
  ConsoleSwitches switches;
  TextString file, policyFile;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  (void)ParseSteeringLine(TextString(line), switches, file, policyFile, console);
  return 0;
}
