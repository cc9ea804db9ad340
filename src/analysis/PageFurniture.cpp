#include "analysis/PageFurniture.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <tuple>
#include <utility>

#include "text/ByteBlocks.h"
#include "text/CharClass.h"

namespace {

constexpr char kFormFeed = '\f';

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool EndsSentence(std::string_view text) {
  while (!text.empty() &&
         (text.back() == ')' || text.back() == ']' || text.back() == '"' || text.back() == '\'')) {
    text.remove_suffix(1);
  }
  if (text.empty()) return false;
  const char c = text.back();
  return c == '.' || c == '!' || c == '?' || c == ':';
}

// What Describe asks of a byte: a letter (hashed), a digit (left out), a
// blank (a word gap) or another character (hashed).
constexpr unsigned char kLetterByte = 1;
constexpr unsigned char kDigitByte = 2;
constexpr unsigned char kBlankByte = 4;
constexpr unsigned char kOtherByte = 8;
constexpr std::array<unsigned char, 256> kByteKinds = [] {
  std::array<unsigned char, 256> kinds{};
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    kinds[static_cast<std::size_t>(b)] = IsDigit(c)   ? kDigitByte
                                         : IsBlank(c) ? kBlankByte
                                         : IsLetter(c) ? kLetterByte
                                                       : kOtherByte;
  }
  return kinds;
}();

}  // namespace

PageFurniture::LineInfo PageFurniture::Describe(int number, std::string_view text,
                                                bool preformatted, bool heading, bool afterBlank) {
  LineInfo info{};
  info.number = number;
  const std::size_t indent = BlanksAtStart(text);
  info.length = static_cast<int>(text.size());
  info.indent = static_cast<int>(indent);
  info.firstWordLength = static_cast<int>(WordEnd(text.substr(indent)));
  info.endsSentence = EndsSentence(text);
  info.preformatted = preformatted;
  info.heading = heading;
  info.afterBlank = afterBlank;
  info.startsCapital = indent < text.size() && IsUpper(text[indent]);
  // FNV-1a over the words with digits left out and each run of blanks
  // between words made one space, hashed as they are found.
  std::uint64_t hash = 14695981039346656037ULL;
  const auto add = [&hash](char c) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  };
  bool anyWord = false;
  bool space = false;
  // The classes of the bytes seen, or-ed: one table lookup a byte.
  unsigned char seen = 0;
  const std::size_t size = text.size();
  std::size_t i = indent;
  while (i < size) {
    unsigned char kind = kByteKinds[static_cast<unsigned char>(text[i])];
    seen |= kind;
    if (kind == kDigitByte || kind == kBlankByte) {
      ++i;
      if (kind == kBlankByte) {
        space = anyWord;
        // Running headers and footers spread their words with wide gaps:
        // a run of blanks is stepped over a block at a time.
        if (i < size && IsBlank(text[i])) i += BlanksAtStart(text.substr(i));
      }
      continue;
    }
    if (space) add(' ');
    space = false;
    anyWord = true;
    // The rest of the run of hashed bytes, in a loop of its own: most bytes
    // of a line are in one.
    for (;;) {
      add(text[i]);
      if (++i == size) break;
      kind = kByteKinds[static_cast<unsigned char>(text[i])];
      if ((kind & (kLetterByte | kOtherByte)) == 0) break;
      seen |= kind;
    }
  }
  info.candidate = (seen & (kLetterByte | kDigitByte)) != 0;
  info.key = hash & ((std::uint64_t{1} << 56) - 1);
  return info;
}

void PageFurniture::Keep(const LineInfo& info) {
  if (!lines_.empty() && lines_.back().number >= info.number) return;
  lines_.push_back(info);
}

int PageFurniture::TakeRecent() {
  constexpr int kSlots = static_cast<int>(std::tuple_size_v<decltype(recent_)>);
  const int count = recentCount_;
  for (int i = count - 1; i >= 0; --i) {
    const Pending& line = recent_[static_cast<std::size_t>((newest_ - i + kSlots) % kSlots)];
    Keep(Describe(line.number, line.text, line.preformatted, line.heading, line.afterBlank));
  }
  recentCount_ = 0;
  return count;
}

std::size_t PageFurniture::PlaceOf(int line) const {
  const std::size_t size = lines_.size();
  const auto before = [&](std::size_t i) { return lines_[i].number < line; };
  // Every place below `low` is before the line, none from `high` on. The
  // steps away from the last place double until they pass the line.
  std::size_t low = 0;
  std::size_t high = size;
  const std::size_t start = std::min(lastPlace_, size);
  if (start < size && before(start)) {
    low = start + 1;
    for (std::size_t step = 1; start + step < size; step *= 2) {
      if (!before(start + step)) {
        high = start + step;
        break;
      }
      low = start + step + 1;
    }
  } else {
    high = start;
    for (std::size_t step = 1; step <= start; step *= 2) {
      if (before(start - step)) {
        low = start - step + 1;
        break;
      }
      high = start - step;
    }
  }
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (before(middle)) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  lastPlace_ = low;
  return low;
}

const PageFurniture::LineInfo* PageFurniture::Find(int line) const {
  const std::size_t at = PlaceOf(line);
  return at < lines_.size() && lines_[at].number == line ? &lines_[at] : nullptr;
}

PageFurniture::LineInfo* PageFurniture::Find(int line) {
  return const_cast<LineInfo*>(std::as_const(*this).Find(line));
}

PageFurniture::Nearby PageFurniture::Side(const Break& pageBreak, bool after) const {
  Nearby side;
  const std::size_t at = PlaceOf(pageBreak.line);
  if (after) {
    for (std::size_t i = 1; i <= pageBreak.after && at + i < lines_.size(); ++i) {
      side.lines[side.count++] = lines_[at + i].number;
    }
  } else {
    for (std::size_t i = 1; i <= pageBreak.before && i <= at; ++i) {
      side.lines[side.count++] = lines_[at - i].number;
    }
  }
  return side;
}

void PageFurniture::ObserveText(int lineNumber, std::string_view rawText, bool preformatted,
                                bool heading) {
  if (lineNumber < 1) return;
  lastLine_ = std::max(lastLine_, lineNumber);
  if (full_) return;
  const std::string_view text = TrimEnd(rawText);
  if (text.size() == 1 && text[0] == kFormFeed) {
    LineInfo formFeed{};
    formFeed.number = lineNumber;
    formFeed.formFeed = true;
    if (breaks_.size() >= kMostBreaks) {
      Keep(formFeed);
      full_ = true;
      return;
    }
    Break pageBreak;
    pageBreak.line = lineNumber;
    pageBreak.pageWidth = pageWidth_;
    pageBreak.before = static_cast<std::uint8_t>(TakeRecent());
    Keep(formFeed);
    breaks_.push_back(pageBreak);
    openBreak_ = static_cast<int>(breaks_.size()) - 1;
    pageWidth_ = 0;
    blankBefore_ = true;
    return;
  }
  // Trailing blanks are gone: only a blank line is left empty.
  if (text.empty()) {
    blankBefore_ = true;
    return;
  }
  pageWidth_ = std::max(pageWidth_, static_cast<int>(text.size()));
  if (openBreak_ >= 0) {
    std::uint8_t& after = breaks_[static_cast<std::size_t>(openBreak_)].after;
    ++after;
    Keep(Describe(lineNumber, text, preformatted, heading, blankBefore_));
    // One line beyond the longest header: the text it leads to.
    if (after > kMostLines) openBreak_ = -1;
  }
  newest_ = newest_ + 1 == static_cast<int>(recent_.size()) ? 0 : newest_ + 1;
  Pending& line = recent_[static_cast<std::size_t>(newest_)];
  line.number = lineNumber;
  line.text.assign(text);
  line.preformatted = preformatted;
  line.heading = heading;
  line.afterBlank = blankBefore_;
  recentCount_ = std::min(recentCount_ + 1, static_cast<int>(recent_.size()));
  blankBefore_ = false;
}

PageFurniture::Nearby PageFurniture::FurnitureRun(const Nearby& nearby,
                                                  const std::vector<std::uint64_t>& keys) const {
  const auto& lines = nearby.lines;
  Nearby run;
  for (std::size_t i = 0; i < nearby.count && run.count < kMostLines; ++i) {
    if (i > 0 && std::abs(lines[i] - lines[i - 1]) != 1) break;
    const LineInfo* found = Find(lines[i]);
    if (found == nullptr || !found->candidate) break;
    if (!std::binary_search(keys.begin(), keys.end(), std::uint64_t{found->key})) break;
    run.lines[run.count++] = lines[i];
  }
  // A running header of two lines or more names the part of the document
  // on a further line of its block, which changes every page or two ("OPEN
  // Call"): the block, set apart by blank lines, goes whole.
  if (run.count >= 2) {
    std::size_t block = 1;
    while (block < nearby.count && std::abs(lines[block] - lines[block - 1]) == 1) ++block;
    const bool setApart = block < nearby.count || nearby.count <= kMostLines;
    if (block <= kMostLines && setApart) {
      run = nearby;
      run.count = block;
    }
  }
  return run;
}

std::vector<std::uint64_t> PageFurniture::RepeatedKeys(bool after) const {
  // Each break's distinct keys, then counted by sorting.
  std::vector<std::uint64_t> all;
  for (const Break& pageBreak : breaks_) {
    if (pageBreak.endOfInput) continue;
    const Nearby side = Side(pageBreak, after);
    const auto& lines = side.lines;
    std::array<std::uint64_t, kMostLines> seen{};
    std::size_t seenCount = 0;
    for (std::size_t i = 0; i < side.count && i < kMostLines; ++i) {
      if (i > 0 && std::abs(lines[i] - lines[i - 1]) != 1) break;
      const LineInfo* found = Find(lines[i]);
      if (found == nullptr || !found->candidate) break;
      const std::uint64_t key = found->key;
      if (std::find(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(seenCount), key) ==
          seen.begin() + static_cast<std::ptrdiff_t>(seenCount)) {
        seen[seenCount++] = key;
        all.push_back(key);
      }
    }
  }
  std::sort(all.begin(), all.end());
  std::vector<std::uint64_t> keys;
  for (std::size_t i = 0; i < all.size();) {
    std::size_t next = i;
    while (next < all.size() && all[next] == all[i]) ++next;
    if (next - i >= static_cast<std::size_t>(kLeastRepeats)) keys.push_back(all[i]);
    i = next;
  }
  return keys;
}

int PageFurniture::NearestKept(int line, int step) const {
  const auto place = lines_.begin() + static_cast<std::ptrdiff_t>(PlaceOf(line));
  if (step < 0) {
    for (auto it = place; it != lines_.begin();) {
      --it;
      if (!it->furniture) return it->number;
    }
    return 0;
  }
  auto it = place;
  if (it != lines_.end() && it->number == line) ++it;
  for (; it != lines_.end(); ++it) {
    if (!it->furniture) return it->number;
  }
  return 0;
}

bool PageFurniture::EndsParagraph(int last, int first, int pageWidth, int gap, int usualGap) const {
  const LineInfo* beforeLine = Find(last);
  const LineInfo* afterLine = Find(first);
  if (beforeLine == nullptr || afterLine == nullptr) return false;
  const LineInfo& before = *beforeLine;
  const LineInfo& after = *afterLine;
  // A page break kept beside the stretch (an empty page) starts the text
  // after it afresh.
  if (before.formFeed || after.formFeed) return true;
  // A heading stands apart, and a table or diagram ends or starts a block.
  if (after.heading || before.preformatted != after.preformatted) return true;
  // A filled paragraph would have taken the next word onto its last line,
  // and a page ended early (more blank lines above the footer than usual)
  // was ended before a paragraph that would not fit.
  const bool fits = before.length + 1 + after.firstWordLength <= pageWidth;
  const bool early = gap > usualGap;
  if (before.endsSentence && (fits || early)) return true;
  // A block of one line (a term, a rule of a grammar) is followed by a new
  // one; a paragraph whose first line ended the page goes on in lower case.
  if (before.afterBlank && after.startsCapital) return true;
  // Text that steps back left (the next list item) starts a block of its
  // own; a table or diagram may step back and go on, though not to the
  // margin.
  return after.indent < before.indent && (!before.preformatted || after.indent == 0);
}

void PageFurniture::Finish() {
  if (!full_) {
    Break end;
    end.line = lastLine_ + 1;
    end.endOfInput = true;
    end.pageWidth = pageWidth_;
    end.before = static_cast<std::uint8_t>(TakeRecent());
    breaks_.push_back(end);
  }
  openBreak_ = -1;

  const std::vector<std::uint64_t> footers = RepeatedKeys(false);
  const std::vector<std::uint64_t> headers = RepeatedKeys(true);
  const auto mark = [this](int line) {
    if (LineInfo* info = Find(line)) info->furniture = true;
  };
  // Each carrying break with the outermost line of its footer (the break
  // itself when it has none).
  std::vector<std::pair<const Break*, int>> carrying;
  for (const Break& pageBreak : breaks_) {
    const Nearby footer = FurnitureRun(Side(pageBreak, false), footers);
    const Nearby header = FurnitureRun(Side(pageBreak, true), headers);
    if (footer.count == 0 && header.count == 0) continue;
    if (!pageBreak.endOfInput) {
      ++repeatedBreaks_;
      mark(pageBreak.line);
    }
    for (std::size_t i = 0; i < footer.count; ++i) mark(footer.lines[i]);
    for (std::size_t i = 0; i < header.count; ++i) mark(header.lines[i]);
    carrying.emplace_back(&pageBreak,
                          footer.count == 0 ? pageBreak.line : footer.lines[footer.count - 1]);
  }

  // The blank lines a page usually leaves above its footer.
  std::map<int, int> gaps;
  for (const auto& [pageBreak, pageEnd] : carrying) {
    const int last = NearestKept(pageEnd, -1);
    if (last > 0) ++gaps[pageEnd - last - 1];
  }
  int usualGap = 0;
  int usualCount = 0;
  for (const auto& [gap, count] : gaps) {
    if (count > usualCount) {
      usualGap = gap;
      usualCount = count;
    }
  }

  // Breaks next to a page of furniture alone share one stretch; the
  // nearest kept lines only move on from break to break, so the breaks
  // that share one follow each other.
  std::pair<int, int> previous{-1, -1};
  for (const auto& [pageBreak, pageEnd] : carrying) {
    const int last = NearestKept(pageBreak->line, -1);
    const int first = pageBreak->endOfInput ? 0 : NearestKept(pageBreak->line, 1);
    if (std::pair(last, first) == previous) continue;
    previous = {last, first};
    const int from = last + 1;
    const int to = first == 0 ? lastLine_ : first - 1;
    int kept = 0;
    if (last > 0 && first > 0 &&
        EndsParagraph(last, first, pageBreak->pageWidth, pageEnd - last - 1, usualGap)) {
      // The first blank line of the stretch stands for the paragraph break.
      for (int line = from; line <= to && kept == 0; ++line) {
        if (Find(line) == nullptr) kept = line;
      }
    }
    if (kept == 0) {
      dropped_.emplace_back(from, to);
    } else {
      if (kept > from) dropped_.emplace_back(from, kept - 1);
      if (kept < to) dropped_.emplace_back(kept + 1, to);
    }
  }
  std::sort(dropped_.begin(), dropped_.end());
  dropsCursor_ = 0;
  lastAsked_ = 0;
  lines_ = {};
  breaks_ = {};
}
