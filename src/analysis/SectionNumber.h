#pragma once

#include <array>
#include <string_view>

#include "text/TextString.h"

class DocumentStatistics;
class FC;

// Reading a section number ("3", "2.4.1", "(5)", "3.2a") from the word that
// opens a heading.

// The components of a section number, outermost first; -1 where absent.
using SectionComponents = std::array<int, 6>;

// Removes the decoration around a section number from `word` and returns the
// number's separator ('-' when the word holds a dash, else '.').
//
// In the analysis pass every bracket, '*', "&lt;"/"&gt;" entity and trailing
// letter is removed; when `counts` is given, each removed character is added
// to its "Pre Header character" or "Post Header character" histogram and each
// letter counted as a letter after a number. Later passes remove only the
// decoration the outermost heading style names (and letters when it allows a
// letter suffix), plus the two entities.
char StripNumberDecoration(const FC& policy, DocumentStatistics* counts, TextString& word);
// The same on a view of the word, which it narrows: no copy is made.
char StripNumberDecoration(const FC& policy, DocumentStatistics* counts, std::string_view& word);

// Reads the section number that `word` (already stripped) begins with into
// `number` and its level (components - 1) into `level`.
//
// Returns 1 when the word is a section number: it starts with a digit,
// numbered headings are expected, no two separators stand together and it
// has at most 6 components. A component made of anything but digits, ':' and
// ')' is -1. A trailing separator or a final zero component ("3.", "3.0") is
// dropped, unless the zero follows the last number seen at its parent level
// ("3.0" after heading 3 stays 3.0); the dropped level's smallest number
// then becomes 0 when unset.
int ParseSectionNumber(const FC& policy, DocumentStatistics& statistics, std::string_view word,
                       char separator, SectionComponents& number, int& level);
inline int ParseSectionNumber(const FC& policy, DocumentStatistics& statistics,
                              const TextString& word, char separator, SectionComponents& number,
                              int& level) {
  return ParseSectionNumber(policy, statistics, word.View(), separator, number, level);
}

// "2.5" for the components 0 to `level`.
TextString FormatSectionNumber(const SectionComponents& number, int level);

// The form messages use: the quoted number, then " in " and the last numbers
// seen at levels 0 to `level` (those that are set), e.g. "2.5" in 2.3.
TextString FormatNumberAndLast(const SectionComponents& number, int level,
                               const DocumentStatistics& statistics);
