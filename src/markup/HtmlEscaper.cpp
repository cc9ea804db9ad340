#include "markup/HtmlEscaper.h"

#include <string>
#include <string_view>

#include "text/TextString.h"

// One pass: the result is the same as replacing the ampersands first, then
// the angle brackets, as none of the entities holds a character escaped
// after it.
namespace {

bool IsEscaped(char c) { return c == '&' || c == '<' || c == '>'; }

std::size_t FindEscaped(std::string_view text, std::size_t from) {
  while (from < text.size() && !IsEscaped(text[from])) ++from;
  return from;
}

}  // namespace

int EscapeHtml(TextString& text) {
  const std::string_view in = text.View();
  std::size_t at = FindEscaped(in, 0);
  if (at == in.size()) return 1;
  std::string out;
  out.reserve(in.size() + 16);
  // The text between escaped characters is copied a run at a time.
  std::size_t run = 0;
  while (at < in.size()) {
    out.append(in.substr(run, at - run));
    const char c = in[at];
    out.append(c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;");
    run = at + 1;
    at = FindEscaped(in, run);
  }
  out.append(in.substr(run));
  // The escaped text holds no NUL, as the text did not.
  return text.SwapClean(out);
}
