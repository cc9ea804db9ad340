#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "analysis/LineType.h"
#include "text/ParsedString.h"
#include "text/TextString.h"

class DocumentStatistics;
class FC;

// One line of the source document. The analysis gives it a line type
// (LineType), flags (LineFlag), an indentation and, for a numbered heading,
// a section number; the writers read those to choose the markup.
//
// The inherited `text` holds, once the line is prepared, the line escaped for
// HTML and marked up, stripped of its leading and trailing blanks. A line of
// a user-specified HTML region is kept as read; a line of a user-specified
// PRE, TABLE, CODE or DIAGRAM region is escaped but neither marked up nor
// stripped.
//
// Ownership: a line owns its texts and its annotation. The window of a pass
// owns the lines; `prev` and `next` link a line only to other SourceLines and
// do not own them. Not copyable (the base is not).
class SourceLine final : public ParsedString {
 public:
  // Numbers of a section number; "2.3.1" fills three.
  static constexpr int kSectionComponents = 6;
  // Lines of a pass window behind the newest line read; a line without a
  // number of its own is reported with the count of processed lines plus
  // this depth.
  static constexpr int kWindowDepth = 39;

  SourceLine();
  // Links the new line after `previous` (may be null).
  explicit SourceLine(SourceLine* previous);
  ~SourceLine() override;

  // The neighbours as source lines, or null at either end of the chain.
  SourceLine* PreviousLine() const;
  SourceLine* NextLine() const;

  // --- Overrides of ParsedString ---

  // True when the text has no lower-case letter a-z outside markup: the
  // letters of an entity ("&lt;", "&amp;") or of a tag ("<strong>") do not
  // count, so a heading in capitals reads alike before and after escaping
  // and emphasis.
  bool HasNoLowerCase() const override;
  // Longest source line: 255.
  int MaxLength() const override;
  // The line classification. Runs in every pass; may change the types and
  // flags of the line before, the one before that and the next one.
  void Classify(FC& policy, DocumentStatistics& statistics) override;
  // Read-time preparation, once after the line is read and its tabs are
  // expanded: drops a leading UTF-8 byte-order mark and a final carriage
  // return, blanks control bytes (backspaces once overstrike is done), sets
  // `length` and `indent`, keeps `rawText`, escapes, keeps `escapedText`,
  // and marks the line up (MarkInline). In a user-specified HTML region only
  // the first three happen; see the class comment for the other regions.
  void PrepareText(FC& policy) override;
  // The width the line is cut at for output: its own width, widened by 15
  // plus `extraIndent` when that is positive (at most the largest int).
  int CutWidth() const;
  // Cuts at CutWidth(). A pre-formatted line is never cut: its width is its
  // length.
  int PieceWidth() const override;

  // --- Line operations ---

  // Counts the line into the pass statistics as it leaves the window.
  virtual void AccumulateStatistics(DocumentStatistics& statistics);
  // Inline markup of the text: the character map, then, word by word,
  // overstrike and (with `doLinks`, in the output pass) hyperlinks. Ends by
  // taking `escapedText` again, trimming the text when `trim` and recording
  // `firstWordLength`. With `doLinks`, a line of a user-specified PRE,
  // TABLE, CODE or DIAGRAM region gets the character map only.
  virtual void MarkInline(FC& policy, bool doLinks, bool trim);
  // MarkInline with links for a line of a written block: the word pass runs
  // whatever region the line or the reader is in.
  void MarkInlineInBlock(FC& policy, bool trim);
  // "&" -> "&amp;", "<" -> "&lt;", ">" -> "&gt;" in the text.
  virtual void EscapeHTML();
  // Replaces the word-processor characters of single-byte text by plain
  // ASCII. Does nothing for a UTF-8 document.
  virtual void MapCharacters(const FC& policy);
  // Emphasis in the output pass, when "Search for emphasis" is on and the
  // line is neither in a user-specified region nor an HTML line: framed
  // words ("*word*", "_word_", "_two_words_"), outside the document's own
  // contents list, then "_" and "*" phrases (MarkEmphasisPairs).
  virtual void MarkEmphasis(FC& policy);
  // Pairs `openMark` ... `closeMark` into `openTag` ... `closeTag` in the
  // text. A closing mark without an opening one in this line may close a
  // phrase opened in the line before or, when that has no open mark at all,
  // the one before it; only earlier lines that emphasis itself handles are
  // searched or changed (not pre-formatted, not user-specified, not HTML).
  // A closing mark that pairs with nothing is reported with
  // "Ignoring potential emphasis markup" (importance 1) and left as it is.
  virtual void MarkEmphasisPairs(FC& policy, char openMark, char closeMark, const char* openTag,
                                 const char* closeTag);

  // --- Record operations ---

  // Resets the base, then every field below to its reset value. Unless
  // `keepText`, the text, `escapedText`, `rawText` and the annotation are
  // dropped first. Links are kept.
  void Reset(bool keepText);
  // Replace the owned copies; a null `s` gives an empty text.
  void SetEscapedText(const char* s);
  void SetRawText(const char* s);
  // Reports `message` about this line through policy.Message at `level`, as
  // "Line N - " + message. Nothing happens in the analysis pass. While a
  // line listing is written the line's annotation becomes "*** " + message
  // (replacing an earlier one), so the listing shows it above the line.
  void ReportOnLine(FC& policy, const char* message, int level);

  // The attached listing message, or null.
  const SourceLine* Annotation() const { return annotation_.get(); }
  // Drops the annotation (the listing does once it has written it).
  void ClearAnnotation() { annotation_.reset(); }

  // --- Fields (reset values in brackets) ---

  // LineFlag bits [LineFlag::kResetFlags].
  std::uint32_t flags = LineFlag::kResetFlags;
  // End column of the escaped line, indentation and trailing blanks
  // included, taken before markup is inserted [-1].
  int length = -1;
  // Leading blanks of the line as read, after tab expansion [-1].
  int indent = -1;
  // How strongly the line looks pre-formatted: 0 not at all, 10 forced;
  // above 5 the listing marks it '+' [0].
  int preformatScore = 0;
  // Extra output indentation; widens the cutting width when positive [0].
  int extraIndent = 0;
  // The escaped and marked-up line with its indentation, not stripped.
  // Pre-formatted output writes this [empty].
  TextString escapedText;
  // The line as read, after carriage-return removal, before escaping [empty].
  TextString rawText;
  // Components of the section number, outermost first [all -1].
  std::array<int, kSectionComponents> sectionNumber{-1, -1, -1, -1, -1, -1};
  // 1-based number of the line in the source file [-1].
  int sourceLineNumber = -1;
  // Page headers and footers (and the blank lines with them) dropped just
  // before this line, as read; they count as processed lines, and the
  // listing shows them. Emptied with the texts [empty].
  std::vector<TextString> droppedFurniture;

 private:
  // Hyperlink recognition of one word (URL, e-mail address, newsgroup, in
  // that order; the first match ends it), tried in the output pass after
  // overstrike and never inside the document's own contents list. Returns 1
  // and fills `replacement` when the word becomes a link.
  int RecogniseHyperlink(FC& policy, const TextString& word, TextString& replacement);
  // Reports a recogniser's outcome (markup/Hyperlinks.h) about `name`: a
  // bare host linked with "ftp://" (importance 3), a "www.", "ftp." or
  // "gopher." word left alone (7), a newsgroup-like word left alone (3).
  // Other types say nothing.
  void ReportLinkType(FC& policy, int type, const TextString& name);
  // True when emphasis may read and change this line.
  bool TakesEmphasis() const;
  // MarkInline from the word pass on; `backspaces` false when the text is
  // known to hold none. Inline, defined with its callers in SourceLine.cpp:
  // reading every line of every pass calls it, and a frame of its own cost
  // a third of its work.
  inline void MarkInlineWords(FC& policy, bool links, bool trim, bool backspaces = true);
  // Its word pass, for a line holding a backspace (`overstrike`) or a link
  // character, the first at `firstLink` (npos when `overstrike`).
  void MarkFoundWords(FC& policy, bool links, bool overstrike, std::size_t firstLink);

  // PrepareText for a line that is not plainly blank: out of line, so that
  // a blank line is prepared without the frame this needs.
  void PrepareFilledText(FC& policy);
  // `line` as a source line, or null.
  static SourceLine* AsSourceLine(ParsedString* line);

  std::unique_ptr<SourceLine> annotation_;
};

// Inline, as the classification steps from line to line all the time. The
// class is final, so comparing the exact type answers what a dynamic_cast
// would, without its cost.
inline SourceLine* SourceLine::AsSourceLine(ParsedString* line) {
  if (line == nullptr || typeid(*line) != typeid(SourceLine)) return nullptr;
  return static_cast<SourceLine*>(line);
}

inline SourceLine* SourceLine::PreviousLine() const { return AsSourceLine(prev); }

inline SourceLine* SourceLine::NextLine() const { return AsSourceLine(next); }
