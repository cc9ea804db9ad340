#include "driver/ConsoleStreams.h"

#include <string>

void ConsoleStreams::Write(std::string_view text) { out_ << text; }

void ConsoleStreams::OutLine(std::string_view line) { out_ << line << '\n'; }

void ConsoleStreams::ErrLine(std::string_view line) {
  out_.flush();
  // One write: standard error is unbuffered, and a document may give
  // thousands of messages.
  std::string whole;
  whole.reserve(line.size() + 1);
  whole.append(line);
  whole.push_back('\n');
  err_ << whole;
  err_.flush();
}

void ConsoleStreams::Prompt(std::string_view text) {
  out_ << text;
  out_.flush();
}
