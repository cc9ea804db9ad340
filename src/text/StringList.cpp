#include "text/StringList.h"

#include <algorithm>

void StringList::Add(const char* text) {
  entries_.emplace_back(text);
}

void StringList::Add(const TextString& text) {
  entries_.push_back(text);
}

void StringList::Clear() {
  entries_.clear();
}

int StringList::Count() const {
  return static_cast<int>(entries_.size());
}

const TextString* StringList::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &entries_[static_cast<std::size_t>(index)];
}

void StringList::Sort() {
  // std::string_view compares through char_traits<char>, which orders bytes
  // as unsigned char: the byte order file names are sorted in.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const TextString& a, const TextString& b) { return a.View() < b.View(); });
}

void StringList::Join(TextString& out, const char* separator) const {
  TextString joined;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (i > 0) joined.AppendText(separator);
    joined.AppendText(entries_[i].View());
  }
  out.SetText(joined.View());
}
