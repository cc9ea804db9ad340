#pragma once

#include <cstdio>
#include <memory>
#include <vector>

class SourceLine;

// A run of pre-formatted source lines, collected by the body writer while
// the run lasts and written as one unit when it ends.
//
// The block holds its own deep copies of the lines: the line window deletes
// the originals long before the run ends. The copies are linked only to each
// other (the first has no `prev`, the last no `next`) and carry no
// annotation. The block owns them.
class CollectedBlock {
 public:
  CollectedBlock() = default;
  CollectedBlock(const CollectedBlock&) = delete;
  CollectedBlock& operator=(const CollectedBlock&) = delete;
  ~CollectedBlock();

  // Appends a copy of `line` (text, copies, type, flags, columns, section
  // number, line number) linked after the previous copy.
  void AddLine(const SourceLine& line);
  int LineCount() const { return static_cast<int>(lines_.size()); }
  // The copy at 0-based `index`, or null outside 0 to LineCount() - 1.
  const SourceLine* Line(int index) const;

  // Which user-specified kinds the block has, taken from its last line when
  // the block ends.
  void SetUserKinds(bool pre, bool table, bool code, bool diagram);
  bool IsUserSpecified() const { return userPre_ || userTable_ || userCode_ || userDiagram_; }

  // Writes the block as pre-formatted text: an opening comment naming the
  // kind ("<!-- User-specified CODE sample -->", "<!-- User-specified
  // DIAGRAM -->", "<!-- User-specified pre-formatted text -->", otherwise
  // "<!-- Automatically detected pre-formatted text -->"), "<PRE>", each
  // line's escaped copy whole (in a code sample the first "//" becomes
  // "//<B><EM>" and "</EM></B>" ends the line, so a comment to the end of
  // the line is bold italic), "</PRE>" and the matching closing comment.
  // Returns 1, or 0 for a null stream.
  int WritePreformatted(std::FILE* stream) const;

 private:
  std::vector<std::unique_ptr<SourceLine>> lines_;
  bool userPre_ = false;
  bool userTable_ = false;
  bool userCode_ = false;
  bool userDiagram_ = false;
};
