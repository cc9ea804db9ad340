#include "markup/CharacterMap.h"

#include <gtest/gtest.h>

#include <string>

#include "text/TextString.h"

namespace {

TEST(CharacterMapTest, MapsEachWordProcessorByte) {
  const struct {
    unsigned char byte;
    char plain;
  } cases[] = {{0x92, '\''}, {0x96, '-'}, {0xA5, '-'}, {0xAE, '>'}, {0xB4, '*'},
               {0xD2, '"'},  {0xD3, '"'}, {0xD4, '`'}, {0xD5, '\''}};
  for (const auto& c : cases) {
    std::string in = "a";
    in.push_back(static_cast<char>(c.byte));
    in += "b";
    TextString text{std::string_view(in)};
    EXPECT_EQ(MapEightBitCharacters(text), 1) << int(c.byte);
    EXPECT_EQ(text.View(), std::string("a") + c.plain + "b") << int(c.byte);
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
