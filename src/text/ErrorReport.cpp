#include "text/ErrorReport.h"

#include <cstdio>

void ReportError(std::string_view line) {
  std::fflush(stdout);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}
