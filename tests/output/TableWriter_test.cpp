#include "output/TableWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"
#include "analysis/PreformattedBlock.h"

namespace {

// Framing is judged from the rule lines a table has, near its top and at
// its end; a table shorter than the lines looked at is judged on those it has.
TEST(TableWriterTest, FramedChecksAtTheEdges) {
  const struct {
    std::vector<std::string> lines;
    bool bordered;
    bool header;
  } cases[] = {
      {{"ab  cd", "--  --", "ef  gh"}, true, true},
      {{"ab  cd", "------"}, false, false},
      {{"------", "ab  cd", "------", "------"}, true, false},
      {{"------", "ab  cd", "------"}, true, true},
      {{"ab  cd", "ef  gh"}, false, false},
      {{"------", "ab  cd", "------", "ef  gh", "ij  kl", "------"}, true, true},
  };
  for (const auto& c : cases) {
    OutputRecord record;
    PreformattedBlock block;
    for (const std::string& text : c.lines) {
      SourceLine line;
      line.SetText(text);
      line.rawText.SetText(text);
      line.escapedText.SetText(text);
      block.AddLine(line);
    }
    block.SetUserKinds(false, true, false, false);
    const TableConfig config;
    block.ParseTable(config, record.policy);
    const std::string table = Capture([&](std::FILE* stream) {
      TableWriter(block, stream, record.policy, config).WriteTable(true);
    });
    const std::string first = c.lines.front();
    EXPECT_EQ(table.find("BORDER=2") != std::string::npos, c.bordered) << first << table;
    EXPECT_EQ(table.find("<TH") != std::string::npos, c.header) << first << table;
  }
}

}  // namespace
