#include "markup/Emphasis.h"

#include <gtest/gtest.h>

#include "text/TextString.h"

namespace {

struct TextCase {
  const char* input;
  const char* expected;
};

// Both stages as a line runs through them: framed words, then "_" and "*"
// phrases.
void MarkLine(TextString& text) {
  MarkEmphasisWords(text);
  MarkEmphasisPairs(text, kUnderscorePhrase, nullptr, nullptr);
  MarkEmphasisPairs(text, kAsteriskPhrase, nullptr, nullptr);
}

TEST(EmphasisTest, FramedWords) {
  const TextCase cases[] = {
      {"*word*", "<strong>word</strong>"},
      {"_word_", "<em>word</em>"},
      {"_two_words_", "<u>two words</u>"},
      {"**", "<strong></strong>"},
      {"__", "<em></em>"},
      {"___", nullptr},
      {"*", nullptr},
      {"_", nullptr},
      {"*a*b*", nullptr},
      {"file_name", nullptr},
      {"3*4", nullptr},
  };
  for (const TextCase& c : cases) {
    TextString word(c.input);
    TextString replacement;
    const int matched = MarkEmphasisWord(word, replacement);
    if (c.expected == nullptr) {
      EXPECT_EQ(matched, 0) << c.input;
    } else {
      EXPECT_EQ(matched, 1) << c.input;
      EXPECT_EQ(replacement.View(), c.expected) << c.input;
    }
  }
}

TEST(EmphasisTest, WholeLines) {
  const TextCase cases[] = {
      {"a *word* b", "a <strong>word</strong> b"},
      {"*two words*", "<b>two words</b>"},
      {"*word*.", "<b>word</b>."},
      {"_two words_ here", "<em>two words</em> here"},
      {"(*bold phrase*)", "(<b>bold phrase</b>)"},
      {"3*4 and file_name", "3*4 and file_name"},
      {"* item", "* item"},
      {"3 * 4", "3 * 4"},
      {"a ** b", "a <strong></strong> b"},
      {"*x*,*y*", "<strong>x</strong>,<strong>y</strong>"},
      {"*$5 off* now", "<b>$5 off</b> now"},   // the first character always opens
      {"a *$5 off* now", "a *$5 off* now"},     // elsewhere "$" after a mark blocks it
      {"*a*b c* d", "*a*b c* d"},               // "b" after the close: not a phrase
      {"x &lt;*y z*&gt;", "x &lt;*y z*&gt;"},  // an entity is no blank before a mark
  };
  for (const TextCase& c : cases) {
    TextString text(c.input);
    MarkLine(text);
    EXPECT_EQ(text.View(), c.expected) << c.input;
  }
}

TEST(EmphasisTest, MarksInsideTagsAreNotMarks) {
  const TextCase cases[] = {
      {"_see <A HREF=\"page_\">x</A> now_", "<em>see <A HREF=\"page_\">x</A> now</em>"},
      {"<A HREF=\"*x*\">y</A>", "<A HREF=\"*x*\">y</A>"},
      {"<B>*bold* text</B>", "<B><strong>bold</strong> text</B>"},
  };
  for (const TextCase& c : cases) {
    TextString text(c.input);
    MarkLine(text);
    EXPECT_EQ(text.View(), c.expected) << c.input;
  }
}

TEST(EmphasisTest, UnpairedClosingMarksAreCountedAndKept) {
  struct Case {
    const char* previous;  // null: no earlier line
    const char* text;
    int unpaired;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, "ends here*", 1, "ends here*"},
      {"no marks", "ends here*", 1, "ends here*"},  // and no line before that
      {"x*y", "ends here*", 1, "ends here*"},       // the earlier mark cannot open
      {"no marks", "3*4", 0, "3*4"},                // cannot close: nothing to report
      {"a *b", "c* d* e*", 2, "c</b> d* e*"},       // the first pairs, two remain
  };
  for (const Case& c : cases) {
    TextString previous(c.previous == nullptr ? "" : c.previous);
    TextString text(c.text);
    const int unpaired = MarkEmphasisPairs(text, kAsteriskPhrase,
                                           c.previous == nullptr ? nullptr : &previous, nullptr);
    EXPECT_EQ(unpaired, c.unpaired) << c.text;
    EXPECT_EQ(text.View(), c.expected) << c.text;
  }
}

}  // namespace
