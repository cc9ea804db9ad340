#pragma once

#include "text/TextString.h"

// Text placed inside an attribute value of a generated tag. Document and
// policy texts may hold quotes and markup characters that would end the value
// or open a tag, and file or anchor names may hold characters that a link
// cannot carry as they are.

// Appends `text` to `out` as an attribute value: '"' becomes "&quot;", '<'
// "&lt;", '>' "&gt;", and an '&' that does not already begin a character
// entity ("&amp;", "&#62;") becomes "&amp;". Everything else is kept, so a
// plain value is written byte for byte.
void AppendAttributeText(TextString& out, const char* text);

// Appends the file or anchor name `name` to `out` as part of a link target
// (HREF, or the NAME a fragment points to): a blank, '#', '%', '?', '"' and
// every byte above 0x7F become "%XX" (upper-case hex); the result is then
// written as an attribute value (AppendAttributeText). A name without such
// bytes or markup characters is kept byte for byte.
void AppendLinkName(TextString& out, const char* name);

// The tag that opens the anchor `name`: "<A NAME=\"" + name as
// AppendLinkName writes it + "\">".
TextString AnchorTag(const char* name);
