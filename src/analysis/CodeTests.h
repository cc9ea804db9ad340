#pragma once

#include <string_view>

// Whether one line of text looks like a line of C program code.
//
// The text is taken trimmed of surrounding blanks; an empty text is not
// code. The words looked for are matched case-sensitively, as the language
// writes them. The text is the escaped line, so "<" and ">" appear as
// entities and a ";" closing an entity ("&lt;") is no statement end.
//
// The loose form is what the line classification asks; block detection asks
// the strict form, which also takes lines ending in ")" or "}" and a few
// more operators and keywords.
bool LooksLikeCode(std::string_view text, bool strict);
