#include "markup/MarkupScan.h"

#include "text/CharClass.h"

std::size_t EntityLengthAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || text[pos] != '&') return 0;
  std::size_t i = pos + 1;
  while (i < text.size() && (IsAlphanumeric(text[i]) || text[i] == '#')) ++i;
  if (i == pos + 1 || i >= text.size() || text[i] != ';') return 0;
  return i - pos + 1;
}

std::string TextOutsideTags(std::string_view text) {
  std::string visible;
  visible.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t tag = TagLengthAt(text, pos);
    if (tag > 0) {
      pos += tag;
    } else {
      visible.push_back(text[pos++]);
    }
  }
  return visible;
}
