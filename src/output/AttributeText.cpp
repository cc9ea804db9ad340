#include "output/AttributeText.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "markup/MarkupScan.h"

namespace {

// Appends `value` to `out` escaped as an attribute value (AppendAttributeText).
// Runs of plain characters are copied whole: every link and anchor passes here.
void AppendEscapedValue(std::string& out, std::string_view value) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    const char* replacement = nullptr;
    if (c == '"') {
      replacement = "&quot;";
    } else if (c == '<') {
      replacement = "&lt;";
    } else if (c == '>') {
      replacement = "&gt;";
    } else if (c == '&' && EntityLengthAt(value, i) == 0) {
      replacement = "&amp;";
    }
    if (replacement == nullptr) continue;
    out.append(value.substr(plain, i - plain));
    out.append(replacement);
    plain = i + 1;
  }
  out.append(value.substr(plain));
}

bool IsMarkupCharacter(char c) {
  return c == '"' || c == '<' || c == '>' || c == '&';
}

bool NeedsEncoding(char c) {
  return c == ' ' || c == '#' || c == '%' || c == '?' || static_cast<unsigned char>(c) > 0x7F;
}

}  // namespace

void AppendAttributeText(TextString& out, const char* text) {
  if (text == nullptr) return;
  // Without a markup character nothing changes: no copy to build.
  const std::string_view value(text);
  if (std::none_of(value.begin(), value.end(), IsMarkupCharacter)) {
    out.AppendText(value);
    return;
  }
  std::string escaped;
  AppendEscapedValue(escaped, text);
  out.AppendText(std::string_view(escaped));
}

void AppendLinkName(TextString& out, const char* name) {
  if (name == nullptr) return;
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string_view given(name);
  // A plain name (the usual anchor or page name) is neither encoded nor
  // escaped: no copies to build.
  if (std::none_of(given.begin(), given.end(),
                   [](char c) { return NeedsEncoding(c) || IsMarkupCharacter(c); })) {
    out.AppendText(given);
    return;
  }
  std::string encoded;
  std::size_t plain = 0;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const char c = given[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c != ' ' && c != '#' && c != '%' && c != '?' && c != '"' && byte <= 0x7F) continue;
    encoded.append(given.substr(plain, i - plain));
    encoded.push_back('%');
    encoded.push_back(kHex[byte >> 4]);
    encoded.push_back(kHex[byte & 0x0F]);
    plain = i + 1;
  }
  encoded.append(given.substr(plain));
  std::string escaped;
  AppendEscapedValue(escaped, encoded);
  out.AppendText(std::string_view(escaped));
}

TextString AnchorTag(const char* name) {
  TextString tag("<A NAME=\"");
  AppendLinkName(tag, name);
  tag.AppendText("\">");
  return tag;
}
