#include "markup/Emphasis.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "markup/MarkupScan.h"
#include "markup/WordPass.h"
#include "text/ByteBlocks.h"
#include "text/TextString.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsOneOf(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

// Characters after which a mark may open a phrase.
constexpr const char* kBeforeOpen = " ,([{<";
// Characters that keep a mark from opening when they follow it.
constexpr const char* kNotAfterOpen = "_*$";
// Characters that may follow a closing mark.
constexpr const char* kAfterClose = " \t\"',.?:;)]}!>";
// Characters that keep a mark from closing when they precede it.
constexpr const char* kNotBeforeClose = "_*.$";

char CharAt(std::string_view text, std::size_t pos) { return pos < text.size() ? text[pos] : '\0'; }

// The first `mark` at or after `from` that is not inside a tag.
// Two library searches, for the mark and for a "<" that may open a tag
// around it, rather than a look at every byte.
std::size_t FindMark(std::string_view text, std::size_t from, char mark) {
  std::size_t pos = from;
  while (pos < text.size()) {
    const std::size_t at = text.find(mark, pos);
    if (at == kNone) return kNone;
    const std::size_t open = text.find('<', pos);
    if (open == kNone || open > at) return at;
    const std::size_t tag = TagLengthAt(text, open);
    if (tag > 0) {
      pos = open + tag;
      continue;
    }
    if (open == at) return at;
    pos = open + 1;
  }
  return kNone;
}

bool OpensAt(std::string_view text, std::size_t pos) {
  if (pos == 0) return true;
  return IsOneOf(text[pos - 1], kBeforeOpen) && !IsOneOf(CharAt(text, pos + 1), kNotAfterOpen);
}

// A mark that ends a phrase opened on the same line.
bool ClosesAt(std::string_view text, std::size_t pos) {
  if (pos + 1 == text.size()) return true;
  return IsOneOf(CharAt(text, pos + 1), kAfterClose) &&
         !IsOneOf(pos > 0 ? text[pos - 1] : '\0', kNotBeforeClose);
}

// A mark that opens nothing but may end a phrase opened on an earlier line.
bool MayCloseEarlierAt(std::string_view text, std::size_t pos) {
  const bool endsWell = pos + 1 == text.size() || IsOneOf(text[pos + 1], kAfterClose);
  return endsWell && !IsOneOf(pos > 0 ? text[pos - 1] : '\0', kNotBeforeClose);
}

std::size_t Length(const char* s) { return std::strlen(s); }

// Finds where a phrase closed by this line was opened: the first mark of the
// line before, or of the one before that when the line before has none.
// Returns the line and sets `at`, or returns null.
TextString* FindEarlierOpening(const EmphasisMarks& marks, TextString* previous,
                               TextString* beforePrevious, std::size_t& at) {
  for (TextString* line : {previous, beforePrevious}) {
    if (line == nullptr) return nullptr;
    at = FindMark(line->View(), 0, marks.openMark);
    if (at != kNone) return OpensAt(line->View(), at) ? line : nullptr;
  }
  return nullptr;
}

}  // namespace

int MarkEmphasisWord(const TextString& word, TextString& replacement) {
  const std::string_view w = word.View();
  if (w.size() < 2) return 0;
  const auto count = [w](char c) { return std::count(w.begin(), w.end(), c); };
  const std::string_view inner = w.substr(1, w.size() - 2);
  if (w.front() == '*' && w.back() == '*' && count('*') == 2) {
    replacement.SetText("<strong>");
    replacement.AppendText(inner);
    replacement.AppendText("</strong>");
    return 1;
  }
  if (w.front() != '_' || w.back() != '_') return 0;
  if (count('_') == 2) {
    replacement.SetText("<em>");
    replacement.AppendText(inner);
    replacement.AppendText("</em>");
    return 1;
  }
  std::string words(w);
  std::replace(words.begin(), words.end(), '_', ' ');
  TextString underlined{std::string_view(words)};
  underlined.Trim();
  if (underlined.IsEmpty()) return 0;
  replacement.SetText("<u>");
  replacement.AppendText(underlined.View());
  replacement.AppendText("</u>");
  return 1;
}

namespace {

// The work of MarkEmphasisWords and MarkEmphasisPairs past their first
// search, kept out of line: most lines stop at that search, which then
// stores nothing on entry.
[[gnu::noinline]] int MarkFramedWords(TextString& text) {
  // Only a word framed by "*" or "_" (two characters at least) changes.
  const auto framed = [](std::string_view word) {
    return word.size() >= 2 && (word.front() == '*' || word.front() == '_');
  };
  return RunFilteredWordPass(text, TagHandling::kSkip, framed, MarkEmphasisWord);
}

[[gnu::noinline]] int PairMarks(TextString& text, const EmphasisMarks& marks,
                                TextString* previous, TextString* beforePrevious);

}  // namespace

bool HasEmphasisMark(std::string_view text) {
#if defined(__SSE2__)
  // Sixteen bytes a step, both marks at once, tested once at the end: most
  // lines hold neither, and so are read whole anyway. The last block
  // overlaps the one before rather than leaving a tail.
  if (text.size() >= 16) {
    const __m128i star = _mm_set1_epi8('*');
    const __m128i underscore = _mm_set1_epi8('_');
    __m128i found = _mm_setzero_si128();
    auto take = [&](std::size_t at) {
      const __m128i v = LoadSixteenBytes(text.data() + at);
      const __m128i marks = _mm_or_si128(_mm_cmpeq_epi8(v, star), _mm_cmpeq_epi8(v, underscore));
      found = _mm_or_si128(found, marks);
    };
    std::size_t at = 0;
    for (; at + 16 <= text.size(); at += 16) take(at);
    if (at < text.size()) take(text.size() - 16);
    return _mm_movemask_epi8(found) != 0;
  }
#endif
  return std::any_of(text.begin(), text.end(), [](char c) { return c == '*' || c == '_'; });
}

int MarkEmphasisWords(TextString& text) {
  // Only a word framed by "*" or "_" changes. Two library searches beat one
  // loop testing both: most lines hold neither.
  const std::string_view view = text.View();
  if (view.find('*') == kNone && view.find('_') == kNone) return 0;
  return MarkFramedWords(text);
}

int MarkEmphasisPairs(TextString& text, const EmphasisMarks& marks, TextString* previous,
                      TextString* beforePrevious) {
  // A line without the opening mark has nothing to pair.
  if (text.View().find(marks.openMark) == kNone) return 0;
  return PairMarks(text, marks, previous, beforePrevious);
}

namespace {

int PairMarks(TextString& text, const EmphasisMarks& marks, TextString* previous,
              TextString* beforePrevious) {
  const std::size_t openLength = Length(marks.openTag);
  const std::size_t closeLength = Length(marks.closeTag);
  int unpaired = 0;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t open = FindMark(text.View(), pos, marks.openMark);
    if (open == kNone) break;
    pos = open + 1;
    if (OpensAt(text.View(), open)) {
      const std::size_t close = FindMark(text.View(), open + 1, marks.closeMark);
      if (close == kNone) break;
      if (!ClosesAt(text.View(), close)) {
        pos = close + 1;
        continue;
      }
      // The later position first, so the earlier one stays valid.
      text.ReplaceSubString(static_cast<int>(close), 1, marks.closeTag);
      text.ReplaceSubString(static_cast<int>(open), 1, marks.openTag);
      pos = close + openLength - 1 + closeLength;
      continue;
    }
    if (!MayCloseEarlierAt(text.View(), open)) continue;
    std::size_t at = 0;
    TextString* earlier = FindEarlierOpening(marks, previous, beforePrevious, at);
    if (earlier == nullptr) {
      ++unpaired;
      continue;
    }
    earlier->ReplaceSubString(static_cast<int>(at), 1, marks.openTag);
    text.ReplaceSubString(static_cast<int>(open), 1, marks.closeTag);
    pos = open + closeLength;
  }
  return unpaired;
}

}  // namespace
