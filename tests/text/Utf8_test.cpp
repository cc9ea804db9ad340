#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(Utf8Test, SafeCut) {
  struct Row {
    std::string_view text;
    std::size_t cut;
    std::size_t back;
    std::size_t forward;
  };
  const Row rows[] = {
      {"abcdef", 3, 3, 3},
      {"abc", 9, 3, 3},
      {"a\xC3\xA9z", 2, 1, 3},                     // inside a two-byte character
      {"a\xE2\x82\xAC", 3, 1, 4},                  // inside a three-byte character
      {"\xF0\x9F\x98\x80z", 3, 0, 4},              // inside a four-byte character
      {"a\xC3\xA9z", 3, 3, 3},                     // right after it
      {"\xE9\xA0z", 1, 1, 1},                      // Latin-1 bytes: no sequence to respect
      {"ab\x80\x80\x80\x80", 5, 5, 5},             // stray continuation bytes
      {"\xC3\xA9\xA9", 2, 2, 2},                   // a continuation byte beyond the sequence
      {std::string_view("\xE2\x82", 2), 1, 0, 2},  // truncated sequence at the end
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Utf8SafeCut(row.text, row.cut), row.back) << row.cut;
    EXPECT_EQ(Utf8SafeCutForward(row.text, row.cut), row.forward) << row.cut;
  }
}

}  // namespace
