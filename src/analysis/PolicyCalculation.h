#pragma once

#include <array>

#include "policy/PolicyValues.h"

class DocumentStatistics;
class FC;

// The policy calculation: turns the statistics of the analysis pass into
// the policies of a conversion, so that a document converted without a
// policy file still gets its indentation, page width, bullets, definitions
// and headings right. The driver runs it on a record whose open policies
// hold their defaults, then merges the given policies over it, so a policy
// given by the user always wins.

using PositionList = std::array<int, PolicyValues::kMaxPositions>;

// Fills `policy` from `statistics`: the simple-file test, page width,
// justification, indent positions, heading styles (unless "Keep it simple"
// is on, see CalculateHeadingStyles), bullet characters and kinds,
// definition characters, new paragraph offset, blank lines, hanging
// positions, code samples and page furniture; then the split switches, and
// the record is normalised. Decisions are reported through policy.Message.
// Ranks and percentiles reorder the histograms of `statistics`; no count
// changes.
void CalculatePolicies(FC& policy, DocumentStatistics& statistics);

// Whether a list of columns starts at the margin. Ordinary text always has
// the margin as one of its indents; the text column of a hanging paragraph
// never is the margin, and with column 0 in its list every real column of
// 12 or more would be refused as too far from it.
enum class Margin { kIncluded, kExcluded };

// Inserts the column `value` into the sorted list `positions` of `count`
// columns. With kIncluded an empty list first gets column 0 when `value` is
// above 0. The
// value is refused, with "Policy calculation: Rejecting indent of <value>"
// (importance 2), when a neighbouring column is one off or the column below
// is 12 or more columns away (too far for the same text); it is refused
// silently when the list is full or the value is negative. Returns 1 when
// `value` stands in the list afterwards, 0 when it was refused.
int AddPosition(const FC& policy, int value, PositionList& positions, int& count, Margin margin);
