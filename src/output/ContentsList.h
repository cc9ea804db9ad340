#pragma once

#include <cstdio>

#include "output/HeadingEntries.h"
#include "text/TextString.h"

class FC;
class HTMLFile;
class RunContext;
class SourceLine;

// The contents entries of a document's headings: the line that links to a
// heading, in the generated contents list (in the page, in the contents
// holder or in the external contents file), in the document's own contents
// list and on the Directory page. Every link names the page that holds the
// section, as the page's DocumentPages decides it; a section whose page is
// not known (or that no heading of the document has) gets its entry
// without a link rather than a link to nothing.
//
// Bound to the HTMLFile whose pages it links to; not owned, and it must
// outlive this object.
class ContentsList : public HeadingEntries {
 public:
  explicit ContentsList(const HTMLFile& page) : page_(page) {}

  // The entry of a heading or contents line of `lineType` whose raw text
  // (its continuation lines joined) is `headingText`: the font tag sized by
  // the level, the number and the title, the link on the title (or on the
  // number with "Hyperlinks on numbers"), ending in "<BR>". Links are
  // relative to the external contents file when there is one, else to the
  // document's pages. Returns 1.
  int MakeContentsLine(const FC& policy, int lineType, const TextString& headingText,
                       TextString& entry) override;

  // Writes the Directory page's line for `heading`, linked from the
  // Directory page to the page being written, at BLOCKQUOTE depth `level`
  // ("Indent headings in Directory") or 1. Returns 1, or 0 when the run has
  // no Directory page.
  int WriteDirectoryHeading(FC& policy, const SourceLine& heading, int level) override;

  // Writes the in-page contents list of the run context's contents entries
  // on `stream`: nothing without entries; else the "Table of Contents"
  // heading, one entry a line at the BLOCKQUOTE depth of its level, and
  // "<HR>".
  void WriteContentsList(FC& policy, std::FILE* stream);

  // Collects `line` into the run context's contents entries when it is a
  // heading that is written (not in an excluded section).
  static void OfferContentsEntry(const SourceLine& line, const FC& policy);
  // Appends the heading or contents line `line`, met when `processedLines`
  // lines had been processed, to the contents entries of `run`. Any other
  // line type is reported on standard error and not added.
  static void AddContentsEntry(RunContext& run, const SourceLine& line, int processedLines);

  // Writes `entry` wrapped at blanks only (a link target holds none), or
  // whole when it holds a run of text too long to wrap there, so no link is
  // cut inside its tag.
  static void WriteEntry(std::FILE* stream, const TextString& entry);

  // The entry of a heading with the link `href` (empty = no link).
  static void BuildContentsLine(const FC& policy, int lineType, const TextString& headingText,
                                const TextString& href, TextString& entry);

 private:
  // The link from `fromDirectory` to the section of the heading, or empty
  // when its page is not known.
  TextString HrefFrom(std::string_view fromDirectory, const FC& policy, int lineType,
                      const TextString& headingText) const;

  const HTMLFile& page_;
};
