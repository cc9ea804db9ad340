#include "output/NestingStack.h"

#include <string>
#include <string_view>

#include "policy/FC.h"
#include "text/ParsedString.h"
#include "text/TextWriter.h"

namespace {

// Writes `tag` wrapped, indented for its enclosing levels.
void WriteTagLine(std::FILE* stream, int enclosingLevels, const FC& policy, std::string_view tag) {
  const int indent = NestingStack::IndentWidth(enclosingLevels, policy);
  // A line that needs no cut is written as it stands, without a line object.
  if (static_cast<std::size_t>(indent) + tag.size() <=
      static_cast<std::size_t>(ParsedString::kDefaultWidth)) {
    WriteIndentedText(stream, indent, tag);
    return;
  }
  ParsedString line;
  line.SetText(NestingStack::Indent(enclosingLevels, policy));
  line.AppendText(tag);
  WriteWrapped(stream, line, false);
}

// Byte by byte: nearly every line asks, and the length and comparison calls
// of two views cost more than the two bytes.
bool SameFirstTwo(const TextString& recorded, const char* tagName) {
  const std::string_view a = recorded.View();
  for (std::size_t i = 0; i < 2; ++i) {
    const bool aEnds = i >= a.size();
    const bool bEnds = tagName[i] == '\0';
    if (aEnds || bEnds) return aEnds == bEnds;
    if (a[i] != tagName[i]) return false;
  }
  return true;
}

// The block quote tag is nearly always passed as the constant itself.
bool IsBlockquote(const char* tagName) {
  return tagName == NestingStack::kBlockquote ||
         std::string_view(tagName) == NestingStack::kBlockquote;
}

}  // namespace

std::string NestingStack::Indent(int levels, const FC& policy) {
  return std::string(static_cast<std::size_t>(IndentWidth(levels, policy)), ' ');
}

const char* NestingStack::ParagraphMark(const FC& policy) {
  return policy.useParagraphMarkup != 0 ? "<P>" : "<BR>";
}

int NestingStack::Level() const {
  return policy_.document.nestingLevel;
}

const TextString* NestingStack::TagAt(int level) const {
  const auto& tags = policy_.document.nestingTags;
  if (level < 1 || level > Level() || level > static_cast<int>(tags.size())) return nullptr;
  return &tags[static_cast<std::size_t>(level - 1)];
}

int NestingStack::ChangeLevel(std::FILE* stream, int level, const char* tagName) {
  if (stream == nullptr) return 0;
  if (level < 0) {
    policy_.messageText.SetText("ERROR: Invalid Indent Level ");
    policy_.messageText.AppendNumber(level, false);
    policy_.Message(policy_.messageText, 9);
    level = 0;
  }
  if (level > Level()) {
    if (tagName != nullptr && IsBlockquote(tagName)) {
      const TextString* current = TagAt(Level());
      if (current != nullptr && current->View() != kBlockquote) SetLevel(stream, 0, nullptr);
    }
    while (Level() < level) {
      const bool innermost = Level() + 1 == level;
      Open(stream, innermost && tagName != nullptr ? tagName : kBlockquote);
    }
  } else if (level < Level()) {
    while (Level() > level) Close(stream);
    // A list item (<DT>, <LI>) must land in its own list, not in the
    // BLOCKQUOTE or other list that the closing uncovered.
    if (tagName != nullptr && !IsBlockquote(tagName)) {
      SetLevel(stream, level, tagName);
    }
  } else if (tagName != nullptr && Level() > 0) {
    const TextString* current = TagAt(Level());
    if (current == nullptr || !SameFirstTwo(*current, tagName)) {
      Close(stream);
      Open(stream, tagName);
    }
  }
  return 1;
}

void NestingStack::Open(std::FILE* stream, const char* tagName) {
  DocumentState& d = policy_.document;
  // Most levels are block quotes: their tag is not put together each time.
  if (IsBlockquote(tagName)) {
    WriteTagLine(stream, d.nestingLevel, policy_, "<BLOCKQUOTE>");
  } else {
    WriteTagLine(stream, d.nestingLevel, policy_, std::string("<") + tagName + ">");
  }
  const auto slot = static_cast<std::size_t>(d.nestingLevel);
  if (d.nestingTags.size() <= slot) d.nestingTags.resize(slot + 1);
  // Levels open and close again and again with the same tag: it is kept
  // when it is already there.
  if (d.nestingTags[slot].View() != tagName) d.nestingTags[slot].SetText(tagName);
  ++d.nestingLevel;
}

void NestingStack::Close(std::FILE* stream) {
  DocumentState& d = policy_.document;
  const TextString* tag = TagAt(d.nestingLevel);
  std::string_view line = "</BLOCKQUOTE>";
  std::string listEnd;
  if (tag != nullptr && tag->Length() >= 2 && tag->View().substr(0, 2) != "BL") {
    listEnd = "</" + std::string(tag->View().substr(0, 2)) + ">";
    line = listEnd;
  }
  --d.nestingLevel;
  WriteTagLine(stream, d.nestingLevel, policy_, line);
}
