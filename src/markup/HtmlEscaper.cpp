#include "markup/HtmlEscaper.h"

#include <string>
#include <string_view>

#include "text/TextString.h"

// One pass: the result is the same as replacing the ampersands first, then
// the angle brackets, as none of the entities holds a character escaped
// after it.
int EscapeHtml(TextString& text) {
  const std::string_view in = text.View();
  std::size_t at = in.find_first_of("&<>");
  if (at == std::string_view::npos) return 1;
  std::string out;
  out.reserve(in.size() + 16);
  std::size_t from = 0;
  for (; at != std::string_view::npos; at = in.find_first_of("&<>", from)) {
    out.append(in, from, at - from);
    out.append(in[at] == '&' ? "&amp;" : in[at] == '<' ? "&lt;" : "&gt;");
    from = at + 1;
  }
  out.append(in, from);
  return text.SetText(std::string_view(out));
}
