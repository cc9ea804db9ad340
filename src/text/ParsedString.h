#pragma once

#include <string>
#include <string_view>

#include "text/TextString.h"

// Defined by higher layers; the hooks below only pass them on.
class FC;
class DocumentStatistics;

// ParsedString is one line of text: it expands its tabs and cuts itself into
// pieces no wider than a given width at sensible break characters. It is the
// base of the source line class, and every line of markup the output writers
// emit is cut into pieces through it.
//
// Lines form a doubly linked chain through `prev` and `next`. The links are
// not owned: whoever owns the lines (a window of lines) keeps them valid, and
// the destructor does not unlink. Walks along the chain stop at a null link.
//
// Not copyable: a copy would share neighbours with the original. Copy the text
// with SetText(other.GetText()) instead.
class ParsedString : public TextString {
 public:
  // The widest piece GetSegment(start, piece, next) cuts by default.
  static constexpr int kDefaultWidth = 80;
  // A piece may end with one of these characters (blank, tab, comma, tilde).
  static constexpr const char* kBreakAfter = " \t,~";
  // A piece may end just before one of these opening characters.
  static constexpr const char* kBreakBefore = "([{<!=+-";
  // A piece may end with one of these closing characters.
  static constexpr const char* kBreakAfterClose = ")]}>,;";

  ParsedString();
  // Links the new line after `previous` (previous->next = this,
  // prev = previous, next = null). A null `previous` links nothing.
  explicit ParsedString(ParsedString* previous);
  ParsedString(const ParsedString&) = delete;
  ParsedString& operator=(const ParsedString&) = delete;
  ~ParsedString() override;

  // Empties the text unless `keepText`; restores the default width, break
  // sets and firstWordLength -1. Links, lineType and sourceText are kept.
  // Inline: every line read is reset.
  void Reset(bool keepText) {
    if (!keepText) Clear();
    width = kDefaultWidth;
    if (breakSetsChanged_) RestoreBreakSets();
    firstWordLength = -1;
  }
  // Replaces the three break sets below; Reset restores the defaults.
  void SetBreakSets(std::string_view after, std::string_view before, std::string_view afterClose);

  // Longest line this class is meant to hold: 1024.
  virtual int MaxLength() const;
  // Whether the text read so far makes a whole line; the reader keeps
  // appending file lines until this is true. The base takes one file line.
  virtual bool IsComplete() const;
  // Stores `type` in lineType.
  virtual void SetType(int type);
  // Gives the line its type. The base only sets lineType to 0.
  virtual void Classify(FC& policy, DocumentStatistics& statistics);
  // Replaces each tab, left to right, by blanks up to the next multiple of
  // `tabSize` (columns from 0). A tab size outside 1 to 8 is taken as the
  // nearest of the two: a stop further than 8 columns is never produced.
  virtual void ExpandTabs(int tabSize);
  // Called once after every read, when the tabs are expanded. The base does
  // nothing.
  virtual void PrepareText(FC& policy);
  // Cuts the piece that begins at `start` and is at most `pieceWidth`
  // characters wide (one more on a hard cut) into `piece`. `nextStart`
  // receives where the following piece begins, or -1 when this was the last
  // (also when a cut piece reaches the end: no empty piece follows).
  // Returns false (and an empty piece) when `start` is beyond the end.
  virtual bool GetSegment(int pieceWidth, int start, TextString& piece, int& nextStart) const;
  // The same at PieceWidth().
  virtual bool GetSegment(int start, TextString& piece, int& nextStart) const;
  // The width GetSegment(start, piece, next) cuts at: the line's own `width`.
  virtual int PieceWidth() const;
  // The index of the last character of a piece that begins at `start` when
  // the text from `start` is longer than `pieceWidth`: the latest break
  // character (blank, tab, comma, tilde, closing character, or the character
  // before an opening one) up to start + pieceWidth; without one, a hard cut
  // at start + pieceWidth, moved back (or forward when the piece would be
  // empty) so that it never splits a UTF-8 sequence.
  virtual int FindBreak(int start, int pieceWidth) const;

  int width = kDefaultWidth;
  // The break sets FindBreak uses. Change them through SetBreakSets, so that
  // Reset knows to restore them.
  std::string breakAfter = kBreakAfter;
  std::string breakBefore = kBreakBefore;
  std::string breakAfterClose = kBreakAfterClose;
  // The line exactly as it came from the file, before tab expansion; kept
  // only for a line that may have held a tab (for any other, the text itself
  // is the line as read, and this stays empty).
  TextString sourceText;
  // Whether the text as read held a tab (set by ExpandTabs, or by a reader
  // that knows there is none).
  bool expandedTabs = false;
  ParsedString* prev = nullptr;
  ParsedString* next = nullptr;
  int lineType = 0;
  // Length of the first word; -1 until a derived class computes it.
  int firstWordLength = -1;

 private:
  void RestoreBreakSets();

  // Set by SetBreakSets: most lines keep the default sets all their life,
  // and Reset need not compare them.
  bool breakSetsChanged_ = false;
  // The text before the last ExpandTabs, kept as a store for the next.
  std::string expansionStore_;
};
