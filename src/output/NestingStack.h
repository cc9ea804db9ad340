#pragma once

#include <cstdio>
#include <string>

#include "policy/FC.h"

class TextString;

// The block tags open in a page body (BLOCKQUOTE, DL, UL, OL), as a stack of
// levels. Level 0 means none is open; level n has n tags open, the tag of
// each level recorded so that it can be closed again.
//
// The stack itself lives in the conversion's document state
// (FC::document.nestingLevel and nestingTags), so every writer of one page
// shares it; this class is the one place that changes it. It grows as deep
// as it is asked to: indentation and list depth decide the level, and no
// level is refused or clamped. Tag texts are kept whole, however long.
//
// A view: holds a reference to the policy record, which must outlive it.
class NestingStack {
 public:
  // The tag of every level that is not a list or definition list.
  static constexpr const char* kBlockquote = "BLOCKQUOTE";

  explicit NestingStack(FC& policy) : policy_(policy) {}

  // The blanks that indent a line inside `levels` open levels: two per
  // level, none when "Minimise HTML file size" is set.
  static std::string Indent(int levels, const FC& policy);
  // The number of those blanks. Inline: every line written asks.
  static int IndentWidth(int levels, const FC& policy) {
    if (policy.minimiseHtml != 0 || levels <= 0) return 0;
    return levels * 2;
  }
  // What separates paragraphs: "<P>" with "Use <P> markup for paragraphs",
  // else "<BR>".
  static const char* ParagraphMark(const FC& policy);

  // Number of open levels.
  int Level() const;
  // The tag recorded for open level `level` (1 = outermost), or null when
  // the level is not open.
  const TextString* TagAt(int level) const;

  // Brings the stack to `level`, writing the opening and closing tag lines
  // to `stream`, each preceded by two blanks per level open outside it
  // (none when "Minimise HTML file size" is set):
  // - deeper: every level passed on the way is a <BLOCKQUOTE>, the innermost
  //   is <tagName>. Asking for BLOCKQUOTE while a list or definition list is
  //   open at the current level first closes everything.
  // - shallower: each level closes with </BLOCKQUOTE>, or </XX> where XX are
  //   the first two letters of its tag (</DL>, </UL>, </OL>); then, for a
  //   list tag, the same-level rule below.
  // - same level: when `tagName` differs in its first two letters from the
  //   tag of the current level, that level is closed and reopened with it.
  // A negative level is reported ("ERROR: Invalid Indent Level N",
  // importance 9) and taken as 0. `tagName` may be null (then only the
  // depth matters). Returns 1, or 0 for a null stream, when nothing at all
  // happens.
  int SetLevel(std::FILE* stream, int level, const char* tagName) {
    // Most lines stay at the level they are at, outside any level or in a
    // block quote: answered here, without a call.
    const DocumentState& d = policy_.document;
    if (stream != nullptr && level == d.nestingLevel &&
        (level == 0 ||
         (tagName == kBlockquote && static_cast<std::size_t>(level) <= d.nestingTags.size() &&
          d.nestingTags[static_cast<std::size_t>(level - 1)].View().starts_with("BL")))) {
      return 1;
    }
    return ChangeLevel(stream, level, tagName);
  }

 private:
  // SetLevel past its shortcut.
  int ChangeLevel(std::FILE* stream, int level, const char* tagName);
  void Open(std::FILE* stream, const char* tagName);
  void Close(std::FILE* stream);

  FC& policy_;
};
