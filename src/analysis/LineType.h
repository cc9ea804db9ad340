#pragma once

#include <cstdint>

// The vocabulary of line analysis. Line type codes and flag bits are printed
// in the line listing, so their numbers are part of the external interface:
// never renumber them. Every test of a type range goes through the
// predicates below, so a range is written down exactly once.

namespace LineType {

inline constexpr int kEndOfFile = -4;       // the marker line after the last line read
inline constexpr int kUnclassified = -3;    // from construction until Classify
inline constexpr int kHeadingPart = -2;     // absorbed into a heading (its underline, its second line)
inline constexpr int kAppended = -1;        // content appended to the line before
inline constexpr int kText = 0;             // ordinary paragraph text
inline constexpr int kBlank = 1;
inline constexpr int kFormFeed = 2;
inline constexpr int kNewParagraph = 3;     // first line of a paragraph found from the layout
inline constexpr int kRule = 4;             // a drawn line that underlines nothing

inline constexpr int kNumberedHeading1 = 101;  // levels 1 to 5: 101 to 105
inline constexpr int kNumberedHeading5 = 105;
inline constexpr int kUnderlinedHeading1 = 111;  // levels 1 to 5: 111 to 115
inline constexpr int kUnderlinedHeading5 = 115;
inline constexpr int kCapitalisedHeading = 120;
inline constexpr int kContentsLine1 = 151;  // contents-list line naming a heading of level 1 to 5
inline constexpr int kContentsLine5 = 155;

inline constexpr int kHangingParagraph = 160;
inline constexpr int kHangingContinuation = 161;
// Listed in the legend only: numbered paragraphs are headings whose level
// style says so.
inline constexpr int kNumberedParagraph = 170;
// Listed in the legend only: an underline beneath a heading becomes kHeadingPart.
inline constexpr int kUnderline1 = 201;
inline constexpr int kUnderline4 = 204;

inline constexpr int kBulletChar = 210;         // "- item", "o item"
inline constexpr int kNumberedBullet = 211;     // "1." "(1)" "1)"
inline constexpr int kLowerAlphaBullet = 212;   // "a)"
inline constexpr int kLowerRomanBullet = 213;   // "iv)"
inline constexpr int kUpperAlphaBullet = 214;   // "A)"
inline constexpr int kUpperRomanBullet = 215;   // "IV)"
inline constexpr int kBulletContinuation = 216;
inline constexpr int kBulletBlank = 217;        // blank line inside a list
// Listed in the legend only: rules are kRule.
inline constexpr int kSeparator = 220;
inline constexpr int kDefinition = 230;
inline constexpr int kDefinitionContinuation = 231;
inline constexpr int kQuoted = 235;             // e-mail style "> " text

// The deepest heading level a type code can carry.
inline constexpr int kMaxHeadingLevel = 5;

constexpr bool IsNumberedHeading(int t) { return t >= kNumberedHeading1 && t <= kNumberedHeading5; }
constexpr bool IsUnderlinedHeading(int t) {
  return t >= kUnderlinedHeading1 && t <= kUnderlinedHeading5;
}
constexpr bool IsContentsLine(int t) { return t >= kContentsLine1 && t <= kContentsLine5; }
// The headings of the page: numbered, underlined and capitalised. A contents
// line names a heading but is not one.
constexpr bool IsHeading(int t) {
  return IsNumberedHeading(t) || IsUnderlinedHeading(t) || t == kCapitalisedHeading;
}
// The level (1 to 5) of a numbered or underlined heading or of a contents
// line; 0 for every other type, the capitalised heading included, whose
// level each caller chooses.
constexpr int HeadingLevel(int t) {
  if (IsNumberedHeading(t)) return t - kNumberedHeading1 + 1;
  if (IsUnderlinedHeading(t)) return t - kUnderlinedHeading1 + 1;
  if (IsContentsLine(t)) return t - kContentsLine1 + 1;
  return 0;
}
// Type codes of a level. Requires: 1 <= level <= kMaxHeadingLevel.
constexpr int NumberedHeading(int level) { return kNumberedHeading1 + level - 1; }
constexpr int UnderlinedHeading(int level) { return kUnderlinedHeading1 + level - 1; }
constexpr int ContentsLine(int level) { return kContentsLine1 + level - 1; }

// The first line of a list item, of any kind (210 to 215).
constexpr bool IsBulletItem(int t) { return t >= kBulletChar && t <= kUpperRomanBullet; }
// A list item introduced by a number, letter or roman numeral (211 to 215).
constexpr bool IsEnumeratedBullet(int t) {
  return t >= kNumberedBullet && t <= kUpperRomanBullet;
}
// A line of a list item: its first line or a continuation line (210 to 216).
constexpr bool IsBullet(int t) { return t >= kBulletChar && t <= kBulletContinuation; }
// Any line of a list, blank lines inside it included (210 to 217).
constexpr bool IsListLine(int t) { return t >= kBulletChar && t <= kBulletBlank; }
constexpr bool IsDefinition(int t) { return t == kDefinition || t == kDefinitionContinuation; }
constexpr bool IsHanging(int t) { return t == kHangingParagraph || t == kHangingContinuation; }
constexpr bool IsUnderline(int t) { return t >= kUnderline1 && t <= kUnderline4; }
// Blank, form feed, new paragraph or rule (1 to 4): a line that separates
// paragraphs, so neither it nor a line before it needs a short-line break.
constexpr bool IsParagraphBreak(int t) {
  return t >= kBlank && t <= kRule;
}

}  // namespace LineType

namespace LineFlag {

inline constexpr std::uint32_t kPreformatCandidate = 1u << 0;   // scored, or forced pre-formatted
inline constexpr std::uint32_t kRepeatedChar = 1u << 1;         // drawn with one character
inline constexpr std::uint32_t kDefinitionCandidate = 1u << 2;  // separator found early
inline constexpr std::uint32_t kCentred = 1u << 3;              // listing 'c'
inline constexpr std::uint32_t kPreformatted = 1u << 4;         // listing '|' ('+' above score 5)
inline constexpr std::uint32_t kShortLine = 1u << 5;
inline constexpr std::uint32_t kHyperlink = 1u << 6;            // listing 'u'
inline constexpr std::uint32_t kUrlBreak = 1u << 7;             // "Add <BR> to lines with URLs"
inline constexpr std::uint32_t kRejectedNumber = 1u << 8;       // listing '*' after the type
inline constexpr std::uint32_t kUserPre = 1u << 9;              // listing 'P'
inline constexpr std::uint32_t kUserTable = 1u << 10;           // listing 'T'
inline constexpr std::uint32_t kUserCode = 1u << 11;            // listing 'C'
inline constexpr std::uint32_t kUserDiagram = 1u << 12;         // listing 'D'
inline constexpr std::uint32_t kUserHtml = 1u << 13;            // listing 'H'; passed through unescaped
inline constexpr std::uint32_t kOutput = 1u << 14;              // the line is to be written
inline constexpr std::uint32_t kSampleCode = 1u << 15;          // listing 'C'
inline constexpr std::uint32_t kContentsList = 1u << 16;        // listing 'l'
// The first line handed on in a user-specified region (not listed): a region
// that directly follows another is still a block of its own.
inline constexpr std::uint32_t kUserRegionStart = 1u << 17;

// The user-specified regions (PRE, TABLE, CODE, DIAGRAM). Each implies
// kPreformatted. HTML lines are not among them.
inline constexpr std::uint32_t kUserRegionMask = kUserPre | kUserTable | kUserCode | kUserDiagram;
// A fresh or reset line: only the output bit.
inline constexpr std::uint32_t kResetFlags = kOutput;

constexpr bool IsUserRegion(std::uint32_t flags) { return (flags & kUserRegionMask) != 0; }
constexpr bool IsUserHtml(std::uint32_t flags) { return (flags & kUserHtml) != 0; }
constexpr bool IsPreformatted(std::uint32_t flags) { return (flags & kPreformatted) != 0; }

}  // namespace LineFlag
