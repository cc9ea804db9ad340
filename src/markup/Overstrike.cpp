#include "markup/Overstrike.h"

#include <string>
#include <string_view>

#include "text/TextString.h"

namespace {

constexpr char kBackspace = '\b';

enum class Kind { kNone, kUnderlineAfter, kUnderlineBefore, kBold };

Kind Classify(std::string_view word) {
  int backspaces = 0;
  int underBefore = 0;  // "_" then backspace: the character follows
  int underAfter = 0;   // backspace then "_": the character precedes
  int same = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (word[i] != kBackspace) continue;
    ++backspaces;
    const char before = i > 0 ? word[i - 1] : '\0';
    const char after = i + 1 < word.size() ? word[i + 1] : '\0';
    if (before == '_') ++underBefore;
    if (after == '_') ++underAfter;
    if (before != '\0' && before == after) ++same;
  }
  if (backspaces == 0) return Kind::kNone;
  if (underBefore >= 1 && underBefore > same && underBefore > underAfter) {
    return Kind::kUnderlineAfter;
  }
  if (underAfter >= 1 && underAfter > same) return Kind::kUnderlineBefore;
  if (same > 0) return Kind::kBold;
  return Kind::kNone;
}

}  // namespace

int MarkOverstrike(const TextString& word, TextString& replacement) {
  const std::string_view w = word.View();
  const Kind kind = Classify(w);
  if (kind == Kind::kNone) return 0;
  // Bold keeps either side (they are equal); an underline keeps the side
  // that is not the underscore.
  const bool keepBefore = kind != Kind::kUnderlineAfter;
  std::string rebuilt;
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (i + 2 < w.size() && w[i + 1] == kBackspace) {
      rebuilt.push_back(keepBefore ? w[i] : w[i + 2]);
      i += 2;
    } else {
      rebuilt.push_back(w[i]);
    }
  }
  const bool bold = kind == Kind::kBold;
  replacement.SetText(bold ? "<B>" : "<U>");
  replacement.AppendText(std::string_view(rebuilt));
  replacement.AppendText(bold ? "</B>" : "</U>");
  return 1;
}

int JoinOverstruckWords(TextString& text) {
  if (text.IsEmpty()) return 1;
  return text.ReplaceText("</U> <U>", " ", 0) && text.ReplaceText("</B> <B>", " ", 0);
}
