#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SourceLine.h"

namespace {

struct LineSpec {
  int type;
  int indent;
  int length;
  std::uint32_t flags = 0;
};

// Builds linked lines as a pass window holds them and counts each in turn,
// as they leave the window.
DocumentStatistics Accumulate(const std::vector<LineSpec>& specs) {
  std::vector<std::unique_ptr<SourceLine>> lines;
  for (const LineSpec& spec : specs) {
    lines.push_back(std::make_unique<SourceLine>(lines.empty() ? nullptr : lines.back().get()));
    lines.back()->lineType = spec.type;
    lines.back()->indent = spec.indent;
    lines.back()->length = spec.length;
    lines.back()->flags |= spec.flags;
  }
  DocumentStatistics statistics;
  for (auto& line : lines) line->AccumulateStatistics(statistics);
  return statistics;
}

TEST(AccumulateStatisticsTest, EachTypeGoesToItsHistogram) {
  const DocumentStatistics s = Accumulate({
      {101, 0, 20},  // chapter heading
      {112, 2, 30},  // underlined heading, level 2
      {153, 8, 40},  // contents line, level 3
      {120, 5, 10},  // capitalised heading: no indent
      {211, 3, 50},  // numbered bullet: no indent
      {210, 4, 50},  // bullet character: an indent like any text
      {0, 4, 60},
      {LineType::kBlank, 0, 0},
      {0, 4, 70, LineFlag::kUserPre | LineFlag::kPreformatted},  // user region: not counted
      {LineType::kBlank, -1, -1},  // the unread line after the last: no columns
      {LineType::kEndOfFile, 0, 0},
  });
  EXPECT_EQ(s.headingLevels[0].indents.Frequency(0), 1);
  EXPECT_EQ(s.numberedHeadings, 1);
  EXPECT_EQ(s.underlinedLevels[1].indents.Frequency(2), 1);
  EXPECT_EQ(s.underlinedHeadings, 1);
  EXPECT_EQ(s.contentsLevels[2].indents.Frequency(8), 1);
  EXPECT_EQ(s.indents.Total(), 3);
  EXPECT_EQ(s.indents.Frequency(4), 2);
  EXPECT_EQ(s.indents.Frequency(0), 1);
  EXPECT_EQ(s.lineLengths.Total(), 8);
  EXPECT_EQ(s.lineLengths.Smallest(), 0);
  EXPECT_EQ(s.lineLengths.Largest(), 60);
  // The end-of-file line leaves the previous-line state alone.
  EXPECT_EQ(s.previousType, LineType::kBlank);
  EXPECT_EQ(s.previousIndent, -1);
}

TEST(AccumulateStatisticsTest, ParagraphIndentIsAFirstLineIndentedAgainstTheNext) {
  struct Row {
    std::vector<LineSpec> lines;
    int counted;  // frequency of indent 3
  };
  const Row rows[] = {
      {{{1, 0, 0}, {0, 3, 60}, {0, 0, 60}}, 1},
      {{{0, 0, 60}, {0, 3, 60}, {0, 0, 60}}, 1},
      {{{217, 0, 0}, {0, 3, 60}, {0, 0, 60}}, 1},
      {{{1, 0, 0}, {0, 3, 60}}, 1},                // no next line
      {{{4, 0, 60}, {0, 3, 60}, {0, 0, 60}}, 0},   // previous line a rule
      {{{1, 2, 0}, {0, 3, 60}, {0, 0, 60}}, 0},    // previous line indented
      {{{1, 0, 0}, {0, 3, 60}, {0, 3, 60}}, 0},    // next line as deep
      {{{1, 0, 0}, {0, 3, 60}, {230, 0, 60}}, 0},  // next line not text
      {{{1, 0, 0}, {216, 3, 60}, {0, 0, 60}}, 0},  // this line not text
      {{{1, 0, 0}, {0, 3, 60, LineFlag::kUserPre}, {0, 0, 60}}, 0},
  };
  for (const Row& row : rows) {
    const DocumentStatistics s = Accumulate(row.lines);
    EXPECT_EQ(s.paragraphIndents.Frequency(3), row.counted)
        << "previous type " << row.lines[0].type << ", next "
        << (row.lines.size() > 2 ? row.lines[2].type : -9);
    EXPECT_EQ(s.paragraphIndents.Total(), row.counted);
  }
  EXPECT_EQ(Accumulate({{1, 0, 0}, {0, 10, 60}, {0, 0, 60}}).paragraphIndents.Total(), 0);
}

}  // namespace
