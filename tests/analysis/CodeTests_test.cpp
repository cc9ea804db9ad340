#include "analysis/CodeTests.h"

#include <gtest/gtest.h>

#include "support/CaseFile.h"

namespace {

TEST(CodeTestsTest, LooksLikeCode) {
  for (const auto& row : ReadRows(WEBLOOM_TEST_DATA "/analysis/code_lines.txt")) {
    ASSERT_EQ(row.size(), 3u) << row[0];
    EXPECT_EQ(LooksLikeCode(row[2].c_str(), false), row[0] == "1") << row[2];
    EXPECT_EQ(LooksLikeCode(row[2].c_str(), true), row[1] == "1") << row[2];
  }
}

}  // namespace
