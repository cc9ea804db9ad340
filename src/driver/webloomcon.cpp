// webloomcon: the console converter. Everything it does is RunConsole's;
// this file only connects it to the process.

#include <iostream>
#include <string>
#include <vector>

#include "driver/ConsoleRun.h"
#include "driver/ConsoleStreams.h"
#include "driver/PosixFileSystem.h"

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  PosixFileSystem fileSystem;
  ConsoleStreams console(std::cout, std::cerr);
  const int status = RunConsole(words, fileSystem, std::cin, console);
  std::cout.flush();
  return status;
}
