#pragma once

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "output/BodyWriter.h"
#include "output/DocumentPages.h"
#include "text/LineFile.h"
#include "text/OutputFile.h"
#include "text/TextString.h"

class FC;
class HeadingEntries;
class SourceLine;

// The output file of one conversion: one HTML 3.2 page, or a chain of pages
// when the document is split at its headings. It writes the page skeleton
// (head, body tag, navigation bar, footer), copies the user's include files
// into it, and writes the body through its BodyWriter, line by line.
//
// The per-document output state (nesting stack, page names, the pending
// block flags) lives in the policy record's document state, which
// FC::ResetDocumentState clears for every document; the state of the body
// writer lives in this object. One HTMLFile serves one document.
//
// The page operations that need no page of their own (the head, include
// files, plain indentation, page properties) are static, so the contents
// file and the Directory page write their skeleton with them too.
//
// Ownership: the contents holder (the first page, kept open while a split
// document's contents entries go on being written into it) is owned here;
// the policy record's document.contentsFile points to it while it exists,
// so the record must not use that pointer after this object is destroyed.
// The HeadingEntries, when given, is not owned and must outlive its use.
class HTMLFile : public OutputFile {
 public:
  HTMLFile();
  ~HTMLFile() override;

  using OutputFile::StartFile;
  using OutputFile::WriteLine;

  // Starts a page. `name` is the output base name (no extension) of the
  // first page, null for a page that `sectionLine` (the heading that begins
  // it) starts in a split document. The page before, on `previousStream`,
  // is ended first: with its footer and navigation bar, or, at the first
  // split of a document that has a contents list, by handing the first page
  // over to the contents holder. Reports "Generating HTML file NAME", opens
  // the page and writes its head. Returns 1, or 0 when the page cannot be
  // opened ("ERROR: Can't open file \"NAME\"", importance 10).
  int StartFile(const char* name, FC& policy, SourceLine* sectionLine,
                std::FILE* previousStream) override;
  // Writes one analysed source line into the page body (BodyWriter).
  // Inline, for the output pass's call for every line.
  void WriteLine(std::FILE* stream, SourceLine& line, FC& policy) override {
    if (body_.BeginLine(stream, line, policy, pages_)) {
      StartFile(nullptr, policy, &line, stream);
      stream = CurrentStream();
    }
    const BodyWriter::HeadingEntry& heading =
        body_.FinishLine(stream, line, policy, headingEntries_);
    if (heading.level > 0) WriteHeadingEntries(stream, line, policy, heading);
  }

  // Writes the head of a page, from the document type line to the body tag
  // and the header include file. The four texts come from
  // GetPageProperties; `scriptFile` and `headerFile` name the include files
  // (empty = none). Returns 1, or 0 for a null stream.
  static int WriteHTMLHead(std::FILE* stream, const TextString& title, const TextString& styleSheet,
                           const TextString& keywords, const TextString& description,
                           const TextString& scriptFile, const TextString& headerFile,
                           const FC& policy, bool isDirectoryPage);

  // Writes the end of a page: closes the body's open blocks (writing a
  // block still being collected, so nothing is lost), the navigation bar
  // when asked for and splitting is on, the footer include file, "</BODY>"
  // and "</HTML>". `nextSectionLine` begins the next page (null on the
  // last). `isContentsFile` marks the contents file's own footer. Returns 1,
  // or 0 for a null stream.
  int WriteHTMLFooter(std::FILE* stream, const SourceLine* nextSectionLine, FC& policy,
                      const TextString& footerFile, bool isContentsFile, bool addNavigationBar);

  // Writes the Prev | Next | Contents bar of a split document. Returns 1, or
  // 0 for a null stream.
  int WriteNavigationBar(std::FILE* stream, const SourceLine* nextSectionLine, FC& policy,
                         bool isContentsFile);

  // Copies the file `fileName` line by line, unchanged, into the page between
  // "<!--- Start of include file ... --->" and "<!---   End of include file
  // ... --->" comments. A name without a directory is looked for in the
  // input directory. A file that cannot be read leaves "<!--- Failed to find
  // include file ... --->" in the page and is reported ("ERROR: Failed to
  // find include file \"NAME\"", importance 10, with the reason when the
  // name is not a readable regular file). Returns true when copied.
  static bool IncludeFile(std::FILE* stream, const char* fileName, const FC& policy);

  // Brings a plain BLOCKQUOTE depth held by the caller (contents list,
  // Directory page) to `level`: when it changes, "<BR>" ("<P>" with "Use <P>
  // markup for paragraphs") first, then one "<BLOCKQUOTE>" or
  // "</BLOCKQUOTE>" line per level, indented two blanks per level open
  // outside it (none when minimising). A negative level is reported and
  // taken as 0. Returns 1, or 0 for a null stream.
  static int SetIndentLevel(std::FILE* stream, int level, int& currentLevel, const FC& policy);

  // The title, description, keywords and style sheet of the document's
  // pages: the $_$_TITLE text wins over the policies for the title (then
  // the first heading or first line when asked for, then "Document
  // title"); the policies win over the preprocessor texts for the others.
  static void GetPageProperties(const FC& policy, TextString& title, TextString& description,
                                TextString& keywords, TextString& styleSheet);

  // The pages of this document: their names, and the page that holds each
  // section (see DocumentPages). Cross-references ask it for their links.
  const DocumentPages& Pages() const { return pages_; }
  DocumentPages& Pages() { return pages_; }

  // Makes `holder` (open, its head written) the external contents file:
  // contents entries go to it from now on; it receives a "<P>" line.
  void SetContentsFile(std::unique_ptr<LineFile> holder, FC& policy);
  // Ends the contents holder when it is not the page being written: the
  // line FinishContentsFile adds, its footer (with the navigation bar of a
  // split document) and closing it. `base` is the output base name.
  void CloseContentsFile(const TextString& base, FC& policy);
  // The line that ends the contents list: with an external contents file to
  // which no entry was written, a heading "CONTENTS FOR" linking to the
  // document's first page; otherwise an empty line.
  void FinishContentsFile(const TextString& base, FC& policy);

  // The contents holder, or null.
  LineFile* ContentsHolder() const { return contentsHolder_.get(); }
  // Gives the writer the contents list and Directory entries of headings;
  // null = none. Not owned.
  void SetHeadingEntries(HeadingEntries* entries) { headingEntries_ = entries; }
  HeadingEntries* GetHeadingEntries() const { return headingEntries_; }
  // Whether a contents entry has been written into the contents holder.
  bool ContentsEntryWritten() const { return contentsEntryWritten_; }

 private:
  // Writes a heading's entries, as the body writer asks: into the contents
  // holder (or kept for it) and onto the Directory page.
  void WriteHeadingEntries(std::FILE* stream, const SourceLine& line, FC& policy,
                           const BodyWriter::HeadingEntry& heading);
  void WriteContentsEntry(std::FILE* stream, const SourceLine& line, FC& policy,
                          const BodyWriter::HeadingEntry& heading);
  // Keeps the contents entry of a heading met before a split document's
  // first split, when there is no holder yet; it is written into the holder
  // at `level` when the holder is made.
  void KeepContentsEntry(const TextString& entry, int level);
  // Whether the contents holder still lacks the anchor `anchor`; records it
  // as written when it does. A holder that is the first page may have it
  // from the document's own contents list or an early heading.
  bool HolderNeedsAnchor(const TextString& anchor);
  // Closes the body's blocks before a footer or navigation bar.
  void CloseBlocks(std::FILE* stream, FC& policy, bool isContentsFile);
  // Whether the Contents item of the bar that ends a page may point at the
  // anchor `anchor` of `next` in the contents holder.
  bool HolderHasAnchor(const SourceLine& next, const TextString& anchor, const FC& policy) const;
  // Ends the page on `previousStream` before the next one is opened.
  void EndPreviousPage(FC& policy, SourceLine* sectionLine, std::FILE* previousStream);

  BodyWriter body_;
  std::unique_ptr<LineFile> contentsHolder_;
  HeadingEntries* headingEntries_ = nullptr;
  DocumentPages pages_;
  // The page StartFile is starting, named before the page it ends gets its
  // navigation bar.
  TextString upcomingPage_;
  // Contents entries met before the holder exists: {entry, level}.
  std::vector<std::pair<TextString, int>> keptEntries_;
  std::set<std::string, std::less<>> holderAnchors_;
  bool holderIsFirstPage_ = false;
  bool contentsEntryWritten_ = false;
};
