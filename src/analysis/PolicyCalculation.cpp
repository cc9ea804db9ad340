#include "analysis/PolicyCalculation.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "analysis/DocumentStatistics.h"
#include "analysis/HeadingStyleCalculation.h"
#include "analysis/Histogram.h"
#include "policy/FC.h"
#include "text/TextString.h"

namespace {

// A column one off its neighbour is the same indent written carelessly; one
// this far beyond the column below is a quotation or a table, not a level of
// the text.
constexpr std::int64_t kFarthestStep = 12;
// The positions walk stops once this share of the lines is covered.
constexpr std::int64_t kCoveredPercent = 95;
constexpr int kMostPositions = 4;
// A file of fewer lines, with a weight of numbered headings (two for a
// section, one for a chapter or a chapter's contents line) below 4.9, is
// too small for headings, definitions and the like. The weight is compared
// ten times over to stay in integers.
constexpr std::int64_t kSimpleWeightTimesTen = 49;
constexpr std::int64_t kSimpleLines = 100;
constexpr int kPageWidthPercentile = 99;
constexpr std::int64_t kNarrowestPage = 50;
constexpr int kDefaultPageWidth = 80;
constexpr std::int64_t kShortestJustifiedLine = 40;
// Fewer occurrences of a character in front of a list item are chance.
constexpr int kLeastBulletUses = 4;
constexpr int kBulletRanks = 6;
constexpr int kMostBulletChars = 6;
static_assert(kMostBulletChars <= PolicyValues::kMaxOtherBullets);
constexpr int kLeastEnumeratedBullets = 3;
constexpr int kLeastStrongDefinitions = 4;
constexpr int kLeastHangingParagraphs = 4;
constexpr int kLeastHangingUses = 4;
// A hanging indent nearer the margin is an ordinary indent.
constexpr int kSmallestHangingIndent = 6;
constexpr int kLeastFurnishedBreaks = 3;

double Ratio(std::int64_t part, std::int64_t whole) {
  return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

void ClearPositions(PositionList& positions, int& count) {
  positions.fill(-1);
  count = 0;
}

bool IsBracket(char c) {
  return c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}';
}

// A short file with next to no numbered headings is converted simply.
void TestSimpleFile(FC& policy, const DocumentStatistics& statistics, std::int64_t lines) {
  std::int64_t a = statistics.headingLevels[0].indents.Total();
  std::int64_t b = static_cast<std::int64_t>(statistics.headingLevels[1].indents.Total()) +
                   statistics.headingLevels[2].indents.Total() +
                   statistics.headingLevels[3].indents.Total();
  if (a == 0 && b > 0) {
    a = statistics.headingLevels[1].indents.Total();
    b = static_cast<std::int64_t>(statistics.headingLevels[2].indents.Total()) +
        statistics.headingLevels[3].indents.Total();
  }
  const std::int64_t weight = 2 * b + a + statistics.contentsLevels[0].indents.Total();
  if (10 * weight < kSimpleWeightTimesTen && lines < kSimpleLines && !policy.keepItSimple) {
    policy.Message(
        "*** Treating as \"simple\" file.  Ignoring any numbered headings, definitions etc. ***",
        7);
    policy.keepItSimple = 1;
  }
}

// The page is as wide as nearly all lines; text whose commonest length is
// long and very common is justified on both sides.
void CalculatePage(FC& policy, DocumentStatistics& statistics, std::int64_t lines) {
  const std::int64_t width =
      static_cast<std::int64_t>(statistics.lineLengths.Percentile(kPageWidthPercentile)) + 1;
  policy.pageWidth = width < kNarrowestPage ? kDefaultPageWidth : ClampToInt(width);

  const Histogram::Entry* common = statistics.lineLengths.EntryAtRank(1);
  const bool justified = common != nullptr && common->value > kShortestJustifiedLine &&
                         3 * static_cast<std::int64_t>(common->frequency) > lines;
  policy.leftJustified = 1;
  policy.rightJustified = justified ? 1 : 0;
}

// Takes the most frequent values of `histogram` until at least two of them
// cover 95% of it, at most four; `take` is called with each entry.
template <class Take>
void WalkRanks(Histogram& histogram, Take take) {
  const std::int64_t total = histogram.Total();
  for (int rank = 1; rank <= kMostPositions; ++rank) {
    const Histogram::Entry* entry = histogram.EntryAtRank(rank);
    if (entry == nullptr) return;
    take(*entry);
    if (rank >= 2 && 100 * histogram.CumulativeFrequency(rank) >= kCoveredPercent * total) return;
  }
}

// The columns where most text lines start.
void CalculateIndentPositions(FC& policy, DocumentStatistics& statistics) {
  ClearPositions(policy.indentPositions, policy.indentCount);
  WalkRanks(statistics.indents, [&policy](const Histogram::Entry& entry) {
    (void)AddPosition(policy, entry.value, policy.indentPositions, policy.indentCount,
                      Margin::kIncluded);
  });
  policy.indentPositionsUsed = policy.indentCount > 0 ? 1 : 0;
}

// The characters seen often enough in front of list items.
void CalculateBulletChars(FC& policy, DocumentStatistics& statistics) {
  int count = 0;
  policy.dashBullets = 0;
  policy.circleBullets = 0;
  for (int rank = 1; rank <= kBulletRanks && count < kMostBulletChars; ++rank) {
    const Histogram::Entry* entry = statistics.bulletChars.EntryAtRank(rank);
    if (entry == nullptr) break;
    if (entry->frequency < kLeastBulletUses || entry->value < 1 || entry->value > 255) continue;
    const char c = static_cast<char>(entry->value);
    if (IsBracket(c)) {
      TextString message("   *** Ignoring \"bullet\" : '");
      message.AppendChar(c);
      message.AppendText("' ***");
      policy.Message(message, 2);
      continue;
    }
    policy.otherBullets[static_cast<std::size_t>(count)] = c;
    ++count;
  }
  policy.otherBulletCount = count > 0 ? count : -1;
  policy.otherBulletsUsed = count > 0 ? 1 : 0;
}

// A kind of enumerated bullet is expected once it has been seen a few times.
void CalculateBulletKinds(FC& policy, const DocumentStatistics& statistics) {
  policy.numberedBullets = statistics.numberedBullets >= kLeastEnumeratedBullets ? 1 : 0;
  policy.alphabeticBullets = statistics.alphabeticBullets >= kLeastEnumeratedBullets ? 1 : 0;
  policy.romanBullets = statistics.romanBullets >= kLeastEnumeratedBullets ? 1 : 0;
  policy.bulletsExpected = 1;
}

// A separator makes definitions when a third of its uses stand
// early in the line, and every use does when nearly all of them do.
void CalculateDefinitionChar(int uses, int definitions, int& on, int& strong) {
  on = 0;
  strong = 0;
  if (uses <= 0) return;
  const double ratio = Ratio(definitions, uses);
  on = ratio > 0.33 ? 1 : 0;
  strong = ratio > 0.9 && definitions > kLeastStrongDefinitions ? 1 : 0;
}

// The offset of a paragraph's first line, when enough paragraphs show one,
// and whether blank lines separate paragraphs.
void CalculateParagraphs(FC& policy, DocumentStatistics& statistics, std::int64_t lines) {
  if (30 * static_cast<std::int64_t>(statistics.paragraphIndents.Total()) >= lines) {
    const Histogram::Entry* common = statistics.paragraphIndents.EntryAtRank(1);
    if (common != nullptr && common->value >= 0) policy.newParagraphOffset = common->value;
  }
  if (20 * static_cast<std::int64_t>(statistics.blankLines) < lines) policy.expectBlankLines = 0;
}

// The columns where the text of hanging paragraphs usually starts.
void CalculateHangingPositions(FC& policy, DocumentStatistics& statistics) {
  policy.hangingPositionsUsed = 0;
  ClearPositions(policy.hangingPositions, policy.hangingCount);
  if (statistics.hangingParagraphs <= kLeastHangingParagraphs) return;
  WalkRanks(statistics.hangingIndents, [&policy](const Histogram::Entry& entry) {
    if (entry.frequency < kLeastHangingUses || entry.value < kSmallestHangingIndent) return;
    (void)AddPosition(policy, entry.value, policy.hangingPositions, policy.hangingCount,
                      Margin::kExcluded);
    policy.hangingPositionsUsed = 1;
  });
}

// Code samples, when one line in thirty looks like code.
void CalculateCodeSamples(FC& policy, const DocumentStatistics& statistics, std::int64_t lines) {
  if (30 * static_cast<std::int64_t>(statistics.codeLines) > lines) {
    policy.Message("   *** Detected \"C\" code samples ***", 2);
    policy.expectCodeSamples = 1;
  }
}

// Running headers and footers, when at least three page breaks carry them:
// fewer could be chance.
void CalculatePageFurniture(FC& policy, const DocumentStatistics& statistics) {
  policy.removePageFurniture = statistics.pageFurniture.RepeatedBreaks() >= kLeastFurnishedBreaks;
  if (policy.removePageFurniture) {
    policy.Message("   *** Detected page headers and footers ***", 2);
  }
}

}  // namespace

void CalculatePolicies(FC& policy, DocumentStatistics& statistics) {
  const std::int64_t lines = statistics.lineLengths.Total();
  TestSimpleFile(policy, statistics, lines);
  CalculatePage(policy, statistics, lines);
  CalculateIndentPositions(policy, statistics);
  if (!policy.keepItSimple) CalculateHeadingStyles(policy, statistics);
  CalculateBulletChars(policy, statistics);
  CalculateBulletKinds(policy, statistics);
  CalculateDefinitionChar(statistics.dashUses, statistics.dashDefinitions, policy.dashDefinitions,
                          policy.dashStrong);
  CalculateDefinitionChar(statistics.colonUses, statistics.colonDefinitions,
                          policy.colonDefinitions, policy.colonStrong);
  CalculateParagraphs(policy, statistics, lines);
  CalculateHangingPositions(policy, statistics);
  CalculateCodeSamples(policy, statistics, lines);
  CalculatePageFurniture(policy, statistics);
  policy.splitKnown = policy.splitLevel > 0 ? 1 : 0;
  policy.addNavigationBar = policy.splitKnown;
  policy.Normalise();
}

int AddPosition(const FC& policy, int value, PositionList& positions, int& count, Margin margin) {
  const int size = static_cast<int>(positions.size());
  count = std::clamp(count, 0, size);
  for (int i = 0; i < count; ++i) {
    if (positions[static_cast<std::size_t>(i)] == value) return 1;
  }
  if (value < 0 || count >= size) return 0;
  if (margin == Margin::kIncluded && count == 0 && value > 0) {
    positions[0] = 0;
    count = 1;
  }

  int at = 0;
  while (at < count && positions[static_cast<std::size_t>(at)] < value) ++at;
  const std::int64_t v = value;
  const bool belowTooClose = at > 0 && positions[static_cast<std::size_t>(at - 1)] == v - 1;
  const bool belowTooFar =
      at > 0 && positions[static_cast<std::size_t>(at - 1)] <= v - kFarthestStep;
  const bool aboveTooClose = at < count && positions[static_cast<std::size_t>(at)] == v + 1;
  if (belowTooClose || belowTooFar || aboveTooClose) {
    TextString message("Policy calculation: Rejecting indent of ");
    message.AppendNumber(value, false);
    policy.Message(message, 2);
    return 0;
  }
  for (int i = count; i > at; --i) {
    positions[static_cast<std::size_t>(i)] = positions[static_cast<std::size_t>(i - 1)];
  }
  positions[static_cast<std::size_t>(at)] = value;
  ++count;
  return 1;
}
