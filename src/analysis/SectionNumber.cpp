#include "analysis/SectionNumber.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "analysis/DocumentStatistics.h"
#include "policy/FC.h"
#include "text/CharClass.h"

namespace {

// A section number has at most six components (SourceLine::sectionNumber).
constexpr int kMaxSeparators = 5;

bool In(std::string_view set, char c) {
  return set.find(c) != std::string_view::npos;
}

// Decimal value of a component: leading zeros skipped, read up to the first
// non-digit, saturated so a huge number stays a large int.
int ComponentValue(std::string_view piece) {
  for (char c : piece) {
    if (!IsDigit(c) && c != ':' && c != ')') return -1;
  }
  std::int64_t value = 0;
  for (char c : piece) {
    if (!IsDigit(c)) break;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  }
  return static_cast<int>(value);
}

}  // namespace

char StripNumberDecoration(const FC& policy, DocumentStatistics* counts, TextString& word) {
  std::string_view w = word.View();
  const char separator = StripNumberDecoration(policy, counts, w);
  // `w` lies within `word`: keep that part in place.
  if (w.size() != word.View().size()) {
    word.SetPart(word, static_cast<std::size_t>(w.data() - word.View().data()), w.size());
  }
  return separator;
}

char StripNumberDecoration(const FC& policy, DocumentStatistics* counts, std::string_view& w) {
  const char separator = w.find('-') != std::string_view::npos ? '-' : '.';

  if (policy.analysisPass) {
    for (;;) {
      if (w.starts_with("&lt;")) {
        w.remove_prefix(4);
        if (counts != nullptr) counts->preHeaderChars.Add('<');
      } else if (!w.empty() && In("<([{*", w.front())) {
        if (counts != nullptr) counts->preHeaderChars.Add(static_cast<unsigned char>(w.front()));
        w.remove_prefix(1);
      } else {
        break;
      }
    }
    for (;;) {
      if (w.ends_with("&gt;")) {
        w.remove_suffix(4);
        if (counts != nullptr) counts->postHeaderChars.Add('>');
      } else if (!w.empty() && (In(">)]}*", w.back()) || IsLetter(w.back()))) {
        if (counts != nullptr) {
          counts->postHeaderChars.Add(static_cast<unsigned char>(w.back()));
          if (IsLetter(w.back())) ++counts->alphabeticsAfterHeadings;
        }
        w.remove_suffix(1);
      } else {
        break;
      }
    }
  } else {
    const HeadingStyle& style = policy.headingStyles[0];
    const std::string_view before = style.beforeNumber.View();
    const std::string_view after = style.afterNumber.View();
    for (;;) {
      if (w.starts_with("&lt;")) {
        w.remove_prefix(4);
      } else if (!w.empty() && In(before, w.front())) {
        w.remove_prefix(1);
      } else {
        break;
      }
    }
    for (;;) {
      if (w.ends_with("&gt;")) {
        w.remove_suffix(4);
      } else if (!w.empty() &&
                 (In(after, w.back()) || (style.letterSuffix && IsLetter(w.back())))) {
        w.remove_suffix(1);
      } else {
        break;
      }
    }
  }
  return separator;
}

int ParseSectionNumber(const FC& policy, DocumentStatistics& statistics, std::string_view word,
                       char separator, SectionComponents& number, int& level) {
  number.fill(-1);
  level = 0;
  const std::string_view w = word.substr(0, word.find(' '));
  if (!policy.numberedHeadings || w.empty() || !IsDigit(w.front())) return 0;

  int separators = 0;
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (w[i] != separator) continue;
    if (i > 0 && w[i - 1] == separator) return 0;
    ++separators;
  }
  if (separators > kMaxSeparators) return 0;

  std::size_t start = 0;
  for (int i = 0; i <= separators; ++i) {
    const std::size_t end = std::min(w.find(separator, start), w.size());
    number[i] = ComponentValue(w.substr(start, end - start));
    start = end + 1;
  }
  level = separators;

  // "3." and "3.0" (also "3.00") name chapter 3, except that "3.0" right
  // after heading 3 is its first section.
  const std::size_t n = w.size();
  const bool endsWithSeparator = w.back() == separator;
  const bool endsWithZero = n >= 2 && w[n - 1] == '0' &&
                            (w[n - 2] == separator || w[n - 2] == '-' ||
                             (n >= 3 && w[n - 2] == '0' && w[n - 3] == separator));
  if (level > 0 && (endsWithSeparator || endsWithZero)) {
    const bool keep = !endsWithSeparator && number[level - 1] == statistics.lastNumber[level - 1];
    if (!keep) {
      if (statistics.minNumber[level] < 0) statistics.minNumber[level] = 0;
      number[level] = -1;
      --level;
    }
  }
  return 1;
}

TextString FormatSectionNumber(const SectionComponents& number, int level) {
  TextString text;
  for (int i = 0; i <= level && i < static_cast<int>(number.size()); ++i) {
    if (i > 0) text.AppendChar('.');
    text.AppendNumber(number[i], false);
  }
  return text;
}

TextString FormatNumberAndLast(const SectionComponents& number, int level,
                               const DocumentStatistics& statistics) {
  TextString text("\"");
  text.AppendText(FormatSectionNumber(number, level).View());
  text.AppendText("\" in ");
  bool first = true;
  for (int i = 0; i <= level && i < DocumentStatistics::kLevels; ++i) {
    if (statistics.lastNumber[i] < 0) continue;
    if (!first) text.AppendChar('.');
    text.AppendNumber(statistics.lastNumber[i], false);
    first = false;
  }
  return text;
}
