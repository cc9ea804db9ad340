#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/TextString.h"

class DocumentStatistics;
class FC;
class RunContext;
class SourceLine;

// Gives one source line its type and flags from its own text, the lines
// before it, the one line after it, the policies and the state of the pass.
//
// Each recogniser answers one question about the line (a heading number, a
// bullet, a definition, a quotation, code, a rule, a continuation);
// Classify alone runs them in a fixed order and decides which one wins.
// Besides the line it may change the line before, the one before that and
// the next line (an underline makes the line above a heading, a second line
// makes the first a list item). In the analysis pass it mostly counts
// candidates into the statistics; in later passes the calculated policies
// decide.
//
// Requires: the line is the one before the newest line of the window, so
// its successor (if any) has been read and prepared. Nothing is owned.
class LineClassifier {
 public:
  // Inline: a classifier is made for every line of every pass.
  LineClassifier(SourceLine& line, FC& policy, DocumentStatistics& statistics)
      : line_(line), policy_(policy), statistics_(statistics) {}
  LineClassifier(const LineClassifier&) = delete;
  LineClassifier& operator=(const LineClassifier&) = delete;

  void Classify();

 private:
  // Always inline: made once for every line of every pass.
  [[gnu::always_inline]] void ReadContext();
  // Word 2 of the text as ReadContext found it; requires hasWord2_ and the
  // text unchanged since.
  std::string_view SecondWord() const;
  // True when word 2, as SecondWord cuts it, is known to hold no digit.
  bool SecondWordNumberless() const;
  // False for a line that TestBullet would reject without counting it.
  bool MayOpenItem() const;
  // Turns pos2_ and word1Columns_ from bytes into columns, once.
  void CountColumns();
  // The line two above, or null; its type, blank without one.
  SourceLine* PP() const;
  int PPType() const;
  // The length of the line before, -1 without one.
  int PLength() const;
  // Whether the line before was centred and pre-formatted when it was read.
  bool PCentred() const;
  bool PPre() const;
  // Whether the line may open a numbered chapter.
  bool AllowNumbered() const;
  void TakeFirstLineTitle();
  [[gnu::noinline]] void SetFirstLineTitle(RunContext& run);
  // TestBlank for a blank line (empty or a form feed) after a line of no
  // list, before the context is read: a third of the lines of a document
  // need nothing more.
  bool TestBlankAlone();
  bool TestBlank();
  void TrackContentsList();
  void MarkCentring();
  bool ApplyHeading(int heading);
  bool TestCapitalised();
  void TestDefinition();
  // TestDefinition for a line whose context allows a definition.
  [[gnu::noinline]] void TestSeparator();
  void TestQuoted();
  // TestQuoted for the raw text of a line that may be quoted.
  [[gnu::noinline]] void TestQuotedText(std::string_view raw);
  void TestCode();
  void TestHangingFromPrevious();
  // TestHangingFromPrevious for a line indented under the line before.
  [[gnu::noinline]] void TestUnderSecondWord();
  void TestHangingPosition();
  bool TestRule();
  // TestRule for a line whose text starts as a drawing does.
  [[gnu::noinline]] bool TestDrawnLine(std::string_view text);
  void TestBulletContinuation();
  void TestAfterBulletBlank();
  // TestAfterBulletBlank for a line after a blank line inside a list.
  [[gnu::noinline]] void TestAfterListBlank();
  bool TestContinuation();
  // TestContinuation for a text line after a line of another type.
  [[gnu::noinline]] bool TestContinuationOf();
  bool ContinueHeading();
  void TestNewParagraph();
  void TestShortLineEnd();
  // Always inline: made once for most lines of every pass.
  [[gnu::always_inline]] void SetFinalFlags();
  void SetFirstHeadingTitle(const TextString& title);

  SourceLine& line_;
  FC& policy_;
  DocumentStatistics& statistics_;

  // The members are grouped by their first value, those starting at zero
  // first: a classifier is made for every line of every pass, and so its
  // making is a few wide stores.
  //
  // The neighbours and what classification reads of the lines before, taken
  // before any step runs (absent lines read as blank, indent and length -1;
  // these values follow below). The line after and the one two above are
  // read where a step needs them, which most lines do not (PPType says why
  // that reads the same).
  SourceLine* prev_ = nullptr;
  SourceLine* next_ = nullptr;
  // The flags of the line before as they were read (0 without one): whether
  // it was centred and pre-formatted then.
  std::uint32_t pFlags_ = 0;
  bool pBullet_ = false;
  bool pBulletBlank_ = false;
  // Word 1 seen in the line's text, valid until the text changes (a
  // quotation inverts its emphasis); its lengths are kept for the steps
  // after that. Word 2 is cut out only when a test reads it (SecondWord):
  // the start is enough for most lines.
  std::string_view word1_;
  std::size_t start2_ = 0;
  int word1Length_ = 0;
  int word1Columns_ = 0;
  bool hasWord1_ = false;
  bool hasWord2_ = false;
  // The line's first full score and its type then, when it was scored.
  bool scored_ = false;
  // The document is UTF-8: positions are counted in characters.
  bool utf8_ = false;
  int firstScore_ = 0;
  int firstScoreType_ = 0;
  // OwnPreformatScore of the line, taken once its emphasis is marked.
  int ownScore_ = 0;

  int pType_ = 1;
  int pIndent_ = -1;
  // Position of the second word in the text; -1 without one. In bytes
  // until CountColumns has run, in columns after.
  int pos2_ = -1;
  bool columnsCounted_ = true;
  // Policy numbers widened once, so arithmetic on them cannot overflow.
  std::int64_t width_ = 80;
  std::int64_t paragraphOffset_ = -1;
};
