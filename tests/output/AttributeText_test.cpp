#include "output/AttributeText.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/TextString.h"

namespace {

TEST(AttributeTextTest, EscapesValuesAndEncodesLinkNames) {
  struct Case {
    const char* text;
    const char* attribute;
    const char* link;
  };
  const std::vector<Case> cases = {
      {"plain-name_1.html", "plain-name_1.html", "plain-name_1.html"},
      {"say \"hi\"", "say &quot;hi&quot;", "say%20%22hi%22"},
      {"a&b &amp; &#62; &x", "a&amp;b &amp; &#62; &amp;x",
       "a&amp;b%20&amp;%20&amp;%2362;%20&amp;x"},
      {"<b>", "&lt;b&gt;", "&lt;b&gt;"},
      {"50% #2 ?", "50% #2 ?", "50%25%20%232%20%3F"},
      {"caf\xC3\xA9", "caf\xC3\xA9", "caf%C3%A9"},
  };
  for (const Case& c : cases) {
    TextString attribute, link;
    AppendAttributeText(attribute, c.text);
    AppendLinkName(link, c.text);
    EXPECT_EQ(attribute.View(), c.attribute) << c.text;
    EXPECT_EQ(link.View(), c.link) << c.text;
  }
}

}  // namespace
