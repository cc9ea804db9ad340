#include "markup/Utf8Detector.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/CaseFile.h"

namespace {

TEST(Utf8DetectorTest, WholeFileVerdicts) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/markup/markup_cases.txt")) {
    if (r[0] != "utf8") continue;
    Utf8Detector whole;
    whole.Feed(r.at(1));
    EXPECT_EQ(whole.IsUtf8(), r.at(2) == "1") << r[1];
    // Byte by byte gives the same verdict: sequences may straddle chunks.
    Utf8Detector bytewise;
    for (char b : r[1]) bytewise.Feed(std::string_view(&b, 1));
    EXPECT_EQ(bytewise.IsUtf8(), r[2] == "1") << r[1] << " (byte by byte)";
  }
}

TEST(Utf8DetectorTest, ReportsTheByteOrderMarkOnlyAtTheStart) {
  Utf8Detector withMark;
  withMark.Feed("\xEF\xBB");
  withMark.Feed("\xBFx");
  EXPECT_TRUE(withMark.HasByteOrderMark());

  Utf8Detector later;
  later.Feed("x\xEF\xBB\xBF");
  EXPECT_FALSE(later.HasByteOrderMark());
  EXPECT_TRUE(later.IsUtf8());
}

TEST(Utf8DetectorTest, ReadsAFile) {
  const std::string name = ::testing::TempDir() + "utf8_detector_test.txt";
  {
    std::ofstream out(name, std::ios::binary);
    // Longer than one read piece, with a sequence across the piece boundary.
    out << std::string(64 * 1024 - 1, 'a') << "\xC3\xA9"
        << "\n";
  }
  bool utf8 = false;
  EXPECT_EQ(DetectUtf8File(name.c_str(), utf8), 1);
  EXPECT_TRUE(utf8);
  std::remove(name.c_str());

  EXPECT_EQ(DetectUtf8File((name + ".missing").c_str(), utf8), 0);
  EXPECT_FALSE(utf8);
}

}  // namespace
