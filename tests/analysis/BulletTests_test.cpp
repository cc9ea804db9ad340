#include "analysis/BulletTests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"
#include "support/CaseFile.h"

namespace {

using Pass = ClassifyRun::Pass;

int Bullet(ClassifyRun& run, const std::string& text) {
  SourceLine line;
  ReadLine(line, run.policy, text);
  return TestBullet(line, run.policy, run.statistics);
}

TEST(BulletTestsTest, BulletCharactersOutsideTheOutputPass) {
  ClassifyRun run(Pass::kAnalysis);
  EXPECT_EQ(Bullet(run, "- item"), LineType::kBulletChar);
  EXPECT_EQ(Bullet(run, "O item"), LineType::kBulletChar);
  EXPECT_EQ(Bullet(run, "- a - - b"), 0);
  EXPECT_EQ(Bullet(run, "* item"), 0);
  EXPECT_EQ(run.statistics.dashBullets, 1);
  EXPECT_EQ(run.statistics.circleBullets, 1);
  EXPECT_TRUE(IsBulletChar(run.policy, '#'));
}

TEST(BulletTestsTest, BulletCharactersOfThePolicyInTheOutputPass) {
  ClassifyRun run(Pass::kOutput);
  run.policy.dashBullets = 0;
  run.policy.circleBullets = 0;
  run.policy.otherBulletCount = 1;
  run.policy.otherBullets[0] = '*';
  EXPECT_EQ(Bullet(run, "- item"), 0);
  EXPECT_EQ(Bullet(run, "* item"), LineType::kBulletChar);
  EXPECT_EQ(Bullet(run, "o item"), 0);
  run.policy.dashBullets = 1;
  EXPECT_EQ(Bullet(run, "- item"), LineType::kBulletChar);
  EXPECT_EQ(run.statistics.dashBullets, 0);
  EXPECT_TRUE(IsBulletChar(run.policy, '-'));
  EXPECT_TRUE(IsBulletChar(run.policy, '*'));
  EXPECT_FALSE(IsBulletChar(run.policy, '#'));
}

TEST(BulletTestsTest, EnumeratedBullets) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "bullet") continue;
    ClassifyRun run(Pass::kAnalysis);
    EXPECT_EQ(Bullet(run, r.at(1)), std::stoi(r.at(2))) << r[1];
  }
  ClassifyRun run(Pass::kAnalysis);
  run.policy.romanBullets = 0;
  EXPECT_EQ(Bullet(run, "iv. four"), 0);
  EXPECT_EQ(Bullet(run, "i) one"), LineType::kLowerAlphaBullet);
  run.policy.numberedBullets = 0;
  EXPECT_EQ(Bullet(run, "2. two"), 0);
  EXPECT_EQ(run.statistics.numberedBullets, 1);  // counted all the same
}

// The classifier asks TestBullet only about lines MayOpenListItem lets by.
TEST(BulletTestsTest, EveryItemMayOpenOne) {
  const auto wordEnd = [](std::string_view t) {
    return std::min(t.find_first_of(" \t"), t.size());
  };
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "bullet" || std::stoi(r.at(2)) == 0) continue;
    EXPECT_TRUE(MayOpenListItem(r[1], wordEnd(r[1]))) << r[1];
  }
  for (std::string_view text : {"- item", "o item", "* item", "2.\tafter a tab"}) {
    EXPECT_TRUE(MayOpenListItem(text, wordEnd(text))) << text;
  }
  for (std::string_view text : {"12 twelve", "Plain text, ending.", "(3 open", "x"}) {
    EXPECT_FALSE(MayOpenListItem(text, wordEnd(text))) << text;
  }
}

TEST(BulletTestsTest, FarRightOfTheIndentPositionsIsNoBulletInTheOutputPass) {
  ClassifyRun run(Pass::kOutput);
  run.policy.indentCount = 1;
  run.policy.indentPositions[0] = 0;
  EXPECT_EQ(Bullet(run, "      1. six"), LineType::kNumberedBullet);
  EXPECT_EQ(Bullet(run, "       1. seven"), 0);
  run.policy.bulletsExpected = 0;
  EXPECT_EQ(Bullet(run, "1. one"), 0);
}

}  // namespace
