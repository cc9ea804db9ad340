#include "markup/MarkupScan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MarkupScanTest, TagsAndEntities) {
  const struct {
    std::string text;
    std::size_t pos, tag, entity;
  } cases[] = {
      {"<b>x</b>", 0, 3, 0}, {"<b>x</b>", 4, 4, 0}, {"a < b", 2, 0, 0}, {"&lt;p&gt;", 0, 0, 4},
      {"&#62;", 0, 0, 5},    {"& x;", 0, 0, 0},     {"&amp", 0, 0, 0},  {"x", 5, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TagLengthAt(c.text, c.pos), c.tag) << c.text << " @" << c.pos;
    EXPECT_EQ(EntityLengthAt(c.text, c.pos), c.entity) << c.text << " @" << c.pos;
  }
}

TEST(MarkupScanTest, TextOutsideTagsIsWhatThePageShows) {
  EXPECT_EQ(TextOutsideTags("<strong>IMPORTANT</strong> NOTES"), "IMPORTANT NOTES");
  EXPECT_EQ(TextOutsideTags("a &lt; b"), "a &lt; b");
  EXPECT_EQ(TextOutsideTags("unclosed <tag"), "unclosed <tag");
  EXPECT_EQ(TextOutsideTags("A/B"), "A/B");
}

}  // namespace
