#include "analysis/LineClassifier.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <string_view>

#include "analysis/BlockDetection.h"
#include "analysis/BulletTests.h"
#include "analysis/CodeTests.h"
#include "analysis/DocumentStatistics.h"
#include "analysis/HeadingTests.h"
#include "analysis/LineType.h"
#include "analysis/PreformatScore.h"
#include "analysis/SourceLine.h"
#include "markup/MarkupScan.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/CharClass.h"
#include "text/ByteBlocks.h"
#include "text/ErrorReport.h"
#include "text/Utf8.h"

namespace {

// A line drawn this long is prose that ran on, never a layout.
constexpr int kLongestPreformattedLine = 110;
// A centred block starts only this far in from the margin.
constexpr int kMinCentredIndent = 6;
// A new paragraph's first line is indented by less than this.
constexpr int kMaxParagraphIndent = 10;
// The quoting mark stands within this many characters of the line start.
constexpr int kMaxQuotePosition = 5;
// After this many lines without a contents line the list is over. Blank and
// form-feed lines do not count: a page break inside a long contents list
// (footer, form feed, header and the blank lines around them) must not end it.
constexpr int kContentsListGap = 7;
// Below this score a line under a definition may still continue it.
constexpr int kContinuationScoreLimit = 5;
// The line after an underline that scores this high is a table, and the
// "underline" its top rule.
constexpr int kTableAfterUnderline = 9;

// What a drawn line (a rule or an underline) is made of, and what a blank
// inside one must stand before.
constexpr std::string_view kDrawn = "-_~*=/.";
constexpr std::string_view kAfterBlank = "-_~*/=";

using LineType::IsContentsLine;
using LineType::IsNumberedHeading;
using LineType::IsUnderlinedHeading;

bool IsPre(const SourceLine& line) {
  return LineFlag::IsPreformatted(line.flags);
}

void ClearPreformatted(SourceLine& line) {
  line.flags &= ~LineFlag::kPreformatted;
  line.preformatScore = 0;
}

std::int64_t Abs(std::int64_t v) {
  return v < 0 ? -v : v;
}

int TrailingBlanks(const TextString& text) {
  const std::string_view v = text.View();
  const std::size_t last = v.find_last_not_of(' ');
  return static_cast<int>(last == std::string_view::npos ? v.size() : v.size() - 1 - last);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (ToUpper(text[i]) != ToUpper(prefix[i])) return false;
  }
  return true;
}

constexpr std::array<std::string_view, 3> kPartNames = {"Chapter", "Subject", "Section"};
constexpr std::size_t kPartNameLength = 7;

// How far a window of the part names' length may move on, given its last
// character (either case): the distance from that character's last place
// before the end in any name, or the whole length when no name holds it.
constexpr std::array<unsigned char, 256> MakePartNameShifts() {
  std::array<unsigned char, 256> shifts{};
  shifts.fill(kPartNameLength);
  for (std::string_view name : kPartNames) {
    for (std::size_t i = 0; i + 1 < kPartNameLength; ++i) {
      const auto shift = static_cast<unsigned char>(kPartNameLength - 1 - i);
      const char lower =
          name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] + 32) : name[i];
      const char upper = static_cast<char>(lower - 32);
      for (char c : {lower, upper}) {
        auto& entry = shifts[static_cast<unsigned char>(c)];
        entry = std::min(entry, shift);
      }
    }
  }
  return shifts;
}
constexpr std::array<unsigned char, 256> kPartNameShifts = MakePartNameShifts();

// "Chapter", "Subject" or "Section" anywhere, in any case: one scan for all
// three, stepping over windows whose last character no name could end in.
bool NamesAPart(std::string_view text) {
  for (std::size_t at = 0; at + kPartNameLength <= text.size();) {
    const char c = static_cast<char>(text[at] | 0x20);
    if (c == 'c' || c == 's') {
      const std::string_view word = text.substr(at, kPartNameLength);
      for (std::string_view name : kPartNames) {
        // Names that start with another letter are not compared at all.
        // Nor those whose second letter differs: most windows fail there.
        if ((name[0] | 0x20) == c && ToLower(word[1]) == name[1] &&
            StartsWithIgnoringCase(word, name)) {
          return true;
        }
      }
    }
    at += kPartNameShifts[static_cast<unsigned char>(text[at + kPartNameLength - 1])];
  }
  return false;
}

// Where the first separator " - " (when `dash`), ": " (when `colon`) or
// "= " starts in `text`, or npos. One scan for their marks ('-', ':', '='),
// since blanks are everywhere and the marks are rare; marks come in text
// order, and a separator found from an earlier mark starts earlier.
std::size_t FindSeparator(std::string_view text, bool dash, bool colon) {
  auto startAt = [&](std::size_t mark) {
    switch (text[mark]) {
      case '-':
        return mark >= 1 && text.substr(mark - 1, 3) == " - " ? mark - 1 : std::string_view::npos;
      case ':':
      case '=':
        return text.substr(mark + 1, 1) == " " ? mark : std::string_view::npos;
      default:
        return std::string_view::npos;
    }
  };
#if defined(__SSE2__)
  if (text.size() >= 16) {
    const auto marks = [&](__m128i v) {
      return MaskOfEqual(v, '=') | (dash ? MaskOfEqual(v, '-') : 0U) |
             (colon ? MaskOfEqual(v, ':') : 0U);
    };
    // Every mark of a block is tried from its one mask: hyphens and colons
    // are common enough that a search from each would load blocks again.
    // The last block overlaps the one before: its bytes seen are shifted out.
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t block = std::min(at, text.size() - 16);
      for (unsigned mask = marks(LoadSixteenBytes(text.data() + block)) >> (at - block); mask != 0;
           mask &= mask - 1) {
        const std::size_t start = startAt(at + static_cast<std::size_t>(std::countr_zero(mask)));
        if (start != std::string_view::npos) return start;
      }
      at = block + 16;
    }
    return std::string_view::npos;
  }
#endif
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '=' || (dash && c == '-') || (colon && c == ':')) {
      const std::size_t start = startAt(at);
      if (start != std::string_view::npos) return start;
    }
  }
  return std::string_view::npos;
}

// Whether `word`, which starts `text`, holds a digit. Most first words lie
// in the first sixteen bytes of their line: one block tests them.
bool HasDigit(std::string_view word, std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16 && word.size() <= 16 && word.data() == text.data()) {
    return (MaskOfDigit(LoadSixteenBytes(text.data())) & ((1U << word.size()) - 1)) != 0;
  }
#endif
  return std::any_of(word.begin(), word.end(), IsDigit);
}

// Whether `word`, which starts `text`, is known to be ASCII (a column a
// byte) from one sixteen-byte block; false where that block does not hold it.
bool IsAsciiStart(std::string_view word, std::string_view text) {
#if defined(__SSE2__)
  if (text.size() >= 16 && word.size() <= 16 && word.data() == text.data()) {
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(LoadSixteenBytes(text.data())));
    return (high & ((1U << word.size()) - 1)) == 0;
  }
#endif
  return false;
}

// Where word 1 of `text` ends and word 2 starts, as WordEnd and the blanks
// after it give them, from the first sixteen bytes alone: false where they
// do not hold both (the line is shorter, or word 1 or the blanks run on).
// Every line of every pass is cut so: one block serves both.
bool CutWordsInFirstBlock(std::string_view text, std::size_t& end1, std::size_t& start2) {
#if defined(__SSE2__)
  if (text.size() >= 16) {
    const unsigned blanks = MaskOfBlank(LoadSixteenBytes(text.data()));
    if (blanks == 0) return false;
    const auto end = static_cast<unsigned>(std::countr_zero(blanks));
    const unsigned wordsAfter = (~blanks & 0xFFFFU) >> end;
    if (wordsAfter == 0) return false;
    end1 = end;
    start2 = end + static_cast<unsigned>(std::countr_zero(wordsAfter));
    return true;
  }
#endif
  static_cast<void>(text);
  static_cast<void>(end1);
  static_cast<void>(start2);
  return false;
}

// HREF=" in any case, found from its "=": most lines have none.
bool HasHref(std::string_view text) {
  for (std::size_t at = text.find('='); at != std::string_view::npos; at = text.find('=', at + 1)) {
    if (at >= 4 && at + 1 < text.size() && text[at + 1] == '"' &&
        StartsWithIgnoringCase(text.substr(at - 4), "HREF")) {
      return true;
    }
  }
  return false;
}

// Column of word `n` of `line`'s text, or -1 when it has none. In UTF-8
// text a character is one column whatever its bytes. The words are those
// GetWord(n, ' ') counts, found in place without a copy.
int WordPosition(const SourceLine& line, int n, bool utf8) {
  const std::string_view text = line.View();
  std::size_t offset = 0;
  for (int word = 1; word < n; ++word) {
    offset += WordEnd(text.substr(offset));
    if (offset >= text.size()) return -1;
    offset += BlanksAtStart(text.substr(offset));
  }
  if (offset >= text.size()) return -1;
  if (utf8 && offset > 0) return Utf8Columns(text.substr(0, offset));
  return static_cast<int>(offset);
}

// The emphasis of a quoted line turned inside out, since the writer shows
// the whole line emphasised. Both marks are swapped in one scan so that a
// replacement is never replaced again.
void InvertEmphasis(SourceLine& line, bool rtf) {
  const std::array<std::string_view, 2> from =
      rtf ? std::array<std::string_view, 2>{"\\i ", "\\i0}"}
          : std::array<std::string_view, 2>{"<em>", "</em>"};
  const std::array<std::string_view, 2> to =
      rtf ? std::array<std::string_view, 2>{"\\i0 \\b ", "\\b0 \\i "}
          : std::array<std::string_view, 2>{"</em><strong>", "</strong><em>"};
  const std::string_view text = line.View();
  std::string result;
  bool changed = false;
  for (std::size_t i = 0; i < text.size();) {
    bool swapped = false;
    for (std::size_t k = 0; k < from.size(); ++k) {
      if (text.substr(i).starts_with(from[k])) {
        result.append(to[k]);
        i += from[k].size();
        swapped = changed = true;
        break;
      }
    }
    if (!swapped) result.push_back(text[i++]);
  }
  if (changed) line.SetText(std::string_view(result));
}

}  // namespace

// Inline, with the copy kept apart: every line asks, almost none takes.
inline void LineClassifier::TakeFirstLineTitle() {
  RunContext* run = policy_.owner;
  if (!policy_.firstLineAsTitle || run == nullptr || !run->firstLineTitle.IsEmpty() ||
      line_.length <= 2) {
    return;
  }
  SetFirstLineTitle(*run);
}

void LineClassifier::SetFirstLineTitle(RunContext& run) {
  run.firstLineTitle = line_.escapedText;
  run.firstLineTitle.Trim();
}

void LineClassifier::Classify() {
  if (line_.sourceLineNumber < 1) ReportError("Invalid Source line Number!!");
  // An empty line holds no emphasis mark: no call.
  if (policy_.IsOutputPass() && !IsPre(line_) && !line_.IsEmpty()) line_.MarkEmphasis(policy_);
  TakeFirstLineTitle();
  if (line_.lineType == LineType::kUnclassified) line_.lineType = LineType::kText;
  if (LineFlag::IsUserRegion(line_.flags)) return;

  // Only an empty or form-feed line is blank: the others skip both tests.
  const bool blank = line_.IsEmpty() || line_.View() == "\f";
  if (blank && TestBlankAlone()) return;
  ReadContext();
  if (blank && TestBlank()) return;
  TrackContentsList();

  // The line's text stays as it is until SetFinalFlags scores the line
  // again: a quotation that inverts its emphasis and a line appended to a
  // heading are not scored there.
  ownScore_ = OwnPreformatScore(line_, policy_, false);
  if (!LineFlag::IsUserHtml(line_.flags)) {
    const int score = ScoreWithOwnScore(ownScore_, line_, policy_, prev_);
    scored_ = true;
    firstScore_ = score;
    firstScoreType_ = line_.lineType;
    if (score > 0) {
      line_.flags |= LineFlag::kPreformatCandidate | LineFlag::kPreformatted;
      line_.preformatScore = score;
    }
  }
  MarkCentring();

  int heading = 0;
  // A first word without a digit is no number, as TestHeading would find:
  // most lines are decided here, without making a heading test.
  const bool firstNumberless = hasWord1_ && !HasDigit(word1_, line_.View());
  if (firstNumberless) {
    line_.sectionNumber.fill(-1);
  } else if (hasWord1_) {
    // A heading test may retype a line before, which the score reads.
    scored_ = false;
    heading = HeadingTest(line_, policy_, statistics_).TestHeading(word1_, 1, -1, AllowNumbered());
  }
  const int type = line_.lineType;
  if (heading == 0 && (type == LineType::kText || type == LineType::kDefinition) &&
      (policy_.analysisPass || (policy_.IsOutputPass() && policy_.secondWordHeadings)) &&
      hasWord2_ && !(firstNumberless && SecondWordNumberless()) && NamesAPart(line_.View())) {
    scored_ = false;
    heading =
        HeadingTest(line_, policy_, statistics_).TestHeading(SecondWord(), 2, -1, AllowNumbered());
  }
  const int bullet = PPre() || !MayOpenItem() ? 0 : TestBullet(line_, policy_, statistics_);

  if (heading != 0 && ApplyHeading(heading)) return;
  if (bullet != 0) {
    line_.lineType = bullet;
    ClearPreformatted(line_);
    return;
  }
  if ((line_.lineType == LineType::kBlank || line_.lineType == LineType::kFormFeed) && pBullet_) {
    line_.lineType = LineType::kBulletBlank;
    return;
  }
  if (line_.lineType != LineType::kText) return;

  if (TestCapitalised()) return;
  TestDefinition();
  TestQuoted();
  TestCode();
  TestHangingFromPrevious();
  TestHangingPosition();
  if (TestRule()) return;
  TestBulletContinuation();
  TestAfterBulletBlank();
  if (TestContinuation()) return;
  TestNewParagraph();
  TestShortLineEnd();
  SetFinalFlags();
  if (IsPre(line_) ||
      (prev_ != nullptr && IsPre(*prev_) && !LineFlag::IsUserRegion(prev_->flags))) {
    DetectBlock(line_, policy_);
  }
}

// The steps are inline: each is called from Classify alone, for every line,
// and most return at once, sooner than a call is made.
inline void LineClassifier::ReadContext() {
  prev_ = line_.PreviousLine();
  next_ = line_.NextLine();
  width_ = policy_.pageWidth;
  paragraphOffset_ = policy_.newParagraphOffset;

  if (prev_ != nullptr) {
    pType_ = prev_->lineType;
    pIndent_ = prev_->indent;
    pFlags_ = prev_->flags;
  }
  pBullet_ = LineType::IsBullet(pType_);
  pBulletBlank_ = pType_ == LineType::kBulletBlank;
  // Words 1 and 2 as GetWord(n, ' ') finds them (word 1 starts the line, a
  // run of blanks and tabs separates), in one scan.
  const std::string_view text = line_.View();
  std::size_t end1 = text.size();
  std::size_t start2 = text.size();
  if (!CutWordsInFirstBlock(text, end1, start2)) {
    end1 = WordEnd(text);
    start2 = end1;
    while (start2 < text.size() && IsBlank(text[start2])) ++start2;
  }
  word1_ = text.substr(0, end1);
  hasWord1_ = end1 > 0;
  hasWord2_ = start2 < text.size();
  pos2_ = -1;
  if (hasWord2_) pos2_ = static_cast<int>(start2);
  start2_ = start2;
  utf8_ = policy_.owner != nullptr && policy_.owner->utf8Text != 0;
  word1Length_ = static_cast<int>(end1);
  word1Columns_ = word1Length_;
  // In UTF-8 the columns are counted when a test first reads them.
  columnsCounted_ = !utf8_;
}

// A chapter number cannot start inside a paragraph whose lines run on.
// Asked only by the few lines a heading test is made for.
inline bool LineClassifier::AllowNumbered() const {
  return !(pType_ == LineType::kText && PPType() == LineType::kText && policy_.IsOutputPass() &&
           policy_.expectBlankLines);
}

// Read where asked, by the few lines that ask: a step may retype the line
// two above (a rule into part of a heading, a heading into a numbered
// bullet), but none makes it text or takes that away before these ask.
// The length of the line before, -1 without one: no step changes it.
inline int LineClassifier::PLength() const {
  return prev_ != nullptr ? prev_->length : -1;
}

// The line two above, found where a step asks: most lines need it not.
inline SourceLine* LineClassifier::PP() const {
  return prev_ != nullptr ? prev_->PreviousLine() : nullptr;
}

inline int LineClassifier::PPType() const {
  const SourceLine* pp = PP();
  return pp != nullptr ? pp->lineType : LineType::kBlank;
}

inline bool LineClassifier::PCentred() const {
  return (pFlags_ & LineFlag::kCentred) != 0;
}

inline bool LineClassifier::PPre() const {
  return LineFlag::IsPreformatted(pFlags_);
}

void LineClassifier::CountColumns() {
  if (columnsCounted_) return;
  columnsCounted_ = true;
  word1Columns_ = IsAsciiStart(word1_, line_.View()) ? word1Length_ : Utf8Columns(word1_);
  // Only blanks stand between the words, a column each.
  if (pos2_ > 0) pos2_ = word1Columns_ + (pos2_ - word1Length_);
}

inline bool LineClassifier::MayOpenItem() const {
  const std::string_view text = line_.View();
  return word1_.data() != text.data() || MayOpenListItem(text, word1_.size());
}

// After a first word without a digit, the second-word test would only
// clear the section number again (and score the line afresh, alike): a
// second word without one needs no search for a part name. Known from one
// sixteen-byte block where the word ends inside it; false otherwise.
inline bool LineClassifier::SecondWordNumberless() const {
#if defined(__SSE2__)
  const std::string_view text = line_.View();
  if (start2_ + 16 <= text.size()) {
    const __m128i block = LoadSixteenBytes(text.data() + start2_);
    const unsigned blanks = MaskOfEqual(block, ' ') | MaskOfEqual(block, '\t');
    if (blanks != 0) {
      const unsigned word = (1U << std::countr_zero(blanks)) - 1;
      return (MaskOfDigit(block) & word) == 0;
    }
  }
#endif
  return false;
}

std::string_view LineClassifier::SecondWord() const {
  const std::string_view text = line_.View().substr(start2_);
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  return text.substr(0, end);
}


inline bool LineClassifier::TestBlankAlone() {
  // TestBlank as it decides where the line before opens no list item.
  const SourceLine* prev = line_.PreviousLine();
  const int pType = prev != nullptr ? prev->lineType : LineType::kBlank;
  if (LineType::IsBullet(pType) || pType == LineType::kBulletBlank) return false;
  if (line_.IsEmpty()) {
    line_.lineType = LineType::kBlank;
    ++statistics_.blankLines;
  } else {
    line_.lineType = LineType::kFormFeed;
  }
  return true;
}

inline bool LineClassifier::TestBlank() {
  if (line_.IsEmpty()) {
    line_.lineType = LineType::kBlank;
    ++statistics_.blankLines;
    return !pBullet_ && !pBulletBlank_;
  }
  if (line_.View() == "\f") {
    line_.lineType = LineType::kFormFeed;
    return !pBullet_ && !pBulletBlank_;
  }
  return false;
}

inline void LineClassifier::TrackContentsList() {
  DocumentState& document = policy_.document;
  // Past this, ContentsMarkedByUser is false: it needs userContentsSeen.
  if (document.userContentsSeen) {
    statistics_.contentsMarkedByUser = 1;
    return;
  }

  if (!document.inContentsList && !document.contentsListEnded && policy_.expectContentsList) {
    static constexpr std::array<std::string_view, 4> kTitles = {"Table of Contents", "Index of",
                                                                "Contents", "C O N T E N T S"};
    for (std::string_view title : kTitles) {
      if (StartsWithIgnoringCase(line_.View(), title)) {
        document.inContentsList = 1;
        break;
      }
    }
  }
  if (line_.lineType != LineType::kFormFeed) ++statistics_.linesAfterContentsLine;
  if (!document.contentsListEnded && statistics_.lastNumber[0] > 0 &&
      statistics_.lastContentsLine > 0 && statistics_.linesAfterContentsLine > kContentsListGap) {
    EndContentsList(policy_, line_);
  }
}

// A centred block starts after a blank line, every line of it balanced
// within the tolerance; a lone line needs a blank or balanced line after it.
inline void LineClassifier::MarkCentring() {
  const std::int64_t tolerance = policy_.centringTolerance;
  auto balanced = [&](std::int64_t indent, std::int64_t length) {
    return Abs(indent - (width_ - length)) < tolerance;
  };
  // The line after is read as it stands: nothing has changed it yet.
  const bool nextOk = next_ == nullptr || next_->lineType == LineType::kBlank ||
                      next_->lineType == LineType::kUnclassified ||
                      balanced(next_->indent, next_->length);
  if (!nextOk) {
    if (PCentred()) prev_->flags &= ~LineFlag::kCentred;
  } else if (!PCentred()) {
    if (line_.indent > kMinCentredIndent && balanced(line_.indent, line_.length) &&
        pType_ == LineType::kBlank) {
      line_.flags |= LineFlag::kCentred;
    }
  } else if (balanced(line_.indent, line_.length)) {
    line_.flags |= LineFlag::kCentred;
  }
}

bool LineClassifier::ApplyHeading(int heading) {
  line_.lineType = heading;
  statistics_.lastHeadingType = heading;
  ClearPreformatted(line_);
  if (policy_.IsOutputPass() && (IsNumberedHeading(heading) || IsUnderlinedHeading(heading)) &&
      !ContentsMarkedByUser(policy_)) {
    EndContentsList(policy_, line_);
  }
  if (pType_ == LineType::kRule) prev_->lineType = LineType::kHeadingPart;
  if (policy_.analysisPass) {
    TextString title(line_);
    title.ReplaceText(std::string(word1_).c_str(), "", 1);
    title.Trim();
    SetFirstHeadingTitle(title);
  }
  return true;
}

void LineClassifier::SetFirstHeadingTitle(const TextString& title) {
  RunContext* run = policy_.owner;
  if (policy_.firstHeadingAsTitle && run != nullptr && run->firstHeadingTitle.IsEmpty()) {
    run->firstHeadingTitle = title;
  }
}

inline bool LineClassifier::TestCapitalised() {
  if (!policy_.capitalisedHeadings || pType_ != LineType::kBlank || !line_.HasNoLowerCase() ||
      IsPre(line_)) {
    return false;
  }
  // Emphasis is marked only in the output pass; judged without its tags, a
  // line is the same heading in every pass.
  const TextString visible(TextOutsideTags(line_.View()));
  if (!visible.HasNoneOf("/|\\") || visible.HasNoLetters()) return false;
  if (policy_.analysisPass) {
    ++statistics_.capitalisedHeadings;
    return false;
  }
  line_.lineType = LineType::kCapitalisedHeading;
  return true;
}

// "term - text" and "term: text": a separator early in the line makes a
// definition; the counts let the calculation decide which separators the
// document uses.
inline void LineClassifier::TestDefinition() {
  const int pt = pType_;
  if (line_.lineType != LineType::kText || !policy_.searchForDefinitions ||
      (pt == LineType::kText && policy_.expectBlankLines)) {
    return;
  }
  // The strong separators are asked after the type before, which most
  // lines pass on.
  if (!(pt == LineType::kBlank || pt == LineType::kDefinition || IsNumberedHeading(pt) ||
        IsUnderlinedHeading(pt) || pt == LineType::kCapitalisedHeading || policy_.dashStrong ||
        policy_.colonStrong)) {
    return;
  }
  TestSeparator();
}

void LineClassifier::TestSeparator() {
  constexpr std::size_t kNone = 999;
  const std::string_view text = line_.View();
  // Only a line that starts with its term counts a separator: for another
  // the searches below change nothing, unless it was a candidate already.
  const bool termFirst = !text.empty() && IsAlphanumeric(text.front());
  if (!termFirst && (line_.flags & LineFlag::kDefinitionCandidate) == 0) return;
  const std::size_t p =
      std::min(FindSeparator(text, policy_.dashDefinitions != 0, policy_.colonDefinitions != 0),
               kNone);
  if (p >= kNone) return;

  const std::int64_t at = static_cast<std::int64_t>(p);
  auto count = [&](std::string_view separator, int& uses, int& definitions, bool isStrong) {
    if (!termFirst || text.substr(p, separator.size()) != separator) return;
    ++uses;
    if (at < width_ / 4) {
      ++definitions;
      line_.flags |= LineFlag::kDefinitionCandidate;
    } else if (isStrong && at < width_ / 2) {
      line_.flags |= LineFlag::kDefinitionCandidate;
    }
  };
  count(" - ", statistics_.dashUses, statistics_.dashDefinitions, policy_.dashStrong != 0);
  count(": ", statistics_.colonUses, statistics_.colonDefinitions, policy_.colonStrong != 0);
  if (line_.flags & LineFlag::kDefinitionCandidate) line_.lineType = LineType::kDefinition;
}

// "> quoted text" or "!text", but not an arrow ("->", ":>") or a tag.
inline void LineClassifier::TestQuoted() {
  if (line_.lineType != LineType::kText) return;
  const std::string_view raw = line_.rawText.View();
#if defined(__SSE2__)
  // Where the text starts within the first sixteen bytes, as it does in
  // most lines, that one block shows whether it can be a quotation: most
  // lines stop here, without a call.
  if (raw.size() >= 16) {
    const __m128i block = LoadSixteenBytes(raw.data());
    const unsigned blanks = MaskOfEqual(block, ' ') | MaskOfEqual(block, '\t');
    const auto first = static_cast<unsigned>(std::countr_zero(~blanks));
    if (first + kMaxQuotePosition <= 16) {
      if (((MaskOfEqual(block, '>') >> first) & ((1U << kMaxQuotePosition) - 1)) == 0 &&
          raw[first] != '!') {
        return;
      }
    } else {
      // Deeper indented (a table, a title): the block where the text starts.
      const std::size_t start = first < 16 ? first : BlanksAtStart(raw);
      if (start + 16 <= raw.size() &&
          (MaskOfEqual(LoadSixteenBytes(raw.data() + start), '>') &
           ((1U << kMaxQuotePosition) - 1)) == 0 &&
          raw[start] != '!') {
        return;
      }
    }
  }
#endif
  TestQuotedText(raw);
}

void LineClassifier::TestQuotedText(std::string_view raw) {
  // The raw line without its outer blanks and tabs, seen in place.
  std::string_view r = raw;
  r.remove_prefix(BlanksAtStart(r));
  // Only a '>' near the start or a leading '!' quotes: most lines fail
  // here, before any search of the whole line.
  const std::string_view head = r.substr(0, kMaxQuotePosition);
  if (std::none_of(head.begin(), head.end(), [](char c) { return c == '>'; }) &&
      (r.empty() || r.front() != '!')) {
    return;
  }
  while (!r.empty() && IsBlank(r.back())) r.remove_suffix(1);
  auto pos = [&](std::string_view what) {
    const std::size_t at = r.find(what);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
  };
  const int a = pos(">");
  // Without a ">" only a leading "!" quotes.
  if (a < 0 && (r.empty() || r.front() != '!')) return;
  const int b = pos("!");
  const int c = pos("<");
  const int d = pos("->");
  const int e = pos(":>");
  if ((a > 0 && a - d == 1) || (c >= 0 && c < a) || (e >= 0 && a - e == 1)) return;
  if (!((a >= 0 && a < word1Length_ && a < kMaxQuotePosition) || b == 0)) return;

  line_.lineType = LineType::kQuoted;
  if (policy_.IsOutputPass() && policy_.searchForEmphasis) {
    // The columns are of the text as read, which the swap replaces.
    CountColumns();
    const RunContext* run = policy_.owner;
    InvertEmphasis(line_, run != nullptr && run->outputKind == RunContext::kRtfOutput);
  }
}

inline void LineClassifier::TestCode() {
  const int type = line_.lineType;
  // Only the analysis counts code lines, and only the output pass marks
  // them: between the two (the contents pass) the test changes nothing.
  if ((type != LineType::kText && type != LineType::kQuoted) ||
      !(policy_.analysisPass || (policy_.expectCodeSamples && policy_.IsOutputPass())) ||
      !LooksLikeCode(line_.escapedText.View(), false)) {
    return;
  }
  if (!policy_.IsOutputPass()) {
    ++statistics_.codeLines;
  } else {
    line_.flags |= LineFlag::kPreformatted | LineFlag::kSampleCode;
    line_.preformatScore = 10;
  }
}

// A line that starts under the second word of the line before: that line
// was a lone bullet character ("*  item") or the first line of a hanging
// paragraph.
inline void LineClassifier::TestHangingFromPrevious() {
  const int indent = line_.indent;
  if (line_.lineType != LineType::kText || paragraphOffset_ >= 0 || pIndent_ >= indent ||
      pBullet_ || pIndent_ < 0 ||
      !(pType_ == LineType::kText || pType_ == LineType::kRule || pType_ == LineType::kDefinition ||
        PPre())) {
    return;
  }
  TestUnderSecondWord();
}

void LineClassifier::TestUnderSecondWord() {
  const int indent = line_.indent;
  const int q = WordPosition(*prev_, 2, utf8_);
  if (q < 0 || static_cast<std::int64_t>(q) + pIndent_ != indent) return;

  if (prev_->firstWordLength == 1 && IsBulletChar(policy_, prev_->At(0))) {
    prev_->lineType = LineType::kBulletChar;
    line_.lineType = LineType::kBulletContinuation;
    statistics_.bulletChars.Add(static_cast<unsigned char>(prev_->At(0)));
    return;
  }
  const SourceLine* pp = PP();
  const bool ppPre = pp != nullptr && IsPre(*pp) && !IsBlankLine(*pp);
  if (!policy_.hangingPositionsUsed || ppPre) return;
  const bool hanging = pType_ == LineType::kText || pType_ == LineType::kDefinition ||
                       (PPre() && pp != nullptr &&
                        (pp->lineType == LineType::kText || pp->lineType == LineType::kBlank));
  if (!hanging) return;
  if (policy_.analysisPass) {
    ++statistics_.hangingParagraphs;
    statistics_.hangingIndents.Add(indent);
  }
  prev_->lineType = LineType::kHangingParagraph;
  line_.lineType = LineType::kHangingContinuation;
}

// "term     text" with the text at one of the policy's hanging columns.
inline void LineClassifier::TestHangingPosition() {
  if (!hasWord1_ || !policy_.hangingPositionsUsed || policy_.hangingCount <= 0 || pos2_ < 0) {
    return;
  }
  // The gap between the words is blanks, a column each: it is the same in
  // bytes and in columns, so most lines are decided before columns are counted.
  if (word1Columns_ + 3 >= pos2_) return;
  CountColumns();
  const std::int64_t column = static_cast<std::int64_t>(pos2_) + line_.indent;
  const int count = std::min(policy_.hangingCount, FC::kMaxPositions);
  for (int i = 0; i < count; ++i) {
    if (policy_.hangingPositions[i] == column) {
      line_.lineType = LineType::kHangingParagraph;
      return;
    }
  }
}

// A line drawn with '-', '=', '_', '~', '*', '/' or dots: the underline of
// the line above (which becomes a heading), or a rule of its own.
inline bool LineClassifier::TestRule() {
  const std::string_view text = line_.View();
  // A line that does not start drawn is no rule: most lines stop here,
  // before the search for "- ".
  auto drawnStart = [&] {
    switch (text[0]) {
      case '-': case '_': case '~': case '*': case '=': case '/': case '.':
        return true;
      case ' ':
        return text.size() > 1 && kAfterBlank.find(text[1]) != std::string_view::npos;
      default:
        return false;
    }
  };
  if (text.empty() || !drawnStart()) {
    return false;
  }
  return TestDrawnLine(text);
}

bool LineClassifier::TestDrawnLine(std::string_view text) {
  if (line_.lineType != LineType::kText ||
      !(text.find("- ") != std::string_view::npos || (!hasWord2_ && text.size() > 2))) {
    return false;
  }
  bool same = true;
  bool dots = false;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    const bool drawn = kDrawn.find(c) != std::string_view::npos ||
                       (c == ' ' && i + 1 < text.size() &&
                        kAfterBlank.find(text[i + 1]) != std::string_view::npos);
    if (!drawn) break;
    if (i > 0 && c != text[i - 1]) same = false;
    if (c == '.') dots = true;
  }
  if (dots && (!same || word1Length_ < 5)) return false;
  if (i < text.size()) return false;

  if (same) {
    line_.flags |= LineFlag::kRepeatedChar;
  } else {
    line_.flags |= LineFlag::kPreformatCandidate | LineFlag::kPreformatted;
    line_.preformatScore = 10;
  }
  if (IsNumberedHeading(pType_) || IsContentsLine(pType_) ||
      pType_ == LineType::kCapitalisedHeading) {
    line_.lineType = LineType::kHeadingPart;
    if (SourceLine* pp = PP(); pp != nullptr && pp->lineType == LineType::kRule) {
      pp->lineType = LineType::kHeadingPart;
    }
    return true;
  }

  const int nextScore = next_ != nullptr ? ScorePreformatted(*next_, policy_, nullptr, false) : 0;
  auto near = [](std::int64_t a, std::int64_t b) { return Abs(a - b) < 5; };
  // The ends less trailing blanks are taken here, as only a rule reads them.
  const int pLength = PLength();
  const int pEnd = prev_ != nullptr ? pLength - TrailingBlanks(prev_->escapedText) : -1;
  const int end = line_.length - TrailingBlanks(line_.escapedText);
  const bool sameLength = near(line_.length, pLength) || near(line_.length, pEnd) ||
                          near(end, pEnd) || near(end, pLength);
  if ((pType_ == LineType::kText || pType_ == LineType::kDefinition) &&
      policy_.underlinedHeadings && nextScore < kTableAfterUnderline && sameLength) {
    int level = 1;
    switch (text.front()) {
      case '*':
        level = 0;
        break;
      case '-':
      case '_':
      case '~':
        level = 2;
        break;
      case '.':
        level = 3;
        break;
      default:
        break;
    }
    TextString prevWord;
    static_cast<void>(prev_->GetWord(1, ' ', prevWord));
    prev_->lineType =
        HeadingTest(*prev_, policy_, statistics_).TestHeading(prevWord.View(), 1, level, AllowNumbered());
    ++statistics_.underlinedHeadings;
    if (SourceLine* pp = PP(); pp != nullptr && pp->lineType == LineType::kRule) {
      pp->lineType = LineType::kHeadingPart;
    }
    line_.lineType = LineType::kHeadingPart;
    if (policy_.analysisPass) SetFirstHeadingTitle(*prev_);
    return true;
  }
  line_.lineType = LineType::kRule;
  return false;
}

inline void LineClassifier::TestBulletContinuation() {
  if (line_.lineType != LineType::kText || !pBullet_) return;
  const int indent = line_.indent;
  const bool under = pIndent_ >= 0 && pIndent_ <= indent;
  if (pType_ == LineType::kBulletContinuation || !policy_.expectBlankLines) {
    if (under) line_.lineType = LineType::kBulletContinuation;
  } else if (under || (indent == 0 && paragraphOffset_ == pIndent_)) {
    line_.lineType = LineType::kBulletContinuation;
  }
}

// After a blank line inside a list, a line aligned with the item's text
// continues the item.
inline void LineClassifier::TestAfterBulletBlank() {
  if (pBulletBlank_) TestAfterListBlank();
}

void LineClassifier::TestAfterListBlank() {
  const SourceLine* item = prev_;
  while (item != nullptr && item->lineType == LineType::kBulletBlank) item = item->PreviousLine();
  if (item == nullptr) return;

  if (LineType::IsBulletItem(item->lineType)) {
    const int second = WordPosition(*item, 2, utf8_);
    const int third = WordPosition(*item, 3, utf8_);
    if (second >= 0 && third >= 0 &&
        static_cast<std::int64_t>(line_.indent) ==
            static_cast<std::int64_t>(item->indent) + item->firstWordLength + third - second - 4) {
      line_.lineType = LineType::kBulletContinuation;
    }
  } else if (item->lineType == LineType::kBulletContinuation && line_.indent == item->indent) {
    line_.lineType = LineType::kBulletContinuation;
  }
}

inline bool LineClassifier::TestContinuation() {
  if (line_.lineType != LineType::kText || (pType_ == LineType::kHeadingPart && PP() != nullptr)) {
    return false;
  }
  // After plain text, as most lines stand, nothing continues: no call.
  if (pType_ == LineType::kText) return false;
  return TestContinuationOf();
}

bool LineClassifier::TestContinuationOf() {
  const int indent = line_.indent;
  switch (pType_) {
    case LineType::kHangingParagraph: {
      const int q = WordPosition(*prev_, 2, utf8_);
      if (indent > 0 && q >= 0 && static_cast<std::int64_t>(indent) == pIndent_ + q) {
        line_.lineType = LineType::kHangingContinuation;
      }
      [[fallthrough]];
    }
    case LineType::kHangingContinuation:
      if (indent > 0 && indent == pIndent_) line_.lineType = LineType::kHangingContinuation;
      return false;
    case LineType::kDefinition:
    case LineType::kDefinitionContinuation: {
      if (!policy_.dashStrong && !policy_.colonStrong) return false;
      const bool ok = (pType_ == LineType::kDefinition && pIndent_ <= indent) ||
                      (pType_ == LineType::kDefinitionContinuation &&
                       (pIndent_ <= indent || (indent == 0 && paragraphOffset_ == pIndent_)));
      if (ok && line_.preformatScore < kContinuationScoreLimit) {
        line_.lineType = LineType::kDefinitionContinuation;
      }
      return false;
    }
    default:
      break;
  }
  if (pType_ == LineType::kHeadingPart || pType_ == LineType::kAppended ||
      IsNumberedHeading(pType_) || IsUnderlinedHeading(pType_) || IsContentsLine(pType_)) {
    return ContinueHeading();
  }
  return false;
}

// The second line of a heading: aligned with the heading's text, starting
// in lower case, or in capitals under a heading in capitals.
bool LineClassifier::ContinueHeading() {
  SourceLine* heading = prev_;
  while (heading != nullptr && (heading->lineType == LineType::kHeadingPart ||
                                heading->lineType == LineType::kAppended)) {
    heading = heading->PreviousLine();
  }
  if (heading == nullptr) return false;

  // A line appended before has given its text to the heading line.
  const SourceLine& above = pType_ == LineType::kAppended ? *heading : *prev_;
  const int q = WordPosition(above, 2, utf8_);
  const std::int64_t column = static_cast<std::int64_t>(above.indent) + q;
  const std::int64_t indent = line_.indent;
  const bool aligned = q >= 0 && Abs(indent - column) <= 1;
  const bool within = q >= 0 && indent <= column;
  const bool continues = aligned || IsContentsLine(pType_) || (within && IsLower(line_.At(0))) ||
                         (within && above.HasNoLowerCase() && line_.HasNoLowerCase());
  if (!continues) return false;

  // A level index (0 to 4), or -1 for a capitalised heading, which has no
  // level style of its own.
  const int level = LineType::HeadingLevel(heading->lineType) - 1;
  const bool contents = IsContentsLine(heading->lineType);
  if (policy_.analysisPass) {
    if (level >= 0) {
      auto& levels = contents ? statistics_.contentsLevels : statistics_.headingLevels;
      ++levels[level].continuationCount;
    }
    return false;
  }
  if (level >= 0) {
    const auto& styles = contents ? policy_.contentsStyles : policy_.headingStyles;
    if (styles[level].numberedParagraph) return false;
  }
  heading->AppendText(" ");
  heading->AppendText(line_.View());
  line_.Clear();
  line_.lineType = LineType::kAppended;
  return true;
}

inline void LineClassifier::TestNewParagraph() {
  const int type = line_.lineType;
  const int pt = pType_;
  const std::int64_t indent = line_.indent;
  if (indent == pIndent_ || pt == LineType::kNewParagraph || paragraphOffset_ <= 0 ||
      (type != LineType::kText && type != LineType::kDefinition) || prev_ == nullptr ||
      !(pIndent_ == 0 || pIndent_ == paragraphOffset_) ||
      // A line appended to, or part of, a heading counts only where a line
      // stands above it.
      !(((pt == LineType::kAppended || pt == LineType::kHeadingPart) && PP() != nullptr) ||
        pt == LineType::kText || pt == LineType::kDefinition || pt == LineType::kBulletBlank ||
        IsNumberedHeading(pt) || IsUnderlinedHeading(pt) || IsContentsLine(pt) ||
        pt == LineType::kCapitalisedHeading || pt == LineType::kBlank) ||
      indent <= 0 || indent >= kMaxParagraphIndent) {
    return;
  }
  // The indent of the line after, which no step changes.
  if (next_ == nullptr || (next_->indent >= 0 && next_->indent < indent) ||
      (next_->indent == indent && indent == paragraphOffset_)) {
    line_.lineType = LineType::kNewParagraph;
  }
}

// Without blank lines between paragraphs, a short line after a long one
// ends a paragraph: the next line starts a new one.
inline void LineClassifier::TestShortLineEnd() {
  if (line_.lineType != LineType::kText || policy_.expectBlankLines || next_ == nullptr) return;
  const std::int64_t twoThirds = 2 * width_ / 3;
  if (line_.length < twoThirds && PLength() > twoThirds) next_->lineType = LineType::kNewParagraph;
}

inline void LineClassifier::SetFinalFlags() {
  static constexpr std::array<const char*, 5> kLinks = {
      "HREF=\"http:", "HREF=\"https:", "HREF=\"ftp:", "HREF=\"news:", "HREF=\"mailto:"};
  // Every link starts HREF=": a line without one needs no other search.
  // The link flags are read only by the writer and the line listing.
  const bool flagsRead = policy_.IsOutputPass() ||
                         (policy_.contentsPass == 0 && policy_.document.listing != nullptr);
  const bool mayLink = flagsRead && HasHref(line_.View());
  for (std::size_t i = 0; mayLink && i < kLinks.size(); ++i) {
    if (line_.FindText(kLinks[i]) == nullptr) continue;
    line_.flags |= LineFlag::kHyperlink;
    if (i < 4 && policy_.addBreakToUrlLines) line_.flags |= LineFlag::kUrlBreak;
  }

  const std::int64_t length = line_.length;
  if (length < width_ / 2 || (policy_.keepItSimple && 4 * length < 3 * width_) ||
      (policy_.shortLineLength > 0 && length <= policy_.shortLineLength)) {
    line_.flags |= LineFlag::kShortLine;
  }
  if (length > kLongestPreformattedLine || policy_.document.inHtml) ClearPreformatted(line_);

  switch (line_.lineType) {
    case LineType::kHangingParagraph:
      ClearPreformatted(line_);
      break;
    case LineType::kHangingContinuation:
    case LineType::kDefinitionContinuation:
      ClearPreformatted(line_);
      if (prev_ != nullptr) ClearPreformatted(*prev_);
      break;
    case LineType::kUnclassified:
    case LineType::kText:
    case LineType::kBlank:
    case LineType::kFormFeed:
    case LineType::kNewParagraph:
    case LineType::kSeparator:
    case LineType::kDefinition: {
      // Unless a heading test ran, the lines before are as they were at the
      // first scoring: with the line's type unchanged, so is its score.
      const int score = scored_ && line_.lineType == firstScoreType_
                            ? firstScore_
                            : ScoreWithOwnScore(ownScore_, line_, policy_, prev_);
      if ((line_.flags & LineFlag::kPreformatCandidate) || score > 0) {
        line_.flags |= LineFlag::kPreformatCandidate | LineFlag::kPreformatted;
        line_.preformatScore = score;
      }
      break;
    }
    default:
      ClearPreformatted(line_);
      break;
  }

  // A single quoted-looking line inside a paragraph is not a quotation.
  if (line_.lineType == LineType::kText && prev_ != nullptr &&
      prev_->lineType == LineType::kQuoted && PPType() == LineType::kText) {
    prev_->lineType = LineType::kText;
  }
}
