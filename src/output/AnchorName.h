#pragma once

#include <string_view>

#include "text/TextString.h"

class FC;
class SourceLine;

// The anchor name of a heading or contents line, built from its raw text
// (before escaping) with runs of blanks collapsed and the ends trimmed:
// - underlined and capitalised headings: the whole text, every blank
//   replaced by "_", every '?' and '"' removed ("Getting started" gives
//   "Getting_started");
// - every other line: "Section_" and the section number word (the first
//   word, or the second when the level's style has a word before the
//   number), with every '[' and '(' removed and one trailing '.', ')', ']'
//   or ':' dropped ("2.3)" gives "Section_2.3").
// Contents lines use the contents-level styles; the styles are indexed by
// level - 1. The result is the plain name; a writer encodes it for the page
// with AppendLinkName.
void MakeAnchorName(const SourceLine& line, const FC& policy, TextString& anchor);
// The same for a line of `lineType` whose raw text is `rawText`.
void MakeAnchorName(const TextString& rawText, int lineType, const FC& policy, TextString& anchor);

// `rawText` as heading names and entries are built from it: every run of
// blanks inside it cut to one blank (tabs kept) and the blanks and tabs at
// both ends removed, as CollapseBlanks and then Trim leave a TextString.
TextString CollapsedHeadingText(std::string_view rawText);
