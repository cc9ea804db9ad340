#include "output/AttributeText.h"

#include <string_view>

#include "markup/MarkupScan.h"

void AppendAttributeText(TextString& out, const char* text) {
  if (text == nullptr) return;
  const std::string_view value(text);
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') {
      out.AppendText("&quot;");
    } else if (c == '<') {
      out.AppendText("&lt;");
    } else if (c == '>') {
      out.AppendText("&gt;");
    } else if (c == '&' && EntityLengthAt(value, i) == 0) {
      out.AppendText("&amp;");
    } else {
      out.AppendChar(c);
    }
  }
}

void AppendLinkName(TextString& out, const char* name) {
  if (name == nullptr) return;
  static constexpr char kHex[] = "0123456789ABCDEF";
  TextString encoded;
  for (const char c : std::string_view(name)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == ' ' || c == '#' || c == '%' || c == '?' || c == '"' || byte > 0x7F) {
      encoded.AppendChar('%');
      encoded.AppendChar(kHex[byte >> 4]);
      encoded.AppendChar(kHex[byte & 0x0F]);
    } else {
      encoded.AppendChar(c);
    }
  }
  AppendAttributeText(out, encoded.GetText());
}

TextString AnchorTag(const char* name) {
  TextString tag("<A NAME=\"");
  AppendLinkName(tag, name);
  tag.AppendText("\">");
  return tag;
}
