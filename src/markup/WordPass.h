#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "markup/MarkupScan.h"
#include "text/TextString.h"

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

namespace word_pass {

// The entities that end a word as "<" and ">" do.
inline bool IsAngleEntityAt(std::string_view text, std::size_t pos) {
  if (text[pos] != '&' || text.size() - pos < 4) return false;
  return (text[pos + 1] == 'l' || text[pos + 1] == 'g') && text[pos + 2] == 't' &&
         text[pos + 3] == ';';
}

// The bytes that end a word on their own.
inline bool IsDelimiterByte(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case ',':
    case '<':
    case '>':
      return true;
    default:
      return false;
  }
}

inline bool IsDelimiterAt(std::string_view text, std::size_t pos) {
  return IsDelimiterByte(text[pos]) || IsAngleEntityAt(text, pos);
}

// True when a delimiter that begins at or after `from` ends just before
// `pos` (pos > from).
inline bool DelimiterEndsAt(std::string_view text, std::size_t from, std::size_t pos) {
  if (IsDelimiterByte(text[pos - 1])) return true;
  return text[pos - 1] == ';' && pos - from >= 4 && IsAngleEntityAt(text, pos - 4);
}

// Offers text[start, end) to `handler` and, when it gives a replacement,
// puts that in the word's place. Returns where the pass goes on: behind the
// replacement, or at `end`.
template <typename Handler>
std::size_t OfferWord(TextString& text, std::size_t start, std::size_t end, TextString& word,
                      TextString& replacement, const Handler& handler, int& replaced) {
  word.SetText(text.View().substr(start, end - start));
  replacement.Clear();
  if (handler(word, replacement) &&
      text.ReplaceSubString(static_cast<int>(start), static_cast<int>(end - start),
                            replacement.GetText())) {
    ++replaced;
    return start + replacement.View().size();
  }
  return end;
}

}  // namespace word_pass

// The same pass, where `wants(word)` says from the word's text alone whether
// `handler` could replace it: every other word is passed over without being
// copied or offered. Inline, as the pass runs over every line of a page.
template <typename Filter, typename Handler>
int RunFilteredWordPass(TextString& text, TagHandling tags, const Filter& wants,
                        const Handler& handler) {
  int replaced = 0;
  std::size_t pos = 0;
  TextString word;
  TextString replacement;
  while (pos < text.View().size()) {
    const std::string_view view = text.View();
    if (tags == TagHandling::kSkip) {
      const std::size_t tag = TagLengthAt(view, pos);
      if (tag > 0) {
        pos += tag;
        continue;
      }
    }
    if (word_pass::IsDelimiterAt(view, pos)) {
      pos += word_pass::IsAngleEntityAt(view, pos) ? 4 : 1;
      continue;
    }
    std::size_t end = pos;
    while (end < view.size() && !word_pass::IsDelimiterAt(view, end)) ++end;
    if (!wants(view.substr(pos, end - pos))) {
      pos = end;
      continue;
    }
    pos = word_pass::OfferWord(text, pos, end, word, replacement, handler, replaced);
  }
  return replaced;
}

// The kDelimit pass offering only the words that hold a marked byte,
// exactly those RunFilteredWordPass would offer with that filter.
// `findMark(view, from)` gives the offset of the first marked byte of `view`
// at or after `from`, or any offset past the end (npos) when there is none. Each word is found from its marked byte, so a line holding
// few of them is scanned once instead of being cut into words.
// Requires: no marked byte is a delimiter or a character of "&lt;", "&gt;".
// `firstMark` is findMark(text.View(), 0), when the caller has it already.
template <typename FindMark, typename Handler>
int RunMarkedWordPass(TextString& text, const FindMark& findMark, const Handler& handler,
                      std::size_t firstMark) {
  int replaced = 0;
  std::size_t pos = 0;
  TextString word;
  TextString replacement;
  for (std::size_t mark = firstMark;; mark = findMark(text.View(), pos)) {
    const std::string_view view = text.View();
    if (mark >= view.size()) break;
    // The pass resumes at `pos` as at the start of a word.
    std::size_t start = mark;
    while (start > pos && !word_pass::DelimiterEndsAt(view, pos, start)) --start;
    std::size_t end = mark + 1;
    while (end < view.size() && !word_pass::IsDelimiterAt(view, end)) ++end;
    pos = word_pass::OfferWord(text, start, end, word, replacement, handler, replaced);
  }
  return replaced;
}

template <typename FindMark, typename Handler>
int RunMarkedWordPass(TextString& text, const FindMark& findMark, const Handler& handler) {
  return RunMarkedWordPass(text, findMark, handler, findMark(text.View(), 0));
}
