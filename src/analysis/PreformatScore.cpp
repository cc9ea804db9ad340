#include "analysis/PreformatScore.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"

namespace {

// Lines longer than this are prose that ran on, never a layout.
constexpr int kMaxScoredLength = 132;

bool IsPre(const SourceLine& line) {
  return LineFlag::IsPreformatted(line.flags);
}

// Below this column a line is ordinary indented text: four beyond the
// deepest indent position, or 6 without positions.
int MinimumIndent(const FC& policy) {
  const int count = std::min(policy.indentCount, FC::kMaxPositions);
  return count > 0 ? policy.indentPositions[count - 1] + 4 : 6;
}

int FirstIndentPosition(const FC& policy) {
  return policy.indentCount > 0 ? policy.indentPositions[0] : 0;
}

// The context score says the line is plain text whatever it looks like.
constexpr int kNeverPreformatted = -1;

// ContextScore after a line that is not pre-formatted, for a blank line or
// one after indented text. Kept out of line, as is the one after a
// pre-formatted line: most lines need neither, and so the common path
// stores nothing on entry.
[[gnu::noinline]] int ScoreAfterText(const SourceLine& line, const SourceLine& previous,
                                     int minIndent) {
  const SourceLine* p2 = previous.PreviousLine();
  if (p2 == nullptr) return 0;
  if (IsBlankLine(*p2) && IsBlankLine(line)) return kNeverPreformatted;
  if (IsPre(*p2) && previous.lineType == LineType::kText && previous.indent >= minIndent &&
      p2->indent >= minIndent) {
    return 3;
  }
  // The line before those two is fetched only when they qualify.
  if (p2->lineType != LineType::kText || previous.lineType != LineType::kText ||
      p2->indent < minIndent || previous.indent < minIndent) {
    return 0;
  }
  const SourceLine* p3 = p2->PreviousLine();
  return p3 != nullptr && IsPre(*p3) && p3->indent >= minIndent ? 3 : 0;
}

[[gnu::noinline]] int ScoreAfterPreformatted(const SourceLine& line, const FC& policy,
                                             const SourceLine& previous, int minIndent) {
  int c = previous.preformatScore - 2;
  const SourceLine* beforePrevious = previous.PreviousLine();
  if (previous.lineType == LineType::kHeadingPart && beforePrevious != nullptr &&
      (LineType::IsNumberedHeading(beforePrevious->lineType) ||
       LineType::IsUnderlinedHeading(beforePrevious->lineType))) {
    c = 0;
  }
  c = std::max(c, 0);
  if (line.lineType == LineType::kText) {
    if (previous.indent >= minIndent && line.indent == previous.indent &&
        line.indent > FirstIndentPosition(policy) && c < 7) {
      c = 7;
    }
  } else if (line.indent >= minIndent && c < 4) {
    c = 3;
  }
  return c;
}

// The score the lines before give; kNeverPreformatted for a blank line after
// a blank line (directly or across one line).
int ContextScore(const SourceLine& line, const FC& policy, const SourceLine& previous) {
  if (IsBlankLine(previous) && IsBlankLine(line)) return kNeverPreformatted;

  if (!IsPre(previous)) {
    // Below, a line that is not blank scores only after indented text:
    // most lines stop here, before the lines further back are fetched (and
    // before the indent limit is worked out).
    const bool blank = IsBlankLine(line);
    if (!blank && previous.lineType != LineType::kText) return 0;
    const int minIndent = MinimumIndent(policy);
    if (!blank && previous.indent < minIndent) return 0;
    return ScoreAfterText(line, previous, minIndent);
  }
  return ScoreAfterPreformatted(line, policy, previous, MinimumIndent(policy));
}

struct TextShape {
  int bars = 0;
  // Runs of blanks between characters reaching 2, 3, 4 and 5 blanks.
  int r2 = 0, r3 = 0, r4 = 0, r5 = 0;
  int longestRun = 0;
};

// What MeasureText looks at: a blank, or '|', '+', '-' and '=' (the
// characters a drawn frame or rule is made of); every other byte is 0.
constexpr unsigned char kBlankByte = 1;
constexpr unsigned char kFrameByte = 2;
constexpr std::array<unsigned char, 256> kMeasuredBytes = [] {
  std::array<unsigned char, 256> table{};
  table[' '] = kBlankByte;
  for (const unsigned char c : {'|', '+', '-', '='}) table[c] = kFrameByte;
  return table;
}();

// Sixteen bytes tested at once: compilers make one vector instruction of
// each comparison.
using ByteBlock = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kBlockSize = sizeof(ByteBlock);

// The bytes MeasureText counts among the sixteen from `p`: a '|' or '+', or
// a blank, '-' or '=' followed by the same byte (a lone one counts
// nothing). Reads seventeen bytes: the last is the follower.
ByteBlock CountedBytes(const char* p) {
  ByteBlock block;
  ByteBlock next;
  std::memcpy(&block, p, sizeof block);
  std::memcpy(&next, p + 1, sizeof next);
  // '-' (0x2D) and '=' (0x3D) are the only bytes that 0x10 added makes '='.
  const auto pairable = (block == ' ') | ((block | 0x10) == '=');
  return ((block == next) & pairable) | (block == '|') | (block == '+');
}

// CountedBytes as a mask: bit i set when byte i counts.
unsigned CountedMask(const char* p) {
  const ByteBlock counted = CountedBytes(p);
#if defined(__SSE2__)
  __m128i v;
  std::memcpy(&v, &counted, sizeof v);
  return static_cast<unsigned>(_mm_movemask_epi8(v));
#else
  unsigned mask = 0;
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    if (counted[i] != 0) mask |= 1U << i;
  }
  return mask;
#endif
}

// One pass over the line, a block at a time where a whole block and its
// follower lie in the text, visiting only the bytes that count: every line
// is scored in every pass. A run of blanks longer than `decisiveRun` decides
// the score alone: the pass ends there.
TextShape MeasureText(std::string_view text, int decisiveRun) {
  TextShape shape;
  const std::size_t size = text.size();
  std::size_t i = 0;
  // Blanks before the first character are indentation, not a run.
  while (i < size && text[i] == ' ') ++i;
  // Counts the run of blanks that starts at `at` and moves `at` past it;
  // false when the pass ends there.
  auto countRun = [&](std::size_t& at) {
    std::size_t end = at + 1;
    while (end < size && text[end] == ' ') ++end;
    // Only a run that another character ends counts: trailing blanks do not.
    if (end == size) return false;
    const int run = static_cast<int>(end - at);
    if (run >= 2) ++shape.r2;
    if (run >= 3) ++shape.r3;
    if (run >= 4) ++shape.r4;
    if (run >= 5) ++shape.r5;
    shape.longestRun = std::max(shape.longestRun, run);
    if (run > decisiveRun) return false;
    at = end;
    return true;
  };
  auto countFrame = [&](std::size_t at) {
    const char c = text[at];
    if (c == '|' || c == '+') ++shape.bars;
    if (at + 1 < size && text[at + 1] == c && c != '+') ++shape.bars;
  };
  // A block is entered at a character or at the start of a run, never
  // inside one: a run found is walked to its end, where the next block starts.
  while (i + kBlockSize < size) {
    std::size_t next = i + kBlockSize;
    for (unsigned mask = CountedMask(text.data() + i); mask != 0; mask &= mask - 1) {
      std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
      if (text[at] == ' ') {
        if (!countRun(at)) return shape;
        next = at;
        break;
      }
      countFrame(at);
    }
    i = next;
  }
  // The rest is shorter than a block and its follower: the last block of
  // the line covers it (and some bytes done already, shifted out), all but
  // the last byte, which counts only as a '|' or '+'. A lone blank, which
  // the mask leaves out, would only make the longest run 1.
  if (i < size && size > kBlockSize) {
    const std::size_t base = size - kBlockSize - 1;
    const unsigned counted = CountedMask(text.data() + base);
    for (unsigned mask = counted >> (i - base); mask != 0;) {
      std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
      if (text[at] == ' ') {
        if (!countRun(at)) return shape;
        i = at;
        mask = counted >> (i - base);
        continue;
      }
      countFrame(at);
      mask &= mask - 1;
    }
    if (text.back() == '|' || text.back() == '+') ++shape.bars;
    return shape;
  }
  while (i < size) {
    while (i < size && kMeasuredBytes[static_cast<unsigned char>(text[i])] == 0) ++i;
    if (i >= size) break;
    if (text[i] == ' ') {
      if (!countRun(i)) break;
      continue;
    }
    countFrame(i);
    ++i;
  }
  return shape;
}

// Justified text has wide gaps of its own, so with right justification only
// wider runs count.
int TextScore(const SourceLine& line, const FC& policy, bool inBlock) {
  // The longest run is tested last: beyond these it sets the score.
  const TextShape s = MeasureText(line.View(), inBlock ? 2 : 5);
  const bool justified = policy.rightJustified != 0;
  const bool wideIndent = line.indent > policy.pageWidth / 2;
  const int wideRuns = justified ? s.r5 : s.r3;
  int t = 0;
  if (!inBlock) {
    t = wideIndent ? 1 : 0;
    if (!justified) {
      if (s.r2 > 3 || s.r3 > 1) t = 3;
      if (s.r2 > 4) t = 7;
    } else {
      if (s.r4 > 2 || s.r5 > 1) t = 3;
      if (s.r5 > 4) t = 7;
    }
    if (wideRuns > 2 || s.bars > 3) t = 7;
    if (s.longestRun > 5) t = 9;
  } else {
    t = wideIndent ? 3 : 0;
    if (justified ? s.r4 > 1 : s.r2 > 2) t = 3;
    if (wideRuns > 1) t = 5;
    if (s.bars > 2) t = 6;
    if ((justified ? s.r4 > 2 : s.r2 > 3) || wideRuns > 1 || s.longestRun > 2) t = 7;
  }
  return t;
}

}  // namespace

int ScorePreformatted(const SourceLine& line, const FC& policy, const SourceLine* previous,
                      bool inBlock) {
  return ScoreWithOwnScore(OwnPreformatScore(line, policy, inBlock), line, policy, previous);
}

int OwnPreformatScore(const SourceLine& line, const FC& policy, bool inBlock) {
  if (line.length > kMaxScoredLength || LineFlag::IsUserHtml(line.flags)) return kNeverScored;
  return TextScore(line, policy, inBlock);
}

int ScoreWithOwnScore(int ownScore, const SourceLine& line, const FC& policy,
                      const SourceLine* previous) {
  if (ownScore == kNeverScored) return 0;
  const int c = previous != nullptr ? ContextScore(line, policy, *previous) : 0;
  if (c == kNeverPreformatted) return 0;
  return std::max({ownScore, c, 0});
}
