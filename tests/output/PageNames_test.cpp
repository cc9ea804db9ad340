#include "output/PageNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"
#include "support/CaseFile.h"

namespace {

TEST(PageNamesTest, SectionNumbersDownToTheSplitLevel) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/output/output_cases.txt")) {
    if (r[0] != "page") continue;
    OutputRecord record;
    record.policy.splitKnown = 1;
    record.policy.splitLevel = std::stoi(r.at(3));
    record.policy.outputExtension.SetText(".html");
    record.policy.document.pageBaseName.SetText("guide");
    record.policy.document.currentPageName.SetText("guide_5");
    TextString name, extension;
    GetPageName(r[1] == "(none)" ? nullptr : r[1].c_str(), std::stoi(r.at(2)), record.policy, name,
                extension);
    EXPECT_EQ(name.View(), r.at(4)) << r[1];
    EXPECT_EQ(extension.View(), ".html");
  }
}

TEST(PageNamesTest, WordBeforeTheNumberAndNoSplitLevel) {
  OutputRecord record;
  record.policy.document.pageBaseName.SetText("book");
  record.policy.headingStyles[0].hasPrefix = 1;
  record.policy.splitKnown = 1;
  record.policy.splitLevel = 1;
  TextString name, extension;
  GetPageName("Chapter 3 Tools", LineType::NumberedHeading(1), record.policy, name, extension);
  EXPECT_EQ(name.View(), "book_3");
  record.policy.splitKnown = 0;
  GetPageName("Chapter 3 Tools", LineType::NumberedHeading(1), record.policy, name, extension);
  EXPECT_EQ(name.View(), "book");
}

TEST(PageNamesTest, DosNamesAreEightCharactersAndStable) {
  struct Case {
    const char* name;
    const char* expected;
  };
  // Worked by hand: "abcdefghij" sums the cubes 32^3 + 34^3 + ... + 50^3 =
  // 729800, which gives 9800; nine dots give -33075, which gives -3075.
  const std::vector<Case> cases = {
      {"abcdefghij", "abc09800"},
      {".........", "...-0307"},
      {"handbook", "handbook"},
      {"short", "short"},
  };
  for (const Case& c : cases) {
    TextString name(c.name);
    MakeDosPageName(name);
    EXPECT_EQ(name.View(), c.expected) << c.name;
  }

  OutputRecord record;
  record.policy.useDosFilenames = 1;
  record.policy.dosFilenameRoot.SetText("handb");
  record.policy.splitKnown = 1;
  record.policy.splitLevel = 2;
  TextString first, second, extension;
  GetPageName("12.4 Tools", LineType::NumberedHeading(2), record.policy, first, extension);
  GetPageName("12.4 Tools", LineType::NumberedHeading(2), record.policy, second, extension);
  EXPECT_EQ(first.Length(), 8);
  EXPECT_EQ(first.View().substr(0, 3), "han");
  EXPECT_EQ(first.View(), second.View());
}

}  // namespace
