// The opening steps of line classification: numbering check, emphasis in the
// output pass, and the blank and form-feed lines. The full classification
// replaces this file.

#include <cstdio>

#include "analysis/DocumentStatistics.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"

void SourceLine::Classify(FC& policy, DocumentStatistics& /*statistics*/) {
  if (sourceLineNumber < 1) {
    std::fflush(stdout);
    std::fputs("Invalid Source line Number!!\n", stderr);
  }
  if (policy.IsOutputPass() && !LineFlag::IsPreformatted(flags)) MarkEmphasis(policy);
  if (lineType == LineType::kUnclassified) lineType = LineType::kText;
  if (LineFlag::IsUserRegion(flags)) return;
  if (IsEmpty()) {
    lineType = LineType::kBlank;
    return;
  }
  if (View() == "\f") lineType = LineType::kFormFeed;
}
