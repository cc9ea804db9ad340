#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/SectionNumber.h"
#include "policy/RunContext.h"
#include "text/TextString.h"

class FC;

// The pages of one document, and the one place that decides their names and
// which page holds which section. StartFile names every page through
// NamePage; contents entries, the navigation bar, the Directory page and
// cross-references ask PageOfSection (or SectionHref) for the page of a
// section, so a link always names the page that was, or will be, written.
//
// A page is named after the number of the heading that starts it
// (GetPageName). A heading without a number, or a name the document has
// already used, gets base + "_p" + n instead, n being the page's number in
// the document counted from 1 (or the next number not yet used; made to fit
// eight characters with DOS names), so no page is written over another.
//
// The writer keeps one DocumentPages for the pages it writes; a second one,
// built ahead of the output from the document's headings (Plan), tells the
// pages of sections not yet written. Copying is allowed: the plan starts as
// a copy of the writer's record after the first page.
class DocumentPages {
 public:
  // Whether the heading of `lineType` with raw text `rawText`, met when
  // `processedLines` lines of the pass had been processed, starts a new
  // page: splitting is on and its level is at most the split level, unless
  // it is an unnumbered heading while numbered headings are expected, or
  // the page begun at the same chapter holds fewer than "Min HTML File
  // size" lines. When it does, its chapter becomes the current chapter.
  bool StartsPage(int lineType, const TextString& rawText, int processedLines, const FC& policy);

  // Decides and records the name (no directory, no extension) of the next
  // page: the first page for a null `headingText`, else the page that the
  // heading of `lineType` starts. It becomes the current page.
  const TextString& NamePage(const char* headingText, int lineType, int processedLines,
                             const FC& policy);

  // The page being written (empty before the first).
  const TextString& CurrentPage() const { return current_; }
  // The first page (empty before it is named).
  TextString FirstPage() const { return TextString(pages_.empty() ? "" : pages_.front()); }

  // Records that the heading whose anchor is `anchor` (plain, not encoded)
  // lies on the current page. The first heading of an anchor name wins.
  void AddSection(const TextString& anchor);
  // The same for a numbered heading, whose `number` becomes the last one
  // written.
  void AddNumberedSection(const TextString& anchor, const SectionComponents& number);
  // The page (no directory, no extension) of the section `anchor` written
  // so far; false when none was.
  bool WrittenPageOfSection(std::string_view anchor, TextString& page) const;
  // The number of the last numbered heading written, components padded
  // with -1; empty before the first.
  const std::vector<int>& LastSectionWritten() const { return lastSectionWritten_; }
  // Records any other anchor written on the page `page` (contents entries,
  // the document's own contents lines).
  void AddAnchor(const TextString& page, const TextString& anchor);
  // Whether `anchor` was recorded on `page` by AddSection or AddAnchor.
  bool HasAnchor(std::string_view page, std::string_view anchor) const;

  // Builds the plan of the whole document from its headings in order, as
  // the contents pass collected them. Pages are named exactly as NamePage
  // will name them while writing.
  void Plan(const std::vector<RunContext::ContentsEntry>& headings, const FC& policy);

  // Which page holds the section whose anchor is `anchor` ("Section_2.3",
  // or the anchor of an unnumbered heading). Sets `page` (no directory, no
  // extension) and returns 1 when it is decided: the section was written,
  // or the plan holds it, or the document is a single page and has no plan.
  // Returns 0 ("unknown") otherwise: a later section whose page is not yet
  // known, or a section that no heading of the planned document has.
  int PageOfSection(std::string_view anchor, const FC& policy, TextString& page) const;

  // The link to the section `anchor` from a page of this document, encoded
  // for an HREF: page + extension + "#" + anchor in a split document, "#" +
  // anchor in a single page. Returns 0 and leaves `href` empty when
  // PageOfSection does not know the page.
  int SectionHref(std::string_view anchor, const FC& policy, TextString& href) const;

 private:
  using AnchorPages = std::map<std::string, std::string, std::less<>>;

  bool Used(std::string_view name) const;

  std::vector<std::string> pages_;
  TextString current_;
  int chapterAtLastSplit_ = -1;
  int linesAtPageStart_ = 0;
  // Section anchor -> page of the sections written.
  AnchorPages sections_;
  std::vector<int> lastSectionWritten_;
  // Every anchor written, as page + '#' + anchor.
  std::set<std::string, std::less<>> anchors_;
  // The planned sections; `hasPlan_` once Plan has run.
  AnchorPages planned_;
  bool hasPlan_ = false;
};
