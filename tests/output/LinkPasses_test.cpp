#include "output/LinkPasses.h"

#include <gtest/gtest.h>

#include "OutputTestSupport.h"
#include "output/DocumentPages.h"
#include "text/TextString.h"

namespace {

struct TextCase {
  const char* text;
  const char* expected;
};

// Chapters 1 to 5 with sections 1 to 4 seen, headings at column 0.
void NumberHeadings(OutputRecord& record) {
  FC& policy = record.policy;
  policy.headingStyles[0].smallestNumber = 1;
  policy.headingStyles[0].largestNumber = 5;
  policy.headingStyles[1].smallestNumber = 1;
  policy.headingStyles[1].largestNumber = 4;
  policy.headingStyles[0].indent = 0;
  policy.headingStyles[1].indent = 0;
  // The analysis found these on lines 10, 20 ...; 4.1 at a wrong indent.
  int line = 0;
  for (const auto& [number, indent] :
       std::initializer_list<std::pair<const char*, int>>{{"1", 0},
                                                          {"2", 0},
                                                          {"3", 0},
                                                          {"1.1", 0},
                                                          {"2.1", 0},
                                                          {"3.2", 0},
                                                          {"4.2", 1},
                                                          {"4.1", 5}}) {
    record.run.analysedSections[number] = {{indent, line += 10}};
  }
}

void CheckCrossReferences(const FC& policy, const TextCase& c,
                          const DocumentPages* pages = nullptr) {
  TextString text(c.text);
  LinkCrossReferences(policy, text, nullptr, pages);
  EXPECT_EQ(text.View(), c.expected) << c.text;
}

TEST(LinkPassesTest, CrossReferencesLinkSectionsThatHaveHeadings) {
  OutputRecord record;
  FC& policy = record.policy;
  NumberHeadings(record);
  const TextCase atLevel2[] = {
      {"see section 3.2 for", "see section <A HREF=\"#Section_3.2\">3.2</A> for"},
      {"(4.2), and 1.1.<BR>",
       "(<A HREF=\"#Section_4.2\">4.2</A>), and <A HREF=\"#Section_1.1\">1.1</A>.<BR>"},
      {"chapter 3", "chapter 3"},              // level 0 is below the level asked for
      {"3.7 6.1 0.2", "3.7 6.1 0.2"},          // outside the numbers seen
      {"3.3 4.1 03.2", "3.3 4.1 03.2"},        // no heading, a wrong indent, another anchor
      {"3.2.1 12.3.1998", "3.2.1 12.3.1998"},  // a level never seen
      {"v3.2 3-2 3.2a", "v3.2 3-2 3.2a"},
      {"<A HREF=\"#x\">see 3.2</A> <B>2.1</B>",
       "<A HREF=\"#x\">see 3.2</A> <B><A HREF=\"#Section_2.1\">2.1</A></B>"},
      // Words are split by blanks and tabs only; brackets may open a word.
      {"the words before it run past a few blocks:\t[(2.1)]  and x3.2,y 3.2,2.1 (3.2),",
       "the words before it run past a few blocks:\t[(<A HREF=\"#Section_2.1\">2.1</A>)]  and "
       "x3.2,y 3.2,2.1 (<A HREF=\"#Section_3.2\">3.2</A>),"},
      // A '<' opening no tag (text passed through unescaped) is no tag.
      {"<B>x</B> a<b 3.2 <", "<B>x</B> a<b <A HREF=\"#Section_3.2\">3.2</A> <"},
      {"<B>x</B> [(2.1)] 3.2,2.1 (3.2),",
       "<B>x</B> [(<A HREF=\"#Section_2.1\">2.1</A>)] 3.2,2.1 (<A HREF=\"#Section_3.2\">3.2</A>),"},
  };
  for (const TextCase& c : atLevel2) CheckCrossReferences(policy, c);

  // Once the writer is past 3.2, a heading not written before it has none.
  DocumentPages pages;
  pages.NamePage(nullptr, 0, 0, policy);
  pages.AddNumberedSection(TextString("Section_3.2"), {3, 2, -1, -1, -1, -1});
  CheckCrossReferences(policy,
                       {"2.1 3.2 4.2",
                        "2.1 <A HREF=\"#Section_3.2\">3.2</A> "
                        "<A HREF=\"#Section_4.2\">4.2</A>"},
                       &pages);

  policy.crossRefLevel = 1;
  CheckCrossReferences(policy, {"chapter 3.", "chapter 3."}, &pages);  // passed, never written
  CheckCrossReferences(policy, {"chapter 4.", "chapter 4."}, &pages);  // ahead, never found
  record.run.analysedSections["4"] = {{0, 200}};
  CheckCrossReferences(policy, {"chapter 4.", "chapter <A HREF=\"#Section_4\">4</A>."}, &pages);
  policy.numberedHeadings = 0;
  CheckCrossReferences(policy, {"chapter 4.", "chapter 4."}, &pages);
  policy.numberedHeadings = 1;
  policy.crossRefLevel = 0;
  CheckCrossReferences(policy, {"chapter 4.", "chapter 4."}, &pages);
}

TEST(LinkPassesTest, ClassifiedLinesAheadDecideAboutTheirHeadings) {
  OutputRecord record;
  NumberHeadings(record);  // 3.2 on line 60, 4.2 on line 70
  LineChain lines({{LineType::kText, "see 3.2 and 4.2"},
                   {LineType::NumberedHeading(2), "3.2 Kept"},
                   {LineType::kText, "4.2 Rejected by the output"}});
  lines[0].sourceLineNumber = 50;
  lines[1].sourceLineNumber = 60;
  lines[1].sectionNumber = {3, 2, -1, -1, -1, -1};
  lines[2].sourceLineNumber = 70;
  TextString text("see 3.2 and 4.2");
  LinkCrossReferences(record.policy, text, &lines[0]);
  EXPECT_EQ(text.View(), "see <A HREF=\"#Section_3.2\">3.2</A> and 4.2");
}

// The numbers are found wherever they stand in the blocks the digit search
// steps through, after bytes next to the digits in the code table and bytes
// above 0x7F whose low bits are a digit's; the digits of a link just made
// are not taken again.
TEST(LinkPassesTest, CrossReferencesFoundAtEveryOffset) {
  OutputRecord record;
  NumberHeadings(record);
  const std::string fill = "/:\xB3x\xB9:/";
  for (std::size_t length = 0; length <= 40; ++length) {
    std::string before;
    while (before.size() < length) before += fill[before.size() % fill.size()];
    const std::string text = before + " 3.2 " + before + " 2.1";
    const std::string expected = before + " <A HREF=\"#Section_3.2\">3.2</A> " + before +
                                 " <A HREF=\"#Section_2.1\">2.1</A>";
    CheckCrossReferences(record.policy, {text.c_str(), expected.c_str()});
  }
}

TEST(LinkPassesTest, SplitDocumentsLinkOnlyToPagesKnownToHoldTheSection) {
  OutputRecord record;
  FC& policy = record.policy;
  NumberHeadings(record);
  policy.splitKnown = 1;
  policy.splitLevel = 1;
  policy.outputExtension.SetText(".html");
  CheckCrossReferences(policy, {"see 3.2", "see 3.2"});

  // The first heading of an anchor keeps its page.
  DocumentPages pages;
  policy.document.pageBaseName.SetText("guide");
  pages.NamePage("3 Three", LineType::NumberedHeading(1), 0, policy);
  pages.AddNumberedSection(TextString("Section_3.2"), {3, 2, -1, -1, -1, -1});
  pages.NamePage("4 Four", LineType::NumberedHeading(1), 0, policy);
  pages.AddNumberedSection(TextString("Section_3.2"), {3, 2, -1, -1, -1, -1});
  CheckCrossReferences(
      policy, {"see 3.2, not 4.2", "see <A HREF=\"guide_3.html#Section_3.2\">3.2</A>, not 4.2"},
      &pages);
}

TEST(LinkPassesTest, DictionaryLinksFirstMatchOutsideMarkup) {
  OutputRecord record;
  FC& policy = record.policy;
  policy.AddLinkDefinition("policy file", "policy files", "policy.htm");
  policy.AddLinkDefinition("a<b", "a<b & c", "x.htm?a=\"1\"");
  policy.AddLinkDefinition("amp", "AMP", "amp.htm");
  policy.AddLinkDefinition("files", "F", "f.htm");  // sees the link text made above
  policy.AddLinkDefinition("", "never", "empty.htm");
  const TextCase cases[] = {
      {"A Policy File and a policy file",
       "A <A HREF=\"policy.htm\">policy <A HREF=\"f.htm\">F</A></A> and a policy file"},
      {"is a&lt;b here", "is <A HREF=\"x.htm?a=&quot;1&quot;\">a&lt;b &amp; c</A> here"},
      {"R&amp;D <B CLASS=amp>amp</B>", "R&amp;D <B CLASS=amp><A HREF=\"amp.htm\">AMP</A></B>"},
  };
  for (const TextCase& c : cases) {
    TextString text(c.text);
    EXPECT_EQ(ApplyLinkDictionary(policy, text), 1) << c.text;
    EXPECT_EQ(text.View(), c.expected) << c.text;
  }
  TextString plain("nothing here");
  EXPECT_EQ(ApplyLinkDictionary(policy, plain), 0);
  EXPECT_EQ(plain.View(), "nothing here");
  // The record keeps the definitions as typed, so a saved policy file does.
  EXPECT_EQ(policy.linkDefinitions[1].matchText.View(), "a<b");
  EXPECT_EQ(policy.linkDefinitions[1].linkText.View(), "a<b & c");
}

}  // namespace
