#include "markup/CharacterMap.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseFile.h"
#include "text/TextString.h"

namespace {

TEST(CharacterMapTest, MapsEachWordProcessorByte) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/markup/markup_cases.txt")) {
    if (r[0] != "map") continue;
    TextString text(r.at(1));
    EXPECT_EQ(MapEightBitCharacters(text), 1) << r[2];
    EXPECT_EQ(text.View(), r.at(2));
  }
}

TEST(CharacterMapTest, LeavesOtherBytesAlone) {
  const std::string in = "caf\xC3\xA9 \x93quoted\x94 \xE9";
  TextString text{std::string_view(in)};
  EXPECT_EQ(MapEightBitCharacters(text), 0);
  EXPECT_EQ(text.View(), in);
}

// Bytes from 0x80 up are text, not control characters.
TEST(CharacterMapTest, BlanksControlBytesButKeepsTabFormFeedAndOptionallyBackspace) {
  const std::string in = "a\001b\033c\177d\t\f\be\r\x80\x9F\xFF";
  TextString keep{std::string_view(in)};
  EXPECT_EQ(BlankControlCharacters(keep, true), 4);
  EXPECT_EQ(keep.View(), "a b c d\t\f\be \x80\x9F\xFF");

  TextString drop{std::string_view(in)};
  EXPECT_EQ(BlankControlCharacters(drop, false), 5);
  EXPECT_EQ(drop.View(), "a b c d\t\f e \x80\x9F\xFF");
}

}  // namespace
