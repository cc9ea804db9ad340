// Counting a line into the pass statistics as it leaves the window.

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SourceLine.h"

namespace {

// The paragraph-indent test needs a line indented against what follows it:
// a first line. Deeper indents are taken for quotations or tables.
constexpr int kLargestParagraphIndent = 10;

}  // namespace

void SourceLine::AccumulateStatistics(DocumentStatistics& statistics) {
  const int type = lineType;
  if (type == LineType::kEndOfFile) return;

  if (!LineFlag::IsUserRegion(flags)) {
    // The blank line that follows the last line was never read: it has no
    // columns to count.
    const bool hasColumns = length >= 0 && indent >= 0;
    const int level = LineType::HeadingLevel(type) - 1;
    if (LineType::IsNumberedHeading(type)) {
      if (hasColumns) statistics.headingLevels[level].indents.Add(indent);
      ++statistics.numberedHeadings;
    } else if (LineType::IsUnderlinedHeading(type)) {
      if (hasColumns) statistics.underlinedLevels[level].indents.Add(indent);
      ++statistics.underlinedHeadings;
    } else if (LineType::IsContentsLine(type)) {
      if (hasColumns) statistics.contentsLevels[level].indents.Add(indent);
    } else if (type != LineType::kCapitalisedHeading && !LineType::IsEnumeratedBullet(type) &&
               hasColumns) {
      statistics.indents.Add(indent);
    }
    if (hasColumns) statistics.lineLengths.Add(length);

    const bool mayBeFirstLine =
        statistics.previousIndent == 0 &&
        (statistics.previousType == LineType::kText ||
         statistics.previousType == LineType::kBlank ||
         statistics.previousType == LineType::kBulletBlank) &&
        type == LineType::kText && indent > 0 && indent < kLargestParagraphIndent;
    // The line after is fetched only for the few lines that may qualify.
    if (mayBeFirstLine) {
      const SourceLine* after = NextLine();
      if (after == nullptr || (after->lineType == LineType::kText && after->indent < indent)) {
        statistics.paragraphIndents.Add(indent);
      }
    }
  }

  statistics.previousIndent = indent;
  statistics.previousType = type;
}
