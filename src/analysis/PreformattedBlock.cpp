#include "analysis/PreformattedBlock.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdlib>
#include <string>

#include "analysis/CodeTests.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "policy/TableConfig.h"
#include "text/ByteBlocks.h"
#include "text/CharClass.h"
#include "text/Utf8.h"

namespace {

// Regions shorter than this are judged with the looser limits of a small
// sample: a wider column separation and a lower gap ratio.
constexpr int kShortRegion = 6;
constexpr int kShortSeparation = 2;
// Doubling the separation stops above this: wider gaps than 7 columns are
// no evidence of a different table.
constexpr int kWidestSeparation = 7;

constexpr bool IsRuleChar(char c) {
  return c == '+' || c == '-' || c == '=' || c == '_' || c == '~';
}

// A character on a column boundary that keeps the cells apart.
constexpr bool IsBoundaryChar(char c) {
  return c == ' ' || c == '-' || c == '+' || c == '*' || c == '|';
}

double Ratio(int count, int total) {
  return total > 0 ? static_cast<double>(count) / total : 0.0;
}

std::string_view TrimBlanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The cell text without its '|' frames and surrounding blanks.
std::string_view StripFrames(std::string_view s) {
  for (;;) {
    const std::string_view t = TrimBlanks(s);
    std::string_view u = t;
    while (!u.empty() && u.front() == '|') u.remove_prefix(1);
    while (!u.empty() && u.back() == '|') u.remove_suffix(1);
    if (u.size() == t.size()) return t;
    s = u;
  }
}

// At least a fifth of the characters are letters or digits; the count
// stops once that many are found.
bool IsTextCell(std::string_view text) {
  const std::size_t needed = (text.size() + 4) / 5;
  std::size_t letters = 0;
  for (std::size_t i = 0; letters < needed && i < text.size(); ++i) {
    if (IsAlphanumeric(text[i])) ++letters;
  }
  return letters >= needed;
}

// `raw` with one byte per screen column: every character of several bytes
// becomes one 'x', or two for a wide one. Empty for all-ASCII text.
std::string ColumnLayout(std::string_view raw) {
  if (IsAscii(raw)) return {};
  std::string layout;
  for (std::size_t at = 0; at < raw.size();) {
    if (static_cast<unsigned char>(raw[at]) < 0x80) {
      layout += raw[at++];
      continue;
    }
    std::size_t step = 1;
    while (step < 4 && at + step < raw.size() && IsUtf8Continuation(raw[at + step])) ++step;
    layout.append(static_cast<std::size_t>(Utf8Columns(raw.substr(at, step))), 'x');
    at += step;
  }
  return layout;
}

}  // namespace

std::string_view PreformattedBlock::ColumnView(const Line& line) {
  return line.columns.IsEmpty() ? line.raw.View() : line.columns.View();
}

std::string_view PreformattedBlock::LayoutCut(const Line& line, int from, int to) {
  const std::string_view view = ColumnView(line);
  const int size = static_cast<int>(view.size());
  if (from >= size) return {};
  to = std::min(to, size);
  return view.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

std::string_view PreformattedBlock::CutColumns(const Line& line, int from, int to) {
  if (line.columns.IsEmpty()) return LayoutCut(line, from, to);
  const std::string_view raw = line.raw.View();
  const std::size_t begin = Utf8ByteAtColumn(raw, from);
  const std::size_t end = std::max(begin, Utf8ByteAtColumn(raw, to));
  return raw.substr(begin, end - begin);
}

void PreformattedBlock::Clear() {
  std::vector<Line> kept = std::move(lines_);
  *this = PreformattedBlock();
  lines_ = std::move(kept);
}

void PreformattedBlock::AddLine(const SourceLine& line) {
  // Room for a few lines at once: most blocks are short, and each growth
  // would move every line kept so far.
  if (lines_.empty()) lines_.reserve(kFirstLines);
  // Filled in place: no line is built to be moved, and a record kept from
  // an earlier region lends its store.
  if (count_ == lines_.size()) lines_.emplace_back();
  Line& copy = lines_[count_++];
  copy.columns.Clear();
  copy.blank = false;
  copy.rule = false;
  copy.escaped = line.escapedText;
  copy.raw = line.rawText;
  copy.indent = line.indent;
  copy.lineType = line.lineType;
  copy.flags = line.flags;
  copy.sourceLineNumber = line.sourceLineNumber;
  measured_ = false;
}

void PreformattedBlock::SetUserKinds(bool pre, bool table, bool code, bool diagram) {
  userPre_ = pre;
  userTable_ = table;
  userCode_ = code;
  userDiagram_ = diagram;
}

void PreformattedBlock::Measure() {
  if (measured_) return;
  measured_ = true;
  int smallest = INT_MAX;
  for (const Line& line : Lines()) {
    const std::string_view raw = line.raw.View();
    const std::size_t first = raw.find_first_not_of(' ');
    if (first != std::string_view::npos) smallest = std::min(smallest, static_cast<int>(first));
  }
  smallestIndent_ = smallest == INT_MAX ? 0 : smallest;

  blankLines_ = ruleLines_ = width_ = 0;
  firstRule_ = secondRule_ = lastRule_ = -1;
  for (int i = 0; i < LineCount(); ++i) {
    Line& line = lines_[static_cast<std::size_t>(i)];
    const std::size_t last = line.raw.View().find_last_not_of(' ');
    const std::size_t end = last == std::string_view::npos ? 0 : last + 1;
    const std::size_t start = std::min(end, static_cast<std::size_t>(smallestIndent_));
    // Cut in place: no copy of the line is made.
    line.raw.SetPart(line.raw, start, end - start);
    // Most lines are ASCII: an empty layout replaces none.
    if (utf8_ && (!line.columns.IsEmpty() || !IsAscii(line.raw.View()))) {
      line.columns.SetText(ColumnLayout(line.raw.View()));
    }
    const std::string_view raw = ColumnView(line);
    line.blank = raw.empty();
    // A rule is drawn characters and blanks but for less than 5% of others:
    // a line of blanks and one letter is no rule, however long it is. The
    // count stops at the others that decide: a line of text, at once.
    const long size = static_cast<long>(raw.size());
    long drawn = 0;
    long others = 0;
    for (const char c : raw) {
      if (IsRuleChar(c)) {
        ++drawn;
      } else if (c != ' ' && ++others * 100 >= 5 * size) {
        break;
      }
    }
    line.rule = !line.blank && drawn > 0 && others * 100 < 5 * size;
    if (line.blank) ++blankLines_;
    if (line.rule) {
      if (firstRule_ < 0) {
        firstRule_ = i;
      } else if (secondRule_ < 0) {
        secondRule_ = i;
      }
      lastRule_ = i;
      ++ruleLines_;
    }
    width_ = std::max(width_, static_cast<int>(raw.size()));
  }
}

int PreformattedBlock::CodeLines() const {
  return static_cast<int>(std::ranges::count_if(Lines(), [](const Line& line) {
    return !line.blank && LooksLikeCode(line.escaped.View(), true);
  }));
}

void PreformattedBlock::ParseTable(const TableConfig& config, FC& policy) {
  const bool utf8 = policy.owner != nullptr && policy.owner->utf8Text != 0;
  if (utf8 != utf8_) measured_ = false;
  utf8_ = utf8;
  Measure();
  tableLike_ = autoDiagram_ = autoCode_ = sparse_ = false;
  columns_.assign(1, Column{std::max(width_ - 1, 0)});
  if (userPre_ || userCode_ || userDiagram_) return;

  sparse_ = Ratio(blankLines_, LineCount()) > 0.15 && blankLines_ > 2;
  // Only blank and rule lines: nothing to put in cells.
  if (TextLines() <= 0) {
    tableLike_ = userTable_;
    return;
  }
  if (!userTable_ && policy.expectCodeSamples != 0 && Ratio(CodeLines(), TextLines()) > 0.7) {
    policy.Message("Code sample detected", 4);
    autoCode_ = true;
    return;
  }

  const std::size_t width = static_cast<std::size_t>(width_);
  reach_.assign(width, 0);
  spaces_.assign(width, 0);
  bars_.assign(width, 0);
  // A line reaches every position below its length: the lines ending at
  // each position are counted, and the reach follows from them afterwards.
  std::vector<int> ends(width + 1, 0);
#if defined(__SSE2__)
  // The blanks and bars of sixteen positions are counted at once, in a byte
  // per position, and added to the counts before a byte could overflow.
  constexpr int kLinesPerByte = 255;
  const std::size_t counters = (width + 15) / 16 * 16;
  std::vector<unsigned char> spaceBytes(counters, 0);
  std::vector<unsigned char> barBytes(counters, 0);
  const auto addBytes = [&] {
    for (std::size_t p = 0; p < width; ++p) {
      spaces_[p] += spaceBytes[p];
      bars_[p] += barBytes[p];
    }
    std::fill(spaceBytes.begin(), spaceBytes.end(), 0);
    std::fill(barBytes.begin(), barBytes.end(), 0);
  };
  int counted = 0;
#endif
  for (const Line& line : Lines()) {
    const std::string_view raw = ColumnView(line);
    ++ends[raw.size()];
    std::size_t p = 0;
#if defined(__SSE2__)
    // A match is all ones, minus one: subtracting it adds one.
    for (; p + 16 <= raw.size(); p += 16) {
      const __m128i block = LoadSixteenBytes(raw.data() + p);
      auto* spaces = reinterpret_cast<__m128i*>(spaceBytes.data() + p);
      auto* bars = reinterpret_cast<__m128i*>(barBytes.data() + p);
      _mm_storeu_si128(
          spaces, _mm_sub_epi8(_mm_loadu_si128(spaces), _mm_cmpeq_epi8(block, _mm_set1_epi8(' '))));
      _mm_storeu_si128(bars, _mm_sub_epi8(_mm_loadu_si128(bars),
                                          _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('|')),
                                                       _mm_cmpeq_epi8(block, _mm_set1_epi8('*')))));
    }
    if (++counted == kLinesPerByte) {
      addBytes();
      counted = 0;
    }
#endif
    for (; p < raw.size(); ++p) {
      const char c = raw[p];
      if (c == ' ') {
        ++spaces_[p];
      } else if (c == '|' || c == '*') {
        ++bars_[p];
      }
    }
  }
#if defined(__SSE2__)
  addBytes();
#endif
  int reaching = LineCount();
  for (std::size_t p = 0; p < width; ++p) {
    reaching -= ends[p];
    reach_[p] = reaching;
  }

  // A zero or negative separation would find a column at every position.
  int separation = std::max(config.minColumnSeparation, 1);
  if (LineCount() < kShortRegion) separation = std::max(separation, kShortSeparation);
  const bool sparseSearch = config.sparseTables != 0;
  for (;;) {
    FindColumns(separation, sparseSearch, policy);
    tableLike_ = true;
    int merges = 0;
    AnalyseColumns();
    for (int kind = MergeColumns(sparseSearch); kind != 0; kind = MergeColumns(sparseSearch)) {
      merges = kind == 1 ? merges + 1 : 0;
      AnalyseColumns();
    }
    if (!userTable_) {
      if (columns_.size() == 1) tableLike_ = false;
      int textWidth = 0;
      for (std::size_t c = 0; c < columns_.size(); ++c) {
        const int from = c == 0 ? 0 : columns_[c - 1].end;
        const int to = c + 1 == columns_.size() ? width_ : columns_[c].end;
        if (columns_[c].text) textWidth += to - from;
      }
      if (4 * textWidth < width_) {
        policy.Message("Diagram detected", 4);
        autoDiagram_ = true;
        tableLike_ = false;
      } else if (tableLike_ && IsMalformed()) {
        policy.Message("Mal-formed table", 7);
        autoDiagram_ = true;
        tableLike_ = false;
      }
    }
    if (merges == 0 || !tableLike_) break;
    separation *= 2;
    if (separation > kWidestSeparation) break;
  }
  // The loop leaves only after an analysis of the columns as they stand:
  // their alignments and widths are known.
}

void PreformattedBlock::FindColumns(int separation, bool sparseSearch, FC& policy) {
  const int textLines = TextLines();
  const double needed = LineCount() < kShortRegion ? 0.5 : LineCount() < 100 ? 0.8 : 0.9;
  auto gap = [&](int p) {
    if (p < 0 || p >= width_) return false;
    const std::size_t i = static_cast<std::size_t>(p);
    const bool spaceMode = spaces_[i] > reach_[i] - spaces_[i];
    const bool barMode = bars_[i] > reach_[i] - bars_[i];
    if (!sparseSearch) return spaceMode || barMode;
    const int count = (spaceMode ? spaces_[i] : 0) + (barMode ? bars_[i] : 0);
    return Ratio(count, textLines) > needed;
  };
  auto score = [&](int p) {
    const std::size_t i = static_cast<std::size_t>(p);
    return std::max(spaces_[i], reach_[i] - spaces_[i]);
  };

  columns_.clear();
  bool capped = false;
  int runStart = -1;
  int best = -1;
  for (int p = 1; p <= width_ - separation - 1; ++p) {
    if (!gap(p)) {
      runStart = -1;
      continue;
    }
    if (runStart < 0) {
      runStart = p;
      best = p;
    } else if (score(p) >= score(best)) {
      best = p;
    }
    if (gap(p + 1)) continue;
    const bool wide = p - runStart + 1 >= separation;
    runStart = -1;
    if (!wide || Ratio(score(best), reach_[static_cast<std::size_t>(best)]) <= 0.6) continue;
    if (static_cast<int>(columns_.size()) + 1 >= kMaxColumns) {
      capped = true;
      break;
    }
    columns_.push_back(Column{best});
  }
  columns_.push_back(Column{std::max(width_ - 1, 0)});
  if (capped) {
    TextString message("Line ");
    message.AppendNumber(Lines().front().sourceLineNumber, false);
    message.AppendText(" - More than ");
    message.AppendNumber(kMaxColumns, false);
    message.AppendText(" table columns: the rest are kept in the last one");
    policy.Message(message, 5);
  }
}

void PreformattedBlock::CutRanges(std::string_view raw, std::vector<CellRange>& ranges) const {
  ranges.clear();
  // At most one range a column: the store grows once, not cell by cell.
  ranges.reserve(columns_.size());
  const int count = static_cast<int>(columns_.size());
  const int length = static_cast<int>(raw.size());
  int column = 0;
  int from = 0;
  while (column < count) {
    const int first = column;
    while (column < count - 1 && columns_[static_cast<std::size_t>(column)].end < length &&
           !IsBoundaryChar(
               raw[static_cast<std::size_t>(columns_[static_cast<std::size_t>(column)].end)])) {
      ++column;
    }
    const int end = columns_[static_cast<std::size_t>(column)].end;
    const int to = column == count - 1 ? std::max(width_, from) : end;
    ranges.push_back(CellRange{first, column, from, to});
    // A sign or frame corner on the boundary starts the cell on its right.
    from = end + 1;
    if (end < length && raw[static_cast<std::size_t>(end)] != ' ' &&
        raw[static_cast<std::size_t>(end)] != '|') {
      from = end;
    }
    ++column;
  }
}

void PreformattedBlock::SplitCells(int index, std::vector<Cell>& cells) const {
  cells.clear();
  const Line& line = LineAt(index);
  std::vector<CellRange> ranges;
  CutRanges(ColumnView(line), ranges);
  for (const CellRange& range : ranges) {
    Cell cell;
    cell.column = range.first;
    cell.span = range.last - range.first + 1;
    const std::string_view cut = CutColumns(line, range.from, range.to);
    cell.text.SetText(StripFrames(cut));
    cell.alignment = CellAlignment(LayoutCut(line, range.from, range.to), range.to - range.from);
    cells.push_back(std::move(cell));
  }
}

int PreformattedBlock::CellAlignment(std::string_view text, int width) {
  // The part beyond the end of the line counts as trailing blanks; '|'
  // frames at either end are no blanks.
  const long shortfall = std::max(0L, static_cast<long>(width) - static_cast<long>(text.size()));
  while (!text.empty() && text.front() == '|') text.remove_prefix(1);
  while (!text.empty() && text.back() == '|') text.remove_suffix(1);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return kLeft;
  const std::size_t last = text.find_last_not_of(' ');
  const std::string_view body = text.substr(first, last - first + 1);
  const long lead = static_cast<long>(first);
  const long trail = static_cast<long>(text.size() - 1 - last) + shortfall;
  if (body.find_first_not_of("0123456789%:,.*") == std::string_view::npos) return kRight;
  if (lead == 0) return kLeft;
  if (trail == 0 && lead > 1) return kRight;
  if (std::labs(lead - trail) < 2 && lead > 1) return kCentre;
  if (lead <= trail || lead < 2) return kLeft;
  return kRight;
}

void PreformattedBlock::AnalyseColumns() {
  const std::size_t count = columns_.size();
  // What the lines show of each column, counted in one record per column.
  struct Tally {
    int starts = 0;
    int single = 0;
    int empty = 0;
    int text = 0;
    std::array<int, 3> aligned{};
  };
  std::vector<Tally> tallies(count);
  spanningCells_ = spanningTotal_ = 0;
  firstSpannedPair_.assign(count_, -1);
  std::vector<CellRange>& ranges = ranges_;
  for (std::size_t i = 0; i < count_; ++i) {
    // Rule lines count in a single column, with cells that are never text: a
    // column of boxes drawn between rules (a packet header) is a drawing,
    // however wordy its boxes. Between several columns they are frames.
    const Line& line = lines_[i];
    const bool textLine = !line.blank && !line.rule;
    if (!textLine && !(line.rule && count == 1)) continue;
    CutRanges(ColumnView(line), ranges);
    for (const CellRange& range : ranges) {
      const std::size_t c = static_cast<std::size_t>(range.first);
      const int span = range.last - range.first + 1;
      // Measured on the columns: a character counts once however it is coded.
      const std::string_view cut = LayoutCut(line, range.from, range.to);
      const std::string_view cellText = StripFrames(cut);
      Tally& tally = tallies[c];
      ++tally.starts;
      if (span == 1) ++tally.single;
      if (cellText.empty()) ++tally.empty;
      if (textLine && IsTextCell(cellText)) ++tally.text;
      if (textLine && span > 1) {
        ++spanningCells_;
        spanningTotal_ += span - 1;
        if (firstSpannedPair_[i] < 0 && range.first + 2 < static_cast<int>(count)) {
          firstSpannedPair_[i] = range.first;
        }
      }
      if (textLine && span == 1 && !cellText.empty()) {
        ++tally.aligned[static_cast<std::size_t>(CellAlignment(cut, range.to - range.from))];
      }
    }
  }
  for (std::size_t c = 0; c < count; ++c) {
    Column& column = columns_[c];
    const Tally& tally = tallies[c];
    const int n = tally.starts;
    column.spansRight = c + 1 < count && n > 0 && tally.single * 5 < n * 4;
    column.mostlyEmpty = n > 0 && tally.empty * 4 > n * 3;
    column.text = !column.mostlyEmpty && n > 0 && tally.text * 5 >= n * 4;
    const std::array<int, 3>& a = tally.aligned;
    // Ties go to the left, then to the right: centring needs a clear case.
    column.alignment = kLeft;
    if (a[kRight] > a[kLeft]) column.alignment = kRight;
    if (a[kCentre] > a[kLeft] && a[kCentre] > a[kRight]) column.alignment = kCentre;
  }
}

int PreformattedBlock::MergeColumns(bool sparseSearch) {
  const int count = static_cast<int>(columns_.size());
  if (count < 2) return 0;
  if (!sparseSearch && columns_.back().mostlyEmpty) {
    MergeAt(count - 2);
    return 1;
  }
  bool merged = false;
  for (int c = count - 2; c >= 0; --c) {
    if (columns_[static_cast<std::size_t>(c)].spansRight) {
      MergeAt(c);
      merged = true;
    }
  }
  if (merged) return 1;
  if (!sparseSearch) {
    for (int c = 1; c <= count - 3; ++c) {
      if (columns_[static_cast<std::size_t>(c)].mostlyEmpty) {
        MergeAt(c - 1);
        return 2;
      }
    }
  }
  if (sparse_) {
    for (std::size_t i = 0; i < count_; ++i) {
      if (firstSpannedPair_[i] < 0) continue;
      const bool before = i > 0 && !lines_[i - 1].blank;
      const bool after = i + 1 < count_ && !lines_[i + 1].blank;
      if (before || after) {
        MergeAt(firstSpannedPair_[i]);
        return 2;
      }
    }
  }
  return 0;
}

void PreformattedBlock::MergeAt(int boundary) {
  columns_.erase(columns_.begin() + boundary);
}

bool PreformattedBlock::IsMalformed() const {
  const int n = TextLines();
  const double a = Ratio(spanningTotal_, n);
  const double b = Ratio(spanningCells_, n);
  if (n < 5) return a > 1.5 && b > 0.67;
  if (n < 10) return a > 0.7 && b > 0.5;
  return a > 0.5 && b > 0.25;
}
