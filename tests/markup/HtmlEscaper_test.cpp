#include "markup/HtmlEscaper.h"

#include <gtest/gtest.h>

#include "text/TextString.h"

namespace {

struct EscapeCase {
  const char* input;
  const char* expected;
};

TEST(HtmlEscaperTest, EscapesAmpersandsFirstThenAngles) {
  const EscapeCase cases[] = {
      {"a < b & c", "a &lt; b &amp; c"},
      {"&lt;", "&amp;lt;"},  // text that already reads like an entity is text
      {"<<>>", "&lt;&lt;&gt;&gt;"},
      {"x->y", "x-&gt;y"},
      {"", ""},
      {"plain", "plain"},
  };
  for (const EscapeCase& c : cases) {
    TextString text(c.input);
    EXPECT_EQ(EscapeHtml(text), 1) << c.input;
    EXPECT_EQ(text.View(), c.expected) << c.input;
  }
}

}  // namespace
