#include "markup/Utf8Detector.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct DetectCase {
  std::string bytes;
  bool utf8;
  const char* why;
};

TEST(Utf8DetectorTest, WholeFileVerdicts) {
  const DetectCase cases[] = {
      {"plain ASCII only\n", false, "no byte above 0x7F"},
      {"", false, "empty"},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\n", true, "two-, three- and four-byte forms"},
      {"caf\xE9\n", false, "Latin-1 e-acute"},
      {"it\x92s\n", false, "Windows quote"},
      {"\xEF\xBB\xBFplain\n", true, "byte-order mark"},
      {"\xEF\xBB\xBF\xE9", true, "byte-order mark wins over a bad byte"},
      {"\xC0\xAF", false, "overlong form"},
      {"\xE0\x80\xAF", false, "overlong three-byte form"},
      {"\xED\xA0\x80", false, "surrogate"},
      {"\xF4\x90\x80\x80", false, "above U+10FFFF"},
      {"\xF5\x80\x80\x80", false, "impossible lead byte"},
      {"ok \xC3", false, "cut short at the end"},
      {"\x80 ok", false, "stray continuation byte"},
  };
  for (const DetectCase& c : cases) {
    Utf8Detector whole;
    whole.Feed(c.bytes);
    EXPECT_EQ(whole.IsUtf8(), c.utf8) << c.why;
    // Byte by byte gives the same verdict: sequences may straddle chunks.
    Utf8Detector bytewise;
    for (char b : c.bytes) bytewise.Feed(std::string_view(&b, 1));
    EXPECT_EQ(bytewise.IsUtf8(), c.utf8) << c.why << " (byte by byte)";
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
    out << std::string(64 * 1024 - 1, 'a') << "\xC3\xA9" << "\n";
  }
  bool utf8 = false;
  EXPECT_EQ(DetectUtf8File(name.c_str(), utf8), 1);
  EXPECT_TRUE(utf8);
  std::remove(name.c_str());

  EXPECT_EQ(DetectUtf8File((name + ".missing").c_str(), utf8), 0);
  EXPECT_FALSE(utf8);
}

}  // namespace
