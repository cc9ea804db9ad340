#include "text/LineFile.h"

#include <string_view>

#include "text/TextWriter.h"

int LineFile::ReadLine(ParsedString& line, int tabSize, FC& policy) {
  bool complete = false;
  bool tabs = false;
  bool pieceTabs = false;
  while (!complete) {
    // A line read holds no NUL: no need to search it for one. The first piece
    // (nearly always the whole line) goes straight into the emptied line.
    if (line.IsEmpty()) {
      if (!ReadLineInto(static_cast<TextString&>(line).text_, pieceTabs)) break;
    } else {
      if (!ReadLineInto(piece_, pieceTabs)) break;
      line.AppendClean(piece_);
    }
    tabs = tabs || pieceTabs;
    complete = line.IsComplete();
  }
  if (!complete) return 0;
  // Most blocks of most files hold no tab: their lines need no search, and
  // their text is as read. Most lines of the other blocks hold none either.
  if (tabs && line.View().find('\t') != std::string_view::npos) {
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
