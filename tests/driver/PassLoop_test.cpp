#include "driver/PassLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "driver/LineSource.h"
#include "driver/LineWindow.h"
#include "driver/PassWork.h"
#include "policy/FC.h"

namespace {

// Supplies "line 1" ... "line N"; every seventh line is blank.
class CountingSource : public LineSource {
 public:
  explicit CountingSource(int count) : count_(count) {}
  bool ReadLine(SourceLine& line, FC&) override {
    if (read_ == count_) return false;
    ++read_;
    line.Reset(false);
    line.SetText(read_ % 7 == 0 ? "" : "line " + std::to_string(read_));
    return true;
  }

 private:
  int count_;
  int read_ = 0;
};

struct Seen {
  std::string text;
  int number;
  int type;
  int processed;
  bool flushed;
  bool hasPrev;
  bool hasNext;
};

class RecordingWork : public PassWork {
 public:
  void LineLeaving(SourceLine& line, FC& policy) override { Record(line, policy, false); }
  void LineFlushed(SourceLine& line, FC& policy) override { Record(line, policy, true); }
  std::vector<Seen> seen;

 private:
  void Record(SourceLine& line, FC& policy, bool flushed) {
    seen.push_back({std::string(line.View()), line.sourceLineNumber, line.lineType,
                    policy.document.processedLines, flushed, line.prev != nullptr,
                    line.next != nullptr});
  }
};

class RunPassTest : public testing::TestWithParam<int> {};

TEST_P(RunPassTest, EveryLineReachesTheWorkInOrderThenBlankAndEndOfFile) {
  const int count = GetParam();
  CountingSource source(count);
  FC policy;
  DocumentStatistics statistics;
  RecordingWork work;
  RunPass(source, policy, statistics, work);

  ASSERT_EQ(static_cast<int>(work.seen.size()), count + 2);
  // Lines leave the window once 39 newer lines have been read; with 37 lines
  // or fewer everything comes out at the flush.
  const int leaving = count + 2 > 39 ? count + 2 - 39 : 0;
  for (int i = 0; i < count + 2; ++i) {
    const Seen& s = work.seen[i];
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(s.processed, i + 1);
    EXPECT_EQ(s.flushed, i >= leaving);
    if (i < count) {
      const int n = i + 1;
      EXPECT_EQ(s.number, n);
      EXPECT_EQ(s.text, n % 7 == 0 ? "" : "line " + std::to_string(n));
      // Classified: text lines become 0, empty ones blank.
      EXPECT_EQ(s.type, n % 7 == 0 ? LineType::kBlank : LineType::kText);
    } else {
      EXPECT_EQ(s.text, "");
      EXPECT_EQ(s.number, -1);
      EXPECT_EQ(s.type, i == count ? LineType::kBlank : LineType::kEndOfFile);
    }
    // A line leaving is the oldest in memory and has the next one after it.
    if (!s.flushed) {
      EXPECT_FALSE(s.hasPrev);
      EXPECT_TRUE(s.hasNext);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FileLengths, RunPassTest, testing::Values(0, 1, 37, 38, 39, 100));

class CountingWork : public PassWork {
 public:
  void LineLeaving(SourceLine&, FC&) override { ++leaving; }
  void LineFlushed(SourceLine&, FC&) override { ++flushed; }
  int leaving = 0;
  int flushed = 0;
};

TEST(LineWindow, HoldsFortyLinesLinkedInOrder) {
  LineWindow window;
  FC policy;
  CountingWork work;
  EXPECT_EQ(window.BeforeNewest(), nullptr);
  for (int i = 0; i < 45; ++i) {
    window.Newest().SetText(std::to_string(i));
    window.Advance(work, policy);
  }
  EXPECT_EQ(work.leaving, 6);
  // Walking back from the newest line meets the 39 lines still held, newest
  // first, and stops at a null link.
  int steps = 0;
  for (SourceLine* line = window.BeforeNewest(); line != nullptr; line = line->PreviousLine()) {
    EXPECT_EQ(line->View(), std::to_string(44 - steps));
    ++steps;
  }
  EXPECT_EQ(steps, 39);
  window.Flush(work, policy);
  EXPECT_EQ(work.flushed, 39);
  EXPECT_EQ(policy.document.processedLines, 45);
}

}  // namespace
