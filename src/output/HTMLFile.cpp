#include "output/HTMLFile.h"

#include <string>
#include <string_view>
#include <system_error>

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "output/AnchorName.h"
#include "output/AttributeText.h"
#include "output/ContentsList.h"
#include "output/NestingStack.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/ErrorReport.h"
#include "text/FileIdentity.h"
#include "text/ParsedString.h"
#include "text/TextWriter.h"

namespace {

// Whether headings get contents entries as they are written: a contents
// list is asked for, the document's own list is not used instead, and no
// contents pass has built the list at the top of the page.
bool WritesContentsEntries(const FC& policy) {
  const bool ownList = policy.expectContentsList != 0 && policy.useExistingContents != 0;
  const bool contentsPassRan = policy.owner != nullptr && policy.owner->contentsGenerated != 0;
  return policy.addContentsList != 0 && !ownList && !contentsPassRan;
}

bool ContentsListProduced(const FC& policy) {
  return policy.addContentsList != 0 ||
         (policy.expectContentsList != 0 && policy.useExistingContents != 0);
}

// `directory` with a final '/' when it is not empty.
TextString WithSlash(const TextString& directory) {
  TextString result = directory;
  if (!result.IsEmpty() && result.At(result.Length() - 1) != '/') result.AppendChar('/');
  return result;
}

// Copies the lines of `in` to `stream` byte for byte; a carriage return
// before a line feed is dropped, as when any text file is read, and a last
// line without a line feed still ends with one.
void CopyLines(std::FILE* in, std::FILE* stream) {
  std::string line;
  char buffer[4096];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    for (std::size_t i = 0; i < count; ++i) {
      if (buffer[i] != '\n') {
        line.push_back(buffer[i]);
        continue;
      }
      if (!line.empty() && line.back() == '\r') line.pop_back();
      line.push_back('\n');
      std::fwrite(line.data(), 1, line.size(), stream);
      line.clear();
    }
  }
  if (!line.empty()) {
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stream);
  }
}

void WriteWrappedText(std::FILE* stream, const TextString& text) {
  ParsedString line;
  line.SetText(text.View());
  ::WriteWrapped(stream, line, false);
}

// The two wrapped lines of a META tag whose long CONTENT continues on lines
// indented by eight blanks.
void WriteMeta(std::FILE* stream, const char* name, const TextString& content) {
  TextString first("  <META NAME=\"");
  first.AppendText(name);
  first.AppendText("\"");
  WriteWrappedText(stream, first);
  TextString second("        CONTENT=\"");
  AppendAttributeText(second, content.GetText());
  second.AppendText("\">");
  WriteWrappedText(stream, second);
}

void AppendBodyAttribute(TextString& tag, const char* attribute, const TextString& value) {
  tag.AppendText(attribute);
  tag.AppendText("=\"");
  AppendAttributeText(tag, value.GetText());
  tag.AppendText("\"");
}

}  // namespace

HTMLFile::HTMLFile() = default;

HTMLFile::~HTMLFile() = default;

int HTMLFile::StartFile(const char* name, FC& policy, SourceLine* sectionLine,
                        std::FILE* previousStream) {
  DocumentState& doc = policy.document;
  if (name != nullptr) SetPageBase(name, policy);
  // Named first: the bar that ends the page before links to this one.
  upcomingPage_ = pages_.NamePage(sectionLine != nullptr ? sectionLine->rawText.GetText() : nullptr,
                                  sectionLine != nullptr ? sectionLine->lineType : 0,
                                  doc.processedLines, policy);
  EndPreviousPage(policy, sectionLine, previousStream);

  const TextString page = upcomingPage_;
  if (sectionLine != nullptr && doc.firstPageName.IsEmpty()) doc.firstPageName = page;
  TextString fullName = policy.outputDirectory;
  fullName.AppendText(page.View());
  fullName.AppendText(policy.outputExtension.View());

  TextString report("Generating HTML file ");
  report.AppendText(fullName.View());
  policy.StatusMessage(report);
  if (doc.listing != nullptr) {
    TextString start(">>> Start of HTML file ");
    start.AppendText(fullName.View());
    start.AppendText(" <<<");
    doc.listing->WriteText("");
    doc.listing->WriteText(start);
    doc.listing->WriteText("");
  }

  if (OpenForWriting(fullName.GetText()) == 0) {
    TextString message("ERROR: Can't open file \"");
    message.AppendText(fullName.View());
    message.AppendText("\"");
    policy.Message(message, 10);
    return 0;
  }
  if (policy.useDosFilenames != 0) ++doc.dosPageCounter;
  doc.linesAtPageStart = doc.processedLines;
  doc.previousPageName = doc.currentPageName;
  const std::size_t slash = page.View().rfind('/');
  doc.currentPageName.SetText(slash == std::string_view::npos ? page.View()
                                                              : page.View().substr(slash + 1));

  TextString title, description, keywords, styleSheet;
  GetPageProperties(policy, title, description, keywords, styleSheet);
  WriteHTMLHead(CurrentStream(), title, styleSheet, keywords, description, policy.scriptFile,
                policy.headerFile, policy, false);
  return 1;
}

void HTMLFile::EndPreviousPage(FC& policy, SourceLine* sectionLine, std::FILE* previousStream) {
  DocumentState& doc = policy.document;
  if (!ContentsListProduced(policy) || sectionLine == nullptr || doc.contentsFile != nullptr) {
    if (previousStream != nullptr) {
      WriteHTMLFooter(previousStream, sectionLine, policy, policy.footerFile, false, true);
    }
    if (Depth() > 0) Close();
    return;
  }
  // The first split of a document with a contents list: the first page stays
  // open in the contents holder, which goes on receiving contents entries
  // while the later pages are written; its footer comes with the list's end.
  NestingStack(policy).SetLevel(CurrentStream(), 0, NestingStack::kBlockquote);
  contentsHolder_ = std::make_unique<LineFile>(this);
  holderIsFirstPage_ = true;
  doc.contentsFile = contentsHolder_.get();
  contentsHolder_->WriteText("<P>");
  for (const auto& [entry, level] : keptEntries_) {
    SetIndentLevel(contentsHolder_->CurrentStream(), level - 1, doc.contentsIndentLevel, policy);
    ContentsList::WriteEntry(contentsHolder_->CurrentStream(), entry);
  }
  keptEntries_.clear();
  ResetFiles();
}

void HTMLFile::SetContentsFile(std::unique_ptr<LineFile> holder, FC& policy) {
  contentsHolder_ = std::move(holder);
  policy.document.contentsFile = contentsHolder_.get();
  contentsHolder_->WriteText("<P>");
}

void HTMLFile::FinishContentsFile(const TextString& base, FC& policy) {
  if (!contentsHolder_) return;
  if (policy.externalContents == 0 || contentsEntryWritten_) {
    contentsHolder_->WriteText("");
    return;
  }
  const std::string level = std::to_string(policy.largestHeading);
  TextString line("<H" + level + ">");
  const bool coloured = !policy.headingsColour.IsEmpty();
  if (coloured) {
    line.AppendText("<FONT COLOR=\"");
    AppendAttributeText(line, policy.headingsColour.GetText());
    line.AppendText("\">");
  }
  TextString target = base;
  target.AppendText(policy.outputExtension.View());
  line.AppendText("CONTENTS FOR \"<A HREF=\"");
  AppendLinkName(line, target.GetText());
  line.AppendText("\">");
  line.AppendText(base.View());
  line.AppendText("</A>\"");
  if (coloured) line.AppendText("</FONT>");
  line.AppendText("</H" + level + ">");
  contentsHolder_->WriteText(line);
}

void HTMLFile::CloseContentsFile(const TextString& base, FC& policy) {
  if (!contentsHolder_ || contentsHolder_->CurrentStream() == CurrentStream()) return;
  // The closing line goes before the footer, so the page ends with </HTML>.
  FinishContentsFile(base, policy);
  WriteHTMLFooter(contentsHolder_->CurrentStream(), nullptr, policy, policy.footerFile, true, true);
  contentsHolder_->Close();
}

void HTMLFile::KeepContentsEntry(const TextString& entry, int level) {
  keptEntries_.emplace_back(entry, level);
}

bool HTMLFile::HolderNeedsAnchor(const TextString& anchor) {
  if (holderIsFirstPage_ && pages_.HasAnchor(pages_.FirstPage().View(), anchor.View())) {
    return false;
  }
  return holderAnchors_.emplace(anchor.View()).second;
}

bool HTMLFile::HolderHasAnchor(const SourceLine& next, const TextString& anchor,
                               const FC& policy) const {
  if (holderAnchors_.contains(anchor.View())) return true;
  // The document's own contents list may hold the anchor on the first page.
  if (holderIsFirstPage_ && pages_.HasAnchor(pages_.FirstPage().View(), anchor.View())) {
    return true;
  }
  // The entry of the heading that starts the next page is written into the
  // holder right after the bar.
  const int level = LineType::HeadingLevel(next.lineType);
  const bool numberedParagraph =
      level >= 1 && level <= PolicyValues::kHeadingLevels &&
      policy.headingStyles[static_cast<std::size_t>(level - 1)].numberedParagraph != 0;
  return WritesContentsEntries(policy) && !numberedParagraph;
}

void HTMLFile::WriteHeadingEntries(std::FILE* stream, const SourceLine& line, FC& policy,
                                   const BodyWriter::HeadingEntry& heading) {
  WriteContentsEntry(stream, line, policy, heading);
  if (policy.makeDirectory != 0 && headingEntries_ != nullptr && policy.owner != nullptr &&
      policy.owner->directoryPage != nullptr) {
    headingEntries_->WriteDirectoryHeading(policy, line, heading.level);
  }
}

void HTMLFile::WriteContentsEntry(std::FILE* stream, const SourceLine& line, FC& policy,
                                  const BodyWriter::HeadingEntry& heading) {
  if (headingEntries_ == nullptr || !WritesContentsEntries(policy)) return;
  TextString entry;
  if (headingEntries_->MakeContentsLine(policy, line.lineType, heading.text, entry) == 0) {
    entry.Clear();
  }
  LineFile* holder = policy.document.contentsFile;
  std::FILE* target = holder != nullptr ? holder->CurrentStream() : stream;
  if (target == stream) {
    // Before the first split the holder does not exist yet: the entry is
    // kept for it. The heading's own anchor is on the first page already.
    if (policy.splitKnown != 0 && !entry.IsEmpty()) {
      KeepContentsEntry(entry, heading.level);
      return;
    }
    ReportError("Contents file == Output file !!");
    return;
  }
  if (HolderNeedsAnchor(heading.anchor)) {
    TextString entryAnchor = AnchorTag(heading.anchor.GetText());
    entryAnchor.AppendText(" </A>");
    ::WriteText(target, entryAnchor.GetText());
  }
  SetIndentLevel(target, heading.level - 1, policy.document.contentsIndentLevel, policy);
  if (!entry.IsEmpty()) ContentsList::WriteEntry(target, entry);
  contentsEntryWritten_ = true;
}

int HTMLFile::WriteHTMLHead(std::FILE* stream, const TextString& title,
                            const TextString& styleSheet, const TextString& keywords,
                            const TextString& description, const TextString& scriptFile,
                            const TextString& headerFile, const FC& policy, bool isDirectoryPage) {
  if (stream == nullptr) return 0;
  ::WriteText(stream, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">");
  ::WriteText(stream, "<HTML>");
  ::WriteText(stream, "<HEAD>");
  ::WriteText(stream, "");
  TextString line("  <!-- Converted by ");
  line.AppendText(policy.productName.View());
  line.AppendText(" -->");
  ::WriteText(stream, line.GetText());
  ::WriteText(stream, "");

  if (!title.IsEmpty()) {
    line.SetText("  <TITLE>");
    line.AppendText(title.View());
    line.AppendText("</TITLE>");
  } else if (isDirectoryPage) {
    line.SetText("<TITLE>Directory Index</TITLE>");
  } else {
    line.SetText("<TITLE>Converted from \"");
    line.AppendText(policy.document.sourceName.View());
    line.AppendText("\"</TITLE>");
  }
  ::WriteText(stream, line.GetText());

  if (!styleSheet.IsEmpty()) {
    line.SetText("  <LINK REL=\"STYLESHEET\" HREF=\"");
    AppendAttributeText(line, styleSheet.GetText());
    line.AppendText("\" TYPE=\"text/css\">");
    ::WriteText(stream, line.GetText());
  }
  if (!keywords.IsEmpty()) WriteMeta(stream, "KEYWORDS", keywords);
  if (!description.IsEmpty()) WriteMeta(stream, "DESCRIPTION", description);
  if (policy.owner != nullptr && policy.owner->utf8Text != 0) {
    ::WriteText(stream,
                "  <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">");
  }
  ::WriteText(stream, "  <META NAME=\"GENERATOR\" CONTENT=\"Kelvane's Webloom\">");
  if (!scriptFile.IsEmpty()) IncludeFile(stream, scriptFile.GetText(), policy);
  ::WriteText(stream, "");
  ::WriteText(stream, "</HEAD>");
  ::WriteText(stream, "");

  TextString body("<BODY");
  if (!policy.textColour.IsEmpty()) AppendBodyAttribute(body, " TEXT", policy.textColour);
  if (!policy.unvisitedLinkColour.IsEmpty()) {
    AppendBodyAttribute(body, " LINK", policy.unvisitedLinkColour);
  }
  if (!policy.visitedLinkColour.IsEmpty()) {
    AppendBodyAttribute(body, " VLINK", policy.visitedLinkColour);
  }
  if (!policy.activeLinkColour.IsEmpty()) {
    AppendBodyAttribute(body, " ALINK", policy.activeLinkColour);
  }
  if (!policy.backgroundColour.IsEmpty()) {
    AppendBodyAttribute(body, " BGCOLOR", policy.backgroundColour);
  } else {
    body.AppendText(" BGCOLOR=\"#FFFFFF\"");
  }
  if (!policy.backgroundImage.IsEmpty()) {
    AppendBodyAttribute(body, " BACKGROUND", policy.backgroundImage);
  }
  body.AppendText(">");
  ::WriteText(stream, body.GetText());

  if (!headerFile.IsEmpty()) IncludeFile(stream, headerFile.GetText(), policy);
  return 1;
}

int HTMLFile::WriteHTMLFooter(std::FILE* stream, const SourceLine* nextSectionLine, FC& policy,
                              const TextString& footerFile, bool isContentsFile,
                              bool addNavigationBar) {
  if (stream == nullptr) return 0;
  CloseBlocks(stream, policy, isContentsFile);
  // A block still being collected is written before the page ends; the
  // collected lines would otherwise be lost.
  if (!isContentsFile) body_.FinishBlock(stream, policy);
  policy.document.preOpen = 0;
  policy.document.insidePreBlock = 0;
  if (addNavigationBar && policy.addNavigationBar != 0 && policy.splitLevel != 0) {
    WriteNavigationBar(stream, nextSectionLine, policy, isContentsFile);
  }
  if (!footerFile.IsEmpty()) IncludeFile(stream, footerFile.GetText(), policy);
  ::WriteText(stream, "</BODY>");
  return ::WriteText(stream, "</HTML>");
}

void HTMLFile::CloseBlocks(std::FILE* stream, FC& policy, bool isContentsFile) {
  if (!isContentsFile) {
    NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
    return;
  }
  const LineFile* holder = policy.document.contentsFile;
  if (holder != nullptr && holder->CurrentStream() != nullptr) {
    SetIndentLevel(holder->CurrentStream(), 0, policy.document.contentsIndentLevel, policy);
  }
}

int HTMLFile::WriteNavigationBar(std::FILE* stream, const SourceLine* nextSectionLine, FC& policy,
                                 bool isContentsFile) {
  if (stream == nullptr) return 0;
  const DocumentState& doc = policy.document;
  CloseBlocks(stream, policy, isContentsFile);
  ::WriteText(stream, "");
  ::WriteText(stream, "<!--- Start of Navigation Bar --->");
  ::WriteText(stream, "");
  ::WriteText(stream, "<HR>");
  ::WriteText(stream, "<P>");

  const auto link = [&policy](const TextString& page) {
    TextString target = page;
    target.AppendText(policy.outputExtension.View());
    TextString encoded;
    AppendLinkName(encoded, target.GetText());
    return encoded;
  };

  TextString item;
  if (!isContentsFile && !doc.previousPageName.IsEmpty()) {
    item.SetText("<A HREF=\"");
    item.AppendText(link(doc.previousPageName).View());
    item.AppendText("\">Prev</A> ");
  } else {
    item.SetText("Prev ");
  }
  WriteWrappedText(stream, item);

  if (nextSectionLine != nullptr) {
    item.SetText("| <A HREF=\"");
    item.AppendText(link(upcomingPage_).View());
    item.AppendText("\">Next</A> ");
  } else if (isContentsFile) {
    item.SetText("| <A HREF=\"");
    item.AppendText(link(doc.firstPageName).View());
    item.AppendText("\">Next</A> ");
  } else {
    item.SetText("| Next ");
  }
  WriteWrappedText(stream, item);

  if (ContentsListProduced(policy)) {
    const LineFile* holder = doc.contentsFile;
    if (!isContentsFile && holder != nullptr && holder->CurrentFileName() != nullptr) {
      item.SetText("| <A HREF=\"");
      AppendLinkName(
          item, RelativeLink(policy.outputDirectory.View(), holder->CurrentFileName()).GetText());
      if (nextSectionLine != nullptr) {
        TextString anchor;
        MakeAnchorName(*nextSectionLine, policy, anchor);
        if (!anchor.IsEmpty() && HolderHasAnchor(*nextSectionLine, anchor, policy)) {
          item.AppendChar('#');
          AppendLinkName(item, anchor.GetText());
        }
      }
      item.AppendText("\">Contents</A>");
      WriteWrappedText(stream, item);
    } else {
      ::WriteText(stream, "| Contents");
    }
  }

  ::WriteText(stream, "</P>");
  ::WriteText(stream, "");
  ::WriteText(stream, "<!---   End of Navigation Bar --->");
  return ::WriteText(stream, "");
}

bool HTMLFile::IncludeFile(std::FILE* stream, const char* fileName, const FC& policy) {
  if (stream == nullptr) return false;
  const std::string_view given(fileName != nullptr ? fileName : "");
  const std::size_t slash = given.rfind('/');
  const std::string_view shown = slash == std::string_view::npos ? given : given.substr(slash + 1);
  TextString fullName;
  if (slash == std::string_view::npos) fullName = WithSlash(policy.inputDirectory);
  fullName.AppendText(given);

  std::FILE* in = OpenRegularFile(fullName.GetText());
  TextString line;
  if (in == nullptr) {
    ::WriteText(stream, "");
    line.SetText("<!--- Failed to find include file \"");
    line.AppendText(shown);
    line.AppendText("\" --->");
    ::WriteText(stream, line.GetText());
    ::WriteText(stream, "");
    TextString message("ERROR: Failed to find include file \"");
    message.AppendText(fullName.View());
    message.AppendText("\"");
    message.AppendText(std::string_view(ReadProblem(fullName.GetText())));
    policy.Message(message, 10);
    return false;
  }

  ::WriteText(stream, "");
  line.SetText("<!--- Start of include file \"");
  line.AppendText(shown);
  line.AppendText("\" --->");
  ::WriteText(stream, line.GetText());
  CopyLines(in, stream);
  std::fclose(in);
  line.SetText("<!---   End of include file \"");
  line.AppendText(shown);
  line.AppendText("\" --->");
  ::WriteText(stream, line.GetText());
  ::WriteText(stream, "");
  return true;
}

int HTMLFile::SetIndentLevel(std::FILE* stream, int level, int& currentLevel, const FC& policy) {
  if (stream == nullptr) return 0;
  if (level < 0) {
    TextString message("ERROR: Invalid Indent Level ");
    message.AppendNumber(level, false);
    policy.Message(message, 9);
    level = 0;
  }
  if (level != currentLevel)
    WriteWrappedText(stream, TextString(NestingStack::ParagraphMark(policy)));
  while (currentLevel < level) {
    TextString text(NestingStack::Indent(currentLevel, policy));
    text.AppendText("<BLOCKQUOTE>");
    WriteWrappedText(stream, text);
    ++currentLevel;
  }
  while (currentLevel > level) {
    --currentLevel;
    TextString text(NestingStack::Indent(currentLevel, policy));
    text.AppendText("</BLOCKQUOTE>");
    WriteWrappedText(stream, text);
  }
  return 1;
}

void HTMLFile::GetPageProperties(const FC& policy, TextString& title, TextString& description,
                                 TextString& keywords, TextString& styleSheet) {
  const RunContext* run = policy.owner;
  title.Clear();
  if (run != nullptr && !run->title.IsEmpty()) {
    title = run->title;
  } else if (run != nullptr && policy.firstHeadingAsTitle != 0 &&
             !run->firstHeadingTitle.IsEmpty()) {
    title = run->firstHeadingTitle;
  } else if (run != nullptr && policy.firstLineAsTitle != 0 && !run->firstLineTitle.IsEmpty()) {
    title = run->firstLineTitle;
  } else {
    title = policy.documentTitle;
  }
  description = policy.documentDescription;
  if (description.IsEmpty() && run != nullptr) description = run->description;
  keywords = policy.documentKeywords;
  if (keywords.IsEmpty() && run != nullptr) keywords = run->keywords;
  styleSheet = policy.styleSheet;
  if (styleSheet.IsEmpty() && run != nullptr) styleSheet = run->styleSheet;
}
