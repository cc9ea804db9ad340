#include "text/LineFile.h"

#include <gtest/gtest.h>

#include <string>

#include "TextTestSupport.h"

namespace {

// A line that is complete only once it holds `needed` characters, and counts
// its preparations.
class CountingLine : public ParsedString {
 public:
  explicit CountingLine(int neededLength) : needed(neededLength) {}
  bool IsComplete() const override { return Length() >= needed; }
  void PrepareText(FC& /*policy*/) override {
    ++prepared;
    expandedWhenPrepared = GetText();
  }
  int needed;
  int prepared = 0;
  std::string expandedWhenPrepared;
};

TEST(LineFileTest, ReadLineExpandsThenPrepares) {
  TempDir dir;
  LineFile file;
  ASSERT_EQ(file.OpenForReading(dir.Write("in.txt", "a\tb\r\nc").c_str()), 1);
  FC policy;
  CountingLine line(0);
  ASSERT_EQ(file.ReadLine(line, 4, policy), 1);
  EXPECT_STREQ(line.sourceText.GetText(), "a\tb");
  EXPECT_STREQ(line.GetText(), "a   b");
  EXPECT_EQ(line.prepared, 1);
  EXPECT_EQ(line.expandedWhenPrepared, "a   b");
  line.Clear();
  ASSERT_EQ(file.ReadLine(line, 4, policy), 1);
  EXPECT_STREQ(line.GetText(), "c");
  line.Clear();
  EXPECT_EQ(file.ReadLine(line, 4, policy), 0);
  EXPECT_EQ(line.prepared, 2);
}

// Lines from blocks of the file without a tab are not searched for one; a
// line whose tab lies in the next block is.
TEST(LineFileTest, TabsFoundAcrossBlocks) {
  TempDir dir;
  std::string bytes;
  while (bytes.size() < 65500) bytes += std::string(99, 'y') + "\n";
  const std::string head = std::string(65536 - bytes.size() + 3, 'h');
  bytes += head + "\tx\n";
  LineFile file;
  ASSERT_EQ(file.OpenForReading(dir.Write("in.txt", bytes).c_str()), 1);
  FC policy;
  CountingLine line(0);
  std::string last;
  while (file.ReadLine(line, 8, policy) == 1) {
    last = line.GetText();
    line.Clear();
  }
  EXPECT_EQ(last, head + std::string(8 - head.size() % 8, ' ') + "x");
}

TEST(LineFileTest, ReadLineAppendsUntilComplete) {
  TempDir dir;
  LineFile file;
  ASSERT_EQ(file.OpenForReading(dir.Write("in.txt", "ab\ncd\nef\n").c_str()), 1);
  FC policy;
  CountingLine line(4);
  ASSERT_EQ(file.ReadLine(line, 8, policy), 1);
  EXPECT_STREQ(line.GetText(), "abcd");
  line.Clear();
  // Only "ef" is left: no complete line, nothing prepared.
  EXPECT_EQ(file.ReadLine(line, 8, policy), 0);
  EXPECT_EQ(line.prepared, 1);
}

TEST(LineFileTest, WriteWrappedOnlyWhenWriting) {
  TempDir dir;
  ParsedString line;
  line.SetText("aaaa bbbb cccc");
  line.width = 10;
  LineFile reader;
  ASSERT_EQ(reader.OpenForReading(dir.Write("in.txt", "x\n").c_str()), 1);
  EXPECT_EQ(reader.WriteWrapped(line), 0);
  const std::string out = dir.Path("out.txt");
  {
    LineFile writer;
    ASSERT_EQ(writer.OpenForWriting(out.c_str()), 1);
    EXPECT_EQ(writer.WriteWrapped(line), 1);
  }
  EXPECT_EQ(ReadAll(out), "aaaa bbbb \ncccc\n");
}

}  // namespace
