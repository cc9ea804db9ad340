#include "driver/PassLoop.h"

#include "analysis/LineType.h"
#include "driver/LineSource.h"
#include "driver/LineWindow.h"

void RunPass(LineSource& source, FC& policy, DocumentStatistics& statistics, PassWork& work) {
  LineWindow window;
  int lineNumber = 0;
  while (source.ReadLine(window.Newest(), policy)) {
    window.Newest().sourceLineNumber = ++lineNumber;
    if (lineNumber > 1) window.BeforeNewest()->Classify(policy, statistics);
    window.Advance(work, policy);
  }
  if (lineNumber > 0) window.BeforeNewest()->Classify(policy, statistics);
  // Whatever the failed read left in the newest line, it becomes the blank line.
  window.Newest().Reset(false);
  window.Advance(work, policy);
  window.BeforeNewest()->SetType(LineType::kBlank);
  window.Advance(work, policy);
  window.BeforeNewest()->SetType(LineType::kEndOfFile);
  window.Flush(work, policy);
}
