#include "text/ErrorReport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "TextTestSupport.h"

namespace {

TEST(ErrorReportTest, StandardOutputComesFirst) {
  TempDir dir;
  const std::string path = dir.Path("log.txt");
  std::fflush(stdout);
  const int savedOut = dup(1);
  const int savedErr = dup(2);
  const int log = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(log, 0);
  dup2(log, 1);
  dup2(log, 2);
  std::printf("progress ");
  ReportError("ERROR: something");
  std::fflush(stdout);
  dup2(savedOut, 1);
  dup2(savedErr, 2);
  close(log);
  close(savedOut);
  close(savedErr);
  EXPECT_EQ(ReadAll(path), "progress ERROR: something\n");
}

}  // namespace
