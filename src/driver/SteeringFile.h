#pragma once

#include "driver/ConsoleStreams.h"
#include "driver/ConsoleSwitches.h"
#include "text/TextFile.h"
#include "text/TextString.h"

// One reading of a steering file: a list of files to convert, one a line,
// each optionally followed by its own policy file and switches (see
// ParseSteeringLine). Comment lines are reported once by each reading.
class SteeringFile {
 public:
  // Opens the regular file `name` for reading. Returns 1, or 0 when it
  // cannot be opened (nothing is reported).
  [[nodiscard]] int Open(const char* name);
  // Reads on to the next line that names a file and returns true with that
  // line's switches (only its own), file and policy file (empty when the
  // line names none). Comment lines and lines without a file are skipped.
  // Returns false at the end of the file.
  bool NextFileLine(ConsoleSwitches& switches, TextString& file, TextString& policyFile,
                    ConsoleStreams& console);

 private:
  TextFile file_;
};
