#include "driver/LineListing.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/ParsedString.h"
#include "text/Utf8.h"

namespace {

// How much of a line's text its entry shows.
constexpr std::size_t kListedText = 60;

constexpr std::array<const char*, 75> kLegend = {
    "",
    "^^^ nnnn:  nnn^",
    "|||    ^     ^|",
    "|||    |     |+-- 'n' = null (appended to previous line)",
    "|||    |     |+-- 'l' = nullline (treated as part of header)",
    "|||    |     |+-- '*' = End of file",
    "|||    |     |",
    "|||    |     +-- Line type.  (see list below)",
    "|||    |",
    "|||    +-- Line Number (used in error messages)",
    "|||",
    "||+-- 'u' = line contains URL",
    "||    'l' = line is part of contents list",
    "||",
    "|+-- '+' = pre-formatted line",
    "|    '|' = \"roll-out\" pre-formatted line ",
    "|    'C' = sample code line",
    "|    'D' = user-specified DIAGRAM line",
    "|    'H' = user-specified HTML line",
    "|    'P' = user-specified pre-formatted line",
    "|    'T' = user-specified TABLE line",
    "|",
    "+-- 'c' = centred",
    "",
    "Line Type codes",
    "---------------",
    " -1 = null    ",
    "",
    "  1 = blank   ",
    "  2 = FF      ",
    "  3 = newpara ",
    "  4 = line    ",
    "",
    "101 = header level 1",
    "102 = header level 2",
    "103 = header level 3",
    "104 = header level 4",
    "",
    "111 = underlined header level 1",
    "112 = underlined header level 2",
    "113 = underlined header level 3",
    "114 = underlined header level 4",
    "",
    "120 = capitalised header",
    "",
    "151 = contents header level 1",
    "152 = contents header level 2",
    "153 = contents header level 3",
    "154 = contents header level 4",
    "",
    "160 = hanging paragraph",
    "161 = hanging paragraph continuation line",
    "",
    "170 = numbered paragraph",
    "",
    "201 = underline level 1",
    "202 = underline level 2",
    "203 = underline level 3",
    "204 = underline level 4",
    "",
    "210 = bullet character ",
    "211 = numbered bullet ",
    "212 = lower case alphabetic bullet",
    "213 = lower case roman numeral bullet",
    "214 = upper case alphabetic bullet",
    "215 = uppercase roman nueral bullet",
    "216 = bullet continuation line",
    "217 = bullet blank line ",
    "",
    "220 = separator ",
    "",
    "230 = definition",
    "231 = definition continuation line",
    "",
    "235 = quoted line"};

// The number and type columns, 17 characters while the number has at most
// 8 digits: "       7:  101  |".
std::string EntryPrefix(int number, const SourceLine& line) {
  const int type = line.lineType;
  const bool rejected = (line.flags & LineFlag::kRejectedNumber) != 0;
  char buffer[64];
  if (rejected && type > 0) {
    std::snprintf(buffer, sizeof buffer, "%8i:%5i *|", number, type);
  } else if (rejected) {
    std::snprintf(buffer, sizeof buffer, "%8i:      *|", number);
  } else if (type > 0) {
    std::snprintf(buffer, sizeof buffer, "%8i:%5i  |", number, type);
  } else if (type == LineType::kAppended) {
    std::snprintf(buffer, sizeof buffer, "%8i:     n |", number);
  } else if (type == LineType::kHeadingPart) {
    std::snprintf(buffer, sizeof buffer, "%8i:     l |", number);
  } else if (type == LineType::kEndOfFile) {
    std::snprintf(buffer, sizeof buffer, "%8i:     * |", number);
  } else {
    std::snprintf(buffer, sizeof buffer, "%8i:       |", number);
  }
  return buffer;
}

// Marks in the first three columns, a later mark overwriting an earlier
// one. From 100000 lines on the number reaches those columns: the entry is
// then moved right so that the marks never hide a digit.
void AddMarks(std::string& prefix, const SourceLine& line) {
  if (prefix.compare(0, 3, "   ") != 0) prefix.insert(0, "   ");
  const std::uint32_t f = line.flags;
  if (f & LineFlag::kCentred) prefix[0] = 'c';
  if (f & LineFlag::kPreformatted) prefix[1] = '|';
  if (line.preformatScore > 5) prefix[1] = '+';
  if (f & LineFlag::kSampleCode) prefix[1] = 'C';
  if (f & LineFlag::kUserCode) prefix[1] = 'C';
  if (f & LineFlag::kUserDiagram) prefix[1] = 'D';
  if (f & LineFlag::kUserHtml) prefix[1] = 'H';
  if (f & LineFlag::kUserPre) prefix[1] = 'P';
  if (f & LineFlag::kUserTable) prefix[1] = 'T';
  if (f & LineFlag::kHyperlink) prefix[2] = 'u';
  if (f & LineFlag::kContentsList) prefix[2] = 'l';
}

}  // namespace

int DumpLine(LineFile* listing, SourceLine& line, const FC& policy) {
  if (listing == nullptr || listing->CurrentStream() == nullptr) return 0;
  // The dropped lines were counted just before this one.
  int number = policy.document.processedLines - static_cast<int>(line.droppedFurniture.size());
  for (const TextString& dropped : line.droppedFurniture) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%8i:     f |", number++);
    std::string entry = prefix;
    // As AddMarks: the mark columns never hide a digit.
    if (entry.compare(0, 3, "   ") != 0) entry.insert(0, "   ");
    const std::string_view raw = dropped.View();
    entry.append(raw.substr(0, Utf8SafeCut(raw, kListedText)));
    ParsedString text;
    text.SetText(std::string_view(entry));
    listing->WriteWrapped(text);
  }
  if (const SourceLine* annotation = line.Annotation(); annotation != nullptr) {
    listing->WriteText("");
    listing->WriteWrapped(*annotation);
    listing->WriteText("");
    line.ClearAnnotation();
  }
  std::string entry = EntryPrefix(policy.document.processedLines, line);
  AddMarks(entry, line);
  const std::string_view raw = line.rawText.View();
  entry.append(raw.substr(0, Utf8SafeCut(raw, kListedText)));
  ParsedString text;
  text.SetText(std::string_view(entry));
  return listing->WriteWrapped(text);
}

void WriteListingLegend(LineFile& listing) {
  for (const char* text : kLegend) listing.WriteText(text);
}

LineListing::LineListing(PassWork& inner, WriteGuard* guard, const FC& policy)
    : inner_(inner), file_(guard, policy) {}

LineListing::~LineListing() {
  if (!open_) return;
  file_.Close();
  if (recordedIn_->document.listing == &file_) recordedIn_->document.listing = nullptr;
}

int LineListing::Open(const TextString& name, FC& policy) {
  if (name.IsEmpty()) return 1;
  if (!file_.OpenForWriting(name.GetText())) return 0;
  open_ = true;
  recordedIn_ = &policy;
  policy.document.listing = &file_;
  return 1;
}

void LineListing::Finish() {
  if (!open_) return;
  WriteListingLegend(file_);
  if (furnitureListed_) {
    file_.WriteText("  f = page header or footer, dropped with its blank lines");
  }
  file_.Close();
  open_ = false;
  if (recordedIn_->document.listing == &file_) recordedIn_->document.listing = nullptr;
}

void LineListing::LineLeaving(SourceLine& line, FC& policy) {
  inner_.LineLeaving(line, policy);
  if (!line.droppedFurniture.empty()) furnitureListed_ = true;
  if (open_) DumpLine(&file_, line, policy);
}

void LineListing::LineFlushed(SourceLine& line, FC& policy) {
  inner_.LineFlushed(line, policy);
  if (!line.droppedFurniture.empty()) furnitureListed_ = true;
  if (open_) DumpLine(&file_, line, policy);
}
