#include "output/TableWriter.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "markup/HtmlEscaper.h"
#include "output/AttributeText.h"
#include "output/BlockText.h"
#include "output/IndentLevel.h"
#include "output/LinkPasses.h"
#include "output/NestingStack.h"
#include "policy/FC.h"
#include "policy/TableConfig.h"
#include "text/TextWriter.h"

namespace {

// Framing rules stand within the first lines of a table.
constexpr int kFrameLines = 4;
// With fewer than two rules near its top, a table of more text lines than
// this gets a border.
constexpr int kBorderedTextLines = 3;
constexpr int kDefaultBorder = 2;
constexpr int kBorderedPadding = 4;
// Continuation pieces of a cell are indented by this many blanks.
constexpr int kCellIndent = 8;

using Field = TableConfig::Field;

// Adds one line of a cell to `lines`, after the continuation indent when
// `indented`. The line ends at a NUL byte, as a C string would.
void AppendPiece(std::string& lines, std::string_view piece, bool indented) {
  piece = piece.substr(0, piece.find('\0'));
  if (indented) lines.append(kCellIndent, ' ');
  lines.append(piece);
  lines.push_back('\n');
}

void AppendJoined(TextString& cell, const TextString& text) {
  if (!cell.IsEmpty() && !cell.View().ends_with("<HR>")) cell.AppendText("<BR>");
  cell.AppendText(text.View());
}

}  // namespace

TableWriter::TableWriter(const PreformattedBlock& block, std::FILE* stream, FC& policy,
                         const TableConfig& config, const DocumentPages* pages,
                         std::unique_ptr<DocumentStatistics>* scratch)
    : block_(block),
      stream_(stream),
      policy_(policy),
      config_(config),
      pages_(pages),
      numberScratch_(scratch) {}

bool TableWriter::IsFramed(int& firstRule) const {
  firstRule = block_.FirstRule();
  if (config_.headerRows > 0) return true;
  const int n = block_.LineCount();
  const int rules = block_.RuleLines();
  const auto isRule = [&](int i) { return i >= 0 && i < n && block_.LineAt(i).rule; };
  const auto earlyWithRoom = [&](int i) { return i >= 0 && i < kFrameLines && n - 1 - i >= 2; };
  const bool lastIsRule = block_.LastRule() == n - 1;
  if (rules == 1 && ((block_.FirstRule() == 1 && n == 3) || earlyWithRoom(block_.FirstRule()))) {
    return true;
  }
  if (rules == 2 && earlyWithRoom(block_.FirstRule()) && lastIsRule) return true;
  if (rules == 3 && earlyWithRoom(block_.SecondRule()) && lastIsRule) return true;
  if (rules == 3 && (isRule(0) || isRule(1)) && (isRule(n - 1) || isRule(n - 2))) {
    for (int i = kFrameLines; i >= 2; --i) {
      if (isRule(i)) {
        firstRule = i;
        return true;
      }
    }
  }
  return false;
}

void TableWriter::StartTable(bool userSpecified, bool& bordered, bool& framed, int& firstRule) {
  framed = IsFramed(firstRule);
  bordered = false;
  NestingStack(policy_).SetLevel(stream_, IndentLevel(block_.SmallestIndent(), policy_),
                                 NestingStack::kBlockquote);
  WriteText(stream_, userSpecified ? "<!-- User-specified TABLE structure -->"
                                   : "<!-- Automatically detected TABLE structure -->");
  const int textLines = block_.LineCount() - block_.BlankLines() - block_.RuleLines();
  TextString tag("<TABLE");
  // A setting given as "(none)" (negative) is decided per table, as one not
  // given at all.
  const auto fixed = [this](Field field, int value) {
    return config_.IsGiven(field) && value >= 0;
  };
  if (!fixed(Field::BorderSize, config_.borderSize)) {
    if (framed || (block_.RuleLines() < 2 && block_.FirstRule() < kFrameLines &&
                   textLines > kBorderedTextLines)) {
      tag.AppendText(" BORDER=");
      tag.AppendNumber(kDefaultBorder, false);
      bordered = true;
    }
  } else if (config_.borderSize > 0) {
    tag.AppendText(" BORDER=");
    tag.AppendNumber(config_.borderSize, false);
    bordered = true;
  }
  if (config_.IsGiven(Field::Width) && !config_.width.IsEmpty()) {
    tag.AppendText(" WIDTH=\"");
    AppendAttributeText(tag, config_.width.GetText());
    tag.AppendText("\"");
  }
  tag.AppendText(" CELLSPACING=");
  tag.AppendNumber(fixed(Field::CellSpacing, config_.cellSpacing) ? config_.cellSpacing : 0, false);
  tag.AppendText(" CELLPADDING=");
  if (fixed(Field::CellPadding, config_.cellPadding)) {
    tag.AppendNumber(config_.cellPadding, false);
  } else {
    tag.AppendNumber(bordered ? kBorderedPadding : 0, false);
  }
  if (config_.IsGiven(Field::Colour) && !config_.colour.IsEmpty()) {
    tag.AppendText(" BGCOLOR=\"");
    AppendAttributeText(tag, config_.colour.GetText());
    tag.AppendText("\"");
  }
  if (config_.IsGiven(Field::BorderColour) && !config_.borderColour.IsEmpty()) {
    tag.AppendText(" BORDERCOLOR=\"");
    AppendAttributeText(tag, config_.borderColour.GetText());
    tag.AppendText("\"");
  }
  tag.AppendText(">");
  WriteText(stream_, tag.GetText());
  if (config_.IsGiven(Field::Caption) && !config_.caption.IsEmpty()) {
    TextString caption("<CAPTION>");
    caption.AppendText(config_.caption.View());
    caption.AppendText("</CAPTION>");
    WriteText(stream_, caption.GetText());
  }
}

void TableWriter::EndTable(bool userSpecified) {
  WriteText(stream_, "</TABLE><BR>");
  WriteText(stream_, userSpecified ? "<!-- end of user-specified TABLE structure -->"
                                   : "<!-- end of automatically detected TABLE structure -->");
}

void TableWriter::PrepareCell(TextString& text, int lineNumber) {
  text.Trim();
  EscapeHtml(text);
  if (config_.xrefsToLinks != 0) {
    LinkCrossReferences(policy_, text, nullptr, pages_, numberScratch_);
  }
  MarkBlockInline(text, policy_, lineNumber, true, work_);
  MarkBlockEmphasis(text, policy_, lineNumber, work_);
  ApplyLinkDictionary(policy_, text);
}

void TableWriter::ClearRow(Row& row) const {
  // Emptied in place: the cells keep their stores from row to row.
  row.cells.resize(static_cast<std::size_t>(columnCount_));
  const auto& columns = block_.Columns();
  for (std::size_t c = 0; c < row.cells.size(); ++c) {
    RowCell& cell = row.cells[c];
    cell.text.Clear();
    cell.span = 1;
    cell.lines = 0;
    cell.alignment = c < columns.size() ? columns[c].alignment : PreformattedBlock::kLeft;
  }
  row.firstLine = -1;
  row.ruleAbove = false;
}

void TableWriter::LineRow(int index, Row& row, int& textCells, bool& spans) {
  ClearRow(row);
  row.firstLine = index;
  textCells = 0;
  spans = false;
  // The cells' vector is kept for the table, and a cell's text moves into
  // its row: neither is built again for each line.
  std::vector<PreformattedBlock::Cell>& cells = lineCells_;
  block_.SplitCells(index, cells);
  const int lineNumber = block_.LineAt(index).sourceLineNumber;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    PreformattedBlock::Cell& cell = cells[k];
    if (cell.column < 0 || cell.column >= columnCount_) continue;
    const int span = std::min(cell.span, columnCount_ - cell.column);
    RowCell& target = row.cells[static_cast<std::size_t>(cell.column)];
    PrepareCell(cell.text, lineNumber);
    target.text = std::move(cell.text);
    target.span = span;
    target.lines = 1;
    if (span > 1) {
      target.alignment = cell.alignment;
      for (int c = cell.column + 1; c < cell.column + span; ++c) {
        row.cells[static_cast<std::size_t>(c)].span = 0;
      }
      if (k + 1 < cells.size()) spans = true;
    }
    if (!target.text.IsEmpty()) ++textCells;
  }
}

void TableWriter::AppendToCell(Row& row, int column, const TextString& text) const {
  int owner = std::clamp(column, 0, columnCount_ - 1);
  while (owner > 0 && row.cells[static_cast<std::size_t>(owner)].span == 0) --owner;
  RowCell& cell = row.cells[static_cast<std::size_t>(owner)];
  AppendJoined(cell.text, text);
  ++cell.lines;
}

bool TableWriter::IsHeaderRow(const Row& row) const {
  if (headerRowsCounted_) return rowsWritten_ < headerRows_;
  return row.firstLine >= 0 && row.firstLine < headerRows_;
}

bool TableWriter::RuleInHeader(int index) const {
  if (headerRowsCounted_) return rowsWritten_ <= headerRows_;
  return index <= headerRows_;
}

void TableWriter::WriteTableRow(Row& row) {
  const bool empty = std::all_of(row.cells.begin(), row.cells.end(),
                                 [](const RowCell& cell) { return cell.text.IsEmpty(); });
  if (empty && !row.ruleAbove) {
    ClearRow(row);
    return;
  }
  const bool minimise = policy_.minimiseHtml != 0;
  const bool header = IsHeaderRow(row);
  int fullest = 0;
  for (const RowCell& cell : row.cells) fullest = std::max(fullest, cell.lines);

  // The row's lines are collected and written with one call, as each call
  // to the stream costs more than the copy.
  std::string& lines = rowBuffer_;
  lines.clear();
  lines.append(minimise ? "<TR>\n" : "  <TR>\n");
  // One buffer for every cell of the table: no copy of a cell's text is
  // built and thrown away.
  std::string& out = cellBuffer_;
  for (int c = 0; c < columnCount_;) {
    const RowCell& cell = row.cells[static_cast<std::size_t>(c)];
    const int span = std::max(cell.span, 1);
    // Emptied and appended to: assign's general replace costs more here.
    out.clear();
    if (!minimise) out += "    ";
    out += header ? "<TH" : "<TD";
    if (span > 1) out += " COLSPAN=" + std::to_string(span);
    if (cell.alignment == PreformattedBlock::kCentre) {
      out += " ALIGN=CENTER";
    } else if (cell.alignment == PreformattedBlock::kRight) {
      out += " ALIGN=RIGHT";
    } else if (header) {
      out += " ALIGN=LEFT";
    }
    if (cell.lines < fullest) out += " VALIGN=TOP";
    out += ">";
    const bool strong = c < headerCols_ && !header;
    if (strong) out += "<STRONG>";
    const std::size_t textStart = out.size();
    if (row.ruleAbove) out += "<HR>";
    out += cell.text.View();
    if (out.size() == textStart) out += "&nbsp;";
    const bool rule =
        std::string_view(out).substr(textStart).find("<HR>") != std::string_view::npos;
    if (strong) out += "</STRONG>";
    if (!rule) out += "<BR>";
    out += header ? "</TH>" : "</TD>";

    // One output line per source line of the cell: cut after each "<BR>"
    // but the one that closes the cell.
    std::size_t start = 0;
    bool first = true;
    for (std::size_t at = out.find("<BR>"); at != std::string::npos;
         at = out.find("<BR>", at + 4)) {
      const std::string_view rest = std::string_view(out).substr(at + 4);
      if (rest.starts_with("</TD") || rest.starts_with("</TH")) continue;
      AppendPiece(lines, std::string_view(out).substr(start, at + 4 - start), !first && !minimise);
      start = at + 4;
      first = false;
    }
    AppendPiece(lines, std::string_view(out).substr(start), !first && !minimise);
    c += span;
  }
  lines.append(minimise ? "</TR>\n" : "  </TR>\n");
  WriteLines(stream_, lines);
  ++rowsWritten_;
  ClearRow(row);
}

int TableWriter::WriteTable(bool userSpecified) {
  if (stream_ == nullptr) return 0;
  columnCount_ = std::max(static_cast<int>(block_.Columns().size()), 1);
  bool bordered = false;
  bool framed = false;
  int firstRule = -1;
  StartTable(userSpecified, bordered, framed, firstRule);

  const int n = block_.LineCount();
  if (framed && config_.headerRows > 0) {
    headerRows_ = config_.headerRows;
    headerRowsCounted_ = true;
  } else if (firstRule == 0) {
    headerRows_ = std::max(block_.SecondRule(), 0);
  } else if (firstRule > 0 && firstRule < n - 1) {
    headerRows_ = firstRule;
  }
  if (config_.headerCols > 0) headerCols_ = config_.headerCols;

  const bool sparse = block_.IsSparse();
  Row pending;
  ClearRow(pending);
  Row lineRow;
  for (int i = 0; i < n; ++i) {
    const PreformattedBlock::Line& line = block_.LineAt(i);
    if (line.rule) {
      if (sparse || bordered || RuleInHeader(i)) {
        WriteTableRow(pending);
      } else {
        WriteTableRow(pending);
        pending.ruleAbove = true;
      }
      continue;
    }
    if (line.blank) {
      if (bordered && !sparse) {
        for (RowCell& cell : pending.cells) {
          if (!cell.text.IsEmpty()) cell.text.AppendText("<BR>");
          ++cell.lines;
        }
      } else {
        WriteTableRow(pending);
      }
      continue;
    }
    int textCells = 0;
    bool spans = false;
    LineRow(i, lineRow, textCells, spans);
    if (sparse || (!spans && textCells == 1)) {
      // A cell that runs on over several source lines.
      for (int c = 0; c < columnCount_; ++c) {
        const RowCell& cell = lineRow.cells[static_cast<std::size_t>(c)];
        if (cell.span > 0 && !cell.text.IsEmpty()) AppendToCell(pending, c, cell.text);
      }
      if (pending.firstLine < 0) pending.firstLine = i;
      continue;
    }
    // A row of rules waiting above the next row goes into its cells.
    const bool ruleAbove =
        pending.ruleAbove && std::all_of(pending.cells.begin(), pending.cells.end(),
                                         [](const RowCell& cell) { return cell.text.IsEmpty(); });
    if (!ruleAbove) WriteTableRow(pending);
    if (textCells == 0) {
      if (ruleAbove) WriteTableRow(pending);
      continue;
    }
    std::swap(pending, lineRow);
    pending.ruleAbove = ruleAbove;
    if (spans) WriteTableRow(pending);
  }
  WriteTableRow(pending);
  EndTable(userSpecified);
  return NestingStack(policy_).SetLevel(stream_, 0, NestingStack::kBlockquote);
}
