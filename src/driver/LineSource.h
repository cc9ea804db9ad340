#pragma once

class FC;
class SourceLine;

// Where a pass reads its source lines from: the document read through the
// preprocessor (ProcessedLineSource), or lines a test supplies.
class LineSource {
 public:
  virtual ~LineSource() = default;

  // Reads the next line into `line` (linked after the line before, and
  // possibly holding a line that left the window: the source empties it with
  // Reset(false) and clears its sourceText) and prepares it. Returns false at
  // the end of the input, leaving `line` empty.
  virtual bool ReadLine(SourceLine& line, FC& policy) = 0;
};
