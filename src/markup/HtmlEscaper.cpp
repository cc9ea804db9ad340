#include "markup/HtmlEscaper.h"

#include "text/TextString.h"

int EscapeHtml(TextString& text) {
  if (text.IsEmpty()) return 1;
  return text.ReplaceText("&", "&amp;", 0) && text.ReplaceText("<", "&lt;", 0) &&
         text.ReplaceText(">", "&gt;", 0);
}
