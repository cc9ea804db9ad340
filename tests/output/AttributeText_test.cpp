#include "output/AttributeText.h"

#include <gtest/gtest.h>

#include "support/CaseFile.h"
#include "text/TextString.h"

namespace {

TEST(AttributeTextTest, EscapesValuesAndEncodesLinkNames) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/output/output_cases.txt")) {
    if (r[0] != "attribute") continue;
    TextString attribute, link;
    AppendAttributeText(attribute, r.at(1).c_str());
    AppendLinkName(link, r[1].c_str());
    EXPECT_EQ(attribute.View(), r.at(2)) << r[1];
    EXPECT_EQ(link.View(), r.at(3)) << r[1];
  }
}

}  // namespace
