#include "output/AnchorName.h"

#include <string>

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/CharClass.h"
#include "text/TextString.h"

namespace {

// Whether a word stands before the section number of `lineType`.
bool HasPrefixWord(int lineType, const FC& policy) {
  const int level = LineType::HeadingLevel(lineType);
  if (level < 1 || level > PolicyValues::kHeadingLevels) return false;
  const auto index = static_cast<std::size_t>(level - 1);
  const HeadingStyle& style = LineType::IsContentsLine(lineType) ? policy.contentsStyles[index]
                                                                 : policy.headingStyles[index];
  return style.hasPrefix != 0;
}

}  // namespace

void MakeAnchorName(const SourceLine& line, const FC& policy, TextString& anchor) {
  MakeAnchorName(line.rawText, line.lineType, policy, anchor);
}

void MakeAnchorName(const TextString& rawText, int lineType, const FC& policy, TextString& anchor) {
  const TextString text = CollapsedHeadingText(rawText.View());

  if (LineType::IsUnderlinedHeading(lineType) || lineType == LineType::kCapitalisedHeading) {
    anchor.Clear();
    for (const char c : text.View()) {
      if (c == ' ') {
        anchor.AppendChar('_');
      } else if (c != '?' && c != '"') {
        anchor.AppendChar(c);
      }
    }
    return;
  }

  TextString word;
  text.GetWord(HasPrefixWord(lineType, policy) ? 2 : 1, ' ', word);
  word.ReplaceText("[", "", 0);
  word.ReplaceText("(", "", 0);
  const char last = word.At(word.Length() - 1);
  if (last == '.' || last == ')' || last == ']' || last == ':') word.Truncate(word.Length() - 1);
  anchor.SetText("Section_");
  anchor.AppendText(word.View());
}

TextString CollapsedHeadingText(std::string_view rawText) {
  std::size_t first = 0;
  while (first < rawText.size() && IsBlank(rawText[first])) ++first;
  std::size_t last = rawText.size();
  while (last > first && IsBlank(rawText[last - 1])) --last;
  // Copied run by run: every heading passes here several times.
  std::string collapsed;
  collapsed.reserve(last - first);
  std::size_t run = first;
  // From blank to blank (memchr) rather than byte by byte.
  for (std::size_t i = rawText.find(' ', first); i < last; i = rawText.find(' ', i + 1)) {
    // A blank never ends the trimmed text, so rawText[i + 1] lies within it.
    if (rawText[i + 1] != ' ') continue;
    collapsed.append(rawText.substr(run, i - run));
    run = i + 1;
  }
  collapsed.append(rawText.substr(run, last - run));
  TextString text;
  text.TakeText(collapsed);
  return text;
}
