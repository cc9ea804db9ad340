#include "analysis/HeadingStyleCalculation.h"

#include <algorithm>
#include <cstdint>

#include "analysis/DocumentStatistics.h"
#include "analysis/Histogram.h"
#include "analysis/LineType.h"
#include "policy/FC.h"
#include "policy/HeadingStyle.h"
#include "text/TextString.h"

namespace {

// Levels the calculation decides: as deep as the heading line types go
// (RFC 5321 numbers down to 4.5.3.1.1).
constexpr int kLevels = LineType::kMaxHeadingLevel;
// Index of "Num level 0 sections" for the chapter number 3: met twice after
// a blank line, it is the chapter after a contents list that named it.
constexpr int kChapterThree = 2;
constexpr std::int64_t kContentsLinesWhenLikely = 4;
constexpr std::int64_t kContentsLinesForSure = 10;
constexpr std::int64_t kLeastHeadingKind = 6;
constexpr std::int64_t kLeastUnderlined = 5;
constexpr std::int64_t kMostUnderlinedWithCapitals = 10;
constexpr std::int64_t kLeastCapitalised = 5;
constexpr std::int64_t kLeastNumberedLines = 10;
constexpr std::int64_t kLeastNumbered = 2;
constexpr std::int64_t kLeastLevelLines = 3;
constexpr int kLeastSecondWordForOrder = 2;
// A level is a level of numbered paragraphs when more than half of its
// numbers run on to a second line; it takes more than this many to tell.
constexpr std::int64_t kLeastParagraphLines = 10;
constexpr int kDecorationRanks = 2;

double Ratio(std::int64_t part, std::int64_t whole) {
  return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

std::int64_t Headings(const DocumentStatistics& statistics, int level) {
  return statistics.headingLevels[static_cast<std::size_t>(level)].indents.Total();
}

std::int64_t ContentsLines(const DocumentStatistics& statistics, int level) {
  return statistics.contentsLevels[static_cast<std::size_t>(level)].indents.Total();
}

std::int64_t TopFrequency(Histogram& histogram) {
  const Histogram::Entry* top = histogram.EntryAtRank(1);
  return top == nullptr ? 0 : top->frequency;
}

// Whether the document has its own contents list, from the contents lines
// of levels that also have headings.
void CalculateContentsExpected(FC& policy, const DocumentStatistics& statistics) {
  std::int64_t c = 0;
  for (int level = 0; level < kLevels; ++level) {
    if (Headings(statistics, level) > 0) c += ContentsLines(statistics, level);
  }
  bool expected = false;
  if (statistics.levelZeroSections[kChapterThree] >= 2 || c >= kContentsLinesForSure) {
    expected = c >= kContentsLinesWhenLikely;
  } else {
    expected = c > kContentsLinesWhenLikely && c > Headings(statistics, 0) - 2;
  }
  if (statistics.contentsMarkedByUser) expected = true;
  policy.expectContentsList = expected ? 1 : 0;
}

// When underlined or capitalised headings outnumber the numbered
// headings and contents lines at their usual indents, those kinds are
// expected instead.
void CalculateHeadingKinds(FC& policy, DocumentStatistics& statistics) {
  std::int64_t t = 0;
  for (auto& levels : {&statistics.headingLevels, &statistics.contentsLevels}) {
    for (int level = 0; level < kLevels; ++level) {
      t += TopFrequency((*levels)[static_cast<std::size_t>(level)].indents);
    }
  }
  const std::int64_t u = statistics.underlinedHeadings;
  const std::int64_t k = statistics.capitalisedHeadings;
  if ((u >= kLeastHeadingKind || k >= kLeastHeadingKind) && t < u + k) {
    policy.underlinedHeadings = u >= kLeastUnderlined ? 1 : 0;
    policy.capitalisedHeadings = u < kMostUnderlinedWithCapitals && k >= kLeastCapitalised ? 1 : 0;
    policy.numberedHeadings =
        t >= kLeastNumberedLines && statistics.numberedHeadings >= kLeastNumbered ? 1 : 0;
  } else {
    policy.underlinedHeadings = 0;
    policy.capitalisedHeadings = 0;
    policy.numberedHeadings = 1;
  }
}

// Each level's indent is where most of its headings stand.
void CalculateLevelIndents(FC& policy, DocumentStatistics& statistics) {
  for (int level = 0; level < kLevels; ++level) {
    const auto at = static_cast<std::size_t>(level);
    HeadingStyle& heading = policy.headingStyles[at];
    HeadingStyle& contents = policy.contentsStyles[at];
    heading.largestNumber = contents.largestNumber = statistics.maxNumber[at];
    heading.smallestNumber = contents.smallestNumber = statistics.minNumber[at];

    const std::int64_t headings = Headings(statistics, level);
    const std::int64_t contentsLines = ContentsLines(statistics, level);
    // A lone chapter whose sections are numbered under it is a level too
    // (gettext's ABOUT-NLS: "1 Notes on ...", then 1.1 to 1.5).
    const bool parent = headings + contentsLines > 0 && level + 1 < kLevels &&
                        2 * Headings(statistics, level + 1) >= kLeastLevelLines;
    const bool enough = parent || (level == 0 ? headings + contentsLines >= kLeastLevelLines
                                              : 2 * headings >= kLeastLevelLines);
    const Histogram::Entry* top = statistics.headingLevels[at].indents.EntryAtRank(1);
    if (top != nullptr && top->value >= 0 && enough) {
      heading.indent = top->value;
      heading.numberingKind = HeadingStyle::kNumbers;
      policy.headingLevelCount = std::max(policy.headingLevelCount, level + 1);
    }

    const Histogram::Entry* contentsTop = statistics.contentsLevels[at].indents.EntryAtRank(1);
    if (contentsTop == nullptr || contentsTop->value < 0 ||
        (contentsLines < kLeastLevelLines && !parent)) {
      continue;
    }
    if (policy.expectContentsList) {
      contents.indent = contentsTop->value;
    } else if (heading.indent < 0) {
      heading.indent = contentsTop->value;
    } else {
      continue;
    }
    policy.headingLevelCount = std::max(policy.headingLevelCount, level + 1);
  }
}

// A deeper level indented less than the one above it is suspect.
// For chapters another indent seen for them may do; otherwise it is
// reported and left.
void CheckIndentOrder(FC& policy, DocumentStatistics& statistics) {
  for (int level = 0; level < policy.headingLevelCount - 1 && level + 1 < kLevels; ++level) {
    const auto at = static_cast<std::size_t>(level);
    if (statistics.headingLevels[at].secondWordCount >= kLeastSecondWordForOrder) continue;
    HeadingStyle& style = policy.headingStyles[at];
    const int deeper = policy.headingStyles[at + 1].indent;
    if (style.indent < 0 || deeper < 0 || deeper >= style.indent) continue;

    // Another chapter indent is only better when it is not deeper than the
    // sections; with none such, chapters stand where their sections do (RFC
    // 791's centred chapters are found wherever they stand, and its other
    // chapter-level numbers are list items indented past the sections).
    int replacement = -1;
    if (level == 0) {
      Histogram& chapters = statistics.headingLevels[0].indents;
      for (int rank = 2; rank <= chapters.Distinct() && replacement < 0; ++rank) {
        const Histogram::Entry* entry = chapters.EntryAtRank(rank);
        if (entry != nullptr && entry->value <= deeper) replacement = entry->value;
      }
      if (replacement < 0 && chapters.Distinct() < 2 && !policy.expectContentsList) {
        const Histogram::Entry* entry = statistics.contentsLevels[0].indents.EntryAtRank(1);
        if (entry != nullptr) replacement = entry->value;
      }
      if (replacement < 0 && chapters.Distinct() >= 2) replacement = deeper;
    }
    if (replacement >= 0) {
      TextString message("Policy calculation: Rejecting header level [");
      message.AppendNumber(level, false);
      message.AppendText("] value = ");
      message.AppendNumber(style.indent, false);
      policy.Message(message, 10);
      style.indent = replacement;
      continue;
    }
    TextString message("Policy Calculation: *** Ambiguity detected for header level ");
    message.AppendNumber(level + 1, false);
    policy.Message(message, 10);
  }
}

// Levels without an indent at the end are not in use.
void DropUnsetLevels(FC& policy) {
  int& count = policy.headingLevelCount;
  count = std::clamp(count, 0, PolicyValues::kHeadingLevels);
  while (count > 0 && policy.headingStyles[static_cast<std::size_t>(count - 1)].indent < 0 &&
         policy.contentsStyles[static_cast<std::size_t>(count - 1)].indent < 0) {
    --count;
  }
}

// Whether the numbers of a level follow a word ("Chapter 3") often enough.
// The second-word count is weighted by 1.5, since such a heading is only
// counted where its line names "Chapter", "Subject" or "Section".
bool IsSecondWordLevel(const DocumentStatistics::LevelCounts& counts, bool contents) {
  const std::int64_t lines = counts.indents.Total();
  if (lines == 0) return false;
  const double r = Ratio(counts.secondWordCount, lines) * 1.5;
  if (contents) return r >= 0.98 && counts.secondWordCount >= 4;
  if (lines >= 10) return r >= 0.98;
  return r >= 0.8 && counts.secondWordCount >= 4;
}

void TakePrefix(HeadingStyle& style, const DocumentStatistics::LevelCounts& counts) {
  style.hasPrefix = 1;
  const auto& entries = counts.secondWordFirstChars.Entries();
  if (!entries.empty()) style.prefixWord = entries.front().label;
}

// Levels whose numbers follow a word, and the word.
void CalculateSecondWordLevels(FC& policy, const DocumentStatistics& statistics) {
  policy.secondWordHeadings = 0;
  for (int level = 0; level < kLevels; ++level) {
    const auto at = static_cast<std::size_t>(level);
    if (IsSecondWordLevel(statistics.headingLevels[at], false)) {
      policy.secondWordHeadings = 1;
      TakePrefix(policy.headingStyles[at], statistics.headingLevels[at]);
    }
    if (IsSecondWordLevel(statistics.contentsLevels[at], true)) {
      TakePrefix(policy.contentsStyles[at], statistics.contentsLevels[at]);
    }
  }
}

// Levels of numbered paragraphs; chapters never are.
void CalculateNumberedParagraphs(FC& policy, const DocumentStatistics& statistics) {
  for (int level = 1; level < kLevels; ++level) {
    const auto at = static_cast<std::size_t>(level);
    const std::int64_t headings = Headings(statistics, level);
    const std::int64_t contentsLines = ContentsLines(statistics, level);
    double q = 0.0;
    if (headings > kLeastParagraphLines) {
      q = Ratio(statistics.headingLevels[at].continuationCount, headings);
    } else if (!policy.expectContentsList && contentsLines > kLeastParagraphLines) {
      q = Ratio(statistics.contentsLevels[at].continuationCount, contentsLines);
    } else {
      continue;
    }
    if (q > 0.5) policy.headingStyles[at].numberedParagraph = 1;
  }
}

// Appends the decoration characters found around a third of the headings
// to the `field` of every style.
void AddDecoration(FC& policy, Histogram& found, std::int64_t headings,
                   TextString HeadingStyle::*field) {
  for (int rank = 1; rank <= kDecorationRanks; ++rank) {
    const Histogram::Entry* entry = found.EntryAtRank(rank);
    if (entry == nullptr) return;
    if (3 * static_cast<std::int64_t>(entry->frequency) <= headings) continue;
    if (entry->value < 1 || entry->value > 255) continue;
    for (auto* styles : {&policy.headingStyles, &policy.contentsStyles}) {
      for (HeadingStyle& style : *styles)
        (style.*field).AppendChar(static_cast<char>(entry->value));
    }
  }
}

// The decoration around the numbers of a third of the headings, and a
// letter after the number when one heading in ten has one.
void CalculateDecoration(FC& policy, DocumentStatistics& statistics) {
  for (auto* styles : {&policy.headingStyles, &policy.contentsStyles}) {
    for (HeadingStyle& style : *styles) {
      style.beforeNumber.Clear();
      style.afterNumber.Clear();
    }
  }
  std::int64_t s = 0;
  for (int level = 0; level < kLevels; ++level) {
    s += TopFrequency(statistics.headingLevels[static_cast<std::size_t>(level)].indents);
  }
  AddDecoration(policy, statistics.preHeaderChars, s, &HeadingStyle::beforeNumber);
  AddDecoration(policy, statistics.postHeaderChars, s, &HeadingStyle::afterNumber);
  if (10 * static_cast<std::int64_t>(statistics.alphabeticsAfterHeadings) > s) {
    for (auto* styles : {&policy.headingStyles, &policy.contentsStyles}) {
      for (HeadingStyle& style : *styles) style.letterSuffix = 1;
    }
  }
}

}  // namespace

void CalculateHeadingStyles(FC& policy, DocumentStatistics& statistics) {
  CalculateContentsExpected(policy, statistics);
  CalculateHeadingKinds(policy, statistics);
  CalculateLevelIndents(policy, statistics);
  CheckIndentOrder(policy, statistics);
  DropUnsetLevels(policy);
  CalculateSecondWordLevels(policy, statistics);
  CalculateNumberedParagraphs(policy, statistics);
  CalculateDecoration(policy, statistics);
}
