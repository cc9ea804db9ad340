#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Recognises the markup already inside a line of escaped text, so that the
// inline passes can step over it: what sits inside a tag or an entity is
// never a word, an emphasis mark or a letter of the line.

// Length of the tag that starts at `pos`: "<" up to and including the next
// ">". 0 when `pos` holds no "<" or no ">" follows.
std::size_t TagLengthAt(std::string_view text, std::size_t pos);

// Length of the character entity that starts at `pos`: "&", then letters,
// digits or "#", then ";" ("&lt;", "&amp;", "&#62;"). 0 when there is none.
std::size_t EntityLengthAt(std::string_view text, std::size_t pos);

// `text` without its tags: what a reader of the page sees of the line.
std::string TextOutsideTags(std::string_view text);
