#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Running page headers and footers ("page furniture"): the lines that a
// paginated document repeats around every page break (a form-feed line),
// such as "Fielding, et al.   Standards Track   [Page 12]" and
// "RFC 2616   HTTP/1.1   June 1999". A line is furniture when the same
// words, apart from numbers and spacing, stand at the same side of at least
// three page breaks.
//
// The analysis pass hands every line to Observe as it leaves the window, in
// order; Finish then decides which lines the later passes drop: the
// furniture, the form feed between, and the blank lines around them, so that
// the text on either side joins. One blank line is kept where the page ended
// with a paragraph (see Finish). Lines are named by their pass line numbers,
// which every pass gives alike. Only lines near a form feed are kept until
// Finish, which then keeps no more than the dropped ranges. Copyable: the
// later passes get a copy.
class PageFurniture {
 public:
  // Lines of a running header or footer, counted outward from the break.
  static constexpr int kMostLines = 4;
  // Pages that must repeat a line before it counts as furniture.
  static constexpr int kLeastRepeats = 3;
  // Page breaks gathered, at most: each keeps up to eleven lines of 24 bytes
  // and a record of 12 until Finish (about 280 bytes), and a run of form
  // feeds must not grow the memory without bound: at most about 9 MB, while
  // 100 MiB of paginated text has some 30,000 pages. Pages beyond it keep
  // their furniture.
  static constexpr int kMostBreaks = 32000;

  // Takes the line numbered `lineNumber` (consecutive from 1; lines without
  // a number are ignored) as read (`rawText`, tabs expanded) and whether the
  // analysis found it pre-formatted or a heading.
  // Inline for a line read empty, as a third of the lines of most documents are.
  void Observe(int lineNumber, std::string_view rawText, bool preformatted, bool heading) {
    if (!rawText.empty() || lineNumber < 1) {
      ObserveText(lineNumber, rawText, preformatted, heading);
      return;
    }
    lastLine_ = std::max(lastLine_, lineNumber);
    if (!full_) blankBefore_ = true;
  }
  // Decides, after the last line, which lines are dropped, and forgets the
  // lines gathered.
  void Finish();

  // Page breaks that carry a repeated header or footer.
  int RepeatedBreaks() const { return repeatedBreaks_; }
  // True when the line numbered `lineNumber` goes with the furniture.
  // Inline: every line of the later passes asks.
  bool Drops(int lineNumber) const {
    // A pass asks line after line: the first range starting after the line
    // only moves on, so it is found by stepping from where the last question
    // left it. A question about an earlier line starts again from the front.
    if (lineNumber < lastAsked_) dropsCursor_ = 0;
    lastAsked_ = lineNumber;
    while (dropsCursor_ < dropped_.size() && dropped_[dropsCursor_].first <= lineNumber) {
      ++dropsCursor_;
    }
    if (dropsCursor_ == 0) return false;
    const std::pair<int, int>& range = dropped_[dropsCursor_ - 1];
    return lineNumber >= range.first && lineNumber <= range.second;
  }
  // The dropped lines as ranges of line numbers, first and last included,
  // in order.
  const std::vector<std::pair<int, int>>& DroppedRanges() const { return dropped_; }

 private:
  // What the decision needs of a non-blank line near a page break (or of
  // a form feed), packed: one is kept for every such line until Finish.
  struct LineInfo {
    // A hash of the words apart from digits and spacing (the empty words
    // for a line without a letter or digit, which never counts as
    // furniture). Two keys that differ may collide: a rare false repeat.
    std::uint64_t key : 56;
    std::uint64_t formFeed : 1;
    std::uint64_t candidate : 1;
    std::uint64_t endsSentence : 1;
    std::uint64_t preformatted : 1;
    std::uint64_t heading : 1;
    // A blank line (or the start of the page) stands just above it.
    std::uint64_t afterBlank : 1;
    std::uint64_t startsCapital : 1;
    // Goes with the furniture (set in Finish).
    std::uint64_t furniture : 1;
    int number;
    int length;
    int indent;
    int firstWordLength;
  };
  // A form feed, or the end of the input. Its nearest non-blank lines stand
  // next to it in lines_: `before` of them just before its place, `after`
  // just after.
  struct Break {
    int line = 0;
    // The longest line of the page that the break ends.
    int pageWidth = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
    bool endOfInput = false;
  };
  // Line numbers near a break on one side, nearest first.
  struct Nearby {
    std::array<int, kMostLines + 1> lines{};
    std::size_t count = 0;
  };

  // A line not yet known to stand near a form feed.
  struct Pending {
    int number = 0;
    // Its text less trailing blanks; the string is reused.
    std::string text;
    bool preformatted = false;
    bool heading = false;
    bool afterBlank = false;
  };

  // Observe for a line whose text is not empty (or that has no number).
  void ObserveText(int lineNumber, std::string_view rawText, bool preformatted, bool heading);
  static LineInfo Describe(int number, std::string_view text, bool preformatted, bool heading,
                           bool afterBlank);
  // Appends a line to lines_, which stay in line order; a line taken
  // already (or out of order) is left out.
  void Keep(const LineInfo& info);
  // Moves the recent lines into lines_; returns how many there were.
  int TakeRecent();
  // Where `line` stands or would stand in lines_: the first place whose
  // line is not before it. Searched from the place found last, since the
  // lines asked for follow each other closely.
  std::size_t PlaceOf(int line) const;
  // The line of lines_ numbered `line`, or null.
  LineInfo* Find(int line);
  const LineInfo* Find(int line) const;
  // The lines near `pageBreak` on the side before (`after` false) or after.
  Nearby Side(const Break& pageBreak, bool after) const;
  // The furniture lines of `lines` (nearest the break first): a contiguous
  // run of lines whose keys are in `keys`, at most kMostLines, or their
  // whole block (see FurnitureRun's body).
  Nearby FurnitureRun(const Nearby& lines, const std::vector<std::uint64_t>& keys) const;
  // Keys that stand in the contiguous run of lines next to at least
  // kLeastRepeats form feeds on one side of the breaks, in order.
  std::vector<std::uint64_t> RepeatedKeys(bool after) const;
  // The nearest line before (`step` -1) or after (+1) `line` that is kept
  // and not blank, or 0 when there is none.
  int NearestKept(int line, int step) const;
  // Whether the page whose last kept line is `last` ended a paragraph that
  // `first` does not continue; `gap` blank lines stood above its footer,
  // where a page usually leaves `usualGap`.
  bool EndsParagraph(int last, int first, int pageWidth, int gap, int usualGap) const;

  // Deques: they grow without copying, and give back their blocks.
  std::deque<LineInfo> lines_;
  std::deque<Break> breaks_;
  // The last non-blank lines since the last form feed: a ring whose newest
  // entry is recent_[newest_], holding recentCount_ lines.
  std::array<Pending, kMostLines + 1> recent_;
  int newest_ = 0;
  int recentCount_ = 0;
  // The break whose following lines are still being gathered, or -1.
  int openBreak_ = -1;
  int pageWidth_ = 0;
  int lastLine_ = 0;
  // The line before the one observed was blank or a form feed.
  bool blankBefore_ = true;
  // kMostBreaks were gathered: the next form feed stands as a kept line
  // that no stretch crosses, and nothing after it is gathered.
  bool full_ = false;
  std::vector<std::pair<int, int>> dropped_;
  // Where Drops stopped: the first range of dropped_ starting after
  // `lastAsked_` (a cache; Drops answers alike without it).
  mutable std::size_t dropsCursor_ = 0;
  mutable int lastAsked_ = 0;
  // The place PlaceOf found last (a cache, clamped to the size of lines_).
  mutable std::size_t lastPlace_ = 0;
  int repeatedBreaks_ = 0;
};
