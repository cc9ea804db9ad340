#pragma once

#include <cstddef>
#include <string_view>

// The engine's one character table. It never consults the locale: only the
// ASCII letters A-Z and a-z are letters and have case, only 0-9 are digits,
// and every byte above 0x7F is an ordinary non-letter character. Every
// subsystem classifies characters through these functions so that output
// never depends on the environment the program runs in.

constexpr bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
constexpr bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}
constexpr bool IsLetter(char c) {
  return IsUpper(c) || IsLower(c);
}
constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
constexpr bool IsAlphanumeric(char c) {
  return IsLetter(c) || IsDigit(c);
}

// A blank is a space or a tab: the two characters that separate words and
// that trimming removes.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Returns the other case of a letter; every other byte is returned unchanged.
constexpr char ToUpper(char c) {
  return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char ToLower(char c) {
  return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` hold the same text, letters of either case alike.
constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLower(a[i]) != ToLower(b[i])) return false;
  }
  return true;
}

// Whether `text` ends with `suffix`, letters of either case alike.
constexpr bool EndsNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualNoCase(text.substr(text.size() - suffix.size()), suffix);
}
