#include "output/BlockText.h"

#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/TextString.h"

namespace {

// A line outside every region, so that the passes take it, with nothing
// kept from its last use: everything Reset leaves is never set here.
void LoadLine(SourceLine& line, const TextString& text, int lineNumber) {
  line.Reset(false);
  line.sourceText.Clear();
  line.SetText(text.View());
  line.escapedText = text;
  line.sourceLineNumber = lineNumber;
}

}  // namespace

void MarkBlockEmphasis(TextString& text, FC& policy, int lineNumber, SourceLine& line) {
  LoadLine(line, text, lineNumber);
  line.MarkEmphasis(policy);
  text.SetText(line.View());
}

void MarkBlockInline(TextString& text, FC& policy, int lineNumber, bool trim, SourceLine& line) {
  LoadLine(line, text, lineNumber);
  line.MarkInlineInBlock(policy, trim);
  text.SetText(line.View());
}

void MarkCodeComment(TextString& text) {
  const std::string_view view = text.View();
  std::size_t at = view.find("//");
  while (at != std::string_view::npos && at > 0 && view[at - 1] == ':')
    at = view.find("//", at + 2);
  if (at == std::string_view::npos) return;
  text.ReplaceSubString(static_cast<int>(at), 2, "//<B><EM>");
  text.AppendText("</EM></B>");
}
