#include "policy/HeadingStyle.h"

#include <algorithm>
#include <string_view>

namespace {

// The letters that stand for a number in the policy-file form.
constexpr std::string_view kPatternLetters = "NaAiI";

// A prefix of more words than this is still counted as nine.
constexpr int kMaxPrefixWords = 9;

// Deepest level whose number pattern can be written (six levels: 0 to 5).
constexpr int kDeepestLevelIndex = 5;

int KindOfLetter(char letter) {
  switch (letter) {
    case 'a':
      return HeadingStyle::kLowerLetters;
    case 'i':
      return HeadingStyle::kLowerRoman;
    case 'A':
      return HeadingStyle::kUpperLetters;
    case 'I':
      return HeadingStyle::kUpperRoman;
    default:
      return HeadingStyle::kNumbers;
  }
}

int CountWords(const TextString& text) {
  int count = 0;
  TextString word;
  for (int n = 1; count < kMaxPrefixWords && text.GetWord(n, ' ', word); ++n) {
    if (!word.IsEmpty()) ++count;
  }
  return count;
}

// Reads an indent written with an optional leading "-"; -1 when none.
int ReadIndent(const TextString& text) {
  const bool negative = text.At(0) == '-';
  int value = -1;
  if (!text.GetNumberValue('1', value)) return -1;
  return negative ? -value : value;
}

}  // namespace

void HeadingStyle::Reset() { *this = HeadingStyle(); }

void HeadingStyle::CopyFrom(const HeadingStyle& from) {
  const int keptIndent = from.indent != -1 ? from.indent : indent;
  const int keptLargest = from.largestNumber != -1 ? from.largestNumber : largestNumber;
  const int keptSmallest = from.smallestNumber != -1 ? from.smallestNumber : smallestNumber;
  *this = from;
  indent = keptIndent;
  largestNumber = keptLargest;
  smallestNumber = keptSmallest;
}

TextString HeadingStyle::TextForm(int levelIndex) const {
  TextString out;
  if (numberedParagraph) {
    out.SetText("\"\" Numbered Paragraph");
  } else {
    if (prefixCount > 1 || hasPrefix) {
      out.AppendChar('"');
      out.AppendText(prefixWord.View());
      out.AppendText("\" ");
    } else {
      out.AppendText("\"\" ");
    }
    out.AppendText(beforeNumber.View());
    switch (numberingKind) {
      case kLowerLetters:
        out.AppendChar('a');
        break;
      case kLowerRoman:
        out.AppendChar('i');
        break;
      case kUpperLetters:
        out.AppendChar('A');
        break;
      case kUpperRoman:
        out.AppendChar('I');
        break;
      default: {
        out.AppendChar('N');
        const int repeats = std::clamp(levelIndex, 0, kDeepestLevelIndex);
        for (int i = 0; i < repeats; ++i) {
          out.AppendChar(separator);
          out.AppendChar('N');
        }
        break;
      }
    }
    out.AppendText(afterNumber.View());
    if (letterSuffix) out.AppendChar('x');
  }
  out.AppendText(" at indent ");
  out.AppendNumber(indent, false);
  return out;
}

int HeadingStyle::ParseTextForm(const TextString& text) {
  static constexpr std::string_view kAtIndent = "at indent";

  HeadingStyle parsed;
  TextString description(text);
  description.Trim();

  TextString indentText;
  int at = -1;
  if (!description.IsEmpty() && description.LocateText(0, kAtIndent.data(), at)) {
    const int rest = at + static_cast<int>(kAtIndent.size());
    indentText.SetText(description.View().substr(static_cast<size_t>(rest)));
    indentText.Trim();
    description.Truncate(at);
  }

  TextString prefix;
  if (description.GetWord(2, '"', prefix) && !prefix.IsEmpty()) {
    parsed.prefixWord = prefix;
    parsed.prefixCount = CountWords(prefix);
    parsed.hasPrefix = 1;
    description.ReplaceText(prefix.GetText(), "", 1);
  }
  description.ReplaceText("\"", "", 0);
  description.Trim();

  if (description.FindText("Numbered Paragraph") != nullptr) {
    parsed.numberedParagraph = 1;
  } else {
    std::string_view rest = description.View();
    if (!rest.empty() && rest.back() == 'x') {
      parsed.letterSuffix = 1;
      rest.remove_suffix(1);
    }
    const size_t first = rest.find_first_of(kPatternLetters);
    if (first == std::string_view::npos) return 0;
    const size_t last = rest.find_last_of(kPatternLetters);
    parsed.beforeNumber.SetText(rest.substr(0, first));
    parsed.afterNumber.SetText(rest.substr(last + 1));
    parsed.numberingKind = KindOfLetter(rest[first]);
  }

  parsed.indent = ReadIndent(indentText);
  *this = parsed;
  return 1;
}
