#include "policy/RunContext.h"

void RunContext::ClearFileState() {
  contentsGenerated = 0;
  contentsEntries.clear();
  title.Clear();
  keywords.Clear();
  description.Clear();
  styleSheet.Clear();
  firstHeadingTitle.Clear();
  firstLineTitle.Clear();
  utf8Text = 0;
  includeFiles.Clear();
  analysedSections.clear();
}
