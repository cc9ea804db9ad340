#pragma once

#include "driver/ConsoleStreams.h"
#include "driver/ConsoleSwitches.h"
#include "text/TextString.h"

// Parses one line of a steering file. A line whose first character is "!" or
// "#" is a comment: it is reported on standard error as
//   Steering file: Ignoring comment line "<line>"
// and 0 is returned with nothing taken from it. Otherwise the line is split
// into words at runs of blanks and tabs; every word that is a switch
// (ConsoleSwitches::TakeSwitch) is added to `switches`; of the other words
// the first goes to `file` and the second to `policyFile` (each emptied when
// the line has no such word; further words are ignored). Returns 1.
int ParseSteeringLine(const TextString& line, ConsoleSwitches& switches, TextString& file,
                      TextString& policyFile, ConsoleStreams& console);
