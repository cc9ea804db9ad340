#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseFile.h"

namespace {

TEST(Utf8Test, SafeCut) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/text/text_strings.txt")) {
    if (r[0] != "cut") continue;
    const std::size_t at = std::stoul(r.at(2));
    EXPECT_EQ(Utf8SafeCut(r.at(1), at), std::stoul(r.at(3))) << r[1] << " at " << at;
    EXPECT_EQ(Utf8SafeCutForward(r[1], at), std::stoul(r.at(4))) << r[1] << " at " << at;
  }
}

}  // namespace
