#include "driver/ConsoleStreams.h"

void ConsoleStreams::Write(std::string_view text) { out_ << text; }

void ConsoleStreams::OutLine(std::string_view line) { out_ << line << '\n'; }

void ConsoleStreams::ErrLine(std::string_view line) {
  out_.flush();
  err_ << line << '\n';
  err_.flush();
}

void ConsoleStreams::Prompt(std::string_view text) {
  out_ << text;
  out_.flush();
}
