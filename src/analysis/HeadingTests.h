#pragma once

#include <string_view>

#include "analysis/SectionNumber.h"
#include "text/TextString.h"

class DocumentStatistics;
class FC;
class SourceLine;

// Whether the document's own contents list is the one the user marked with
// "$_$_BEGIN_CONTENTS" and "$_$_END_CONTENTS", so that the analysis leaves
// its start and end alone. Known in the passes after the analysis, from the
// command on.
bool ContentsMarkedByUser(const FC& policy);

// The document's own contents list ends at `line`: the list state is closed
// and the line loses its contents-list flag.
void EndContentsList(FC& policy, SourceLine& line);

// Decides whether one word of a line opens a heading: a section number
// checked against the numbers seen so far, the level indents of the policy,
// the spacing of chapters and the state of the document's contents list; or
// the text above an underline.
//
// One object serves one test of one line. It reads and changes the
// numbering state in the statistics record of the pass, the contents-list
// state of the policy, and the line's section number and flags; it may turn
// the heading line before into a numbered bullet. Messages about rejected
// and doubtful numbers go through SourceLine::ReportOnLine.
class HeadingTest {
 public:
  // Results of the progression and context checks. 0 and 6 to 10 accept a
  // number; the others reject it.
  enum Code {
    kAccepted = 0,
    kChangeTooLarge = 1,
    kChangeTooSmall = 2,
    kFirstSubHeader = 3,
    kChaptersConsecutive = 4,
    kChaptersTooClose = 5,
    kStartContents = 6,
    kContentsRestart = 7,
    kEndContentsAtOne = 9,
    kContentsNotExpected = 10,
    kChapterTooSmall = 11,
    kChapterTooLarge = 12,
    kRejectFirst = 13,
    kRepeated = 14,
    kMissing = 15,
  };

  // Nothing is owned; all three must outlive the object.
  HeadingTest(SourceLine& line, FC& policy, DocumentStatistics& statistics);
  HeadingTest(const HeadingTest&) = delete;
  HeadingTest& operator=(const HeadingTest&) = delete;

  // Tests `word`, word number `wordNumber` (1 or 2) of the line. With
  // `underlineLevel` 0 or more the line stands above an underline and is an
  // underlined heading of that level whatever its first word. Otherwise the
  // word must be an acceptable section number. `numberedAllowed` is false
  // where a chapter number would start inside running text.
  //
  // Returns the line type (101 to 105, 111 to 115, 151 to 155) or 0. A
  // number that was rejected by its sequence sets LineFlag::kRejectedNumber.
  int TestHeading(std::string_view word, int wordNumber, int underlineLevel, bool numberedAllowed);

  // The steps of TestHeading, open for tests. Each requires the line's
  // section number of `level` + 1 components.
  //
  // Sets the six comparison switches against the last numbers seen.
  void CompareWithLastNumber(int level);
  // How the number follows the last one: kAccepted, a rejection (1, 2, 3,
  // 11, 12) or, read as kAccepted, kRepeated and kMissing. With `report`,
  // in the output pass, the code's message is reported (importance 7).
  int CheckProgression(int level, bool report);
  // kChaptersConsecutive when the number continues a run of level-0 numbers
  // standing close together at one indent (a numbered list: the earlier
  // "heading" becomes a numbered bullet); kChaptersTooClose in the analysis
  // pass for a chapter fewer than "Min chapter size" lines after the last;
  // otherwise kAccepted.
  int CheckChapters(int level, bool contentsExpected, bool report);
  // The number against the document's own contents list. Requires
  // CompareWithLastNumber and the change-too-small verdict.
  int CheckContentsContext(int level, bool contentsExpected, bool report);

  bool noPrevious = false;
  bool allOnes = false;
  bool someUnseen = false;
  bool startsSequence = false;
  bool sameParent = false;
  bool notAboveMinimum = false;
  bool changeTooSmall = false;

 private:
  // TestHeading for a word that holds a digit and stands above no underline.
  int TestNumber(std::string_view word, int wordNumber, bool numberedAllowed);
  void Report(const char* message, const TextString& detail, int importance);
  void AcceptNumber(int type, int level);

  SourceLine& line_;
  FC& policy_;
  DocumentStatistics& statistics_;
};
