#pragma once

#include <array>
#include <memory>

#include "analysis/SourceLine.h"

class FC;
class PassWork;

// The 40 source lines a pass holds in memory. The newest line is the one
// being read; a line is classified when its successor has been read, and it
// leaves the window, to be counted, listed or written by the pass's work, 39
// lines after it was read. So the analysis always sees up to 38 earlier lines
// and the next one.
//
// The window owns its lines. Each line is constructed after the one before it
// (so `prev` and `next` link them); once the window is full, the line that
// leaves becomes the newest, still holding its old content until whoever
// fills it empties it, and the line after it then has no predecessor.
class LineWindow {
 public:
  // Slots in the ring of lines.
  static constexpr int kSize = 40;

  // Slot 0 holds a new empty line; the other slots are empty.
  LineWindow();
  LineWindow(const LineWindow&) = delete;
  LineWindow& operator=(const LineWindow&) = delete;

  // The newest line: the one the next read goes into. Inline: both run
  // several times for every line.
  SourceLine& Newest() { return *slots_[cur_]; }
  // The line before the newest one, or null before the first move.
  SourceLine* BeforeNewest() { return slots_[SlotBefore(cur_)].get(); }

  // Moves on by one line. While the window fills, a new line is added after
  // the newest one. Once it is full, the oldest line leaves first: the
  // processed-lines count of `policy` goes up by one (and by the furniture
  // dropped before the line), work.LineLeaving is called and the line
  // becomes the new one, not emptied (SourceLine::Reset does that).
  void Advance(PassWork& work, FC& policy);
  // Hands every line but the newest (which the failed last read left empty)
  // to work.LineFlushed, oldest first, each after advancing the
  // processed-lines count, then deletes every line.
  void Flush(PassWork& work, FC& policy);

 private:
  // Steps round the ring without a division: they run for every line.
  int SlotBefore(int slot) const { return slot == 0 ? kSize - 1 : slot - 1; }
  int SlotAfter(int slot) const { return slot == kSize - 1 ? 0 : slot + 1; }

  std::array<std::unique_ptr<SourceLine>, kSize> slots_;
  int cur_ = 0;
  bool full_ = false;
};
