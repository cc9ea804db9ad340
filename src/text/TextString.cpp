#include "text/TextString.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "text/ByteBlocks.h"
#include "text/CharClass.h"
#include "text/ErrorReport.h"

namespace {

std::string_view UpToNul(std::string_view s) {
  const std::size_t nul = s.find('\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
}

// Whether `s` lies (partly) in the store of `text`, which emptying it would
// overwrite.
bool Overlaps(const std::string& text, std::string_view s) {
  const std::less<const char*> before;
  return !before(s.data(), text.data()) && before(s.data(), text.data() + text.capacity() + 1);
}

std::string_view OrEmpty(const char* s) {
  return s == nullptr ? std::string_view() : s;
}

// Offset of the first case-insensitive occurrence of `pattern` at or after
// `start`, or npos. An empty pattern never matches.
// Compares in place: searching is on every line's path, and copying both
// strings to upper case cost an allocation per search.
std::size_t FindIgnoringCase(std::string_view text, std::string_view pattern, std::size_t start) {
  if (pattern.empty() || text.empty() || pattern.size() > text.size()) {
    return std::string_view::npos;
  }
  // Setting bit 0x20 folds exactly the two cases of a letter together, so
  // the first character is found with one comparison per byte.
  const char first = pattern[0];
  const bool letter = IsLetter(first);
  const char folded = letter ? static_cast<char>(first | 0x20) : first;
  const char fold = letter ? 0x20 : 0;
  const std::size_t last = text.size() - pattern.size();
  const std::uint64_t foldEight = kByteOnes * static_cast<unsigned char>(fold);
  std::size_t at = start;
  while (at <= last) {
    // Eight places at a time where none holds the first character.
    if (at + 8 <= text.size() &&
        HasByteEqual(LoadEightBytes(text.data() + at) | foldEight,
                     static_cast<unsigned char>(folded)) == 0) {
      at += 8;
      continue;
    }
    const std::size_t blockEnd = std::min(at + 8, last + 1);
    for (; at < blockEnd; ++at) {
      if (static_cast<char>(text[at] | fold) != folded) continue;
      std::size_t i = 1;
      while (i < pattern.size() && ToUpper(text[at + i]) == ToUpper(pattern[i])) ++i;
      if (i == pattern.size()) return at;
    }
  }
  return std::string_view::npos;
}

}  // namespace

TextString::TextString(const char* s) : text_(OrEmpty(s)) {}

TextString::TextString(std::string_view s) : text_(UpToNul(s)) {}

bool TextString::HasNoLetters() const {
  for (char c : text_) {
    if (IsLetter(c)) return false;
  }
  return true;
}

bool TextString::HasNoAlphanumerics() const {
  for (char c : text_) {
    if (IsAlphanumeric(c)) return false;
  }
  return true;
}

bool TextString::HasNoLowerCase() const {
  for (char c : text_) {
    if (IsLower(c)) return false;
  }
  return true;
}

bool TextString::HasNoneOf(const char* set) const {
  return text_.find_first_of(OrEmpty(set)) == std::string::npos;
}

bool TextString::GetWord(int n, char separator, TextString& word) const {
  int offset = 0;
  return GetWord(0, n, separator, word, offset);
}

bool TextString::GetWord(int n, char separator, TextString& word, int& offset) const {
  return GetWord(0, n, separator, word, offset);
}

bool TextString::GetWord(int from, int n, char separator, TextString& word, int& offset) const {
  const int length = Length();
  if (from < 0 || from > length) {
    ReportError("ERROR: Invalid substring passed to TextString::GetWord.  Start=" +
                std::to_string(from) + " Len=" + std::to_string(length));
    return false;
  }
  if (n < 1) return false;
  const bool blankSeparates = separator == ' ';
  auto isSeparator = [&](char c) { return blankSeparates ? IsBlank(c) : c == separator; };

  std::size_t pos = static_cast<std::size_t>(from);
  int passed = 0;
  while (passed < n - 1 && pos < text_.size()) {
    if (!isSeparator(text_[pos])) {
      ++pos;
      continue;
    }
    ++passed;
    ++pos;
    if (blankSeparates) {
      while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
    }
  }
  if (pos >= text_.size()) return false;

  std::size_t end = pos;
  while (end < text_.size() && !isSeparator(text_[end])) ++end;
  offset = static_cast<int>(pos) - from;
  // A piece of this text holds no NUL: no search for one.
  word.text_.assign(text_, pos, end - pos);
  return true;
}

const char* TextString::GetText() const {
  return text_.c_str();
}

const char* TextString::FindText(const char* s) const {
  const std::size_t at = FindIgnoringCase(text_, OrEmpty(s), 0);
  return at == std::string::npos ? nullptr : text_.c_str() + at;
}

const char* TextString::FindText(const TextString& s) const {
  return FindText(s.GetText());
}

bool TextString::LocateText(int start, const char* s, int& position) const {
  position = -1;
  if (start < 0 || start > Length()) {
    ReportError("ERROR: Invalid offset passed to TextString::LocateText " + std::to_string(start));
    return false;
  }
  const std::size_t at = FindIgnoringCase(text_, OrEmpty(s), static_cast<std::size_t>(start));
  if (at == std::string::npos) return false;
  position = static_cast<int>(at);
  return true;
}

bool TextString::IsEqual(const TextString& other, bool caseSensitive) const {
  if (text_.size() != other.text_.size()) return false;
  if (caseSensitive) return text_ == other.text_;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (ToUpper(text_[i]) != ToUpper(other.text_[i])) return false;
  }
  return true;
}

bool TextString::GetNumberValue(char style, int& value) const {
  value = -1;
  switch (style) {
    case '1': {
      std::size_t first = 0;
      while (first < text_.size() && !IsDigit(text_[first])) ++first;
      std::size_t last = text_.size();
      while (last > first && !IsDigit(text_[last - 1])) --last;
      if (first == last) return false;
      std::int64_t number = 0;
      for (std::size_t i = first; i < last; ++i) {
        if (!IsDigit(text_[i])) return false;
        number = number * 10 + (text_[i] - '0');
        // Too large for an int is not a number, rather than a wrapped one.
        if (number > std::numeric_limits<int>::max()) return false;
      }
      value = static_cast<int>(number);
      return true;
    }
    case 'a':
    case 'A':
      for (char c : text_) {
        if (IsLetter(c)) {
          value = ToLower(c) - 'a' + 1;
          return true;
        }
      }
      return false;
    case 'i':
    case 'I': {
      struct Token {
        const char* lower;
        const char* upper;
        int adds;
      };
      // The order matters: each token is tried once and removed, so the
      // subtractive pairs must go before the single letters.
      static constexpr Token kTokens[] = {
          {"xl", "XL", 40}, {"ix", "IX", 9}, {"iv", "IV", 4}, {"iii", "III", 3},
          {"ii", "II", 2},  {"i", "I", 1},   {"v", "V", 5},   {"xxx", "XXX", 30},
          {"xx", "XX", 20}, {"x", "X", 10},  {"l", "L", 50},
      };
      value = 0;
      std::string copy = text_;
      for (const Token& token : kTokens) {
        if (FindIgnoringCase(copy, token.lower, 0) == std::string::npos) continue;
        value += token.adds;
        for (std::string_view form :
             {std::string_view(token.lower), std::string_view(token.upper)}) {
          const std::size_t at = copy.find(form);
          if (at != std::string::npos) copy.erase(at, form.size());
        }
      }
      return true;
    }
    default:
      return false;
  }
}

char TextString::At(int index) const {
  if (index < 0 || index >= Length()) return '\0';
  return text_[static_cast<std::size_t>(index)];
}

int TextString::SetText(const char* s) {
  text_.assign(OrEmpty(s));
  return 1;
}

int TextString::SetText(std::string_view s) {
  const std::string_view taken = UpToNul(s);
  if (Overlaps(text_, taken)) {
    text_.assign(taken);
    return 1;
  }
  // As in SetPart: a copy from elsewhere needs no replace.
  text_.clear();
  text_.append(taken);
  return 1;
}

int TextString::SetOwnPart(std::size_t start, std::size_t length) {
  text_.assign(text_, std::min(start, text_.size()), length);
  return 1;
}

int TextString::TakeText(std::string& s) {
  if (std::memchr(s.data(), '\0', s.size()) != nullptr) std::replace(s.begin(), s.end(), '\0', ' ');
  text_.swap(s);
  return 1;
}

int TextString::AppendText(const char* s) {
  text_.append(OrEmpty(s));
  return 1;
}

int TextString::AppendText(std::string_view s) {
  text_.append(UpToNul(s));
  return 1;
}

int TextString::AppendClean(std::string_view s) {
  text_.append(s);
  return 1;
}

int TextString::SwapClean(std::string& s) {
  text_.swap(s);
  return 1;
}

int TextString::AppendChar(char c) {
  if (c == '\0') return 0;
  text_.push_back(c);
  return 1;
}

int TextString::AppendNumber(int value, bool addBlank) {
  // Written in place: no string is built for the digits. Room for "-" and
  // the ten digits of any int, and the blank.
  std::array<char, 16> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size() - 1, value).ptr;
  if (addBlank) *end++ = ' ';
  text_.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
  return 1;
}

int TextString::Trim() {
  const std::string_view text = text_;
  const std::size_t first = BlanksAtStart(text);
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  KeepRange(first, last - first);
  return 1;
}

int TextString::CollapseBlanks() {
  std::size_t first = 0;
  while (first < text_.size() && IsBlank(text_[first])) ++first;
  std::size_t last = text_.size();
  while (last > first && IsBlank(text_[last - 1])) --last;
  if (first == last) return 1;
  std::string result = text_.substr(0, first);
  for (std::size_t i = first; i < last; ++i) {
    if (text_[i] == ' ' && text_[i + 1] == ' ') continue;
    result.push_back(text_[i]);
  }
  result.append(text_, last, std::string::npos);
  text_ = std::move(result);
  return 1;
}

int TextString::Truncate(int length) {
  if (length < 0) return 0;
  if (static_cast<std::size_t>(length) < text_.size())
    text_.resize(static_cast<std::size_t>(length));
  return 1;
}

int TextString::Substring(int start, int length) {
  const int size = Length();
  if (start < 0 || start > size) {
    ReportError("Invalid start " + std::to_string(start) + " in TextString::Substring");
    return 0;
  }
  if (length < 0) {
    ReportError("Invalid new length " + std::to_string(length) +
                " in TextString::Substring - setting to 0");
    length = 0;
  }
  if (static_cast<std::int64_t>(start) + length > size) {
    ReportError("Invalid position/length " + std::to_string(start) + "/" + std::to_string(length) +
                "/" + std::to_string(size) + " in TextString::Substring.  Truncating");
    length = size - start;
  }
  text_.erase(static_cast<std::size_t>(start) + static_cast<std::size_t>(length));
  text_.erase(0, static_cast<std::size_t>(start));
  return 1;
}

int TextString::InsertText(int position, const char* s) {
  const int at = position < 0 ? 0 : (position > Length() ? Length() : position);
  text_.insert(static_cast<std::size_t>(at), OrEmpty(s));
  return 1;
}

int TextString::ReplaceSubString(int start, int length, const char* s) {
  const int size = Length();
  if (start < 0 || start > size) {
    ReportError("ERROR: Invalid offset passed to TextString::ReplaceSubString " +
                std::to_string(start));
    return 0;
  }
  const int remaining = size - start;
  const int count = length < 0 ? 0 : (length > remaining ? remaining : length);
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(count), OrEmpty(s));
  return 1;
}

int TextString::ReplaceText(const char* find, const char* with, int maxCount) {
  return ReplaceText(0, find, with, maxCount);
}

int TextString::ReplaceText(int start, const char* find, const char* with, int maxCount) {
  if (start < 0 || start > Length()) {
    ReportError("ERROR: Invalid offset passed to TextString::ReplaceText " + std::to_string(start));
    return 0;
  }
  const std::string_view pattern = OrEmpty(find);
  const std::string_view replacement = OrEmpty(with);
  if (pattern.empty()) return 0;
  std::size_t found = text_.find(pattern, static_cast<std::size_t>(start));
  // Most lines hold nothing to replace: they are left without a copy.
  if (found == std::string::npos) return 1;
  std::string result;
  result.reserve(text_.size() + replacement.size());
  result.append(text_, 0, found);
  std::size_t pos = found;
  int replaced = 0;
  while (found != std::string::npos && (maxCount <= 0 || replaced < maxCount)) {
    result.append(text_, pos, found - pos);
    result.append(replacement);
    pos = found + pattern.size();
    ++replaced;
    found = text_.find(pattern, pos);
  }
  result.append(text_, pos, std::string::npos);
  text_ = std::move(result);
  return 1;
}
