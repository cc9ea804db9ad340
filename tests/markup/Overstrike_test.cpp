#include "markup/Overstrike.h"

#include <gtest/gtest.h>

#include <string>

#include "text/TextString.h"

namespace {

struct OverstrikeCase {
  std::string word;
  const char* expected;  // null: not overstruck
};

TEST(OverstrikeTest, RecognisesBoldAndBothUnderlineForms) {
  const OverstrikeCase cases[] = {
      {"H\bHi\bi", "<B>Hi</B>"},
      {"_\bH_\bi", "<U>Hi</U>"},       // underscore first: keep what follows
      {"H\b_i\b_", "<U>Hi</U>"},       // underscore after: keep what precedes
      {"H\bH_\bi", "<B>H_</B>"},       // one of each: bold keeps the left side
      {"_\bHi\bi_\bx", "<U>Hix</U>"},  // U1 = 2 beats S = 1
      {"(B\bBold)", "<B>(Bold)</B>"},  // characters outside the triples are kept
      {"ab\bc", nullptr},              // a backspace between different letters
      {"plain", nullptr},
      {"\bx", nullptr},  // nothing before the backspace
      {"x\b", nullptr},
  };
  for (const OverstrikeCase& c : cases) {
    TextString word{std::string_view(c.word)};
    TextString replacement;
    const int matched = MarkOverstrike(word, replacement);
    if (c.expected == nullptr) {
      EXPECT_EQ(matched, 0) << c.word;
    } else {
      EXPECT_EQ(matched, 1) << c.word;
      EXPECT_EQ(replacement.View(), c.expected) << c.word;
    }
  }
}

}  // namespace
