#include "driver/SteeringFile.h"

#include "driver/SteeringLine.h"

int SteeringFile::Open(const char* name) { return file_.OpenForReading(name); }

bool SteeringFile::NextFileLine(ConsoleSwitches& switches, TextString& file,
                                TextString& policyFile, ConsoleStreams& console) {
  while (file_.ReadLine()) {
    const TextString line(file_.GetBufferLine(file_.LineCount()));
    switches = ConsoleSwitches();
    if (ParseSteeringLine(line, switches, file, policyFile, console) && !file.IsEmpty()) {
      return true;
    }
  }
  return false;
}
