#include "output/LinkPasses.h"

#include <gtest/gtest.h>

#include "OutputTestSupport.h"
#include "text/TextString.h"

namespace {

struct TextCase {
  const char* text;
  const char* expected;
};

// Chapters 1 to 5 with sections 1 to 4 seen; no deeper level.
void NumberHeadings(FC& policy) {
  policy.headingStyles[0].smallestNumber = 1;
  policy.headingStyles[0].largestNumber = 5;
  policy.headingStyles[1].smallestNumber = 1;
  policy.headingStyles[1].largestNumber = 4;
}

void CheckCrossReferences(const FC& policy, const TextCase& c) {
  TextString text(c.text);
  LinkCrossReferences(policy, text);
  EXPECT_EQ(text.View(), c.expected) << c.text;
}

TEST(LinkPassesTest, CrossReferencesLinkSectionsInRangeAtTheLevel) {
  OutputRecord record;
  FC& policy = record.policy;
  NumberHeadings(policy);
  const TextCase atLevel2[] = {
      {"see section 3.2 for", "see section <A HREF=\"#Section_3.2\">3.2</A> for"},
      {"(4.2), and 1.1.<BR>",
       "(<A HREF=\"#Section_4.2\">4.2</A>), and <A HREF=\"#Section_1.1\">1.1</A>.<BR>"},
      {"chapter 3", "chapter 3"},           // level 0 is below the level asked for
      {"3.7 6.1 0.2", "3.7 6.1 0.2"},       // outside the numbers seen
      {"3.2.1 12.3.1998", "3.2.1 12.3.1998"},  // a level never seen
      {"v3.2 3-2 3.2a", "v3.2 3-2 3.2a"},
      {"<A HREF=\"#x\">see 3.2</A> <B>2.1</B>",
       "<A HREF=\"#x\">see 3.2</A> <B><A HREF=\"#Section_2.1\">2.1</A></B>"},
  };
  for (const TextCase& c : atLevel2) CheckCrossReferences(policy, c);

  policy.crossRefLevel = 1;
  CheckCrossReferences(policy, {"chapter 3.", "chapter <A HREF=\"#Section_3\">3</A>."});
  policy.numberedHeadings = 0;
  CheckCrossReferences(policy, {"chapter 3.", "chapter 3."});
  policy.numberedHeadings = 1;
  policy.crossRefLevel = 0;
  CheckCrossReferences(policy, {"chapter 3.", "chapter 3."});
}

TEST(LinkPassesTest, SplitDocumentsLinkOnlyToPagesKnownToHoldTheSection) {
  OutputRecord record;
  FC& policy = record.policy;
  NumberHeadings(policy);
  policy.splitKnown = 1;
  policy.splitLevel = 1;
  policy.outputExtension.SetText(".html");
  CheckCrossReferences(policy, {"see 3.2", "see 3.2"});

  policy.document.currentPageName.SetText("guide_3");
  RecordSectionPage(policy, TextString("Section_3.2"));
  policy.document.currentPageName.SetText("guide_4");
  RecordSectionPage(policy, TextString("Section_3.2"));  // a repeat keeps the first
  CheckCrossReferences(policy, {"see 3.2, not 3.1",
                                "see <A HREF=\"guide_3.html#Section_3.2\">3.2</A>, not 3.1"});
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
      {"is a&lt;b here",
       "is <A HREF=\"x.htm?a=&quot;1&quot;\">a&lt;b &amp; c</A> here"},
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
