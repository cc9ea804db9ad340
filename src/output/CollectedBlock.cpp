#include "output/CollectedBlock.h"

#include <string_view>

#include "analysis/SourceLine.h"
#include "text/TextWriter.h"

CollectedBlock::~CollectedBlock() {
  // Unlink before the copies go, so no copy is ever left pointing at a
  // deleted neighbour, whatever the order of destruction.
  for (auto& line : lines_) {
    line->prev = nullptr;
    line->next = nullptr;
  }
}

void CollectedBlock::AddLine(const SourceLine& line) {
  SourceLine* previous = lines_.empty() ? nullptr : lines_.back().get();
  auto copy = std::make_unique<SourceLine>(previous);
  copy->SetText(line.View());
  copy->sourceText = line.sourceText;
  copy->width = line.width;
  copy->lineType = line.lineType;
  copy->firstWordLength = line.firstWordLength;
  copy->flags = line.flags;
  copy->length = line.length;
  copy->indent = line.indent;
  copy->preformatScore = line.preformatScore;
  copy->extraIndent = line.extraIndent;
  copy->escapedText = line.escapedText;
  copy->rawText = line.rawText;
  copy->sectionNumber = line.sectionNumber;
  copy->sourceLineNumber = line.sourceLineNumber;
  lines_.push_back(std::move(copy));
}

const SourceLine* CollectedBlock::Line(int index) const {
  if (index < 0 || index >= LineCount()) return nullptr;
  return lines_[static_cast<std::size_t>(index)].get();
}

void CollectedBlock::SetUserKinds(bool pre, bool table, bool code, bool diagram) {
  userPre_ = pre;
  userTable_ = table;
  userCode_ = code;
  userDiagram_ = diagram;
}

int CollectedBlock::WritePreformatted(std::FILE* stream) const {
  if (stream == nullptr) return 0;
  const char* opening = "<!-- Automatically detected pre-formatted text -->";
  const char* closing = "<!-- end of automatically detected pre-formatted text -->";
  if (userCode_) {
    opening = "<!-- User-specified CODE sample -->";
    closing = "<!-- end of user-specified CODE sample -->";
  } else if (userDiagram_) {
    opening = "<!-- User-specified DIAGRAM -->";
    closing = "<!-- end of user-specified DIAGRAM -->";
  } else if (userPre_) {
    opening = "<!-- User-specified pre-formatted text -->";
    closing = "<!-- end of user-specified pre-formatted text -->";
  }

  WriteText(stream, opening);
  WriteText(stream, "<PRE>");
  for (const auto& line : lines_) {
    TextString text = line->escapedText;
    const std::size_t comment = text.View().find("//");
    if (userCode_ && comment != std::string_view::npos) {
      text.ReplaceSubString(static_cast<int>(comment), 2, "//<B><EM>");
      text.AppendText("</EM></B>");
    }
    WriteText(stream, text.GetText());
  }
  WriteText(stream, "</PRE>");
  return WriteText(stream, closing);
}
