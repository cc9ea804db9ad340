#pragma once

#include <vector>

#include "text/TextString.h"

// An owned, ordered list of texts: file names, policy file names, matches of
// a wildcard. Entries are copies; Get hands out pointers that stay valid until
// the list is next changed.
class StringList {
 public:
  // Appends a copy of `text` (a null text is added as "").
  void Add(const char* text);
  void Add(const TextString& text);
  void Clear();
  int Count() const;
  // The entry at 0-based `index`, or null outside 0 to Count()-1.
  const TextString* Get(int index) const;
  // Ascending by unsigned byte comparison, case-sensitive; equal entries keep
  // their order.
  void Sort();
  // Sets `out` to all entries with `separator` (null = "") between them.
  void Join(TextString& out, const char* separator) const;

 private:
  std::vector<TextString> entries_;
};
