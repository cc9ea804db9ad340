#include "policy/WordList.h"

const TextString* WordList::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &words_[static_cast<size_t>(index)];
}

void WordList::Clear() { words_.clear(); }

void WordList::Append(const char* word) { words_.emplace_back(word); }

void WordList::AppendWords(const TextString& text, char separator) {
  TextString word;
  for (int n = 1; text.GetWord(n, separator, word); ++n) words_.push_back(word);
}

void WordList::AppendList(const WordList& other) {
  // Copied first so that appending a list to itself doubles it once.
  const std::vector<TextString> copies = other.words_;
  words_.insert(words_.end(), copies.begin(), copies.end());
}

int WordList::Find(const char* word) const {
  const TextString wanted(word);
  for (int i = 0; i < Count(); ++i) {
    if (words_[static_cast<size_t>(i)].IsEqual(wanted, false)) return i;
  }
  return -1;
}

TextString WordList::Join(const char* separator) const {
  TextString out;
  for (size_t i = 0; i < words_.size(); ++i) {
    if (i > 0) out.AppendText(separator);
    out.AppendText(words_[i].GetText());
  }
  return out;
}
