#pragma once

#include "text/TextString.h"

// How a heading (or a contents-list line) of one level looks: its numbering,
// its indent, the word before its number and the decoration around it. The
// policy record holds six for headings and six for contents lines, indexed by
// level - 1. Plain value type; assignment copies every field.
class HeadingStyle {
 public:
  // Values of numberingKind.
  static constexpr int kNumbers = 1;       // N
  static constexpr int kLowerLetters = 2;  // a
  static constexpr int kLowerRoman = 3;    // i
  static constexpr int kUpperLetters = 4;  // A
  static constexpr int kUpperRoman = 5;    // I

  int numberingKind = kNumbers;
  int indent = -1;  // column of headings of this level; -1 = unknown
  TextString prefixWord;  // e.g. "Chapter" in "Chapter 3"
  int prefixCount = 1;    // words before the number
  int numberedParagraph = 0;
  int hasPrefix = 0;
  TextString beforeNumber;  // decoration characters before the number
  TextString afterNumber;   // decoration characters after the number
  int letterSuffix = 0;     // a letter may follow the number
  char separator = '.';
  int largestNumber = -1;
  int smallestNumber = -1;

  void Reset();

  // The copy used when policies are merged: every field of `from`, except
  // that indent, largestNumber and smallestNumber are taken only where
  // `from` holds a value other than -1.
  void CopyFrom(const HeadingStyle& from);

  // The policy-file form for level index `levelIndex` (0 = outermost), e.g.
  // `"" N.N at indent 0` for index 1. A numbered-paragraph level is written
  // `"" Numbered Paragraph at indent <indent>`.
  TextString TextForm(int levelIndex) const;

  // Reads a policy-file form (the text after "=" of a "Heading level" line).
  // Returns 1 and replaces this style on success; returns 0 and leaves the
  // style unchanged when the number pattern is not one of N, a, i, A, I.
  [[nodiscard]] int ParseTextForm(const TextString& text);
};
