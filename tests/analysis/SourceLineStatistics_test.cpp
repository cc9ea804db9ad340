#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "support/CaseFile.h"

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
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != "paragraph") continue;
    std::vector<LineSpec> lines;
    std::istringstream specs(r.at(1));
    for (std::string spec; std::getline(specs, spec, ';');) {
      std::istringstream fields(spec);
      LineSpec line{};
      fields >> line.type >> line.indent >> line.length >> line.flags;
      lines.push_back(line);
    }
    const DocumentStatistics s = Accumulate(lines);
    EXPECT_EQ(s.paragraphIndents.Frequency(3), std::stoi(r.at(2))) << r[1];
    EXPECT_EQ(s.paragraphIndents.Total(), std::stoi(r[2])) << r[1];
  }
  EXPECT_EQ(Accumulate({{1, 0, 0}, {0, 10, 60}, {0, 0, 60}}).paragraphIndents.Total(), 0);
}

}  // namespace
