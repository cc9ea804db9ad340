#include "analysis/CodeTests.h"

#include <gtest/gtest.h>

namespace {

TEST(CodeTestsTest, LooksLikeCode) {
  const struct {
    const char* text;
    bool loose;
    bool strict;
  } cases[] = {
      {"", false, false},
      {"   ", false, false},
      {"int main() {", true, true},
      {"}", true, true},
      {"  x = y + 1;  ", true, true},
      {"printf(\"hi\");", true, true},
      {"i++;", true, true},
      {"return;", true, true},
      {"int count;", true, true},
      {"break;", false, true},
      {"a &lt;", false, false},
      {"x &amp;", false, false},
      {"Use a &lt;tag&gt; = &lt;", false, false},  // the ';' closes an entity
      {"case 1:", true, true},
      {"Note:", false, false},
      {"#include &lt;stdio.h&gt;", true, true},
      {"#include \"x.h\"", true, true},
      {"#ifdef DEBUG", true, true},
      {"# a shell comment", false, false},
      {"if (x) y", true, true},
      {"// comment", true, true},
      {"see http://example.com/page", false, false},
      {"see http://x.y/ // and a comment", true, true},
      {"/* block */", true, true},
      {"if (!done)", true, true},
      {"foo(bar)", false, true},
      {"public void run", false, true},
      {"a-&gt;b", false, true},
      {"a != b", false, true},
      {"std::string", false, true},
      {"a &amp;&amp; b", false, true},
      {"Just a sentence.", false, false},
      {"If (as expected) it works", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LooksLikeCode(c.text, false), c.loose) << c.text;
    EXPECT_EQ(LooksLikeCode(c.text, true), c.strict) << c.text;
  }
}

}  // namespace
