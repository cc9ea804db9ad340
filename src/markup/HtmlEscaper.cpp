#include "markup/HtmlEscaper.h"

#include <string>
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
      // Setting bit 0x02 makes "<" and ">" (only they) ">": one test for both.
      return MaskOfEqual(v, '&') | MaskOfEqual(_mm_or_si128(v, _mm_set1_epi8(0x02)), '>');
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
  const std::string_view in = text.View();
  std::size_t at = FindEscaped(in, 0);
  if (at == std::string_view::npos) return 1;
  std::string out;
  out.reserve(in.size() + 16);
  // The runs between the characters escaped are copied whole.
  std::size_t done = 0;
  for (; at != std::string_view::npos; at = FindEscaped(in, done)) {
    out.append(in.substr(done, at - done));
    out.append(in[at] == '&' ? "&amp;" : in[at] == '<' ? "&lt;" : "&gt;");
    done = at + 1;
  }
  out.append(in.substr(done));
  return text.SetText(std::string_view(out));
}
