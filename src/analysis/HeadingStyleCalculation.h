#pragma once

class DocumentStatistics;
class FC;

// The heading part of the policy calculation, for the four outermost
// levels: whether the document has its own contents list, which kinds of
// heading it uses, the indent and number range of each level (and of each
// contents-list level), the number of levels in use, second-word headings
// ("Chapter 3"), levels of numbered paragraphs, and the decoration around
// section numbers. Rejected indents and ambiguous level orders are reported
// through policy.Message (importance 10). Ranks reorder the histograms of
// `statistics`; no count changes.
void CalculateHeadingStyles(FC& policy, DocumentStatistics& statistics);
