#include "output/BlockText.h"

#include <gtest/gtest.h>

#include <string>

#include "OutputTestSupport.h"

namespace {

// A work line used for text after text must mark each as a new line would:
// nothing of a text (its flags, links, overstrike, trimming) may reach the
// next one.
TEST(BlockTextTest, ReusedWorkLineMarksAsNewLine) {
  const char* const texts[] = {"see http://example.com/a.html for more",
                               "*bold* and _under_ words",
                               "  x\bx overstruck  ",
                               "plain text",
                               "mail someone@example.com now",
                               "",
                               "_half open",
                               "end *of* list"};
  OutputRecord reused;
  OutputRecord fresh;
  SourceLine work;
  int number = 0;
  for (const char* source : texts) {
    for (const bool trim : {false, true}) {
      ++number;
      TextString kept(source);
      MarkBlockInline(kept, reused.policy, number, trim, work);
      MarkBlockEmphasis(kept, reused.policy, number, work);
      TextString once(source);
      SourceLine newLine;
      MarkBlockInline(once, fresh.policy, number, trim, newLine);
      SourceLine otherLine;
      MarkBlockEmphasis(once, fresh.policy, number, otherLine);
      EXPECT_EQ(kept.View(), once.View()) << source << " trim " << trim;
    }
  }
  EXPECT_EQ(reused.messages, fresh.messages);
}

}  // namespace
