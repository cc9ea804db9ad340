#include "output/DocumentPages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"

namespace {

using Entry = RunContext::ContentsEntry;

// A document split at level 1 whose chapter 2 comes twice and whose last
// page begins at an unnumbered heading: the pages as the writer names them,
// and the answers for sections before and after they are written.
TEST(DocumentPagesTest, NamesPagesOnceAndKnowsWhereEachSectionIs) {
  OutputRecord record;
  FC& policy = record.policy;
  policy.splitKnown = 1;
  policy.splitLevel = 1;
  policy.numberedHeadings = 0;
  policy.outputExtension.SetText(".html");
  policy.document.pageBaseName.SetText("guide");
  const std::vector<Entry> headings = {{LineType::NumberedHeading(1), TextString("1 Intro"), 3},
                                       {LineType::NumberedHeading(2), TextString("1.1 Scope"), 9},
                                       {LineType::NumberedHeading(1), TextString("2 Use"), 20},
                                       {LineType::NumberedHeading(1), TextString("2 Again"), 30},
                                       {LineType::UnderlinedHeading(1), TextString("Index"), 40}};
  DocumentPages pages;
  pages.NamePage(nullptr, 0, 0, policy);
  DocumentPages planned = pages;
  planned.Plan(headings, policy);

  TextString page;
  EXPECT_EQ(pages.PageOfSection("Section_2", policy, page), 0) << "later, not planned";
  std::vector<std::string> names;
  for (const Entry& heading : headings) {
    if (pages.StartsPage(heading.lineType, heading.text, heading.processedLines, policy)) {
      names.emplace_back(
          pages.NamePage(heading.text.GetText(), heading.lineType, heading.processedLines, policy)
              .View());
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"guide_1", "guide_2", "guide_p4", "guide_p5"}));

  const struct {
    const char* anchor;
    const char* href;  // empty: unknown
  } kSections[] = {{"Section_1.1", "guide_1.html#Section_1.1"},
                   {"Section_2", "guide_2.html#Section_2"},
                   {"Index", "guide_p5.html#Index"},
                   {"Section_9", ""}};
  for (const auto& section : kSections) {
    TextString href;
    EXPECT_EQ(planned.SectionHref(section.anchor, policy, href), *section.href != '\0');
    EXPECT_EQ(href.View(), section.href) << section.anchor;
  }
  policy.splitKnown = 0;
  TextString href;
  EXPECT_EQ(DocumentPages().SectionHref("Section_9", policy, href), 0) << "no page yet";
  EXPECT_EQ(pages.SectionHref("Section_9", policy, href), 1) << "one page, no plan";
  EXPECT_EQ(href.View(), "#Section_9");
}

}  // namespace
