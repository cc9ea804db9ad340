#include "driver/LineWindow.h"

#include "driver/PassWork.h"
#include "policy/FC.h"

namespace {

// A line counts once, with the furniture dropped before it.
int Processed(const SourceLine& line) { return 1 + static_cast<int>(line.droppedFurniture.size()); }

}  // namespace

LineWindow::LineWindow() { slots_[0] = std::make_unique<SourceLine>(); }

void LineWindow::Advance(PassWork& work, FC& policy) {
  if (!full_) {
    slots_[cur_ + 1] = std::make_unique<SourceLine>(slots_[cur_].get());
    ++cur_;
    full_ = cur_ == kSize - 1;
    return;
  }
  const int old = SlotAfter(cur_);
  policy.document.processedLines += Processed(*slots_[old]);
  work.LineLeaving(*slots_[old], policy);
  slots_[SlotAfter(old)]->prev = nullptr;
  // The leaving line is linked as the newest: its buffers are kept, so a
  // line costs no allocation. The read empties it (once, not here as well).
  SourceLine& reused = *slots_[old];
  reused.prev = slots_[cur_].get();
  reused.next = nullptr;
  slots_[cur_]->next = &reused;
  cur_ = old;
}

void LineWindow::Flush(PassWork& work, FC& policy) {
  const int first = full_ ? SlotAfter(cur_) : 0;
  for (int slot = first; slot != cur_; slot = SlotAfter(slot)) {
    policy.document.processedLines += Processed(*slots_[slot]);
    work.LineFlushed(*slots_[slot], policy);
  }
  // Lines are unlinked before deletion so that no destructor sees a freed
  // neighbour.
  for (std::unique_ptr<SourceLine>& line : slots_) {
    if (line) {
      line->prev = nullptr;
      line->next = nullptr;
    }
  }
  for (std::unique_ptr<SourceLine>& line : slots_) line.reset();
}
