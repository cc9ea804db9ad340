#include "output/BlockWriter.h"

#include <string>

#include "analysis/LineType.h"
#include "analysis/PreformattedBlock.h"
#include "markup/HtmlEscaper.h"
#include "output/BlockText.h"
#include "output/IndentLevel.h"
#include "output/LinkPasses.h"
#include "output/NestingStack.h"
#include "output/TableWriter.h"
#include "policy/FC.h"
#include "policy/TableConfig.h"
#include "text/ErrorReport.h"
#include "text/TextWriter.h"

namespace {

struct Comments {
  const char* opening;
  const char* closing;
};

}  // namespace

BlockWriter::BlockWriter(PreformattedBlock& block, std::FILE* stream, FC& policy,
                         const TableConfig& config, const DocumentPages* pages,
                         std::unique_ptr<DocumentStatistics>* scratch)
    : block_(block),
      stream_(stream),
      policy_(policy),
      config_(config),
      pages_(pages),
      numberScratch_(scratch) {}

bool BlockWriter::HasStream() const {
  if (stream_ != nullptr) return true;
  ReportError("*** Internal coding error : No HTMLFile inside ParseTable");
  return false;
}

int BlockWriter::WriteBlock(bool userSpecified) {
  if (!HasStream()) return 0;
  block_.ParseTable(config_, policy_);
  const PreformattedBlock& b = block_;
  if (b.UserDiagram() || (b.IsAutoDiagram() && !userSpecified && !b.UserCode() && !b.UserPre())) {
    if (b.LineCount() - b.BlankLines() <= 1 && !b.UserDiagram()) return WriteNormal();
    return WritePreformatted();
  }
  if (b.UserCode() || (b.IsAutoCode() && !userSpecified && !b.UserPre())) {
    return config_.useCodeMarkup != 0 ? WriteCodeSample() : WritePreformatted();
  }
  if (b.UserPre()) return WritePreformatted();
  const int textLines = b.LineCount() - b.BlankLines() - b.RuleLines();
  if (!userSpecified && (textLines < 2 || !b.IsTableLike())) return WriteNormal();
  return TableWriter(block_, stream_, policy_, config_, pages_, numberScratch_)
      .WriteTable(userSpecified);
}

int BlockWriter::WritePreformatted() {
  if (!HasStream()) return 0;
  const PreformattedBlock& b = block_;
  Comments comments{"<!-- Automatically detected pre-formatted text -->",
                    "<!-- end of automatically detected pre-formatted text -->"};
  if (b.UserCode()) {
    comments = {"<!-- User-specified CODE sample -->",
                "<!-- end of user-specified CODE sample -->"};
  } else if (b.IsAutoCode()) {
    comments = {"<!-- Automatically detected CODE sample -->",
                "<!-- end of automatically detected CODE sample -->"};
  } else if (b.UserDiagram()) {
    comments = {"<!-- User-specified DIAGRAM -->", "<!-- end of user-specified DIAGRAM -->"};
  } else if (b.IsAutoDiagram()) {
    comments = {"<!-- Automatically detected DIAGRAM -->",
                "<!-- end of automatically detected DIAGRAM -->"};
  } else if (b.UserPre()) {
    comments = {"<!-- User-specified pre-formatted text -->",
                "<!-- end of user-specified pre-formatted text -->"};
  }
  const bool user = b.IsUserSpecified();
  const bool code = b.UserCode() || b.IsAutoCode();

  WriteText(stream_, comments.opening);
  WriteText(stream_, "<PRE>");
  // One text for every line, so that its store is reused.
  TextString text;
  for (int i = 0; i < b.LineCount(); ++i) {
    const PreformattedBlock::Line& line = b.LineAt(i);
    text = line.escaped;
    if (user) {
      LinkCrossReferences(policy_, text, nullptr, pages_, numberScratch_);
      MarkBlockEmphasis(text, policy_, line.sourceLineNumber, work_);
      MarkBlockInline(text, policy_, line.sourceLineNumber, false, work_);
      ApplyLinkDictionary(policy_, text);
    }
    if (code) MarkCodeComment(text);
    WriteText(stream_, text.GetText());
  }
  WriteText(stream_, "</PRE>");
  return WriteText(stream_, comments.closing);
}

int BlockWriter::WriteCodeSample() {
  if (!HasStream()) return 0;
  const PreformattedBlock& b = block_;
  WriteText(stream_, b.UserCode() ? "<!-- User-specified CODE sample -->"
                                  : "<!-- Automatically detected CODE sample -->");
  WriteText(stream_, "<CODE>");
  for (int i = 0; i < b.LineCount(); ++i) {
    const PreformattedBlock::Line& line = b.LineAt(i);
    if (line.indent > 0) {
      std::string blanks;
      for (int n = 0; n < line.indent; ++n) blanks += "&nbsp;";
      WriteText(stream_, blanks.c_str());
    }
    TextString text = line.raw;
    EscapeHtml(text);
    ApplyLinkDictionary(policy_, text);
    MarkCodeComment(text);
    text.AppendText("<BR>");
    WriteText(stream_, text.GetText());
  }
  WriteText(stream_, "</CODE>");
  return WriteText(stream_, b.UserCode() ? "<!-- End of user-specified CODE sample -->"
                                         : "<!-- End of automatically detected CODE sample -->");
}

int BlockWriter::WriteNormal() {
  if (!HasStream()) return 0;
  const PreformattedBlock& b = block_;
  NestingStack(policy_).SetLevel(stream_, IndentLevel(b.SmallestIndent(), policy_),
                                 NestingStack::kBlockquote);
  Comments comments{"<!-- Outputting formatted text as \"NORMAL\" -->",
                    "<!-- end of formatted text output as \"NORMAL\" -->"};
  if (b.IsAutoDiagram() && !b.UserDiagram()) {
    comments = {"<!-- Outputting auto-detected one-line DIAGRAM as \"NORMAL\" -->",
                "<!-- end of auto-detected one-line DIAGRAM as \"NORMAL\" -->"};
  } else if (b.IsAutoDiagram()) {
    comments = {"<!-- User-specified DIAGRAM being output as \"NORMAL\" -->",
                "<!-- end of user-specified DIAGRAM being output as \"NORMAL\" -->"};
  }
  WriteText(stream_, comments.opening);
  // One text for every line, so that its store is reused.
  TextString text;
  for (int i = 0; i < b.LineCount(); ++i) {
    const PreformattedBlock::Line& line = b.LineAt(i);
    if (line.lineType == LineType::kRule || line.rule) {
      WriteText(stream_, "<HR>");
      continue;
    }
    text = line.escaped;
    LinkCrossReferences(policy_, text, nullptr, pages_, numberScratch_);
    MarkBlockEmphasis(text, policy_, line.sourceLineNumber, work_);
    ApplyLinkDictionary(policy_, text);
    text.AppendText("<BR>");
    WriteText(stream_, text.GetText());
  }
  WriteText(stream_, comments.closing);
  return NestingStack(policy_).SetLevel(stream_, 0, NestingStack::kBlockquote);
}
