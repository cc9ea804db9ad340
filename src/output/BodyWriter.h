#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/PreformattedBlock.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/ParsedString.h"
#include "text/TextString.h"

class DocumentPages;
class HeadingEntries;

// Writes analysed source lines into the body of a page, one call per line in
// source order. From each line's type, flags and neighbours and the policies
// it chooses the block tags around the line (through the NestingStack),
// what goes before and after its text, whether a heading starts a new page,
// and whether the line is written now or collected into a block of
// pre-formatted text that is written when the block ends.
//
// The writer knows nothing of the page around the body: it hands the page
// its decisions (a new page starts here; this heading wants its entries)
// and the page acts on them. A line is written in two calls, BeginLine and
// FinishLine, so that a page can start between them.
//
// The writer remembers what the run of lines needs: the line before (its
// type starts as a blank line), an open <CENTER>, the last list item's kind
// and number, and the block being
// collected (owned). The nesting stack and the block flags live in the
// policy record's document state, shared with the page skeleton.
class BodyWriter {
 public:
  BodyWriter() = default;
  BodyWriter(const BodyWriter&) = delete;
  BodyWriter& operator=(const BodyWriter&) = delete;

  // Begins writing `line` to `stream`, the current page, whose sections
  // `pages` records (not owned; it must outlive the writer's use of it):
  // the block bookkeeping and what still belongs to the page before the
  // line. Returns true when the line is a heading that starts a new page:
  // the caller then ends this page and starts the next before FinishLine.
  // In the contents pass, and with a null stream, only the block
  // bookkeeping runs. Inline: every line of two passes calls it, and most
  // take its shortcut.
  bool BeginLine(std::FILE* stream, SourceLine& line, FC& policy, DocumentPages& pages) {
    pages_ = &pages;
    // FinishLine reads the rest of the record only when this is set.
    pending_.write = false;
    if ((line.flags & LineFlag::kOutput) == 0) return false;
    const DocumentState& doc = policy.document;
    if (doc.preOpen == 0 && !emphasisOpen_ && !LineFlag::IsPreformatted(line.flags) &&
        !LineFlag::IsUserRegion(line.flags)) {
      // Without a page (the contents pass), a line that neither ends nor
      // opens a block only becomes the previous line: most lines, spared the
      // rest.
      if (stream == nullptr) {
        previous_ = {line.lineType, line.flags};
        return false;
      }
      // On a page, such a line that is neither quoted nor a heading, with
      // nothing centred, only leaves its record for FinishLine.
      if (policy.allowCentring == 0 && policy.contentsPass == 0 &&
          line.lineType != LineType::kQuoted && !LineType::IsHeading(line.lineType)) {
        pending_ = {true, previous_, false, doc.insidePreBlock != 0};
        previous_ = {line.lineType, line.flags};
        return false;
      }
    }
    return BeginFullLine(stream, line, policy, pages);
  }

  // What a heading written by FinishLine asks of the contents holder and
  // the Directory page; `level` 0 asks nothing.
  struct HeadingEntry {
    int level = 0;
    TextString anchor;  // the heading's anchor name
    TextString text;    // its raw text, continuation lines joined
  };
  // Writes the rest of the line BeginLine began to `stream` (the new page
  // when one was started). `entries` turns the document's own contents
  // lines into entries (null: they stay as they are); not owned.
  // The entry stays valid until the next FinishLine.
  const HeadingEntry& FinishLine(std::FILE* stream, SourceLine& line, FC& policy,
                                 HeadingEntries* entries);

  // Writes the block still being collected, if any, to `stream` and clears
  // the block state, so that a page never ends with collected lines unwritten.
  void FinishBlock(std::FILE* stream, FC& policy);

 private:
  // BeginLine past its shortcut for a line without a page, out of line so
  // that the shortcut sets up no frame.
  [[gnu::noinline]] bool BeginFullLine(std::FILE* stream, SourceLine& line, FC& policy,
                                       DocumentPages& pages);
  // The pages of the page being written, which cross-references ask; set
  // by every BeginLine, so blocks ended later see the same record.
  DocumentPages* pages_ = nullptr;
  // The contents list given to FinishLine.
  HeadingEntries* entries_ = nullptr;

  // What is remembered of the line written before: its type and its flags,
  // kept whole so that every line stores two words.
  struct Previous {
    int type = LineType::kBlank;  // a page starts as if after a blank line
    std::uint32_t flags = 0;
    bool ShortLine() const { return (flags & LineFlag::kShortLine) != 0; }
    bool IsUserSpecified() const { return LineFlag::IsUserRegion(flags); }
  };

  // What the markup of a line decided about writing it.
  enum class Output {
    kNone,          // nothing is written
    kBody,          // written to the page, indented by the nesting level
    kContentsList,  // a line of the document's own contents list
  };

  // Ends the block being collected and writes it; returns true when the
  // line that ended it counts as just after a block.
  bool EndBlock(std::FILE* stream, FC& policy, const Previous& previous);
  void OpenBlockRecord();
  void Centre(std::FILE* stream, const SourceLine& line, const FC& policy, const Previous& previous,
              bool firstLineOfBlock);
  // Opens the emphasis of a run of quoted lines (it closes in BeginLine).
  void QuotedRun(std::FILE* stream, const SourceLine& line, const FC& policy,
                 const Previous& previous, bool justAfterBlock);
  void WriteOpeningEmphasis(std::FILE* stream);
  Output MarkupByType(std::FILE* stream, SourceLine& line, FC& policy, TextString& text,
                      const Previous& previous, bool blockOpenAtStart);
  Output Heading(std::FILE* stream, SourceLine& line, FC& policy, TextString& text);
  Output ContentsLine(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                      const Previous& previous);
  void ListItem(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                int indentLevel);
  void Definition(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                  const Previous& previous, int indentLevel);
  void HangingParagraph(std::FILE* stream, FC& policy, TextString& text, int indentLevel);
  // Indents the marked-up text held in bodyLine_, adds the cross-references
  // and the dictionary links (setting the line's contains-URL flag for the
  // latter), then writes the line.
  void WriteBodyText(std::FILE* stream, SourceLine& line, const FC& policy);
  // Writes the marked-up text in bodyLine_ after `blanks` blanks, cut to
  // the line's width unless it must stay whole.
  void WriteMarkedUp(std::FILE* stream, const SourceLine& line, int blanks);
  // Writes a text line without a short-line or URL break, or a blank line
  // (most lines are one or the other), as MarkupByType and WriteBodyText
  // would, without the general passes and, where nothing changes the text,
  // without its copy into bodyLine_. Returns false, having done nothing, for
  // any other line. Both inline, defined in BodyWriter.cpp and called only
  // there: most lines pass here, and a frame of their own costs as much as
  // some of their work.
  inline bool WritePlainText(std::FILE* stream, SourceLine& line, FC& policy);
  inline bool WriteBlankLine(std::FILE* stream, const SourceLine& line, const FC& policy);

  // What BeginLine found for FinishLine.
  struct Pending {
    bool write = false;  // FinishLine has something to write
    Previous previous;
    bool blockOpenAtStart = false;
    bool insideBlock = false;
  };

  Previous previous_;
  Pending pending_;
  HeadingEntry heading_;
  // The line being marked up and written, reused from line to line.
  ParsedString bodyLine_;
  // The record cross-references read section numbers with (LinkPasses.h).
  std::unique_ptr<DocumentStatistics> numberScratch_;
  std::unique_ptr<PreformattedBlock> block_;
  // Whether block_ is collecting the lines of an open block.
  bool blockOpen_ = false;
  bool centringOpen_ = false;
  // A quoted run's <EM> is open; the opening tag still to be written.
  bool emphasisOpen_ = false;
  const char* pendingEmphasis_ = nullptr;
  int lastListType_ = 0;
  long long lastListNumber_ = -1;
  // A numbered list's tag, reused from item to item.
  TextString listTag_;
  // Something other than the end-of-file line has been written to the body.
  bool bodyWritten_ = false;
};
