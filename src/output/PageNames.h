#pragma once

class FC;
class TextString;

// Names of the pages of a document: the first page is named after the output
// base name; when a document is split, each page that a numbered heading
// starts adds the heading's number down to the split level ("guide_2_3" for
// heading 2.3.1 at split level 2). With "Use DOS filenames" every name is
// made to fit eight characters.

// The page that holds a heading or section line. `headingText` is the line's
// text (null or empty for the first page), `lineType` its type (0 for the
// first page). Sets `name` (no directory, no extension) and `extension` (the
// record's output extension). A heading without a number (underlined or
// capitalised) lies on the current page.
void GetPageName(const char* headingText, int lineType, const FC& policy, TextString& name,
                 TextString& extension);

// Makes `name` fit eight characters: a longer name becomes its first three
// characters followed by five digits computed from the whole name, so the
// same name always gives the same short name. A name of eight characters or
// fewer is left alone.
void MakeDosPageName(TextString& name);
