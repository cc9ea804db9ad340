#pragma once

#include <vector>

#include "text/TextString.h"

// An ordered list of owned words (usenet groups, included sections). Words
// are kept as given: nothing is replaced, de-duplicated or sorted.
class WordList {
 public:
  int Count() const { return static_cast<int>(words_.size()); }
  bool IsEmpty() const { return words_.empty(); }

  // The word at 0-based `index`, or null outside 0 to Count() - 1.
  const TextString* Get(int index) const;

  void Clear();
  void Append(const char* word);
  // Appends every word of `text` split at `separator` with the engine's word
  // rule (TextString::GetWord: a blank separator also splits at tabs and
  // treats a run of blanks as one separator).
  void AppendWords(const TextString& text, char separator);
  // Appends copies of every word of `other` (which may be this list).
  void AppendList(const WordList& other);

  // Index of the first word equal to `word` ignoring case, or -1.
  int Find(const char* word) const;
  // All words with `separator` between them.
  TextString Join(const char* separator) const;

  auto begin() const { return words_.begin(); }
  auto end() const { return words_.end(); }

 private:
  std::vector<TextString> words_;
};
