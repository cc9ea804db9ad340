#include "output/LinkPasses.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SectionNumber.h"
#include "analysis/SourceLine.h"
#include "markup/HtmlEscaper.h"
#include "markup/Hyperlinks.h"
#include "markup/MarkupScan.h"
#include "output/AnchorName.h"
#include "output/AttributeText.h"
#include "output/DocumentPages.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/ByteBlocks.h"
#include "text/CharClass.h"
#include "text/TextString.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsLinkStart(std::string_view tag) {
  return tag.size() > 2 && (tag[1] == 'A' || tag[1] == 'a') && IsBlank(tag[2]);
}

bool IsLinkEnd(std::string_view tag) {
  return tag == "</A>" || tag == "</a>";
}

// The level of `word` as a section number that a heading of this document
// can carry, or -1: every number must lie within the range seen at its
// level, and every level must be numbered with digits.
int SectionLevel(const FC& policy, const TextString& word, SectionComponents& number,
                 std::unique_ptr<DocumentStatistics>& scratch) {
  if (!IsDigit(word.At(0))) return -1;
  const char separator = word.View().find('-') != kNone ? '-' : '.';
  if (separator != policy.headingStyles[0].separator) return -1;
  // Reading the number must not disturb the numbering of the pass.
  if (!scratch) scratch = std::make_unique<DocumentStatistics>();
  int level = 0;
  if (!ParseSectionNumber(policy, *scratch, word, separator, number, level)) return -1;
  if (level < 0 || level >= PolicyValues::kHeadingLevels) return -1;
  for (int i = 0; i <= level; ++i) {
    const HeadingStyle& style = policy.headingStyles[static_cast<std::size_t>(i)];
    const int n = number[static_cast<std::size_t>(i)];
    if (style.numberingKind != HeadingStyle::kNumbers || style.smallestNumber < 0 ||
        style.largestNumber < 0 || n < style.smallestNumber || n > style.largestNumber) {
      return -1;
    }
  }
  return level;
}

// Where `pattern` first occurs in `text`, ignoring case, without starting or
// ending inside a tag or an entity.
std::size_t FindOutsideMarkup(std::string_view text, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > text.size()) return kNone;
  // inside[i]: position i lies after the first character of a tag or entity.
  std::vector<bool> inside(text.size() + 1, false);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t markup = std::max(TagLengthAt(text, pos), EntityLengthAt(text, pos));
    if (markup == 0) {
      ++pos;
      continue;
    }
    for (std::size_t i = pos + 1; i < pos + markup; ++i) inside[i] = true;
    pos += markup;
  }
  for (std::size_t at = 0; at + pattern.size() <= text.size(); ++at) {
    if (inside[at] || inside[at + pattern.size()]) continue;
    bool same = true;
    for (std::size_t i = 0; i < pattern.size() && same; ++i) {
      same = ToLower(text[at + i]) == ToLower(pattern[i]);
    }
    if (same) return at;
  }
  return kNone;
}

// Where the first digit of `text` at or after `from` is, or npos. Every body
// line is searched and most hold none, so it looks at sixteen bytes at a
// time where the processor has the instructions (every x86-64 one does), else
// eight at a time: with the high bits masked off, a byte from '0' to '9' is
// the only one that sets its high bit in all three terms (each byte is
// computed apart, without a borrow between bytes). Inline: a call would
// cost as much as the search of most lines.
[[gnu::always_inline]] inline std::size_t FindDigit(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kLowBits = kByteOnes * 0x7F;
  constexpr std::uint64_t kAboveNine = kByteOnes * (0x7F + '9' + 1);
  constexpr std::uint64_t kBelowZero = kByteOnes * (0x7F - ('0' - 1));
#if defined(__SSE2__)
  if (text.size() >= 16) {
    return FindMarkedByte(text, from, [](__m128i v) { return MaskOfDigit(v); });
  }
#endif
  std::size_t at = from;
  for (; at + 8 <= text.size(); at += 8) {
    const std::uint64_t v = LoadEightBytes(text.data() + at);
    const std::uint64_t low = v & kLowBits;
    if (((kAboveNine - low) & ~v & (low + kBelowZero) & kByteHighBits) != 0) break;
  }
  for (; at < text.size(); ++at) {
    if (IsDigit(text[at])) return at;
  }
  return kNone;
}

bool IsOpeningBracket(char c) {
  return c == '(' || c == '{' || c == '[';
}

// LinkCrossReferences for a text holding a digit, the first at `firstDigit`.
// Out of line: the many lines without one do not pay for its frame.
[[gnu::noinline]] int LinkNumbers(const FC& policy, TextString& text, const SourceLine* line,
                                  const DocumentPages* pages,
                                  std::unique_ptr<DocumentStatistics>* scratch,
                                  std::size_t firstDigit) {
  std::unique_ptr<DocumentStatistics> ownScratch;
  std::unique_ptr<DocumentStatistics>& numbers = scratch != nullptr ? *scratch : ownScratch;
  int linked = 0;
  // Kept from word to word: most lines that reach here hold several numbers.
  TextString word;
  TextString anchor;
  TextString page;
  TextString link;
  // Links the word [pos, end) when it names a known section; returns where
  // the walk goes on: after the link made, or at `end`.
  const auto linkWord = [&](std::size_t pos, std::size_t end) {
    const std::string_view view = text.View();
    // A number's level is at most its count of separators ('.' or '-'):
    // without one it is a chapter, below any level above 1 ("1999", "[4]").
    // A loop, not find_first_of, which calls a search of the set per byte.
    if (policy.crossRefLevel > 1 &&
        std::none_of(view.begin() + static_cast<std::ptrdiff_t>(pos),
                     view.begin() + static_cast<std::ptrdiff_t>(end),
                     [](char c) { return c == '.' || c == '-'; })) {
      return end;
    }
    word.SetText(view.substr(pos, end - pos));
    CleanNumberWord(word);
    SectionComponents number;
    const int level = word.IsEmpty() ? -1 : SectionLevel(policy, word, number, numbers);
    if (level < 0 || level + 1 < policy.crossRefLevel) return end;
    anchor.SetText("Section_");
    anchor.AppendText(word.View());
    if (!SectionPageName(policy, number, level, anchor, line, pages, page)) return end;
    link.SetText("<A HREF=\"");
    AppendLinkName(link, page.GetText());
    link.AppendChar('#');
    AppendLinkName(link, anchor.GetText());
    link.AppendText("\">");
    link.AppendText(word.View());
    link.AppendText("</A>");
    const std::size_t at = pos + view.substr(pos, end - pos).find(word.View());
    text.ReplaceSubString(static_cast<int>(at), word.Length(), link.GetText());
    ++linked;
    return at + static_cast<std::size_t>(link.Length());
  };

  std::size_t pos = 0;
  if (text.View().find('<') == kNone) {
    // No tag, so no link: words are only split by blanks (and a link made
    // starts a new word after it, as below), and the walk can jump from
    // digit to digit. The text after `pos` never gains a '<'.
    for (std::size_t digit = firstDigit; digit != kNone;) {
      const std::string_view view = text.View();
      std::size_t start = digit;
      while (start > pos && !IsBlank(view[start - 1])) --start;
      std::size_t end = digit;
      while (end < view.size() && !IsBlank(view[end])) ++end;
      std::size_t first = start;
      while (first < digit && IsOpeningBracket(view[first])) ++first;
      pos = first == digit ? linkWord(start, end) : end;
      digit = FindDigit(text.View(), pos);
    }
    return linked;
  }

  bool inLink = false;
  while (pos < text.View().size()) {
    const std::string_view view = text.View();
    const std::size_t tag = TagLengthAt(view, pos);
    if (tag > 0) {
      const std::string_view t = view.substr(pos, tag);
      if (IsLinkStart(t)) inLink = true;
      if (IsLinkEnd(t)) inLink = false;
      pos += tag;
      continue;
    }
    if (IsBlank(view[pos])) {
      ++pos;
      continue;
    }
    // A '<' that opens no tag is a character of the word: stepping over it
    // keeps the walk moving.
    std::size_t end = view[pos] == '<' ? pos + 1 : pos;
    while (end < view.size() && !IsBlank(view[end]) && view[end] != '<') ++end;
    // Only a word that starts with a digit once its opening brackets are
    // dropped can be a section number; most words are passed at once.
    std::size_t first = pos;
    while (first < end && IsOpeningBracket(view[first])) ++first;
    if (inLink || first == end || !IsDigit(view[first])) {
      pos = end;
      continue;
    }
    pos = linkWord(pos, end);
  }
  return linked;
}

}  // namespace

int LinkCrossReferences(const FC& policy, TextString& text, const SourceLine* line,
                        const DocumentPages* pages, std::unique_ptr<DocumentStatistics>* scratch) {
  const std::size_t start = CrossReferenceStart(policy, text.View());
  if (start == kNone) return 0;
  return LinkNumbers(policy, text, line, pages, scratch, start);
}

std::size_t CrossReferenceStart(const FC& policy, std::string_view text) {
  if (policy.crossRefLevel <= 0 || policy.numberedHeadings == 0) return kNone;
  // Every section number starts with a digit: a line without one is left.
  return FindDigit(text, 0);
}

int LinkCrossReferencesFrom(const FC& policy, TextString& text, std::size_t start,
                            const SourceLine* line, const DocumentPages* pages,
                            std::unique_ptr<DocumentStatistics>* scratch) {
  return LinkNumbers(policy, text, line, pages, scratch, start);
}

bool SectionPageName(const FC& policy, const SectionComponents& number, int level,
                     const TextString& anchor, const SourceLine* line, const DocumentPages* pages,
                     TextString& page) {
  page.Clear();
  const bool split = policy.splitKnown != 0;
  TextString written;
  if (pages != nullptr && pages->WrittenPageOfSection(anchor.View(), written)) {
    if (split) {
      page = written;
      page.AppendText(policy.outputExtension.View());
    }
    return true;
  }
  // A later section that will have its heading: on a split document the
  // page record's plan names its page, and without a plan it is not linked.
  const auto laterPage = [&]() {
    if (!split) return true;
    if (pages->PageOfSection(anchor.View(), policy, page) == 0) return false;
    page.AppendText(policy.outputExtension.View());
    return true;
  };
  if ((split && pages == nullptr) || policy.owner == nullptr) return false;
  // A section the writer has passed without writing its heading has none.
  // Compared in place: a copy of the number into a vector would cost a store.
  const std::vector<int>* passed = pages != nullptr ? &pages->LastSectionWritten() : nullptr;
  if (passed != nullptr && !passed->empty() &&
      !std::lexicographical_compare(passed->begin(), passed->end(), number.begin(), number.end())) {
    return false;
  }
  const TextString canonical = FormatSectionNumber(number, level);
  if (anchor.View().substr(std::string_view("Section_").size()) != canonical.View()) return false;
  // The lines after this one are classified already: their verdict is the
  // output's own.
  int lastClassified = line != nullptr ? line->sourceLineNumber : 0;
  for (const SourceLine* ahead = line != nullptr ? line->NextLine() : nullptr; ahead != nullptr;
       ahead = ahead->NextLine()) {
    lastClassified = std::max(lastClassified, ahead->sourceLineNumber);
    if (!LineType::IsNumberedHeading(ahead->lineType) ||
        LineType::HeadingLevel(ahead->lineType) - 1 != level ||
        !std::equal(number.begin(), number.begin() + level + 1, ahead->sectionNumber.begin())) {
      continue;
    }
    TextString headingAnchor;
    MakeAnchorName(*ahead, policy, headingAnchor);
    if (headingAnchor.View() == anchor.View()) return laterPage();
  }
  const auto& found = policy.owner->analysedSections;
  const auto analysed = found.find(std::string(canonical.View()));
  if (analysed == found.end()) return false;
  // The output pass keeps a heading only at its level's indent.
  if (policy.headingLevelCount > 0 && level >= policy.headingLevelCount) return false;
  const int wantedIndent = policy.headingStyles[static_cast<std::size_t>(level)].indent;
  for (const RunContext::FoundSection& section : analysed->second) {
    if (section.line <= lastClassified) continue;
    const int indent = section.indent;
    if (level == 0 ? indent == wantedIndent || indent == wantedIndent - 1
                   : indent >= wantedIndent - 1 && indent <= wantedIndent + 1) {
      return laterPage();
    }
  }
  return false;
}

int ApplyLinkDictionary(const FC& policy, TextString& text) {
  int linked = 0;
  for (const LinkDefinition& definition : policy.linkDefinitions) {
    TextString match = definition.matchText;
    EscapeHtml(match);
    const std::size_t at = FindOutsideMarkup(text.View(), match.View());
    if (at == kNone) continue;
    TextString shown = definition.linkText;
    EscapeHtml(shown);
    TextString link("<A HREF=\"");
    AppendAttributeText(link, definition.url.GetText());
    link.AppendText("\">");
    link.AppendText(shown.View());
    link.AppendText("</A>");
    text.ReplaceSubString(static_cast<int>(at), match.Length(), link.GetText());
    linked = 1;
  }
  return linked;
}
