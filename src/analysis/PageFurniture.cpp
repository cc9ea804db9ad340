#include "analysis/PageFurniture.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

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

}  // namespace

PageFurniture::LineInfo PageFurniture::Describe(std::string_view text, bool preformatted,
                                                bool heading, bool afterBlank) {
  LineInfo info;
  std::size_t indent = 0;
  while (indent < text.size() && IsBlank(text[indent])) ++indent;
  info.length = static_cast<int>(text.size());
  info.indent = static_cast<int>(indent);
  std::size_t word = indent;
  while (word < text.size() && !IsBlank(text[word])) ++word;
  info.firstWordLength = static_cast<int>(word - indent);
  info.endsSentence = EndsSentence(text);
  info.preformatted = preformatted;
  info.heading = heading;
  info.afterBlank = afterBlank;
  info.startsCapital = indent < text.size() && IsUpper(text[indent]);
  for (std::size_t i = indent; i < text.size(); ++i) {
    const char c = text[i];
    if (IsAlphanumeric(c)) info.candidate = true;
    if (IsDigit(c)) continue;
    if (IsBlank(c)) {
      if (!info.key.empty() && info.key.back() != ' ') info.key += ' ';
      continue;
    }
    info.key += c;
  }
  if (!info.key.empty() && info.key.back() == ' ') info.key.pop_back();
  return info;
}

void PageFurniture::TakeRecent(std::vector<int>& before) {
  constexpr int kSlots = static_cast<int>(std::tuple_size_v<decltype(recent_)>);
  for (int i = 0; i < recentCount_; ++i) {
    const Pending& line = recent_[static_cast<std::size_t>((newest_ - i + kSlots) % kSlots)];
    before.push_back(line.number);
    lines_.emplace(line.number,
                   Describe(line.text, line.preformatted, line.heading, line.afterBlank));
  }
  recentCount_ = 0;
}

void PageFurniture::Observe(int lineNumber, std::string_view rawText, bool preformatted,
                            bool heading) {
  if (lineNumber < 1) return;
  lastLine_ = std::max(lastLine_, lineNumber);
  if (full_) return;
  const std::string_view text = TrimEnd(rawText);
  if (text.size() == 1 && text[0] == kFormFeed) {
    LineInfo formFeed;
    formFeed.formFeed = true;
    lines_.emplace(lineNumber, std::move(formFeed));
    if (breaks_.size() >= kMostBreaks) {
      full_ = true;
      return;
    }
    Break pageBreak;
    pageBreak.line = lineNumber;
    pageBreak.pageWidth = pageWidth_;
    TakeRecent(pageBreak.before);
    breaks_.push_back(std::move(pageBreak));
    openBreak_ = static_cast<int>(breaks_.size()) - 1;
    pageWidth_ = 0;
    blankBefore_ = true;
    return;
  }
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    blankBefore_ = true;
    return;
  }
  pageWidth_ = std::max(pageWidth_, static_cast<int>(text.size()));
  if (openBreak_ >= 0) {
    std::vector<int>& after = breaks_[static_cast<std::size_t>(openBreak_)].after;
    after.push_back(lineNumber);
    lines_.emplace(lineNumber, Describe(text, preformatted, heading, blankBefore_));
    // One line beyond the longest header: the text it leads to.
    if (after.size() > kMostLines) openBreak_ = -1;
  }
  newest_ = (newest_ + 1) % static_cast<int>(recent_.size());
  Pending& line = recent_[static_cast<std::size_t>(newest_)];
  line.number = lineNumber;
  line.text.assign(text);
  line.preformatted = preformatted;
  line.heading = heading;
  line.afterBlank = blankBefore_;
  recentCount_ = std::min(recentCount_ + 1, static_cast<int>(recent_.size()));
  blankBefore_ = false;
}

std::vector<int> PageFurniture::FurnitureRun(const std::vector<int>& lines,
                                             const std::set<std::string>& keys) const {
  std::vector<int> run;
  for (std::size_t i = 0; i < lines.size() && run.size() < kMostLines; ++i) {
    if (i > 0 && std::abs(lines[i] - lines[i - 1]) != 1) break;
    const auto found = lines_.find(lines[i]);
    if (found == lines_.end() || !found->second.candidate) break;
    if (keys.count(found->second.key) == 0) break;
    run.push_back(lines[i]);
  }
  // A running header of two lines or more names the part of the document
  // on a further line of its block, which changes every page or two ("OPEN
  // Call"): the block, set apart by blank lines, goes whole.
  if (run.size() >= 2) {
    std::size_t block = 1;
    while (block < lines.size() && std::abs(lines[block] - lines[block - 1]) == 1) ++block;
    const bool setApart = block < lines.size() || lines.size() <= kMostLines;
    if (block <= kMostLines && setApart) run.assign(lines.begin(), lines.begin() + block);
  }
  return run;
}

std::set<std::string> PageFurniture::RepeatedKeys(std::vector<int> Break::*side) const {
  std::map<std::string, int> counts;
  for (const Break& pageBreak : breaks_) {
    if (pageBreak.endOfInput) continue;
    const std::vector<int>& lines = pageBreak.*side;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < lines.size() && i < kMostLines; ++i) {
      if (i > 0 && std::abs(lines[i] - lines[i - 1]) != 1) break;
      const auto found = lines_.find(lines[i]);
      if (found == lines_.end() || !found->second.candidate) break;
      seen.insert(found->second.key);
    }
    for (const std::string& key : seen) ++counts[key];
  }
  std::set<std::string> keys;
  for (const auto& [key, count] : counts) {
    if (count >= kLeastRepeats) keys.insert(key);
  }
  return keys;
}

int PageFurniture::NearestKept(int line, int step) const {
  if (step < 0) {
    for (auto it = lines_.lower_bound(line); it != lines_.begin();) {
      --it;
      if (furniture_.count(it->first) == 0) return it->first;
    }
    return 0;
  }
  for (auto it = lines_.upper_bound(line); it != lines_.end(); ++it) {
    if (furniture_.count(it->first) == 0) return it->first;
  }
  return 0;
}

bool PageFurniture::EndsParagraph(int last, int first, int pageWidth, int gap, int usualGap) const {
  const LineInfo& before = lines_.at(last);
  const LineInfo& after = lines_.at(first);
  if (before.formFeed || after.formFeed) return false;
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
    TakeRecent(end.before);
    breaks_.push_back(std::move(end));
  }
  openBreak_ = -1;

  const std::set<std::string> footers = RepeatedKeys(&Break::before);
  const std::set<std::string> headers = RepeatedKeys(&Break::after);
  // Each carrying break with the outermost line of its footer (the break
  // itself when it has none).
  std::vector<std::pair<const Break*, int>> carrying;
  for (const Break& pageBreak : breaks_) {
    const std::vector<int> footer = FurnitureRun(pageBreak.before, footers);
    const std::vector<int> header = FurnitureRun(pageBreak.after, headers);
    if (footer.empty() && header.empty()) continue;
    if (!pageBreak.endOfInput) {
      ++repeatedBreaks_;
      furniture_.insert(pageBreak.line);
    }
    furniture_.insert(footer.begin(), footer.end());
    furniture_.insert(header.begin(), header.end());
    carrying.emplace_back(&pageBreak, footer.empty() ? pageBreak.line : footer.back());
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

  // Breaks next to a page of furniture alone share one stretch.
  std::set<std::pair<int, int>> stretches;
  for (const auto& [pageBreak, pageEnd] : carrying) {
    const int last = NearestKept(pageBreak->line, -1);
    const int first = pageBreak->endOfInput ? 0 : NearestKept(pageBreak->line, 1);
    if (!stretches.insert({last, first}).second) continue;
    const int from = last + 1;
    const int to = first == 0 ? lastLine_ : first - 1;
    int kept = 0;
    if (last > 0 && first > 0 &&
        EndsParagraph(last, first, pageBreak->pageWidth, pageEnd - last - 1, usualGap)) {
      // The first blank line of the stretch stands for the paragraph break.
      for (int line = from; line <= to && kept == 0; ++line) {
        if (lines_.count(line) == 0) kept = line;
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
  lines_.clear();
  breaks_.clear();
  furniture_.clear();
}

bool PageFurniture::Drops(int lineNumber) const {
  auto it = std::upper_bound(
      dropped_.begin(), dropped_.end(), lineNumber,
      [](int line, const std::pair<int, int>& range) { return line < range.first; });
  if (it == dropped_.begin()) return false;
  --it;
  return lineNumber >= it->first && lineNumber <= it->second;
}
