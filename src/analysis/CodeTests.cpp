#include "analysis/CodeTests.h"

#include <array>

#include "text/ByteBlocks.h"
#include "text/CharClass.h"

namespace {

std::string_view TrimBlanks(std::string_view s) {
  // Indented lines are common: their blanks are stepped over in blocks.
  s.remove_prefix(BlanksAtStart(s));
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool Contains(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}

template <std::size_t N>
bool ContainsAny(std::string_view text, const std::array<std::string_view, N>& words) {
  for (std::string_view w : words) {
    if (Contains(text, w)) return true;
  }
  return false;
}

template <std::size_t N>
bool StartsWithAny(std::string_view text, const std::array<std::string_view, N>& words) {
  for (std::string_view w : words) {
    if (text.starts_with(w)) return true;
  }
  return false;
}

// A final ';' 4 or 5 places from an '&' closes an entity ("&lt;", "&amp;").
bool EndsWithEntity(std::string_view t) {
  const std::size_t n = t.size();
  return (n >= 4 && t[n - 4] == '&') || (n >= 5 && t[n - 5] == '&');
}

bool StatementEnd(std::string_view t, bool strict) {
  const std::size_t n = t.size();
  bool code = false;
  if (n >= 2 && t[n - 2] == ')') {
    code = true;
  } else if (n >= 3 && t.substr(n - 3, 2) == "++") {
    code = true;
  } else if (Contains(t, "=")) {
    code = true;
  } else if (StartsWithAny(t, std::array<std::string_view, 11>{
                                  "int ", "char ", "static ", "extern ", "struct ", "this->",
                                  "void ", "long ", "delete ", "this.", "return"})) {
    code = true;
  } else if (strict &&
             StartsWithAny(t, std::array<std::string_view, 3>{"class ", "switch ", "break"})) {
    code = true;
  }
  return code && !EndsWithEntity(t);
}

// A comment mark: "/*", "*/", or "//" at the start of a line or after
// anything but the colon of a web address ("http://"). All hold a '/', a
// rare character: one search for it serves the three.
bool HasCommentMark(std::string_view t) {
  for (std::size_t at = t.find('/'); at != std::string_view::npos; at = t.find('/', at + 1)) {
    const char after = at + 1 < t.size() ? t[at + 1] : '\0';
    const char before = at > 0 ? t[at - 1] : '\0';
    if (after == '*' || before == '*' || (after == '/' && before != ':')) return true;
  }
  return false;
}

// "(!" or "if (". Both hold a '(', a rare character, while the letters of
// "if" are in almost every line: each '(' is looked at where it stands.
bool HasConditionMark(std::string_view t) {
  for (std::size_t at = t.find('('); at != std::string_view::npos; at = t.find('(', at + 1)) {
    if (at + 1 < t.size() && t[at + 1] == '!') return true;
    if (at >= 3 && t.substr(at - 3, 3) == "if ") return true;
  }
  return false;
}

// Whether `t` holds a '(' or a '/', without which it has neither mark: one
// scan, where the two searches would make two.
bool MayHoldMark(std::string_view t) {
#if defined(__SSE2__)
  if (t.size() >= 16) {
    return HasMarkedByte(t, [](__m128i v) { return MaskOfEqual(v, '(') | MaskOfEqual(v, '/'); });
  }
#endif
  (void)t;
  return true;
}

}  // namespace

bool LooksLikeCode(std::string_view text, bool strict) {
  const std::string_view t = TrimBlanks(text);
  if (t.empty()) return false;
  const char last = t.back();

  if (last == '}' || last == '{') return true;
  if (last == ';' && StatementEnd(t, strict)) return true;
  if (last == ':' && Contains(t, "case ")) return true;
  if (t.front() == '#') {
    if (last == '"' || t.ends_with("&gt;")) return true;
    if (ContainsAny(t, std::array<std::string_view, 6>{"ifdef ", "define ", "undef", "endif",
                                                       "else", "ifndef "})) {
      return true;
    }
  }
  if (MayHoldMark(t) && (HasConditionMark(t) || HasCommentMark(t))) return true;
  if (strict) {
    if (last == ')') return true;
    if (last == ';' && !EndsWithEntity(t)) return true;
    if (ContainsAny(t, std::array<std::string_view, 8>{"public ", "private ", "const ", "-&gt;",
                                                       " *", "&amp;&amp;", "!=", "::"})) {
      return true;
    }
  }
  return false;
}
