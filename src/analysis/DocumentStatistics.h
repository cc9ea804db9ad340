#pragma once

#include <array>

#include "analysis/Histogram.h"
#include "analysis/PageFurniture.h"

// The counts and distributions gathered over one pass of a document, read by
// the policy calculation and printed by the statistics report. One record
// per pass, owned by the conversion; a fresh record is a reset one.
//
// The record also carries the section numbering state of the pass and the
// small amount of classification state that lives exactly as long as a pass
// (the last heading type, the last contents and chapter lines).
class DocumentStatistics {
 public:
  // Heading levels with statistics of their own (section numbers have at
  // most six components).
  static constexpr int kLevels = 6;
  // "Num level 0 sections": counts for the chapter numbers 1 to 5.
  static constexpr int kLevelZeroCounts = 5;

  // The counts of one heading level, kept once for headings and once for
  // the lines of the document's own contents list.
  struct LevelCounts {
    // Headings found by the word after "Chapter", "Subject" or "Section".
    int secondWordCount = 0;
    // The first character of such headings, labelled with the word that
    // introduces the number.
    Histogram secondWordFirstChars;
    // Lines appended to a heading of this level.
    int continuationCount = 0;
    // The indent of every line of this level, counted as it leaves the
    // window.
    Histogram indents;
  };

  // --- Section numbering, per level (component index) ---
  // Smallest and largest component seen; -1 while unset.
  std::array<int, kLevels> minNumber{-1, -1, -1, -1, -1, -1};
  std::array<int, kLevels> maxNumber{-1, -1, -1, -1, -1, -1};
  // The component of the last accepted heading or contents line, and the one
  // before it; -1 when none.
  std::array<int, kLevels> lastNumber{-1, -1, -1, -1, -1, -1};
  std::array<int, kLevels> previousNumber{-1, -1, -1, -1, -1, -1};
  // Whether that last (and previous) number was a contents line.
  std::array<int, kLevels> lastWasContents{};
  std::array<int, kLevels> previousLastWasContents{};
  std::array<LevelCounts, kLevels> headingLevels;
  std::array<LevelCounts, kLevels> contentsLevels;
  // Underlined headings have no number; only their indents are counted.
  std::array<LevelCounts, kLevels> underlinedLevels;
  // Level-0 numbers 1 to 5 found after a blank line; only 2, 3 and 4 are
  // counted, the others stay -1.
  std::array<int, kLevelZeroCounts> levelZeroSections{-1, -1, -1, -1, -1};
  // Decoration found around section numbers ("(3)", "[3]", "3a").
  Histogram preHeaderChars;
  Histogram postHeaderChars;
  int alphabeticsAfterHeadings = 0;

  // --- Counts of the lines leaving the window ---
  // The indent of every line that is not a heading, contents line or
  // enumerated bullet ("Indents").
  Histogram indents;
  // The length of every line that was read.
  Histogram lineLengths;
  // First lines of paragraphs indented against the lines that follow them.
  Histogram paragraphIndents;
  int numberedHeadings = 0;
  // The line that left the window before: its indent (-1 before the first)
  // and its type.
  int previousIndent = -1;
  int previousType = 0;

  // --- Classification counts ---
  int blankLines = 0;
  // Counted when the underline is found and again when the heading leaves
  // the window.
  int underlinedHeadings = 0;
  int capitalisedHeadings = 0;
  int codeLines = 0;
  Histogram bulletChars;
  int dashBullets = 0;
  int circleBullets = 0;
  int numberedBullets = 0;
  int alphabeticBullets = 0;
  int romanBullets = 0;
  // " - " and ": " separators: all uses, and those early enough in the line
  // to make a definition.
  int dashUses = 0;
  int dashDefinitions = 0;
  int colonUses = 0;
  int colonDefinitions = 0;
  int hangingParagraphs = 0;
  Histogram hangingIndents;
  // A "$_$_BEGIN_CONTENTS" command marked the contents list in this pass.
  int contentsMarkedByUser = 0;

  // --- Classification state of the pass ---
  // Type of the last heading or contents line found by its number; 0
  // before the first.
  int lastHeadingType = 0;
  // An accepted heading (not a contents line) has been met.
  int headingSeen = 0;
  // Source line numbers of the last contents line and of the last chapter
  // heading found by the analysis pass; 0 before the first.
  int lastContentsLine = 0;
  int lastChapterLine = 0;
  // Lines other than blank and form-feed lines classified since the last
  // contents line.
  int linesAfterContentsLine = 0;

  // Running page headers and footers: gathered by the analysis pass, then
  // copied to the later passes, which drop them.
  PageFurniture pageFurniture;
};
