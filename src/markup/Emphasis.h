#pragma once

#include <string_view>

class TextString;

// Emphasis typed in plain text: words framed by "*" or "_", and phrases
// between such marks, possibly running over line ends. Works on escaped text
// that may already hold tags; a mark inside a tag is never a mark.

// One kind of phrase: the marks that open and close it and the tags that
// replace them.
struct EmphasisMarks {
  char openMark;
  char closeMark;
  const char* openTag;
  const char* closeTag;
};

// "_" phrases are emphasised, "*" phrases bold.
inline constexpr EmphasisMarks kUnderscorePhrase{'_', '_', "<em>", "</em>"};
inline constexpr EmphasisMarks kAsteriskPhrase{'*', '*', "<b>", "</b>"};

// Whole-word rules on one word of at least two characters:
//  "*word*" (no other "*")  -> "<strong>word</strong>" ("**" gives an empty
//                              strong element);
//  "_word_" (no other "_")  -> "<em>word</em>";
//  "_two_words_"            -> "<u>two words</u>": every "_" a blank, trimmed,
//                              when something is left.
// A lone "*" or "_" is no framed word. Returns 1 and fills `replacement` when
// a rule applies, else 0.
int MarkEmphasisWord(const TextString& word, TextString& replacement);

// True when `text` holds a "*" or "_": without one no rule below changes it.
bool HasEmphasisMark(std::string_view text);

// Applies MarkEmphasisWord to every word of `text` (the inline word pass,
// stepping over tags). Returns the number of words changed.
int MarkEmphasisWords(TextString& text);

// Pairs the marks of one kind in `text` into tags, scanning from the start:
// a mark opens a phrase at the start of the text, or after a blank, ",",
// "(", "[", "{" or "<" when no "_", "*" or "$" follows it; its phrase ends
// at the next mark that is last in the text, or that is followed by a blank,
// tab or one of "\"',.?:;)]}!>" and not preceded by "_", "*", "." or "$".
// A mark that opens nothing but could close a phrase may close one opened
// on an earlier line: the first mark of `previous` or, when `previous` holds
// no mark at all, of `beforePrevious` (either may be null: no such line, or
// a line emphasis must not touch), when it stands where a phrase may open.
// The earlier line then gets the open tag.
// Returns the number of closing marks that found no opening mark; they stay
// in the text, and the caller reports each.
int MarkEmphasisPairs(TextString& text, const EmphasisMarks& marks, TextString* previous,
                      TextString* beforePrevious);
