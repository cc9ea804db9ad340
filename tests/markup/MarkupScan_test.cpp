#include "markup/MarkupScan.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseFile.h"

namespace {

TEST(MarkupScanTest, TagsAndEntities) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/markup/markup_cases.txt")) {
    if (r[0] != "scan") continue;
    const std::size_t pos = std::stoul(r.at(2));
    EXPECT_EQ(TagLengthAt(r.at(1), pos), std::stoul(r.at(3))) << r[1] << " @" << pos;
    EXPECT_EQ(EntityLengthAt(r[1], pos), std::stoul(r.at(4))) << r[1] << " @" << pos;
  }
}

TEST(MarkupScanTest, TextOutsideTagsIsWhatThePageShows) {
  EXPECT_EQ(TextOutsideTags("<strong>IMPORTANT</strong> NOTES"), "IMPORTANT NOTES");
  EXPECT_EQ(TextOutsideTags("a &lt; b"), "a &lt; b");
  EXPECT_EQ(TextOutsideTags("unclosed <tag"), "unclosed <tag");
  EXPECT_EQ(TextOutsideTags("A/B"), "A/B");
}

}  // namespace
