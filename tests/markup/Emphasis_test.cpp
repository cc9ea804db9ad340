#include "markup/Emphasis.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseFile.h"
#include "text/TextString.h"

namespace {

// The framed, line and unpaired rows of tests/data/markup/markup_cases.txt.
TEST(EmphasisTest, CasesOfTheDataFile) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/markup/markup_cases.txt")) {
    SCOPED_TRACE(testing::Message() << r[0] << " " << r.at(1));
    if (r[0] == "framed") {
      TextString replacement;
      const int matched = MarkEmphasisWord(TextString(r[1]), replacement);
      EXPECT_EQ(matched, r.at(2) == "(none)" ? 0 : 1);
      EXPECT_EQ(replacement.View(), matched ? r[2] : "");
    } else if (r[0] == "line") {
      // Both stages as a line runs through them: framed words, then phrases.
      TextString text(r[1]);
      MarkEmphasisWords(text);
      MarkEmphasisPairs(text, kUnderscorePhrase, nullptr, nullptr);
      MarkEmphasisPairs(text, kAsteriskPhrase, nullptr, nullptr);
      EXPECT_EQ(text.View(), r.at(2));
    } else if (r[0] == "unpaired") {
      TextString previous(r[1]);
      TextString text(r.at(2));
      const int unpaired =
          MarkEmphasisPairs(text, kAsteriskPhrase, r[1] == "(none)" ? nullptr : &previous, nullptr);
      EXPECT_EQ(unpaired, std::stoi(r.at(3)));
      EXPECT_EQ(text.View(), r.at(4));
    }
  }
}

// Every length around the block size, every place of each mark: the search
// must agree with a plain one, the overlapping last block included.
TEST(EmphasisTest, MarkFoundWhereverItStands) {
  for (std::size_t size = 0; size <= 40; ++size) {
    for (std::size_t at = 0; at <= size; ++at) {
      for (const char mark : {'*', '_', '-'}) {
        std::string text(size, 'a');
        if (at < size) text[at] = mark;
        SCOPED_TRACE(testing::Message() << text);
        EXPECT_EQ(HasEmphasisMark(text), text.find_first_of("*_") != std::string::npos);
      }
    }
  }
}

}  // namespace
