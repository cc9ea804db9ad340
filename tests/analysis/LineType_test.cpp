#include "analysis/LineType.h"

#include <gtest/gtest.h>

namespace {

// Level 5 exists in every family although the listing legend stops at 4.
TEST(LineTypeTest, FamiliesCoverLevelsOneToFive) {
  for (int level = 1; level <= LineType::kMaxHeadingLevel; ++level) {
    EXPECT_TRUE(LineType::IsNumberedHeading(LineType::NumberedHeading(level))) << level;
    EXPECT_TRUE(LineType::IsUnderlinedHeading(LineType::UnderlinedHeading(level))) << level;
    EXPECT_TRUE(LineType::IsContentsLine(LineType::ContentsLine(level))) << level;
    EXPECT_EQ(LineType::HeadingLevel(LineType::NumberedHeading(level)), level);
    EXPECT_EQ(LineType::HeadingLevel(LineType::UnderlinedHeading(level)), level);
    EXPECT_EQ(LineType::HeadingLevel(LineType::ContentsLine(level)), level);
  }
}

TEST(LineFlagTest, UserRegionIsBitsNineToTwelve) {
  for (int bit = 0; bit <= 16; ++bit) {
    const bool region = bit >= 9 && bit <= 12;
    EXPECT_EQ(LineFlag::IsUserRegion(1u << bit), region) << bit;
  }
}

}  // namespace
