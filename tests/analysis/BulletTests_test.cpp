#include "analysis/BulletTests.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"

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
  const struct {
    const char* text;
    int type;
  } cases[] = {
      {"1. one", LineType::kNumberedBullet},
      {"(12) twelve", LineType::kNumberedBullet},
      {"3) three", LineType::kNumberedBullet},
      {"(123) many", 0},
      {"a) alpha", LineType::kLowerAlphaBullet},
      {"[B] beta", LineType::kUpperAlphaBullet},
      {"iv. four", LineType::kLowerRomanBullet},
      {"XII) twelve", LineType::kUpperRomanBullet},
      {"ab) two letters", 0},
      {"1 one", 0},
      {"(3 open", 0},
      {"a.b) mixed", 0},
  };
  for (const auto& c : cases) {
    ClassifyRun run(Pass::kAnalysis);
    EXPECT_EQ(Bullet(run, c.text), c.type) << c.text;
  }
  ClassifyRun run(Pass::kAnalysis);
  run.policy.romanBullets = 0;
  EXPECT_EQ(Bullet(run, "iv. four"), 0);
  EXPECT_EQ(Bullet(run, "i) one"), LineType::kLowerAlphaBullet);
  run.policy.numberedBullets = 0;
  EXPECT_EQ(Bullet(run, "2. two"), 0);
  EXPECT_EQ(run.statistics.numberedBullets, 1);  // counted all the same
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
