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

TEST(Utf8Test, ColumnsCountCharacters) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/text/text_strings.txt")) {
    if (r[0] != "columns") continue;
    SCOPED_TRACE(r.at(1));
    EXPECT_EQ(Utf8Columns(r[1]), std::stoi(r.at(2)));
    std::string bytes;
    for (int column = 0; column <= 4; ++column) {
      if (column > 0) bytes += ';';
      bytes += std::to_string(Utf8ByteAtColumn(r[1], column));
    }
    EXPECT_EQ(bytes, r.at(3));
  }
}

TEST(Utf8Test, TabStopsCountColumns) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/text/text_strings.txt")) {
    if (r[0] != "utf8tabs") continue;
    EXPECT_EQ(Utf8ExpandTabs(r.at(1), std::stoi(r.at(2))), r.at(3)) << r[1];
  }
}

}  // namespace
