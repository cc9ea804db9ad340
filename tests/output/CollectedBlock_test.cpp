#include "output/CollectedBlock.h"

#include <gtest/gtest.h>

#include <memory>

#include "OutputTestSupport.h"

namespace {

TEST(CollectedBlockTest, KeepsDeepCopiesLinkedOnlyToEachOther) {
  CollectedBlock block;
  {
    LineChain lines({{LineType::kText, "before"},
                     {LineType::kText, "a < b", 2, LineFlag::kPreformatted},
                     {LineType::kRule, "----", 0, LineFlag::kPreformatted},
                     {LineType::kText, "after"}});
    lines[1].escapedText.SetText("  a &lt; b");
    block.AddLine(lines[1]);
    block.AddLine(lines[2]);
  }
  ASSERT_EQ(block.LineCount(), 2);
  const SourceLine* first = block.Line(0);
  const SourceLine* second = block.Line(1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(block.Line(2), nullptr);
  EXPECT_EQ(block.Line(-1), nullptr);
  EXPECT_EQ(first->prev, nullptr);
  EXPECT_EQ(first->next, second);
  EXPECT_EQ(second->prev, first);
  EXPECT_EQ(second->next, nullptr);
  EXPECT_EQ(first->View(), "a < b");
  EXPECT_EQ(first->escapedText.View(), "  a &lt; b");

  EXPECT_EQ(Capture([&](std::FILE* stream) { block.WritePreformatted(stream); }),
            "<!-- Automatically detected pre-formatted text -->\n<PRE>\n  a &lt; b\n----\n</PRE>\n"
            "<!-- end of automatically detected pre-formatted text -->\n");
  EXPECT_EQ(block.WritePreformatted(nullptr), 0);
}

TEST(CollectedBlockTest, UserKindChoosesTheComments) {
  struct Case {
    bool pre, table, code, diagram;
    const char* opening;
  };
  const Case cases[] = {
      {true, false, false, false, "<!-- User-specified pre-formatted text -->"},
      {false, true, false, false, "<!-- Automatically detected pre-formatted text -->"},
      {true, false, true, true, "<!-- User-specified CODE sample -->"},
      {true, false, false, true, "<!-- User-specified DIAGRAM -->"},
  };
  for (const Case& c : cases) {
    CollectedBlock block;
    block.SetUserKinds(c.pre, c.table, c.code, c.diagram);
    EXPECT_TRUE(block.IsUserSpecified());
    const std::string text = Capture([&](std::FILE* stream) { block.WritePreformatted(stream); });
    EXPECT_EQ(text.substr(0, text.find('\n')), c.opening);
  }
}

}  // namespace
