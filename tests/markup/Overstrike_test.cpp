#include "markup/Overstrike.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseFile.h"
#include "text/TextString.h"

namespace {

TEST(OverstrikeTest, CasesOfTheDataFile) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/markup/markup_cases.txt")) {
    if (r[0] != "overstrike") continue;
    TextString replacement;
    const int matched = MarkOverstrike(TextString(r.at(1)), replacement);
    EXPECT_EQ(matched, r.at(2) == "(none)" ? 0 : 1) << r[1];
    EXPECT_EQ(replacement.View(), matched ? r[2] : "") << r[1];
  }
}

}  // namespace
