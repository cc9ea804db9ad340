#pragma once

#include <ostream>
#include <string_view>

// The console's standard output and standard error. Standard output is
// flushed before anything is written to standard error, so a combined log
// keeps the order of events. The streams are not owned.
class ConsoleStreams {
 public:
  ConsoleStreams(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  // Writes `text` to standard output as it is (a prompt: no line end).
  void Write(std::string_view text);
  // Writes `line` and a line end to standard output.
  void OutLine(std::string_view line);
  // Flushes standard output, then writes `line` and a line end to standard
  // error.
  void ErrLine(std::string_view line);
  // Writes `text` to standard output and flushes it (before reading an
  // answer from standard input).
  void Prompt(std::string_view text);

 private:
  std::ostream& out_;
  std::ostream& err_;
};
