#pragma once

#include <string_view>

#include "text/TextString.h"

class FC;

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

// Settles the names a document's pages are built from, given the name of
// its first page (`name`, possibly with a directory): the output directory
// (from `name` when the policy gives none), the DOS root (the name cut to
// five characters when a split level is known) and the page base name.
void SetPageBase(const char* name, FC& policy);

// The file of the first page of a document whose output base is `name`:
// output directory + page + extension, as StartFile opens it. Sets what
// SetPageBase sets.
TextString FirstPagePath(const char* name, FC& policy);

// The link from a page in the directory `fromDirectory` (empty = the
// current one) to the file `target`: `target` relative to that directory,
// so that the pages of a run still link to each other when the run's
// folders are moved together. Not yet encoded for a link (AppendLinkName).
TextString RelativeLink(std::string_view fromDirectory, std::string_view target);

// The directory part of `path`: up to and including its last '/', or empty.
std::string_view DirectoryOf(std::string_view path);
