#include "markup/WordPass.h"

#include <string_view>

#include "markup/MarkupScan.h"
#include "text/TextString.h"

namespace {

// The entities that end a word as "<" and ">" do.
bool IsAngleEntityAt(std::string_view text, std::size_t pos) {
  if (text[pos] != '&' || text.size() - pos < 4) return false;
  return (text[pos + 1] == 'l' || text[pos + 1] == 'g') && text[pos + 2] == 't' &&
         text[pos + 3] == ';';
}

bool IsDelimiterAt(std::string_view text, std::size_t pos) {
  switch (text[pos]) {
    case ' ':
    case '\t':
    case ',':
    case '<':
    case '>':
      return true;
    default:
      return IsAngleEntityAt(text, pos);
  }
}

}  // namespace

int RunWordPass(TextString& text, TagHandling tags, const WordHandler& handler) {
  int replaced = 0;
  std::size_t pos = 0;
  TextString word;
  TextString replacement;
  while (pos < text.View().size()) {
    const std::string_view view = text.View();
    if (tags == TagHandling::kSkip) {
      const std::size_t tag = TagLengthAt(view, pos);
      if (tag > 0) {
        pos += tag;
        continue;
      }
    }
    if (IsDelimiterAt(view, pos)) {
      pos += IsAngleEntityAt(view, pos) ? 4 : 1;
      continue;
    }
    std::size_t end = pos;
    while (end < view.size() && !IsDelimiterAt(view, end)) ++end;
    word.SetText(view.substr(pos, end - pos));
    replacement.Clear();
    if (handler(word, replacement) &&
        text.ReplaceSubString(static_cast<int>(pos), static_cast<int>(end - pos),
                              replacement.GetText())) {
      ++replaced;
      pos += replacement.View().size();
    } else {
      pos = end;
    }
  }
  return replaced;
}
