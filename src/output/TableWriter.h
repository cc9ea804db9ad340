#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/PreformattedBlock.h"
#include "analysis/SourceLine.h"
#include "text/TextString.h"

class DocumentPages;
class FC;
class TableConfig;

// Writes an analysed block as an HTML table: the opening tag with its
// border, spacing and padding (framed and bordered tables decided from the
// rule lines or the settings), rows built from the block's lines (a cell may
// run over several source lines, a wide cell spans several columns, rules
// and blank lines end rows), header rows and columns, and the closing tag.
//
// Nothing is owned: the block, the page stream, the policy record and the
// table settings must outlive the writer.
class TableWriter {
 public:
  // `scratch`: as for BlockWriter.
  TableWriter(const PreformattedBlock& block, std::FILE* stream, FC& policy,
              const TableConfig& config, const DocumentPages* pages = nullptr,
              std::unique_ptr<DocumentStatistics>* scratch = nullptr);
  TableWriter(const TableWriter&) = delete;
  TableWriter& operator=(const TableWriter&) = delete;

  // Writes the table. Requires: the block has been analysed. Returns 1, or
  // 0 without a stream.
  int WriteTable(bool userSpecified);

 private:
  // A cell of the row being built. A column covered by a cell to its left
  // has span 0.
  struct RowCell {
    TextString text;
    int span = 1;
    int lines = 0;
    int alignment = PreformattedBlock::kLeft;
  };
  struct Row {
    std::vector<RowCell> cells;
    // The block line the row began on; -1 for a row not begun.
    int firstLine = -1;
    // Every cell begins with a rule (a rule line in a table without border).
    bool ruleAbove = false;
  };

  // Whether the table is framed by its rule lines; may move the first rule
  // to the one that closes the header.
  bool IsFramed(int& firstRule) const;
  void StartTable(bool userSpecified, bool& bordered, bool& framed, int& firstRule);
  void EndTable(bool userSpecified);
  // Writes `row` unless every cell is empty, then empties it.
  void WriteTableRow(Row& row);
  void ClearRow(Row& row) const;
  // The prepared cells of line `index` as a row.
  void LineRow(int index, Row& row, int& textCells, bool& spans);
  void AppendToCell(Row& row, int column, const TextString& text) const;
  bool IsHeaderRow(const Row& row) const;
  bool RuleInHeader(int index) const;
  void PrepareCell(TextString& text, int lineNumber);

  const PreformattedBlock& block_;
  std::FILE* stream_;
  FC& policy_;
  const TableConfig& config_;
  const DocumentPages* pages_;
  int columnCount_ = 1;
  int headerRows_ = 0;
  // The header rows are a number of rows written (from the settings), not a
  // line index (found from the rules).
  bool headerRowsCounted_ = false;
  int headerCols_ = 0;
  int rowsWritten_ = 0;
  // The caller's record cross-references read section numbers with, or null.
  std::unique_ptr<DocumentStatistics>* numberScratch_;
  // The cells of the line LineRow reads.
  std::vector<PreformattedBlock::Cell> lineCells_;
  // The cell being written, kept so that its store is reused.
  std::string cellBuffer_;
  // A row's lines, written with one call.
  std::string rowBuffer_;
  // The line the cells are marked up in (BlockText.h).
  SourceLine work_;
};
