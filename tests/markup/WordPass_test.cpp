#include "markup/WordPass.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
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

// The marked pass must offer, and replace, exactly what the filtered pass
// does with the filter "holds a marked byte" and its own filter.
TEST(WordPassTest, MarkedPassOffersTheWordsTheFilteredPassWould) {
  std::array<bool, 256> marked{};
  marked['.'] = true;
  marked['@'] = true;
  const auto holdsMark = [&](std::string_view word) {
    for (const char c : word) {
      if (marked[static_cast<unsigned char>(c)]) return true;
    }
    return false;
  };
  for (const char* input :
       {"", "plain words only", "a.b", " x.y, z@w\tq.", "&lt;a.b&gt;c.d", "x&lt;.y", ";a.b",
        "t;.u", "&lt;&lt;.", "ab&gt.c", "<A HREF=\"x.y\">a.b</A>.", "..  .. .", "a.b.c d.e"}) {
    // Each offered word is doubled around a blank, so replacements move the
    // rest of the line and hold marked bytes themselves.
    const auto run = [&](auto&& pass) {
      TextString text(input);
      std::vector<std::string> words;
      const int replaced = pass(text, [&](const TextString& word, TextString& out) {
        words.emplace_back(word.View());
        if (words.size() % 2 == 0) return 0;
        out.SetText(std::string(word.View()) + " " + std::string(word.View()));
        return 1;
      });
      words.push_back(std::to_string(replaced) + ":" + std::string(text.View()));
      return words;
    };
    const auto filtered = run([&](TextString& text, const auto& handler) {
      const auto wanted = [&](std::string_view word) { return holdsMark(word) && word != "c.d"; };
      return RunFilteredWordPass(text, TagHandling::kDelimit, wanted, handler);
    });
    const auto marks = run([&](TextString& text, const auto& handler) {
      const auto findMark = [&](std::string_view view, std::size_t from) {
        while (from < view.size() && !marked[static_cast<unsigned char>(view[from])]) ++from;
        return from;
      };
      const auto wanted = [](std::string_view word) { return word != "c.d"; };
      return RunMarkedWordPass(text, findMark, wanted, handler);
    });
    EXPECT_EQ(marks, filtered) << input;
  }
}

}  // namespace
