#include "driver/SteeringLine.h"

#include <string>

int ParseSteeringLine(const TextString& line, ConsoleSwitches& switches, TextString& file,
                      TextString& policyFile, ConsoleStreams& console) {
  file.Clear();
  policyFile.Clear();
  const char first = line.At(0);
  if (first == '!' || first == '#') {
    console.ErrLine("Steering file: Ignoring comment line \"" + std::string(line.View()) + "\"");
    return 0;
  }
  int others = 0;
  TextString word;
  for (int n = 1; line.GetWord(n, ' ', word); ++n) {
    if (word.IsEmpty() || switches.TakeSwitch(word.View())) continue;
    ++others;
    if (others == 1) file = word;
    if (others == 2) policyFile = word;
  }
  return 1;
}
