#include "text/LineFile.h"

#include "text/TextWriter.h"

int LineFile::ReadLine(ParsedString& line, int tabSize, FC& policy) {
  bool complete = false;
  bool tabs = false;
  while (!complete && ReadLine()) {
    // A buffered line holds no NUL: no need to search it for one.
    line.AppendClean(NewestLine());
    tabs = tabs || NewestMayHoldTab();
    complete = line.IsComplete();
  }
  if (!complete) return 0;
  // Most blocks of most files hold no tab: their lines need no search, and
  // their text is as read.
  if (tabs) {
    line.sourceText = static_cast<const TextString&>(line);
    line.ExpandTabs(tabSize);
  } else {
    line.expandedTabs = false;
  }
  line.PrepareText(policy);
  return 1;
}

int LineFile::WriteWrapped(const ParsedString& line) {
  if (IsReading()) return 0;
  return ::WriteWrapped(CurrentStream(), line, false);
}
