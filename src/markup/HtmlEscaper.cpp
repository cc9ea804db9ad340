#include "markup/HtmlEscaper.h"

#include <string>
#include <string_view>

#include "text/TextString.h"

// One pass: the result is the same as replacing the ampersands first, then
// the angle brackets, as none of the entities holds a character escaped
// after it.
namespace {

bool IsEscaped(char c) { return c == '&' || c == '<' || c == '>'; }

}  // namespace

int EscapeHtml(TextString& text) {
  const std::string_view in = text.View();
  std::size_t at = 0;
  while (at < in.size() && !IsEscaped(in[at])) ++at;
  if (at == in.size()) return 1;
  std::string out;
  out.reserve(in.size() + 16);
  out.append(in, 0, at);
  for (; at < in.size(); ++at) {
    const char c = in[at];
    if (!IsEscaped(c)) {
      out.push_back(c);
    } else {
      out.append(c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;");
    }
  }
  return text.SetText(std::string_view(out));
}
