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

TEST(LineTypeTest, RangeEdges) {
  const struct {
    int type;
    bool heading;
    bool bullet;
    bool item;
    int level;
  } cases[] = {
      {100, false, false, false, 0}, {101, true, false, false, 1}, {105, true, false, false, 5},
      {106, false, false, false, 0}, {110, false, false, false, 0}, {115, true, false, false, 5},
      {120, true, false, false, 0},  {151, false, false, false, 1}, {156, false, false, false, 0},
      {209, false, false, false, 0}, {210, false, true, true, 0},   {215, false, true, true, 0},
      {216, false, true, false, 0},  {217, false, false, false, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LineType::IsHeading(c.type), c.heading) << c.type;
    EXPECT_EQ(LineType::IsBullet(c.type), c.bullet) << c.type;
    EXPECT_EQ(LineType::IsBulletItem(c.type), c.item) << c.type;
    EXPECT_EQ(LineType::HeadingLevel(c.type), c.level) << c.type;
  }
}

TEST(LineFlagTest, UserRegionIsBitsNineToTwelve) {
  for (int bit = 0; bit <= 16; ++bit) {
    const bool region = bit >= 9 && bit <= 12;
    EXPECT_EQ(LineFlag::IsUserRegion(1u << bit), region) << bit;
  }
}

}  // namespace
