#pragma once

#include <string_view>

// Writes `line` and a newline to standard error, flushing standard output
// first so that a log combining both streams keeps the order of events. For
// the few errors that go straight to standard error rather than through a
// policy record's message sink.
void ReportError(std::string_view line);
