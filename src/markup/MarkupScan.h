#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Recognises the markup already inside a line of escaped text, so that the
// inline passes can step over it: what sits inside a tag or an entity is
// never a word, an emphasis mark or a letter of the line.

// Length of the tag that starts at `pos`: "<" up to and including the next
// ">". 0 when `pos` holds no "<" or no ">" follows.
// Inline: it is asked at every position of a line and nearly always answers 0.
inline std::size_t TagLengthAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || text[pos] != '<') return 0;
  const std::size_t close = text.find('>', pos + 1);
  return close == std::string_view::npos ? 0 : close - pos + 1;
}

// Length of the character entity that starts at `pos`: "&", then letters,
// digits or "#", then ";" ("&lt;", "&amp;", "&#62;"). 0 when there is none.
std::size_t EntityLengthAt(std::string_view text, std::size_t pos);

// `text` without its tags: what a reader of the page sees of the line.
std::string TextOutsideTags(std::string_view text);
