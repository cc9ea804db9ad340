#include "markup/WordPass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/TextString.h"

namespace {

std::vector<std::string> WordsOf(const char* input, TagHandling tags) {
  TextString text(input);
  std::vector<std::string> words;
  RunWordPass(text, tags, [&](const TextString& word, TextString&) {
    words.emplace_back(word.View());
    return 0;
  });
  return words;
}

TEST(WordPassTest, SplitsAtBlanksCommasAnglesAndAngleEntities) {
  using V = std::vector<std::string>;
  EXPECT_EQ(WordsOf("a b,c\td", TagHandling::kDelimit), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(WordsOf("x&lt;y&gt;z &amp;w", TagHandling::kDelimit), (V{"x", "y", "z", "&amp;w"}));
  EXPECT_EQ(WordsOf("<B>bold</B>", TagHandling::kDelimit), (V{"B", "bold", "/B"}));
  EXPECT_EQ(WordsOf("<A HREF=\"x_y\">link</A>", TagHandling::kSkip), (V{"link"}));
  EXPECT_EQ(WordsOf("a < b", TagHandling::kSkip), (V{"a", "b"}));  // no ">": a delimiter
  EXPECT_EQ(WordsOf("  ", TagHandling::kDelimit), V{});
}

TEST(WordPassTest, ReplacesInPlaceAndNeverRevisitsTheReplacement) {
  TextString text("aa b aa");
  int calls = 0;
  const int replaced =
      RunWordPass(text, TagHandling::kDelimit, [&](const TextString& word, TextString& out) {
        ++calls;
        if (word.View() != "aa") return 0;
        out.SetText("aa aa");
        return 1;
      });
  EXPECT_EQ(replaced, 2);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(text.View(), "aa aa b aa aa");
}

}  // namespace
