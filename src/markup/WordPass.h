#pragma once

#include <functional>

class TextString;

// The word pass that drives the inline markup of a line. Words end at a
// blank, a tab, ",", "<", ">", or at an "&lt;" or "&gt;" entity; the pass
// steps over a delimiter (four characters for those entities, one
// otherwise). Each word is offered to a handler; a word the handler replaces
// is replaced at its position and the pass goes on behind the replacement,
// which is never offered again.

// Returns 1 and fills `replacement` when `word` is to be replaced, else 0.
using WordHandler = std::function<int(const TextString& word, TextString& replacement)>;

// How the pass treats a tag already in the text.
enum class TagHandling {
  // "<" and ">" only end words: the inside of a tag is offered as words.
  kDelimit,
  // A whole tag ("<" up to the next ">") is stepped over: nothing inside a
  // tag is ever a word.
  kSkip,
};

// Runs the pass over `text`. Returns the number of words replaced.
int RunWordPass(TextString& text, TagHandling tags, const WordHandler& handler);
