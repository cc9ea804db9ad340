#include "policy/HeadingStyle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Str(const TextString& t) {
  return std::string(t.View());
}

struct FormCase {
  const char* name;
  int level;
  std::function<void(HeadingStyle&)> setUp;
  const char* written;
};

// The forms a policy file cannot give (tests/data/policy/policy_lines.txt
// reads and writes the others).
const FormCase kFormCases[] = {
    {"dash separator", 1, [](HeadingStyle& s) { s.separator = '-'; }, "\"\" N-N at indent -1"},
    {"two prefix words without the flag", 0,
     [](HeadingStyle& s) {
       s.prefixWord.SetText("Part One");
       s.prefixCount = 2;
       s.indent = 2;
     },
     "\"Part One\" N at indent 2"},
};

void ExpectSameForm(const HeadingStyle& a, const HeadingStyle& b) {
  EXPECT_EQ(a.numberingKind, b.numberingKind);
  EXPECT_EQ(a.indent, b.indent);
  EXPECT_EQ(Str(a.prefixWord), Str(b.prefixWord));
  EXPECT_EQ(a.prefixCount, b.prefixCount);
  EXPECT_EQ(a.numberedParagraph, b.numberedParagraph);
  EXPECT_EQ(a.hasPrefix || a.prefixCount > 1, b.hasPrefix || b.prefixCount > 1);
  EXPECT_EQ(Str(a.beforeNumber), Str(b.beforeNumber));
  EXPECT_EQ(Str(a.afterNumber), Str(b.afterNumber));
  EXPECT_EQ(a.letterSuffix, b.letterSuffix);
}

TEST(HeadingStyleTest, WritesAndReadsBackEveryForm) {
  for (const FormCase& c : kFormCases) {
    SCOPED_TRACE(c.name);
    HeadingStyle style;
    c.setUp(style);
    const TextString written = style.TextForm(c.level);
    EXPECT_EQ(Str(written), c.written);

    HeadingStyle read;
    read.indent = 99;
    ASSERT_EQ(read.ParseTextForm(written), 1);
    ExpectSameForm(read, style);
  }
}

TEST(HeadingStyleTest, ParsesHandWrittenForms) {
  HeadingStyle s;
  ASSERT_EQ(s.ParseTextForm(TextString("  \"\" N.N at indent 4  ")), 1);
  EXPECT_EQ(s.numberingKind, HeadingStyle::kNumbers);
  EXPECT_EQ(s.indent, 4);
  EXPECT_EQ(Str(s.beforeNumber), "");
  EXPECT_EQ(s.hasPrefix, 0);

  ASSERT_EQ(s.ParseTextForm(TextString("\"Section One Two\" (A) AT INDENT -3")), 1);
  EXPECT_EQ(Str(s.prefixWord), "Section One Two");
  EXPECT_EQ(s.prefixCount, 3);
  EXPECT_EQ(s.hasPrefix, 1);
  EXPECT_EQ(Str(s.beforeNumber), "(");
  EXPECT_EQ(Str(s.afterNumber), ")");
  EXPECT_EQ(s.numberingKind, HeadingStyle::kUpperLetters);
  EXPECT_EQ(s.indent, -3);

  // No indent part: the indent stays unknown.
  ASSERT_EQ(s.ParseTextForm(TextString("\"\" ix")), 1);
  EXPECT_EQ(s.numberingKind, HeadingStyle::kLowerRoman);
  EXPECT_EQ(s.letterSuffix, 1);
  EXPECT_EQ(s.indent, -1);

  TextString many("\"a b c d e f g h i j k\" N at indent 0");
  ASSERT_EQ(s.ParseTextForm(many), 1);
  EXPECT_EQ(s.prefixCount, 9);
}

TEST(HeadingStyleTest, FailedParseLeavesTheStyleAlone) {
  HeadingStyle s;
  s.indent = 7;
  s.numberingKind = HeadingStyle::kUpperRoman;
  for (const char* bad : {"\"\" ?? at indent 3", "", "x at indent 2", "\"\" 1.2"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(s.ParseTextForm(TextString(bad)), 0);
    EXPECT_EQ(s.indent, 7);
    EXPECT_EQ(s.numberingKind, HeadingStyle::kUpperRoman);
  }
}

TEST(HeadingStyleTest, CopyFromKeepsKnownValuesWhereTheSourceHasNone) {
  HeadingStyle target;
  target.indent = 3;
  target.largestNumber = 9;
  target.smallestNumber = 1;
  HeadingStyle source;
  source.numberingKind = HeadingStyle::kLowerLetters;
  source.prefixWord.SetText("Part");
  source.largestNumber = 12;
  target.CopyFrom(source);
  EXPECT_EQ(target.indent, 3);
  EXPECT_EQ(target.smallestNumber, 1);
  EXPECT_EQ(target.largestNumber, 12);
  EXPECT_EQ(target.numberingKind, HeadingStyle::kLowerLetters);
  EXPECT_EQ(Str(target.prefixWord), "Part");

  source.indent = 0;
  target.CopyFrom(source);
  EXPECT_EQ(target.indent, 0);
}

}  // namespace
