#include "text/ParsedString.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/Utf8.h"

namespace {

// Tab stops further apart than this are never produced.
constexpr int kMaxTabSize = 8;

// What each byte is to the default break sets, for the search that tests
// them all in one pass.
enum BreakKind : unsigned char {
  kAfter = 1,
  kBefore = 2,
  kAfterClose = 4,
};

constexpr std::array<unsigned char, 256> kBreakKinds = [] {
  std::array<unsigned char, 256> table{};
  const auto mark = [&table](std::string_view set, unsigned char kind) {
    for (const char c : set) table[static_cast<unsigned char>(c)] |= kind;
  };
  mark(ParsedString::kBreakAfter, kAfter);
  mark(ParsedString::kBreakBefore, kBefore);
  mark(ParsedString::kBreakAfterClose, kAfterClose);
  return table;
}();

}  // namespace

ParsedString::ParsedString() {
  Reset(true);
}

ParsedString::ParsedString(ParsedString* previous) {
  Reset(true);
  if (previous != nullptr) {
    previous->next = this;
    prev = previous;
  }
}

ParsedString::~ParsedString() = default;

void ParsedString::SetBreakSets(std::string_view after, std::string_view before,
                                std::string_view afterClose) {
  breakAfter.assign(after);
  breakBefore.assign(before);
  breakAfterClose.assign(afterClose);
  breakSetsChanged_ = true;
}

void ParsedString::RestoreBreakSets() {
  breakAfter.assign(kBreakAfter);
  breakBefore.assign(kBreakBefore);
  breakAfterClose.assign(kBreakAfterClose);
  breakSetsChanged_ = false;
}

int ParsedString::MaxLength() const {
  return 1024;
}

bool ParsedString::IsComplete() const {
  return true;
}

void ParsedString::SetType(int type) {
  lineType = type;
}

void ParsedString::Classify(FC& /*policy*/, DocumentStatistics& /*statistics*/) {
  lineType = 0;
}

void ParsedString::ExpandTabs(int tabSize) {
  const std::string_view text = View();
  expandedTabs = text.find('\t') != std::string_view::npos;
  if (!expandedTabs) return;
  const int t = std::clamp(tabSize, 1, kMaxTabSize);
  // Built in the store an earlier expansion left, which the swap below keeps
  // for the next: a line with tabs costs no allocation.
  std::string& expanded = expansionStore_;
  expanded.clear();
  expanded.reserve(text.size() + static_cast<std::size_t>(kMaxTabSize) * 4);
  // The text between tabs is copied a run at a time, not byte by byte.
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t tab = std::min(text.find('\t', at), text.size());
    expanded.append(text.substr(at, tab - at));
    if (tab == text.size()) break;
    const int column = static_cast<int>(expanded.size());
    expanded.append(static_cast<std::size_t>(((t + column) / t) * t - column), ' ');
    at = tab + 1;
  }
  SwapClean(expanded);
}

void ParsedString::PrepareText(FC& /*policy*/) {}

bool ParsedString::GetSegment(int pieceWidth, int start, TextString& piece, int& nextStart) const {
  piece.Clear();
  nextStart = -1;
  const int length = Length();
  if (start < 0 || start > length) return false;
  const int w = std::max(pieceWidth, 0);
  const std::string_view text = View();
  if (length - start <= w) {
    piece.SetPart(*this, static_cast<std::size_t>(start), text.size());
    return true;
  }
  const int k = FindBreak(start, w);
  piece.SetPart(*this, static_cast<std::size_t>(start), static_cast<std::size_t>(k - start + 1));
  // A piece that reaches the end is the last: no empty piece follows it.
  nextStart = k + 1 < length ? k + 1 : -1;
  return true;
}

bool ParsedString::GetSegment(int start, TextString& piece, int& nextStart) const {
  return GetSegment(PieceWidth(), start, piece, nextStart);
}

int ParsedString::PieceWidth() const { return width; }

int ParsedString::FindBreak(int start, int pieceWidth) const {
  const int length = Length();
  if (start < 0 || start >= length) return start;
  const std::int64_t wanted = static_cast<std::int64_t>(start) + std::max(pieceWidth, 0);
  const int end = static_cast<int>(std::min<std::int64_t>(wanted, length - 1));
  const std::string_view text = View();

  // The highest index in (start, end] holding a character of `set`, else start.
  auto latest = [&](const std::string& set) {
    for (int i = end; i > start; --i) {
      if (set.find(text[static_cast<std::size_t>(i)]) != std::string::npos) return i;
    }
    return start;
  };
  int b = start;
  int c = start;
  int o = start;
  if (breakAfter == kBreakAfter && breakBefore == kBreakBefore &&
      breakAfterClose == kBreakAfterClose) {
    // The default sets, nearly always: one pass from the end finds the
    // latest of each, not a search of a set for every byte three times over.
    for (int i = end; i > start && (b == start || c == start || o == start); --i) {
      const unsigned char kind = kBreakKinds[static_cast<unsigned char>(text[static_cast<std::size_t>(i)])];
      if (b == start && (kind & kAfter) != 0) b = i;
      if (c == start && (kind & kAfterClose) != 0) c = i;
      if (o == start && (kind & kBefore) != 0) o = i;
    }
  } else {
    b = latest(breakAfter);
    c = latest(breakAfterClose);
    o = latest(breakBefore);
  }
  int k = (c > start && c > b) ? c : b;
  if (o - 1 > k && o - 1 < end) k = o - 1;
  if (k != start) return k;

  // A hard cut: the piece keeps end - start + 1 characters unless that would
  // split a multi-byte character.
  const std::size_t cut = static_cast<std::size_t>(end) + 1;
  std::size_t safe = Utf8SafeCut(text, cut);
  if (safe <= static_cast<std::size_t>(start)) safe = Utf8SafeCutForward(text, cut);
  return static_cast<int>(safe) - 1;
}
