#include "output/BlockText.h"

#include <algorithm>
#include <array>

#include "analysis/SourceLine.h"
#include "markup/Emphasis.h"
#include "policy/FC.h"
#include "text/TextString.h"

namespace {

// The bytes the inline pass may act on: those the 8-bit map rewrites (above
// 0x7F), the backspace of overstrike, "." and "/" (every address, e-mail
// and newsgroup name holds one), and NUL, where the line would end the text.
constexpr std::array<bool, 256> kInlineBytes = [] {
  std::array<bool, 256> table{};
  for (int c = 0x80; c < 0x100; ++c) table[static_cast<std::size_t>(c)] = true;
  for (const unsigned char c : {'\0', '\b', '.', '/'}) table[c] = true;
  return table;
}();

bool HasInlineByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return kInlineBytes[static_cast<unsigned char>(c)]; });
}

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
  // Emphasis needs a mark, which most texts lack: they are left as they
  // stand, unless a NUL would end them in the line.
  if (!HasEmphasisMark(text.View()) && text.View().find('\0') == std::string_view::npos) return;
  LoadLine(line, text, lineNumber);
  line.MarkEmphasis(policy);
  text.SetText(line.View());
}

void MarkBlockInline(TextString& text, FC& policy, int lineNumber, bool trim, SourceLine& line) {
  // Most cells hold no byte the pass acts on: only the trim is left to do.
  if (!HasInlineByte(text.View())) {
    if (trim) text.Trim();
    return;
  }
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
