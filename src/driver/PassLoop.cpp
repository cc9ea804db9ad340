#include "driver/PassLoop.h"

#include <utility>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "driver/LineSource.h"
#include "driver/LineWindow.h"
#include "policy/FC.h"

void RunPass(LineSource& source, FC& policy, DocumentStatistics& statistics, PassWork& work) {
  LineWindow window;
  const PageFurniture* furniture = policy.removePageFurniture != 0 && policy.analysisPass == 0
                                       ? &statistics.pageFurniture
                                       : nullptr;
  std::vector<TextString> dropped;
  int lineNumber = 0;
  int linesKept = 0;
  for (;;) {
    policy.document.lineBeingRead = lineNumber + 1;
    if (!source.ReadLine(window.Newest(), policy)) break;
    ++lineNumber;
    if (furniture != nullptr && furniture->Drops(lineNumber)) {
      dropped.push_back(window.Newest().rawText);
      continue;
    }
    window.Newest().sourceLineNumber = lineNumber;
    // The read emptied the line's list and kept its store: swapped, the
    // lists keep their stores, and a line with none dropped costs nothing.
    if (!dropped.empty()) {
      window.Newest().droppedFurniture.swap(dropped);
      dropped.clear();
    }
    if (++linesKept > 1) window.BeforeNewest()->Classify(policy, statistics);
    window.Advance(work, policy);
  }
  policy.document.lineBeingRead = 0;
  // The newest line is emptied as a read would empty it: the failed read need
  // not have, and the window does not.
  const auto emptyNewest = [&window] {
    window.Newest().Reset(false);
    window.Newest().sourceText.Clear();
  };
  emptyNewest();
  if (linesKept > 0) window.BeforeNewest()->Classify(policy, statistics);
  // Whatever the classification left in the newest line, it becomes the blank
  // line; the line after it the end-of-file line.
  emptyNewest();
  window.Newest().droppedFurniture = std::move(dropped);
  window.Advance(work, policy);
  window.BeforeNewest()->SetType(LineType::kBlank);
  emptyNewest();
  window.Advance(work, policy);
  window.BeforeNewest()->SetType(LineType::kEndOfFile);
  window.Flush(work, policy);
}
