#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "text/TextString.h"

class FC;
class SourceLine;
class TableConfig;

// One collected region of pre-formatted lines and what its analysis found:
// whether it is a table (and its columns), a diagram, a code sample or
// plain pre-formatted text.
//
// The body writer adds the lines while the region lasts (the line window
// deletes the originals long before the region ends), tells the block which
// user-specified kinds it has, and hands it to the block writer, which calls
// ParseTable and then reads the verdicts, the columns and the cells.
// The block owns its copies of the lines. Not copyable; one block may serve
// region after region (Clear), keeping the store of its line copies.
class PreformattedBlock {
 public:
  // Alignment of a cell or column.
  enum Alignment { kLeft = 0, kCentre = 1, kRight = 2 };

  // What the block keeps of one line.
  struct Line {
    TextString escaped;  // the escaped copy, with its indent
    // The line as read (tabs expanded) without the common indent and
    // without trailing blanks. Columns are measured and cells cut on it.
    TextString raw;
    // In a UTF-8 document, `raw` with one byte per screen column (a
    // character of several bytes stands as one placeholder, a wide one as
    // two); empty when `raw` is all ASCII or the document is not UTF-8.
    // Columns are found on it; cells are still cut from `raw`.
    TextString columns;
    int indent = 0;
    int lineType = 0;
    std::uint32_t flags = 0;
    int sourceLineNumber = -1;
    bool blank = false;
    bool rule = false;
  };

  // One column: it ends at `end`, the split position inside its gap (the
  // last column ends at the region's last position).
  struct Column {
    int end = 0;
    bool spansRight = false;
    bool mostlyEmpty = false;
    bool text = false;
    int alignment = kLeft;
  };

  // One cell of a line, as cut at the column boundaries.
  struct Cell {
    int column = 0;
    int span = 1;
    // The cell's text as read, '|' frames and surrounding blanks removed.
    TextString text;
    // Its own alignment, from its blanks within its width.
    int alignment = kLeft;
  };

  // More columns than this are never searched for: the analysis repeats
  // over every column after each merge, so the cap keeps it linear in the
  // size of the region.
  static constexpr int kMaxColumns = 64;

  PreformattedBlock() = default;
  PreformattedBlock(const PreformattedBlock&) = delete;
  PreformattedBlock& operator=(const PreformattedBlock&) = delete;
  PreformattedBlock(PreformattedBlock&&) = default;
  PreformattedBlock& operator=(PreformattedBlock&&) = default;

  // Empties the block for the next region, as if new, but keeps the line
  // copies' store: the writer collects many regions, most of a few lines.
  void Clear();
  // Keeps what the analysis and the writers need of `line`.
  void AddLine(const SourceLine& line);
  int LineCount() const { return static_cast<int>(count_); }
  // The line at 0-based `index`. Requires: 0 <= index < LineCount().
  const Line& LineAt(int index) const { return lines_[static_cast<std::size_t>(index)]; }

  // Which user-specified kinds the block has (from its last line).
  void SetUserKinds(bool pre, bool table, bool code, bool diagram);
  bool UserPre() const { return userPre_; }
  bool UserTable() const { return userTable_; }
  bool UserCode() const { return userCode_; }
  bool UserDiagram() const { return userDiagram_; }
  bool IsUserSpecified() const { return userPre_ || userTable_ || userCode_ || userDiagram_; }

  // Measures the block and decides its kind with the table settings of
  // `config` and the policies of `policy` (messages go through it). A user
  // PRE, CODE or DIAGRAM block is only measured (indent, blank and rule
  // lines); a user TABLE gets its columns but keeps its kind.
  void ParseTable(const TableConfig& config, FC& policy);

  // Verdicts and measures (valid after ParseTable).
  bool IsTableLike() const { return tableLike_; }
  bool IsAutoDiagram() const { return autoDiagram_; }
  bool IsAutoCode() const { return autoCode_; }
  bool IsSparse() const { return sparse_; }
  int BlankLines() const { return blankLines_; }
  int RuleLines() const { return ruleLines_; }
  // Line indices of the first, second and last rule lines; -1 when absent.
  int FirstRule() const { return firstRule_; }
  int SecondRule() const { return secondRule_; }
  int LastRule() const { return lastRule_; }
  int SmallestIndent() const { return smallestIndent_; }
  int Width() const { return width_; }
  const std::vector<Column>& Columns() const { return columns_; }

  // Cuts line `index` into its cells at the column boundaries, left to
  // right; a cell spanning several columns is one cell. Requires: valid
  // index.
  void SplitCells(int index, std::vector<Cell>& cells) const;

  // The alignment of a cell whose text as cut (blanks kept) is `text` in a
  // cell `width` characters wide.
  static int CellAlignment(std::string_view text, int width);

 private:
  // Where a cell ends: the last column it covers.
  struct CellRange {
    int first = 0;
    int last = 0;
    int from = 0;  // first character
    int to = 0;    // one past the last character (before cutting at the line end)
  };
  // Cuts `raw` into ranges at the current boundaries.
  void CutRanges(std::string_view raw, std::vector<CellRange>& ranges) const;
  // The line as columns: `columns` when it has one, else `raw`.
  static std::string_view ColumnView(const Line& line);
  // Columns [from, to) of ColumnView, clipped at the line's end: blanks and
  // frames where they stand, for the alignment of a cell.
  static std::string_view LayoutCut(const Line& line, int from, int to);
  // The text of columns [from, to) of the line, cut from `raw` on character
  // boundaries.
  static std::string_view CutColumns(const Line& line, int from, int to);
  void Measure();
  void FindColumns(int separation, bool sparseSearch, FC& policy);
  // Per-column statistics of the current columns and their alignments.
  // Each analysis gives the final ones: most blocks need no merge, and so
  // no second analysis.
  void AnalyseColumns();
  // Applies the first merge rule that fits; returns 0 when none did, 1 for
  // the kinds that ask for a wider separation, 2 for the others.
  int MergeColumns(bool sparseSearch);
  void MergeAt(int boundary);
  bool IsMalformed() const;
  int TextLines() const { return LineCount() - blankLines_ - ruleLines_; }
  // Lines that look like code; counted only where the verdict needs them,
  // since the test is costly and most documents expect no code.
  int CodeLines() const;

  // The lines of this region: the first count_ records of lines_; the
  // records after them are kept from earlier regions for their store.
  std::span<Line> Lines() { return {lines_.data(), count_}; }
  std::span<const Line> Lines() const { return {lines_.data(), count_}; }

  // Lines reserved when the first is added.
  static constexpr std::size_t kFirstLines = 8;
  std::vector<Line> lines_;
  std::size_t count_ = 0;
  bool measured_ = false;
  // The document is UTF-8 (known from ParseTable's policy).
  bool utf8_ = false;
  bool userPre_ = false;
  bool userTable_ = false;
  bool userCode_ = false;
  bool userDiagram_ = false;

  bool tableLike_ = false;
  bool autoDiagram_ = false;
  bool autoCode_ = false;
  bool sparse_ = false;
  int blankLines_ = 0;
  int ruleLines_ = 0;
  int firstRule_ = -1;
  int secondRule_ = -1;
  int lastRule_ = -1;
  int smallestIndent_ = 0;
  int width_ = 0;

  // Per character position: lines that reach it, spaces and bars there.
  std::vector<int> reach_;
  std::vector<int> spaces_;
  std::vector<int> bars_;

  std::vector<Column> columns_;
  // Of the latest analysis, over the text lines.
  int spanningCells_ = 0;
  int spanningTotal_ = 0;
  // Per line: the first column of a spanned pair not among the last two,
  // or -1.
  std::vector<int> firstSpannedPair_;
  // The cell ranges of a line, kept for their store: each analysis cuts
  // every line.
  std::vector<CellRange> ranges_;
};
