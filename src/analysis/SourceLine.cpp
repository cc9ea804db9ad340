#include "analysis/SourceLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "markup/CharacterMap.h"
#include "markup/Emphasis.h"
#include "markup/HtmlEscaper.h"
#include "markup/MarkupScan.h"
#include "markup/Overstrike.h"
#include "markup/WordPass.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/ByteBlocks.h"
#include "text/CharClass.h"
#include "text/Utf8.h"

namespace {

// The longest source line this class is meant to hold.
constexpr int kMaxSourceLineLength = 255;
// A line cut for output is widened by this much when it has extra indent.
constexpr int kExtraIndentWidening = 15;

constexpr std::array<bool, 256> kLinkBytes = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {'.', '/', '@'}) table[c] = true;
  return table;
}();

// The first of ".", "/" and "@" in `text` at or after `from`, or npos: a
// word holding none of them is no URL, e-mail address or newsgroup. Not
// find_first_of: that searches the set for every byte.
std::size_t FindLinkCharacter(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    return FindMarkedByte(text, from, [](__m128i v) {
      // One mask from the combined comparisons, not one per comparison.
      const __m128i slash = _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(0x01)), _mm_set1_epi8('/'));
      const __m128i at = _mm_cmpeq_epi8(v, _mm_set1_epi8('@'));
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(slash, at)));
    });
  }
#endif
  std::size_t at = from;
  while (at + 8 <= text.size()) {
    const std::uint64_t v = LoadEightBytes(text.data() + at);
    // Setting bit 0x01 makes "." and "/" (only they) "/": one test for both.
    if ((HasByteEqual(v | kByteOnes, '/') | HasByteEqual(v, '@')) != 0) break;
    at += 8;
  }
  for (; at < text.size(); ++at) {
    if (kLinkBytes[static_cast<unsigned char>(text[at])]) return at;
  }
  return std::string_view::npos;
}

bool HasLinkCharacter(std::string_view text) {
  return FindLinkCharacter(text, 0) != std::string_view::npos;
}

// What the search for linkable words needs to know of a byte.
enum WordByte : unsigned char {
  kMayEndWord = 1,  // a delimiter, or "&" or ";" of an angle entity
  kLetter = 2,
  kColonOrAt = 4,
  kFullStop = 8,
};

constexpr std::array<unsigned char, 256> kWordBytes = [] {
  std::array<unsigned char, 256> table{};
  for (const unsigned char c : {' ', '\t', ',', '<', '>', '&', ';'}) table[c] = kMayEndWord;
  for (int c = 0; c < 256; ++c) {
    if (IsLetter(static_cast<char>(c))) table[static_cast<std::size_t>(c)] = kLetter;
  }
  table[':'] = kColonOrAt;
  table['@'] = kColonOrAt;
  table['.'] = kFullStop;
  return table;
}();

unsigned char WordByteOf(char c) {
  return kWordBytes[static_cast<unsigned char>(c)];
}

// True when no recogniser can link or report `word`, whose first link
// character stands at `mark`. Without a colon (a scheme, "news:") or an "@"
// (an e-mail address), an address needs a letter and a full stop ("and/or"
// and "/usr/bin" are none), and a word whose one link character is the
// full stop ending it can only be a host word ending "www.", "ftp." or
// "gopher.". Most words offered for links are numbers ("4.15") or a
// sentence's last word. `seen` holds the WordByte bits of all its bytes.
bool NoRecogniserTakes(std::string_view word, std::size_t mark, unsigned char seen) {
  if ((seen & kColonOrAt) != 0) return false;
  if ((seen & kLetter) == 0 || (seen & kFullStop) == 0) return true;
  if (mark + 1 != word.size() || word[mark] != '.' || mark == 0) return false;
  // Only those host endings have one of these letters before the stop.
  const char last = ToLower(word[mark - 1]);
  if (last != 'w' && last != 'p' && last != 'r') return true;
  return !EndsNoCase(word, "www.") && !EndsNoCase(word, "ftp.") && !EndsNoCase(word, "gopher.");
}

// FindLinkableCharacter from `at`, FindLinkCharacter(text, from). Out of
// line: the lines holding no link character at all need none of its frame.
[[gnu::noinline]] std::size_t FindLinkableFrom(std::string_view text, std::size_t from,
                                               std::size_t at) {
  while (at != std::string_view::npos) {
    unsigned char seen = WordByteOf(text[at]);
    std::size_t start = at;
    while (start > from) {
      const unsigned char byte = WordByteOf(text[start - 1]);
      if ((byte & kMayEndWord) != 0 && word_pass::DelimiterEndsAt(text, from, start)) break;
      seen |= byte;
      --start;
    }
    std::size_t end = at + 1;
    while (end < text.size()) {
      const unsigned char byte = WordByteOf(text[end]);
      if ((byte & kMayEndWord) != 0 && word_pass::IsDelimiterAt(text, end)) break;
      seen |= byte;
      ++end;
    }
    if (!NoRecogniserTakes(text.substr(start, end - start), at - start, seen)) return at;
    at = FindLinkCharacter(text, end);
  }
  return at;
}

// The first link character at or after `from` of a word that a recogniser
// may take: the words around the others are passed over before they are
// copied and offered. The words are cut as the word pass cuts them, and
// judged by the bytes seen on the way; only a byte that may end a word is
// looked at closely.
std::size_t FindLinkableCharacter(std::string_view text, std::size_t from) {
  const std::size_t at = FindLinkCharacter(text, from);
  return at == std::string_view::npos ? at : FindLinkableFrom(text, from, at);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr const char* kIgnoredEmphasis = "Ignoring potential emphasis markup";

bool InUserHtml(const SourceLine& line, const FC& policy) {
  return LineFlag::IsUserHtml(line.flags) || policy.document.inHtml != 0;
}

// PRE, TABLE, CODE or DIAGRAM, by the line's own flags or, while the line is
// being read (before the preprocessor copies them), by the block state.
bool InUserRegion(const SourceLine& line, const FC& policy) {
  const DocumentState& d = policy.document;
  return LineFlag::IsUserRegion(line.flags) || d.inPre != 0 || d.inTable != 0 ||
         d.inCode != 0 || d.inDiagram != 0;
}

bool IsUtf8Document(const FC& policy) {
  return policy.owner != nullptr && policy.owner->utf8Text != 0;
}

// A tab after a character of several bytes: its stop depends on counting.
bool NeedsCharacterTabs(std::string_view text) {
  const std::size_t tab = text.rfind('\t');
  if (tab == std::string_view::npos) return false;
  return std::any_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(tab),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Bytes that PrepareText may change before the word pass: controls, DEL,
// "&", "<", ">" and every byte above 0x7F (a byte-order mark, the 8-bit map).
constexpr std::array<bool, 256> kChangedBytes = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[static_cast<std::size_t>(c)] = true;
  for (int c = 0x7F; c < 0x100; ++c) table[static_cast<std::size_t>(c)] = true;
  for (const unsigned char c : {'&', '<', '>'}) table[c] = true;
  return table;
}();

bool IsPlainText(std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    // 0xFF for each byte that stays as it is. One more, signed, the controls,
    // DEL and the bytes above 0x7F all come out at or below " " (and the
    // others above it): one comparison for them.
    const auto kept = [](const char* from) {
      const __m128i v = LoadSixteenBytes(from);
      const __m128i printable = _mm_cmpgt_epi8(_mm_add_epi8(v, _mm_set1_epi8(1)), _mm_set1_epi8(0x20));
      return _mm_andnot_si128(MatchEscaped(v), printable);
    };
    constexpr int kAllKept = 0xFFFF;
    std::size_t at = 0;
    // Two blocks a step, their answers joined: one mask test for 32 bytes.
    for (; at + 32 <= text.size(); at += 32) {
      if (_mm_movemask_epi8(_mm_and_si128(kept(text.data() + at), kept(text.data() + at + 16))) !=
          kAllKept) {
        return false;
      }
    }
    if (at == text.size()) return true;
    // The rest: the last 16 bytes (overlapping bytes already tested), and the
    // block before them when more than 16 are left.
    const std::size_t last = text.size() - 16;
    __m128i rest = kept(text.data() + last);
    if (last > at) rest = _mm_and_si128(rest, kept(text.data() + at));
    return _mm_movemask_epi8(rest) == kAllKept;
  }
#endif
  std::size_t at = 0;
  while (at + 8 <= text.size()) {
    const std::uint64_t v = LoadEightBytes(text.data() + at);
    // Setting bit 0x02 makes "<" and ">" (only they) ">": one test for both.
    if ((HasByteBelowOrHigh(v, 0x20) | HasByteEqual(v, 0x7F) | HasByteEqual(v, '&') |
         HasByteEqual(v | (kByteOnes * 0x02), '>')) != 0) {
      break;
    }
    at += 8;
  }
  for (; at < text.size(); ++at) {
    if (kChangedBytes[static_cast<unsigned char>(text[at])]) return false;
  }
  return true;
}

int LeadingBlanks(std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    const std::size_t first =
        FindMarkedByte(text, 0, [](__m128i v) { return ~MaskOfEqual(v, ' ') & 0xFFFFu; });
    return static_cast<int>(first == std::string_view::npos ? text.size() : first);
  }
#endif
  const std::size_t first = text.find_first_not_of(' ');
  return static_cast<int>(first == std::string_view::npos ? text.size() : first);
}

// The end of the word pass: the marked text becomes `escapedText`, the text
// is trimmed when `trim`, and its first word measured.
void TakeMarkedText(SourceLine& line, bool trim) {
  line.escapedText = static_cast<const TextString&>(line);
  // Most lines have no blank at either end to trim: no call for them.
  const std::string_view marked = line.View();
  if (trim && !marked.empty() && (IsBlank(marked.front()) || IsBlank(marked.back()))) line.Trim();
  line.firstWordLength = static_cast<int>(WordEnd(line.View()));
}

// TakeMarkedText(line, true) for a plain line the word pass left alone: it
// holds no tab, so its leading blanks are its indent.
void TakePlainText(SourceLine& line) {
  line.escapedText = static_cast<const TextString&>(line);
  const std::string_view text = line.View();
  const std::size_t first = static_cast<std::size_t>(line.indent);
  std::size_t last = text.size();
  while (last > first && text[last - 1] == ' ') --last;
  if (first > 0 || last < text.size()) line.KeepRange(first, last - first);
  line.firstWordLength = static_cast<int>(WordEnd(line.View()));
}

// A blank line, near a third of most documents, is given directly what
// PrepareText's steps would leave it.
void PrepareBlankText(SourceLine& line, const FC& policy) {
  line.length = 0;
  line.indent = 0;
  line.rawText.Clear();
  line.escapedText.Clear();
  if (!InUserHtml(line, policy) && !InUserRegion(line, policy)) line.firstWordLength = 0;
}

// Out of line: few lines carry an annotation or dropped furniture, and
// without this the reset of every line would pay for the frame it takes.
[[gnu::noinline]] void Release(std::unique_ptr<SourceLine>& annotation,
                               std::vector<TextString>& furniture) {
  annotation.reset();
  furniture.clear();
}

}  // namespace

SourceLine::SourceLine() : ParsedString() { Reset(true); }

SourceLine::SourceLine(SourceLine* previous) : ParsedString(previous) { Reset(true); }

SourceLine::~SourceLine() = default;

bool SourceLine::HasNoLowerCase() const {
  const std::string_view text = View();
  std::size_t pos = 0;
  while (pos < text.size()) {
    // Markup starts only at "<" or "&": the other bytes need no call.
    const char c = text[pos];
    const std::size_t markup = c == '<'   ? TagLengthAt(text, pos)
                               : c == '&' ? EntityLengthAt(text, pos)
                                          : 0;
    if (markup > 0) {
      pos += markup;
      continue;
    }
    if (IsLower(c)) return false;
    ++pos;
  }
  return true;
}

int SourceLine::MaxLength() const { return kMaxSourceLineLength; }

void SourceLine::PrepareText(FC& policy) {
  // A line with no text read had no tab to expand either.
  if (IsEmpty() && !expandedTabs) {
    PrepareBlankText(*this, policy);
    return;
  }
  PrepareFilledText(policy);
}

[[gnu::noinline]] void SourceLine::PrepareFilledText(FC& policy) {
  // Tab stops were found counting bytes; in UTF-8 text a character before
  // a tab is one column.
  const bool utf8 = IsUtf8Document(policy);
  // The tab expansion has just searched the same text for a tab.
  if (utf8 && expandedTabs && NeedsCharacterTabs(sourceText.View())) {
    SetText(Utf8ExpandTabs(sourceText.View(), policy.tabSize));
  }
  if (IsEmpty()) {
    PrepareBlankText(*this, policy);
    return;
  }
  // A plain line has no byte-order mark, carriage return, control byte,
  // character to escape or to map: only the word pass may change it.
  const bool plain = IsPlainText(View());
  if (!plain) {
    // A byte-order mark only says the file is UTF-8; it is no text of the line.
    if (View().starts_with(kByteOrderMark)) ReplaceSubString(0, static_cast<int>(kByteOrderMark.size()), "");
    if (!IsEmpty() && View().back() == '\r') Truncate(Length() - 1);
    BlankControlCharacters(*this, true);
  }
  // Only backspaces are left of the control bytes, and nothing below adds one.
  const bool backspaces = !plain && View().find('\b') != std::string_view::npos;
  length = Length();
  indent = LeadingBlanks(View());
  // Whole-string copies: the text holds no NUL to search for.
  rawText = static_cast<const TextString&>(*this);
  const bool html = InUserHtml(*this, policy);
  if (!html && !plain) EscapeHTML();
  length = Length();
  // A UTF-8 character is one column on the screen however many bytes it
  // takes; a plain line is ASCII, a column a byte.
  if (utf8 && !plain) length = Utf8Columns(View());
  // The word pass takes the escaped text itself, after the character map.
  const bool words = !html && !InUserRegion(*this, policy);
  if (!words) escapedText = static_cast<const TextString&>(*this);
  if (!html) {
    // MarkInline(policy, true, true), without the character map a plain
    // line does not need.
    if (!plain) MapCharacters(policy);
    if (words && plain) {
      // MarkInlineWords for a line that holds no backspace.
      const std::size_t firstLink =
          policy.IsOutputPass() ? FindLinkableCharacter(View(), 0) : std::string_view::npos;
      if (firstLink < View().size()) {
        MarkFoundWords(policy, true, false, firstLink);
        TakeMarkedText(*this, true);
      } else {
        TakePlainText(*this);
      }
    } else if (words) {
      MarkInlineWords(policy, policy.IsOutputPass(), true);
    }
  }
  // Backspaces that overstrike did not use would reach the page as control
  // characters.
  if (backspaces) {
    BlankControlCharacters(*this, false);
    BlankControlCharacters(escapedText, false);
  }
}

int SourceLine::CutWidth() const {
  std::int64_t cut = width;
  if (extraIndent > 0) cut += kExtraIndentWidening + static_cast<std::int64_t>(extraIndent);
  return static_cast<int>(std::min<std::int64_t>(cut, std::numeric_limits<int>::max()));
}

int SourceLine::PieceWidth() const {
  return LineFlag::IsPreformatted(flags) ? Length() : CutWidth();
}

void SourceLine::MarkInline(FC& policy, bool doLinks, bool trim) {
  MapCharacters(policy);
  if (doLinks && InUserRegion(*this, policy)) return;
  MarkInlineWords(policy, doLinks && policy.IsOutputPass(), trim);
}

void SourceLine::MarkInlineInBlock(FC& policy, bool trim) {
  MapCharacters(policy);
  MarkInlineWords(policy, policy.IsOutputPass(), trim);
}

void SourceLine::MarkInlineWords(FC& policy, bool links, bool trim, bool backspaces) {
  // Overstrike needs a backspace and every link a dot, a slash or an "@":
  // most lines hold no word either could change, and skip the pass, which
  // has a call of its own so that they do not pay for its frame.
  const std::string_view text = View();
  const bool overstrike = backspaces && text.find('\b') != std::string_view::npos;
  if (overstrike) {
    MarkFoundWords(policy, links, true, std::string_view::npos);
  } else if (links) {
    const std::size_t firstLink = FindLinkableCharacter(text, 0);
    if (firstLink < text.size()) MarkFoundWords(policy, true, false, firstLink);
  }
  TakeMarkedText(*this, trim);
}

void SourceLine::MarkFoundWords(FC& policy, bool links, bool overstrike, std::size_t firstLink) {
  int overstruck = 0;
  if (!overstrike) {
    // Only words holding a link character are looked at, found from those
    // characters: most of a line is never cut into words.
    RunMarkedWordPass(
        *this, FindLinkableCharacter,
        [&](const TextString& word, TextString& replacement) {
          return RecogniseHyperlink(policy, word, replacement);
        },
        firstLink);
  } else {
    const bool linkable = links && HasLinkCharacter(View());
    // The same test for each word, before it is copied.
    const auto wanted = [&](std::string_view word) {
      return word.find('\b') != std::string_view::npos || (linkable && HasLinkCharacter(word));
    };
    RunFilteredWordPass(*this, TagHandling::kDelimit, wanted,
                        [&](const TextString& word, TextString& replacement) {
                          if (MarkOverstrike(word, replacement)) {
                            ++overstruck;
                            return 1;
                          }
                          if (!linkable || !HasLinkCharacter(word.View())) return 0;
                          return RecogniseHyperlink(policy, word, replacement);
                        });
  }
  if (overstruck > 1) JoinOverstruckWords(*this);
}

void SourceLine::EscapeHTML() { EscapeHtml(*this); }

void SourceLine::MapCharacters(const FC& policy) {
  if (!IsUtf8Document(policy)) MapEightBitCharacters(*this);
}

bool SourceLine::TakesEmphasis() const {
  return !LineFlag::IsUserRegion(flags) && !LineFlag::IsUserHtml(flags);
}

void SourceLine::MarkEmphasis(FC& policy) {
  if (!policy.IsOutputPass() || policy.searchForEmphasis == 0 || !TakesEmphasis()) return;
  // Every step below needs a mark, and none adds one: one scan for both
  // marks ends most lines here.
  if (!HasEmphasisMark(View())) return;
  const bool inContentsList =
      (flags & LineFlag::kContentsList) != 0 || policy.document.inContentsList != 0;
  if (!inContentsList) MarkEmphasisWords(*this);
  MarkEmphasisPairs(policy, kUnderscorePhrase.openMark, kUnderscorePhrase.closeMark,
                    kUnderscorePhrase.openTag, kUnderscorePhrase.closeTag);
  MarkEmphasisPairs(policy, kAsteriskPhrase.openMark, kAsteriskPhrase.closeMark,
                    kAsteriskPhrase.openTag, kAsteriskPhrase.closeTag);
}

void SourceLine::MarkEmphasisPairs(FC& policy, char openMark, char closeMark,
                                   const char* openTag, const char* closeTag) {
  // Most lines hold no mark: leave before looking at the lines above.
  if (View().find(openMark) == std::string_view::npos) return;
  // Only lines that emphasis handles itself may be searched or changed; a
  // line it must not touch ends the search as a missing line does.
  const auto eligible = [](SourceLine* line) {
    return line != nullptr && line->TakesEmphasis() && !LineFlag::IsPreformatted(line->flags)
               ? line
               : nullptr;
  };
  SourceLine* previous = eligible(PreviousLine());
  SourceLine* beforePrevious = previous != nullptr ? eligible(previous->PreviousLine()) : nullptr;
  const EmphasisMarks marks{openMark, closeMark, openTag, closeTag};
  const int unpaired = ::MarkEmphasisPairs(*this, marks, previous, beforePrevious);
  for (int i = 0; i < unpaired; ++i) ReportOnLine(policy, kIgnoredEmphasis, 1);
}

void SourceLine::Reset(bool keepText) {
  if (!keepText) {
    escapedText.Clear();
    rawText.Clear();
    if (annotation_ != nullptr || !droppedFurniture.empty()) Release(annotation_, droppedFurniture);
  }
  ParsedString::Reset(keepText);
  lineType = LineType::kUnclassified;
  flags = LineFlag::kResetFlags;
  length = -1;
  indent = -1;
  preformatScore = 0;
  extraIndent = 0;
  sectionNumber.fill(-1);
  sourceLineNumber = -1;
}

void SourceLine::SetEscapedText(const char* s) { escapedText.SetText(s); }

void SourceLine::SetRawText(const char* s) { rawText.SetText(s); }

void SourceLine::ReportOnLine(FC& policy, const char* message, int level) {
  if (policy.analysisPass != 0) return;
  const char* text = message != nullptr ? message : "";
  if (policy.document.listing != nullptr) {
    annotation_ = std::make_unique<SourceLine>();
    annotation_->SetText("*** ");
    annotation_->AppendText(text);
  }
  // A line is numbered once read whole; its links are reported while it is
  // read. Without a pass to say the number, the window's far end is used.
  int number = sourceLineNumber;
  if (number < 1) {
    number = policy.document.lineBeingRead >= 1 ? policy.document.lineBeingRead
                                                : policy.document.processedLines + kWindowDepth;
  }
  TextString report("Line ");
  report.AppendNumber(number, false);
  report.AppendText(" - ");
  report.AppendText(text);
  policy.Message(report, level);
}
