#pragma once

class FC;
class SourceLine;

// What one pass does with a line when it is done with it. The three passes
// share one window loop (RunPass); each hands it its own PassWork. The
// processed-lines count of the policy record has already been advanced when
// either operation is called.
class PassWork {
 public:
  virtual ~PassWork() = default;

  // `line` leaves the window: a newer line has been read 39 lines after it.
  virtual void LineLeaving(SourceLine& line, FC& policy) = 0;
  // `line` is taken out of the window by the flush after the end of the
  // input (the last lines, the blank line and the end-of-file line).
  virtual void LineFlushed(SourceLine& line, FC& policy) = 0;
};
