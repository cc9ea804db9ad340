#pragma once

#include <memory>
#include <string_view>

#include "analysis/DocumentStatistics.h"
#include "analysis/SectionNumber.h"

class DocumentPages;
class FC;
class SourceLine;
class TextString;

// The link passes run on the output copy of a line just before it is
// written, by the body writer and by the block writers: section-number
// cross-references first, then the link dictionary.

// Links every word of `text` that names a numbered section of this document
// ("3.2", "(4.2)", "5.1.3,") to that section's heading: the word without its
// punctuation becomes <A HREF="page#Section_3.2">3.2</A>. Runs only when
// "Cross-refs at level" is above 0 and "Expect Numbered Headings" is on.
// A word is linked when it is a section number in the headings' numbering,
// its level + 1 is at least "Cross-refs at level", and each of its numbers
// lies within the range seen at its level. Words inside tags and inside
// links are left alone, and so is a reference to a section not known to
// have its heading on a known page (SectionPageName). The caller skips
// headings and contents lines. `line`, when given, is the line of the pass
// window being written: the classified lines after it then decide about
// the headings among them. `pages`, when given, is the page writer's record
// of which page holds which section. `scratch`, when given, is the record the
// numbers are read with, kept by a writer from line to line (null: one is
// made for the call); it only ever holds what reading numbers leaves in it,
// which no reading looks at. Returns the number of links made.
int LinkCrossReferences(const FC& policy, TextString& text, const SourceLine* line = nullptr,
                        const DocumentPages* pages = nullptr,
                        std::unique_ptr<DocumentStatistics>* scratch = nullptr);
// Where LinkCrossReferences starts to look in `text`, its first digit, or
// npos when it leaves the text as it is whatever else is given: the
// policies ask for no cross-references, or the text holds no digit.
std::size_t CrossReferenceStart(const FC& policy, std::string_view text);
// LinkCrossReferences for a text whose CrossReferenceStart, `start`, is
// known and not npos.
int LinkCrossReferencesFrom(const FC& policy, TextString& text, std::size_t start,
                            const SourceLine* line, const DocumentPages* pages,
                            std::unique_ptr<DocumentStatistics>* scratch);

// The page that holds the heading of section `number` (components 0 to
// `level`) whose anchor is `anchor`, as a link from the page being written
// names it. The page writer's record `pages` (null: none) tells the
// sections written and the last of them; on a split document it also names
// the page of a later section (none given: not linked). A heading already
// written gives its page
// (name and extension) on a split document, and an empty name otherwise. On a single page, a
// section ahead of the last heading written and of `line` (null: not known)
// is linked when its line lies among the classified lines after `line` as a
// heading of that number, or lies beyond them and the analysis found its
// heading at an indent the output accepts for its level; the name is empty.
// Returns false when the heading is not known for sure, so that no link
// points at a page or an anchor that does not exist.
bool SectionPageName(const FC& policy, const SectionComponents& number, int level,
                     const TextString& anchor, const SourceLine* line, const DocumentPages* pages,
                     TextString& page);

// Applies the link dictionary to `text`: for each definition in order, the
// first occurrence of its match text (ignoring case) becomes <A
// HREF="url">link text</A>. Match and link texts are escaped like the line
// (working copies; the record's definitions stay as typed) and the URL is
// written as an attribute value. A match never starts or ends inside a tag
// or an entity; the texts shown on links already made are still searched,
// so later definitions see earlier links. An empty match text never matches.
// Returns 1 when a link was made (the caller then sets the line's
// contains-URL flag), else 0.
int ApplyLinkDictionary(const FC& policy, TextString& text);
