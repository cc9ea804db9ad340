#include "analysis/PreformattedBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/SourceLine.h"
#include "policy/FC.h"

namespace {

void Fill(PreformattedBlock& block, const std::vector<std::string>& lines) {
  for (const std::string& text : lines) {
    SourceLine line;
    line.SetText(text);
    line.rawText.SetText(text);
    line.escapedText.SetText(text);
    block.AddLine(line);
  }
}

std::vector<std::string> Repeat(const std::string& line, int count) {
  return std::vector<std::string>(static_cast<std::size_t>(count), line);
}

// The column separation is at least 1 (a smaller one would split at every
// position), at least 2 below six lines, and a wide one is searched once.
TEST(PreformattedBlockTest, ColumnSeparationLimits) {
  const struct {
    int lines;
    const char* line;
    int separation;
    std::size_t columns;
  } cases[] = {
      {6, "ab cd ef", 1, 3},
      {6, "ab cd ef", 0, 3},
      {6, "ab cd ef", -1, 3},
      {5, "ab cd ef", 1, 1},
      {5, "ab  cd  ef", 1, 3},
      {6, "ab        cd        ef", 50, 1},
      {6, "ab        cd        ef", 7, 2},
      // More lines than a byte counts, the columns past sixteen positions.
      {600, "abcdefghijklmnop        qrstuvwx        yz", 1, 3},
  };
  for (const auto& c : cases) {
    PreformattedBlock block;
    Fill(block, Repeat(c.line, c.lines));
    FC policy;
    TableConfig config;
    config.minColumnSeparation = c.separation;
    block.ParseTable(config, policy);
    EXPECT_EQ(block.Columns().size(), c.columns)
        << c.lines << " x \"" << c.line << "\" at " << c.separation;
  }
}

// A merged-away last column asks for a wider separation: the search doubles
// it and ends, even from a separation of 0.
TEST(PreformattedBlockTest, WiderSeparationSearchEnds) {
  for (const int separation : {0, 1, 5}) {
    PreformattedBlock block;
    std::vector<std::string> lines = Repeat("ab cd", 6);
    lines.push_back("ab cd ef");
    Fill(block, lines);
    FC policy;
    TableConfig config;
    config.minColumnSeparation = separation;
    block.ParseTable(config, policy);
    EXPECT_EQ(block.Columns().size(), 1u) << separation;
  }
}

// A rule is drawn characters and blanks with fewer than 5% other characters.
TEST(PreformattedBlockTest, RuleLines) {
  const struct {
    std::string text;
    bool rule;
  } cases[] = {
      {std::string(19, '-') + "x", false},
      {std::string(39, '-') + "x", true},
      {"x" + std::string(39, '='), true},
      {"+--+--+" + std::string(30, ' ') + "|", true},
      {"x" + std::string(18, ' ') + "-", false},
      {"x" + std::string(19, ' ') + "-", true},
      {"ab" + std::string(38, '~'), false},
      {"-", true},
  };
  for (const auto& c : cases) {
    PreformattedBlock block;
    Fill(block, {"  " + c.text});
    FC policy;
    block.ParseTable(TableConfig(), policy);
    EXPECT_EQ(block.LineAt(0).rule, c.rule) << c.text;
    EXPECT_EQ(block.RuleLines(), c.rule ? 1 : 0) << c.text;
  }
}

TEST(PreformattedBlockTest, VerdictsOfRegionsWithoutCells) {
  FC policy;
  TableConfig config;
  PreformattedBlock rules;
  Fill(rules, {"----------", "", "=========="});
  rules.ParseTable(config, policy);
  EXPECT_FALSE(rules.IsTableLike());
  EXPECT_FALSE(rules.IsAutoDiagram());

  // A sign on a column boundary stays with its number.
  PreformattedBlock signs;
  Fill(signs, {"alpha  -5", "beta   12", "gamma  -7", "delta  10", "eps    -1", "zeta   33"});
  signs.ParseTable(config, policy);
  std::vector<PreformattedBlock::Cell> cells;
  signs.SplitCells(0, cells);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[1].text.View(), "-5");
}

// A block cleared for the next region reads it as a new block would: no
// line, measure or verdict of the region before stays.
TEST(PreformattedBlockTest, ClearedBlockIsLikeANewOne) {
  FC policy;
  const std::vector<std::string> first = {"------------------------", "alpha  -5   x",
                                          "beta   12   y", "gamma  -7   z",
                                          "delta  10   w", "", "=========================="};
  const std::vector<std::string> second = {"  one line of text", ""};
  PreformattedBlock reused;
  Fill(reused, first);
  reused.ParseTable(TableConfig(), policy);
  reused.Clear();
  Fill(reused, second);
  reused.ParseTable(TableConfig(), policy);
  PreformattedBlock fresh;
  Fill(fresh, second);
  fresh.ParseTable(TableConfig(), policy);

  ASSERT_EQ(reused.LineCount(), fresh.LineCount());
  EXPECT_EQ(reused.Columns().size(), fresh.Columns().size());
  EXPECT_EQ(reused.RuleLines(), fresh.RuleLines());
  EXPECT_EQ(reused.BlankLines(), fresh.BlankLines());
  EXPECT_EQ(reused.FirstRule(), fresh.FirstRule());
  EXPECT_EQ(reused.Width(), fresh.Width());
  EXPECT_EQ(reused.IsTableLike(), fresh.IsTableLike());
  for (int i = 0; i < fresh.LineCount(); ++i) {
    EXPECT_EQ(reused.LineAt(i).raw.View(), fresh.LineAt(i).raw.View()) << i;
    EXPECT_EQ(reused.LineAt(i).blank, fresh.LineAt(i).blank) << i;
    EXPECT_EQ(reused.LineAt(i).rule, fresh.LineAt(i).rule) << i;
  }
}

}  // namespace
