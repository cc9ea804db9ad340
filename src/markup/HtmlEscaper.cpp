#include "markup/HtmlEscaper.h"

#include <string_view>

#include "text/ByteBlocks.h"
#include "text/TextString.h"

// One pass: the result is the same as replacing the ampersands first, then
// the angle brackets, as none of the entities holds a character escaped
// after it.
namespace {

bool IsEscaped(char c) { return c == '&' || c == '<' || c == '>'; }

// The first "&", "<" or ">" of `text` at or after `from`, or npos. Lines
// that reach here hold one, often among long runs of text that hold none.
std::size_t FindEscaped(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    return FindMarkedByte(text, from, [](__m128i v) {
      return static_cast<unsigned>(_mm_movemask_epi8(MatchEscaped(v)));
    });
  }
#endif
  for (std::size_t at = from; at < text.size(); ++at) {
    if (IsEscaped(text[at])) return at;
  }
  return std::string_view::npos;
}

}  // namespace

int EscapeHtml(TextString& text) {
  std::size_t at = FindEscaped(text.View(), 0);
  if (at == std::string_view::npos) return 1;
  // An escaped text ends at its first NUL, as a C string would.
  const std::size_t nul = text.View().find('\0');
  if (nul != std::string_view::npos) {
    text.Truncate(static_cast<int>(nul));
    at = FindEscaped(text.View(), 0);
  }
  // In place: a line holds few characters to escape, and its store mostly
  // has room for the entities.
  while (at != std::string_view::npos) {
    const char c = text.View()[at];
    const std::string_view entity = c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
    text.ReplaceSubString(static_cast<int>(at), 1, entity.data());
    at = FindEscaped(text.View(), at + entity.size());
  }
  return 1;
}
