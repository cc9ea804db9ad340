#pragma once

#include <cstdio>
#include <memory>

#include "analysis/LineType.h"
#include "analysis/PreformattedBlock.h"

class DocumentPages;
class FC;
class HTMLFile;
class SourceLine;
class TextString;

// Writes analysed source lines into the body of a page, one call per line in
// source order. From each line's type, flags and neighbours and the policies
// it chooses the block tags around the line (through the page's nesting
// stack), what goes before and after its text, whether a heading starts a
// new page, and whether the line is written now or collected into a block of
// pre-formatted text that is written when the block ends.
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

  // Writes `line` to `stream`, the current page of `page`. A heading may end
  // the page and start the next one (HTMLFile::StartFile); the rest of the
  // line then goes to the new page. In the contents pass, and with a null
  // stream, only the block bookkeeping runs.
  void WriteLine(HTMLFile& page, std::FILE* stream, SourceLine& line, FC& policy);

  // Writes the block still being collected, if any, to `stream` and clears
  // the block state, so that a page never ends with collected lines unwritten.
  void FinishBlock(std::FILE* stream, FC& policy);

  // Whether a contents entry has been written into the contents holder.
  bool ContentsEntryWritten() const { return contentsEntryWritten_; }
  // Whether headings get contents entries as they are written: a contents
  // list is asked for, the document's own list is not used instead, and no
  // contents pass has built the list at the top of the page.
  static bool WritesContentsEntries(const FC& policy);

 private:
  // The pages of the page being written, which cross-references ask; set
  // by every WriteLine, so blocks ended later see the same record.
  const DocumentPages* pages_ = nullptr;

  // What is remembered of the line written before.
  struct Previous {
    int type = LineType::kBlank;  // a page starts as if after a blank line
    bool shortLine = false;
    bool userPre = false;
    bool userTable = false;
    bool userCode = false;
    bool userDiagram = false;
    bool IsUserSpecified() const { return userPre || userTable || userCode || userDiagram; }
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
  void Centre(std::FILE* stream, const SourceLine& line, const FC& policy, const Previous& previous,
              bool firstLineOfBlock);
  void QuotedRun(std::FILE* stream, const SourceLine& line, const FC& policy,
                 const Previous& previous, bool firstLineOfBlock, bool justAfterBlock);
  Output MarkupByType(HTMLFile& page, std::FILE*& stream, SourceLine& line, FC& policy,
                      TextString& text, const Previous& previous, int indentLevel,
                      bool blockOpenAtStart);
  Output Heading(HTMLFile& page, std::FILE*& stream, SourceLine& line, FC& policy, TextString& text,
                 const Previous& previous);
  Output ContentsLine(HTMLFile& page, std::FILE* stream, const SourceLine& line, FC& policy,
                      TextString& text, const Previous& previous);
  void ListItem(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                int indentLevel);
  void Definition(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                  const Previous& previous, int indentLevel);
  void HangingParagraph(std::FILE* stream, FC& policy, TextString& text, int indentLevel);
  // Adds the cross-references and the dictionary links (setting the line's
  // contains-URL flag for the latter), then writes the line.
  void WriteBodyText(std::FILE* stream, SourceLine& line, const FC& policy, const TextString& text);
  // Writes the heading's entry into the contents holder.
  void WriteContentsEntry(HTMLFile& page, std::FILE* stream, const SourceLine& line, FC& policy,
                          const TextString& anchorLine, int level);

  Previous previous_;
  std::unique_ptr<PreformattedBlock> block_;
  bool centringOpen_ = false;
  int lastListType_ = 0;
  long long lastListNumber_ = -1;
  bool contentsEntryWritten_ = false;
  // Something other than the end-of-file line has been written to the body.
  bool bodyWritten_ = false;
};
