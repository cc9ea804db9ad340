// The depth of numbered headings: five levels have line types, a sixth
// has none. Reply-code classes are no numbers with a letter suffix.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ClassifySupport.h"
#include "analysis/LineType.h"

namespace {

TEST(HeadingLevels, FiveLevelsAreHeadingsASixthIsNot) {
  ClassifyRun run(ClassifyRun::kAnalysis);
  run.policy.expectContentsList = 0;
  std::vector<std::string> lines;
  std::string number = "1";
  for (int level = 0; level < 6; ++level) {
    lines.insert(lines.end(), {"", number + "  Title", "", "   Text."});
    number += ".1";
  }
  run.Feed(lines);
  for (int level = 0; level < 5; ++level) {
    EXPECT_EQ(run.Line(2 + 4 * level).lineType, LineType::kNumberedHeading1 + level) << level;
  }
  // Once given the type after level 5's, a type no writer knows.
  const int sixth = run.Line(22).lineType;
  EXPECT_NE(sixth, LineType::kNumberedHeading5 + 1);
  EXPECT_NE(sixth, LineType::kContentsLine5 + 1);
}

// RFC 959's reply-code classes: not headings 1 to 5, no letters counted.
TEST(HeadingLevels, ReplyCodeClassesAreNoSuffixedNumbers) {
  ClassifyRun run(ClassifyRun::kAnalysis);
  run.policy.expectContentsList = 0;
  run.Feed({"", "            1yz   Positive Preliminary reply", "",
            "               The requested action is being initiated; expect another", "",
            "            2yz   Positive Completion reply", "",
            "               The requested action has been successfully completed.  A"});
  EXPECT_FALSE(LineType::IsNumberedHeading(run.Line(2).lineType));
  EXPECT_FALSE(LineType::IsNumberedHeading(run.Line(6).lineType));
  EXPECT_EQ(run.statistics.alphabeticsAfterHeadings, 0);
}

}  // namespace
