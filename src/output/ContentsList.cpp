#include "output/ContentsList.h"

#include <string>
#include <string_view>

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "markup/HtmlEscaper.h"
#include "output/AnchorName.h"
#include "output/AttributeText.h"
#include "output/HTMLFile.h"
#include "output/NestingStack.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/ErrorReport.h"
#include "text/LineFile.h"
#include "text/ParsedString.h"
#include "text/TextWriter.h"

namespace {

// Whether a word stands before the number of a heading or contents line of
// level index `index`.
bool HasPrefix(const FC& policy, int lineType, int index) {
  const auto at = static_cast<std::size_t>(index);
  return LineType::IsContentsLine(lineType) ? policy.contentsStyles[at].hasPrefix != 0
                                            : policy.headingStyles[at].hasPrefix != 0;
}

// The contents-list level of an entry: its heading level, 2 for a
// capitalised heading.
int EntryLevel(int lineType) {
  if (LineType::IsNumberedHeading(lineType) || LineType::IsUnderlinedHeading(lineType) ||
      LineType::IsContentsLine(lineType)) {
    return LineType::HeadingLevel(lineType);
  }
  return lineType == LineType::kCapitalisedHeading ? 2 : 1;
}

void AppendLink(TextString& out, const TextString& href, const TextString& text) {
  out.AppendText("<A HREF=\"");
  out.AppendText(href.View());
  out.AppendText("\">");
  out.AppendText(text.View());
  out.AppendText("</A>");
}

}  // namespace

void ContentsList::WriteEntry(std::FILE* stream, const TextString& entry) {
  ParsedString line;
  line.SetText(entry.View());
  line.SetBreakSets(" ", "", "");
  // A run without blanks wider than a line would be cut anywhere. The runs
  // are measured from blank to blank, and only until one is long enough.
  const std::string_view view = entry.View();
  const std::size_t limit = static_cast<std::size_t>(line.width) / 2;
  bool whole = false;
  for (std::size_t start = 0; !whole && view.size() >= limit;) {
    const std::size_t blank = view.find(' ', start);
    const std::size_t end = blank == std::string_view::npos ? view.size() : blank;
    whole = end - start >= limit;
    if (blank == std::string_view::npos) break;
    start = blank + 1;
  }
  WriteWrapped(stream, line, whole);
}

void ContentsList::BuildContentsLine(const FC& policy, int lineType, const TextString& headingText,
                                     const TextString& href, TextString& entry) {
  TextString text = CollapsedHeadingText(headingText.View());
  EscapeHtml(text);

  TextString number;
  TextString title = text;
  int index = 1;
  if (LineType::IsNumberedHeading(lineType) || LineType::IsContentsLine(lineType)) {
    index = LineType::HeadingLevel(lineType) - 1;
    TextString first;
    text.GetWord(1, ' ', first);
    if (HasPrefix(policy, lineType, index)) {
      TextString second;
      text.GetWord(2, ' ', second);
      number = first;
      number.AppendChar(' ');
      number.AppendText(second.View());
      title.ReplaceText(first.GetText(), "", 1);
      title.ReplaceText(second.GetText(), "", 1);
    } else {
      number = first;
      title.ReplaceText(first.GetText(), "", 1);
      if (!LineType::IsContentsLine(lineType)) title.Trim();
    }
  } else if (LineType::IsUnderlinedHeading(lineType)) {
    index = LineType::HeadingLevel(lineType) - 1;
  }

  int size = 4 - index;
  if (6 - policy.largestHeading < size) size = 6 - policy.largestHeading;
  if (6 - policy.smallestHeading > size) size = 6 - policy.smallestHeading;
  if (size < 2) size = 2;
  entry.SetText("<B><font size=");
  entry.AppendNumber(size, false);
  entry.AppendText(">");

  const bool linked = !href.IsEmpty();
  if (number.IsEmpty() && !LineType::IsNumberedHeading(lineType) &&
      !LineType::IsContentsLine(lineType)) {
    if (linked) {
      AppendLink(entry, href, title);
    } else {
      entry.AppendText(title.View());
    }
  } else if (policy.linksOnNumbers != 0) {
    if (linked) {
      AppendLink(entry, href, number);
    } else {
      entry.AppendText(number.View());
    }
    entry.AppendChar(' ');
    entry.AppendText(title.View());
  } else {
    entry.AppendText(number.View());
    entry.AppendChar(' ');
    if (linked) {
      AppendLink(entry, href, title);
    } else {
      entry.AppendText(title.View());
    }
  }
  entry.AppendText("</font></B><BR>");
}

TextString ContentsList::HrefFrom(std::string_view fromDirectory, const FC& policy, int lineType,
                                  const TextString& headingText) const {
  TextString anchor;
  MakeAnchorName(headingText, lineType, policy, anchor);
  TextString page;
  TextString href;
  if (page_.Pages().PageOfSection(anchor.View(), policy, page) == 0) return href;
  TextString target = policy.outputDirectory;
  target.AppendText(page.View());
  target.AppendText(policy.outputExtension.View());
  AppendLinkName(href, RelativeLink(fromDirectory, target.View()).GetText());
  href.AppendChar('#');
  AppendLinkName(href, anchor.GetText());
  return href;
}

int ContentsList::MakeContentsLine(const FC& policy, int lineType, const TextString& headingText,
                                   TextString& entry) {
  const bool external = policy.externalContents != 0 && !policy.document.contentsFileName.IsEmpty();
  const std::string_view from = external ? DirectoryOf(policy.document.contentsFileName.View())
                                         : policy.outputDirectory.View();
  BuildContentsLine(policy, lineType, headingText, HrefFrom(from, policy, lineType, headingText),
                    entry);
  return 1;
}

int ContentsList::WriteDirectoryHeading(FC& policy, const SourceLine& heading, int level) {
  RunContext* run = policy.owner;
  if (policy.makeDirectory == 0 || run == nullptr || run->directoryPage == nullptr) return 0;
  std::FILE* stream = run->directoryPage->CurrentStream();
  TextString text = heading.rawText;
  for (const SourceLine* next = heading.NextLine();
       next != nullptr && next->lineType == LineType::kAppended; next = next->NextLine()) {
    text.AppendChar(' ');
    text.AppendText(next->rawText.View());
  }
  const TextString href = HrefFrom(DirectoryOf(run->directoryPageName.View()), policy,
                                   heading.lineType, heading.rawText);
  TextString entry;
  BuildContentsLine(policy, heading.lineType, text, href, entry);
  HTMLFile::SetIndentLevel(stream, policy.indentDirectoryHeadings != 0 ? level : 1,
                           run->directoryIndentLevel, policy);
  WriteEntry(stream, entry);
  return 1;
}

void ContentsList::WriteContentsList(FC& policy, std::FILE* stream) {
  const RunContext* run = policy.owner;
  if (run == nullptr || run->contentsEntries.empty() || stream == nullptr) return;
  NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
  TextString heading("<H2>");
  const bool coloured = !policy.headingsColour.IsEmpty();
  if (coloured) {
    heading.AppendText("<FONT COLOR=\"");
    AppendAttributeText(heading, policy.headingsColour.GetText());
    heading.AppendText("\">");
  }
  // The font closes inside the heading, so the tags nest.
  heading.AppendText(coloured ? "Table of Contents</FONT></H2>" : "Table of Contents</H2>");
  WriteText(stream, heading.GetText());
  for (const RunContext::ContentsEntry& item : run->contentsEntries) {
    TextString line;
    MakeContentsLine(policy, item.lineType, item.text, line);
    NestingStack(policy).SetLevel(stream, EntryLevel(item.lineType) - 1, NestingStack::kBlockquote);
    WriteEntry(stream, line);
  }
  NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
  WriteText(stream, "<HR>");
}

void ContentsList::OfferContentsEntry(const SourceLine& line, const FC& policy) {
  // A heading in an HTML block is copied as it stands, with no anchor.
  if (policy.owner == nullptr || (line.flags & LineFlag::kOutput) == 0 ||
      LineFlag::IsUserHtml(line.flags)) {
    return;
  }
  if (!LineType::IsHeading(line.lineType)) return;
  AddContentsEntry(*policy.owner, line, policy.document.processedLines);
}

void ContentsList::AddContentsEntry(RunContext& run, const SourceLine& line, int processedLines) {
  const int type = line.lineType;
  if (!LineType::IsHeading(type) && !LineType::IsContentsLine(type)) {
    ReportError("Unexpected contents line type : " + std::to_string(type));
    return;
  }
  run.contentsEntries.push_back({type, line.rawText, processedLines});
}
