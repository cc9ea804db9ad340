#include "output/BodyWriter.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "markup/MarkupScan.h"
#include "output/AnchorName.h"
#include "output/AttributeText.h"
#include "output/BlockWriter.h"
#include "output/ContentsList.h"
#include "output/DocumentPages.h"
#include "output/HeadingEntries.h"
#include "output/IndentLevel.h"
#include "output/LinkPasses.h"
#include "output/NestingStack.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/CharClass.h"
#include "text/ErrorReport.h"
#include "text/LineFile.h"
#include "text/ParsedString.h"
#include "text/TextWriter.h"

namespace {

// ReplaceText(word, with, 1), in place: the line keeps its store, and no
// copy of it is built.
void ReplaceFirst(TextString& text, const TextString& word, const char* with) {
  const std::string_view pattern = word.GetText();
  const std::size_t at = pattern.empty() ? std::string_view::npos : text.View().find(pattern);
  if (at == std::string_view::npos) return;
  text.ReplaceSubString(static_cast<int>(at), static_cast<int>(pattern.size()), with);
}

// <Hn> tags of headings never go beyond H3, whatever the policies allow.
constexpr int kSmallestHeadingTag = 3;

bool IsContinuation(int type) {
  return type == LineType::kBulletContinuation || type == LineType::kHangingContinuation ||
         type == LineType::kDefinitionContinuation;
}

// The first occurrence of `pattern` in `text` that does not lie inside a tag,
// so that the blanks and marks inside a link or emphasis tag are never taken
// for the text's own.
// `minimum` is the first position a match may take.
std::size_t FindOutsideTags(std::string_view text, std::string_view pattern,
                            std::size_t minimum = 0) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t tag = TagLengthAt(text, pos);
    if (tag > 0) {
      pos += tag;
      continue;
    }
    if (pos >= minimum && text.substr(pos, pattern.size()) == pattern) return pos;
    ++pos;
  }
  return std::string_view::npos;
}

// The column where the second word of the line as read begins, or its indent
// when it has no second word.
int SecondWordColumn(const SourceLine& line) {
  const TextString& raw = line.rawText;
  int start = 0;
  while (IsBlank(raw.At(start))) ++start;
  TextString word;
  int offset = 0;
  if (start < raw.Length() && raw.GetWord(start, 2, ' ', word, offset)) return start + offset;
  return line.indent;
}

// The raw text of a heading together with the lines appended to it, blanks
// collapsed and trimmed. A blank joins the lines, so that a continuation
// written from the first column does not run into the word before it.
TextString FullHeadingText(const SourceLine& line) {
  const SourceLine* appended = line.NextLine();
  if (appended == nullptr || appended->lineType != LineType::kAppended) {
    return CollapsedHeadingText(line.rawText.View());
  }
  TextString text = line.rawText;
  for (const SourceLine* next = appended;
       next != nullptr && next->lineType == LineType::kAppended; next = next->NextLine()) {
    text.AppendChar(' ');
    text.AppendText(next->rawText.View());
  }
  return CollapsedHeadingText(text.View());
}

// With "Minimum automatic <PRE> size" of 2 or more, a block starts only when
// that many lines after this one exist and are pre-formatted.
bool EnoughPreformattedLines(const SourceLine& line, const FC& policy) {
  if (policy.minPreSize < 2) return true;
  const SourceLine* next = line.NextLine();
  for (int i = 0; i < policy.minPreSize; ++i) {
    if (next == nullptr || !LineFlag::IsPreformatted(next->flags)) return false;
    next = next->NextLine();
  }
  return true;
}

// True when the output text carries a link, which must never be cut: it
// holds HREF=" in either case. Every line is asked, so the search goes from
// '=' to '=' (rare in text) instead of trying every letter.
bool HasLink(std::string_view text) {
  constexpr std::string_view kName = "HREF";
  for (std::size_t at = text.find('=', kName.size()); at != std::string_view::npos;
       at = text.find('=', at + 1)) {
    if (at + 1 >= text.size() || text[at + 1] != '"') continue;
    bool same = true;
    for (std::size_t i = 0; i < kName.size() && same; ++i) {
      same = ToUpper(text[at - kName.size() + i]) == kName[i];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

bool BodyWriter::BeginFullLine(std::FILE* stream, SourceLine& line, FC& policy,
                               DocumentPages& pages) {
  DocumentState& doc = policy.document;
  const int type = line.lineType;
  const bool html = LineFlag::IsUserHtml(line.flags);
  const bool userSpecified = LineFlag::IsUserRegion(line.flags);
  const bool preformatted = LineFlag::IsPreformatted(line.flags) || userSpecified;

  const Previous previous = previous_;
  previous_ = {type, line.flags};

  const bool blockOpenAtStart = doc.preOpen != 0;
  bool justAfterBlock = false;
  bool firstLineOfBlock = false;

  // A user-specified region is a block of its own, whatever comes before or
  // after it, so that each takes its own table settings.
  const bool regionBoundary = (line.flags & LineFlag::kUserRegionStart) != 0 ||
                              (previous.IsUserSpecified() && !userSpecified);
  if (doc.preOpen != 0 && doc.insidePreBlock != 0 && (html || !preformatted || regionBoundary)) {
    justAfterBlock = EndBlock(stream, policy, previous);
  }

  const bool opensBlock = doc.preOpen == 0 && preformatted && type != LineType::kAppended &&
                          type != LineType::kHeadingPart &&
                          (userSpecified || EnoughPreformattedLines(line, policy));
  // A quoted run's emphasis closes before the levels around it do.
  if (emphasisOpen_ && (type != LineType::kQuoted || opensBlock)) {
    WriteText(stream, "</EM>");
    emphasisOpen_ = false;
  }
  if (opensBlock) {
    NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
    doc.preOpen = 1;
    doc.insidePreBlock = 1;
    firstLineOfBlock = true;
    // The contents pass collects nothing of a block (see EndBlock).
    if (!blockOpen_ && policy.contentsPass == 0) OpenBlockRecord();
  }

  if (policy.contentsPass != 0 || stream == nullptr) return false;

  Centre(stream, line, policy, previous, firstLineOfBlock);
  // Only a quoted line may open a run: the others are spared the call.
  if (line.lineType == LineType::kQuoted && !emphasisOpen_) {
    QuotedRun(stream, line, policy, previous, justAfterBlock);
  }

  pending_.write = true;
  pending_.previous = previous;
  pending_.blockOpenAtStart = blockOpenAtStart;
  pending_.insideBlock = doc.insidePreBlock != 0;
  if (pending_.insideBlock || type == LineType::kEndOfFile || html || !LineType::IsHeading(type)) {
    return false;
  }
  // The break after text belongs to the page the heading may end.
  if (previous.type == LineType::kText && doc.processedLines > 2) WriteText(stream, "<BR>");
  return pages.StartsPage(type, line.rawText, doc.processedLines, policy);
}

const BodyWriter::HeadingEntry& BodyWriter::FinishLine(std::FILE* stream, SourceLine& line,
                                                       FC& policy, HeadingEntries* entries) {
  heading_.level = 0;
  if (!pending_.write) return heading_;
  pending_.write = false;
  entries_ = entries;
  DocumentState& doc = policy.document;
  const int type = line.lineType;
  const bool html = LineFlag::IsUserHtml(line.flags);
  const bool insideBlock = pending_.insideBlock;
  if (!insideBlock && WritePlainText(stream, line, policy)) return heading_;
  // The line is marked up in the output buffer, which keeps its store from
  // line to line; a line collected into a block needs no copy. A plain copy
  // of the whole text is the cheapest one.
  TextString& text = bodyLine_;
  if (!insideBlock) text = static_cast<const TextString&>(line);

  Output output = Output::kBody;
  if (!insideBlock && type != LineType::kEndOfFile && !html) {
    output = MarkupByType(stream, line, policy, text, pending_.previous, pending_.blockOpenAtStart);
  }
  if (output == Output::kNone) return heading_;
  if (type != LineType::kEndOfFile) bodyWritten_ = true;

  if (insideBlock) {
    if (blockOpen_) block_->AddLine(line);
  } else if (html) {
    NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
    WriteText(stream, text.View());
  } else if (type == LineType::kEndOfFile) {
    // The end-of-file marker closes what is open; it has no text of its own.
  } else if (output == Output::kContentsList) {
    const LineFile* holder = doc.contentsFile;
    std::FILE* target =
        holder != nullptr && holder->CurrentStream() != nullptr ? holder->CurrentStream() : stream;
    ContentsList::WriteEntry(target, text);
  } else {
    WriteBodyText(stream, line, policy);
  }
  return heading_;
}

// One record serves every block of the page, so that its line copies keep
// their store from block to block.
void BodyWriter::OpenBlockRecord() {
  if (block_) {
    block_->Clear();
  } else {
    block_ = std::make_unique<PreformattedBlock>();
  }
  blockOpen_ = true;
}

void BodyWriter::FinishBlock(std::FILE* stream, FC& policy) {
  if (policy.document.preOpen != 0) EndBlock(stream, policy, previous_);
  policy.document.preOpen = 0;
  policy.document.insidePreBlock = 0;
}

bool BodyWriter::EndBlock(std::FILE* stream, FC& policy, const Previous& previous) {
  policy.document.preOpen = 0;
  policy.document.insidePreBlock = 0;
  // The contents pass only keeps the bookkeeping: nothing of a block is
  // written, analysed or taken from the table configuration queue.
  if (policy.contentsPass != 0 || !blockOpen_) return false;
  blockOpen_ = false;
  PreformattedBlock* const block = block_.get();

  const std::uint32_t f = previous.flags;
  block->SetUserKinds((f & LineFlag::kUserPre) != 0, (f & LineFlag::kUserTable) != 0,
                      (f & LineFlag::kUserCode) != 0, (f & LineFlag::kUserDiagram) != 0);
  const bool user = block->IsUserSpecified();
  const bool parse = policy.attemptTables != 0 || user;
  // A user-specified block takes the settings queued when its start was
  // read, then gives them up for the next block.
  const TableConfig config = user ? policy.OldestTableConfig() : policy.tableDefaults;
  if (user && policy.IsOutputPass() && policy.TableConfigCount() > 0) policy.DeleteOldTabConfig();
  BlockWriter writer(*block, stream, policy, config, pages_, &numberScratch_);
  if (parse) {
    writer.WriteBlock(user);
  } else {
    writer.WritePreformatted();
  }
  return parse;
}

void BodyWriter::Centre(std::FILE* stream, const SourceLine& line, const FC& policy,
                        const Previous& previous, bool firstLineOfBlock) {
  if (policy.allowCentring == 0) return;
  const bool centred = (line.flags & LineFlag::kCentred) != 0;
  if (policy.document.insidePreBlock != 0) {
    if (centringOpen_ && firstLineOfBlock) {
      WriteText(stream, "</CENTER>");
      centringOpen_ = false;
    }
    return;
  }
  if (!centringOpen_) {
    const SourceLine* next = line.NextLine();
    const bool opens =
        (policy.document.processedLines < 2 || previous.type == LineType::kBlank) && centred &&
        next != nullptr &&
        (next->lineType == LineType::kBlank || (next->flags & LineFlag::kCentred) != 0);
    if (opens) {
      WriteText(stream, "<CENTER>");
      centringOpen_ = true;
    }
  } else if (line.lineType != LineType::kBlank && !centred) {
    WriteText(stream, "</CENTER>");
    centringOpen_ = false;
  }
}

void BodyWriter::QuotedRun(std::FILE* stream, const SourceLine& line, const FC& policy,
                           const Previous& previous, bool justAfterBlock) {
  const bool quoted = line.lineType == LineType::kQuoted;
  const bool previousQuoted = previous.type == LineType::kQuoted;
  const bool outside = policy.document.insidePreBlock == 0;
  if (emphasisOpen_ || !quoted || !((outside && !previousQuoted) || justAfterBlock)) return;
  const bool breakBefore = previous.type != LineType::kBlank && !previous.ShortLine();
  emphasisOpen_ = true;
  // Outside a block the line nests first (MarkupByType), so that the
  // emphasis opens inside its levels.
  pendingEmphasis_ = breakBefore ? "<BR><EM>" : "<EM>";
  if (!outside || LineFlag::IsUserHtml(line.flags)) WriteOpeningEmphasis(stream);
}

void BodyWriter::WriteOpeningEmphasis(std::FILE* stream) {
  if (pendingEmphasis_ == nullptr) return;
  WriteText(stream, pendingEmphasis_);
  pendingEmphasis_ = nullptr;
}

BodyWriter::Output BodyWriter::MarkupByType(std::FILE* stream, SourceLine& line, FC& policy,
                                            TextString& text, const Previous& previous,
                                            bool blockOpenAtStart) {
  const int type = line.lineType;
  // The level of the line's indent, found only for the kinds of line that
  // nest by it: blank lines and headings never ask.
  const auto indentLevel = [&line, &policy] { return IndentLevel(line.indent, policy); };
  switch (type) {
    case LineType::kBlank:
    case LineType::kBulletBlank:
      // Blank lines above the first text of the body separate nothing; an
      // empty document thus gets a page with no body line.
      if (!bodyWritten_) return Output::kNone;
      if (previous.type == LineType::kBlank || previous.type == LineType::kBulletBlank) {
        if (policy.ignoreMultipleBlankLines != 0) return Output::kNone;
        text.SetText("<BR>");
      } else {
        // A blank line that ends a block of pre-formatted text writes nothing.
        if (blockOpenAtStart) return Output::kNone;
        text.SetText(NestingStack::ParagraphMark(policy));
      }
      return Output::kBody;
    case LineType::kFormFeed:
    case LineType::kRule:
      NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
      text.SetText("<HR>");
      return Output::kBody;
    case LineType::kNewParagraph:
      NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
      WriteText(stream, NestingStack::ParagraphMark(policy));
      return Output::kBody;
    case LineType::kHangingParagraph:
      HangingParagraph(stream, policy, text, indentLevel());
      return Output::kBody;
    case LineType::kHangingContinuation:
    case LineType::kDefinitionContinuation: {
      const SourceLine* next = line.NextLine();
      if (policy.useDefinitionLists != 0 && next != nullptr && !IsContinuation(next->lineType)) {
        text.AppendText("</DD>");
      }
      return Output::kBody;
    }
    case LineType::kBulletChar: {
      NestingStack(policy).SetLevel(stream, indentLevel() + 1, "UL");
      TextString bullet;
      if (text.GetWord(1, ' ', bullet) && !bullet.IsEmpty()) {
        ReplaceFirst(text, bullet, "<LI>");
      }
      return Output::kBody;
    }
    case LineType::kBulletContinuation:
      return Output::kBody;
    case LineType::kDefinition:
      Definition(stream, line, policy, text, previous, indentLevel());
      return Output::kBody;
    case LineType::kQuoted:
      NestingStack(policy).SetLevel(stream, indentLevel(), NestingStack::kBlockquote);
      WriteOpeningEmphasis(stream);
      text.AppendText("<BR>");
      return Output::kBody;
    case LineType::kAppended:
    case LineType::kHeadingPart:
      return Output::kNone;
    default:
      break;
  }
  if (LineType::IsHeading(type)) return Heading(stream, line, policy, text);
  if (LineType::IsContentsLine(type)) return ContentsLine(stream, line, policy, text, previous);
  if (LineType::IsEnumeratedBullet(type)) {
    ListItem(stream, line, policy, text, indentLevel());
    return Output::kBody;
  }
  NestingStack(policy).SetLevel(stream, indentLevel(), NestingStack::kBlockquote);
  if ((line.flags & LineFlag::kUrlBreak) != 0) text.AppendText("<BR>");
  return Output::kBody;
}

BodyWriter::Output BodyWriter::Heading(std::FILE* stream, SourceLine& line, FC& policy,
                                       TextString& text) {
  const int type = line.lineType;
  const int level = type == LineType::kCapitalisedHeading ? 2 : LineType::HeadingLevel(type);

  const HeadingStyle& style = policy.headingStyles[static_cast<std::size_t>(level - 1)];
  const bool numberedParagraph = style.numberedParagraph != 0;
  if (numberedParagraph) {
    int column = SecondWordColumn(line);
    const SourceLine* next = line.NextLine();
    if (next != nullptr && (next->lineType == LineType::kText || IsContinuation(next->lineType))) {
      column = next->indent;
    }
    NestingStack(policy).SetLevel(stream, IndentLevel(column, policy), NestingStack::kBlockquote);
  } else {
    NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
  }

  TextString anchor;
  MakeAnchorName(line, policy, anchor);
  const TextString anchorLine = AnchorTag(anchor.GetText());
  // A numbered paragraph's text does not close the anchor, so its anchor is
  // written closed: an open one would swallow the rest of the page. So is
  // the anchor of a heading that carries a link, as an anchor cannot hold
  // another.
  const bool closedAnchor = numberedParagraph || HasLink(text.View());
  TextString pageAnchor = anchorLine;
  if (closedAnchor) pageAnchor.AppendText(" </A>");
  WriteText(stream, pageAnchor.GetText());
  if (LineType::IsNumberedHeading(type)) {
    pages_->AddNumberedSection(anchor, line.sectionNumber);
  } else {
    pages_->AddSection(anchor);
  }

  // The page writes the heading's entries into the contents holder and the
  // Directory page, files of their own.
  if (!numberedParagraph) heading_ = {level, anchor, FullHeadingText(line)};

  if (numberedParagraph) {
    WriteText(stream, NestingStack::ParagraphMark(policy));
    TextString word;
    if (text.GetWord(1, ' ', word) && !word.IsEmpty()) {
      TextString bold("<B>");
      bold.AppendText(word.View());
      bold.AppendText("</B>");
      ReplaceFirst(text, word, bold.GetText());
    }
    return Output::kBody;
  }

  int tagLevel = level;
  if (tagLevel > policy.smallestHeading) tagLevel = policy.smallestHeading;
  if (tagLevel < policy.largestHeading) tagLevel = policy.largestHeading;
  if (tagLevel > kSmallestHeadingTag) tagLevel = kSmallestHeadingTag;
  const std::string number = std::to_string(tagLevel);
  TextString heading;
  const bool coloured = !policy.headingsColour.IsEmpty();
  if (coloured) {
    heading.SetText("<FONT COLOR=\"");
    AppendAttributeText(heading, policy.headingsColour.GetText());
    heading.AppendText("\">");
  }
  heading.AppendText("<H" + number + ">");
  heading.AppendText(text.View());
  if (coloured) heading.AppendText("</FONT>");
  heading.AppendText("</H" + number + ">");
  if (!closedAnchor) heading.AppendText("</A>");
  text = heading;
  return Output::kBody;
}

BodyWriter::Output BodyWriter::ContentsLine(std::FILE* stream, const SourceLine& line, FC& policy,
                                            TextString& text, const Previous& previous) {
  const bool stays = policy.addContentsList == 0 || policy.externalContents != 0 ||
                     policy.splitKnown != 0 ||
                     (policy.expectContentsList != 0 && policy.useExistingContents != 0);
  // Otherwise a generated contents list replaces the document's own.
  if (!stays) return Output::kNone;

  if (previous.type == LineType::kText) WriteText(stream, "<BR>");
  const int level = LineType::HeadingLevel(line.lineType);
  if (policy.document.nestingLevel != level) {
    NestingStack(policy).SetLevel(stream, level, NestingStack::kBlockquote);
    const std::string mark = NestingStack::Indent(policy.document.nestingLevel, policy) +
                             NestingStack::ParagraphMark(policy);
    WriteText(stream, mark.c_str());
  }
  if (policy.splitKnown != 0) {
    TextString anchor;
    MakeAnchorName(line, policy, anchor);
    TextString anchorLine = AnchorTag(anchor.GetText());
    anchorLine.AppendText(" </A>");
    WriteText(stream, anchorLine.GetText());
    pages_->AddAnchor(pages_->CurrentPage(), anchor);
  }
  TextString entry;
  if (entries_ != nullptr &&
      entries_->MakeContentsLine(policy, line.lineType, FullHeadingText(line), entry) != 0) {
    text = entry;
  }
  return Output::kContentsList;
}

void BodyWriter::ListItem(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                          int indentLevel) {
  static constexpr char kListLetters[] = {'1', 'a', 'i', 'A', 'I'};
  const int type = line.lineType;
  const char letter = kListLetters[type - LineType::kNumberedBullet];

  TextString word;
  text.GetWord(1, ' ', word);
  TextString& tag = listTag_;
  tag.SetText("OL type=");
  tag.AppendChar(letter);
  int value = -1;
  if (word.GetNumberValue(letter, value)) {
    tag.AppendText(" start=");
    tag.AppendNumber(value, true);
  }

  if (policy.document.nestingLevel == indentLevel + 1 &&
      (type != lastListType_ || value != lastListNumber_ + 1)) {
    NestingStack(policy).SetLevel(stream, 0, NestingStack::kBlockquote);
  }
  NestingStack(policy).SetLevel(stream, indentLevel + 1, tag.GetText());
  if (!word.IsEmpty()) ReplaceFirst(text, word, "<LI>");
  lastListType_ = type;
  lastListNumber_ = value;
}

void BodyWriter::Definition(std::FILE* stream, const SourceLine& line, FC& policy, TextString& text,
                            const Previous& previous, int indentLevel) {
  const SourceLine* next = line.NextLine();
  if (policy.useDefinitionLists != 0 && next != nullptr &&
      next->lineType == LineType::kDefinitionContinuation) {
    NestingStack(policy).SetLevel(stream, indentLevel + 1, "DL");
    text.InsertText(0, "<DT>");
    for (const char* separator : {" - ", "= ", ": "}) {
      const std::size_t at = FindOutsideTags(text.View(), separator);
      if (at != std::string_view::npos) {
        text.ReplaceSubString(static_cast<int>(at),
                              static_cast<int>(std::string_view(separator).size()), "</DT><DD>");
        break;
      }
    }
    return;
  }

  if (previous.type == LineType::kText) WriteText(stream, "<BR>");
  NestingStack(policy).SetLevel(stream, indentLevel, NestingStack::kBlockquote);
  if (policy.highlightDefinitions != 0) {
    const std::size_t colon = FindOutsideTags(text.View(), ":", 1);
    const std::size_t dash = FindOutsideTags(text.View(), "-", 1);
    const std::size_t mark = colon < dash ? colon : dash;
    if (mark != std::string_view::npos) {
      text.ReplaceSubString(static_cast<int>(mark), 1, mark == colon ? "</B>:" : "</B>-");
      text.InsertText(0, "<B>");
    }
  }
  text.AppendText("<BR>");
}

void BodyWriter::HangingParagraph(std::FILE* stream, FC& policy, TextString& text,
                                  int indentLevel) {
  const bool highlight = policy.highlightDefinitions != 0;
  const char* separator = nullptr;
  if (policy.useDefinitionLists != 0) {
    NestingStack(policy).SetLevel(stream, indentLevel + 1, "DL");
    text.InsertText(0, highlight ? "<DT><B>" : "<DT>");
    separator = highlight ? "</B></DT><DD> " : "</DT><DD> ";
  } else if (highlight) {
    text.InsertText(0, "<B>");
    separator = "</B> ";
  }
  if (separator == nullptr) return;
  const std::size_t blank = FindOutsideTags(text.View(), " ");
  if (blank != std::string_view::npos) {
    text.ReplaceSubString(static_cast<int>(blank), 1, separator);
  } else {
    // A term without its text: still close what was opened.
    const std::string_view closing(separator);
    text.AppendText(closing.substr(0, closing.size() - 1));
  }
}

bool BodyWriter::WritePlainText(std::FILE* stream, SourceLine& line, FC& policy) {
  if (LineFlag::IsUserHtml(line.flags) || !policy.linkDefinitions.empty()) return false;
  if (line.lineType == LineType::kBlank) return WriteBlankLine(stream, line, policy);
  constexpr std::uint32_t kMarkedUp = LineFlag::kShortLine | LineFlag::kUrlBreak;
  if (line.lineType != LineType::kText || (line.flags & kMarkedUp) != 0) return false;
  // What MarkupByType does for a text line.
  NestingStack(policy).SetLevel(stream, IndentLevel(line.indent, policy),
                                NestingStack::kBlockquote);
  bodyWritten_ = true;
  // What WriteBodyText does with it: a line without a digit, which no
  // cross-reference changes, and which needs no cut, is written as it stands.
  const int indent = NestingStack::IndentWidth(policy.document.nestingLevel, policy);
  const std::size_t digit = CrossReferenceStart(policy, line.View());
  if (digit == std::string_view::npos && indent + line.Length() <= std::max(line.CutWidth(), 0)) {
    WriteIndentedText(stream, indent, line.View());
    return true;
  }
  static_cast<TextString&>(bodyLine_) = static_cast<const TextString&>(line);
  if (digit != std::string_view::npos) {
    LinkCrossReferencesFrom(policy, bodyLine_, digit, &line, pages_, &numberScratch_);
  }
  WriteMarkedUp(stream, line, indent);
  return true;
}

bool BodyWriter::WriteBlankLine(std::FILE* stream, const SourceLine& line, const FC& policy) {
  // What MarkupByType decides for a blank line.
  const Previous& previous = pending_.previous;
  std::string_view mark;
  if (!bodyWritten_) return true;
  if (previous.type == LineType::kBlank || previous.type == LineType::kBulletBlank) {
    if (policy.ignoreMultipleBlankLines != 0) return true;
    mark = "<BR>";
  } else {
    if (pending_.blockOpenAtStart) return true;
    mark = NestingStack::ParagraphMark(policy);
  }
  // What WriteBodyText does with the mark, which holds no digit and needs
  // no short-line break (a blank line is a paragraph break); the rare line
  // too narrow for it is left to the whole way.
  const int indent = NestingStack::IndentWidth(policy.document.nestingLevel, policy);
  if (indent + static_cast<int>(mark.size()) > std::max(line.CutWidth(), 0)) return false;
  bodyWritten_ = true;
  WriteIndentedText(stream, indent, mark);
  return true;
}

void BodyWriter::WriteBodyText(std::FILE* stream, SourceLine& line, const FC& policy) {
  // The marked-up text is already in the buffer; its indentation is written
  // in front of it (WriteWrappedIndented), so the line is never moved.
  ParsedString& out = bodyLine_;
  const int indent = NestingStack::IndentWidth(policy.document.nestingLevel, policy);

  if ((line.flags & LineFlag::kShortLine) != 0 && !LineType::IsParagraphBreak(line.lineType)) {
    const SourceLine* next = line.NextLine();
    const bool nextAllows = next == nullptr || (!LineFlag::IsUserRegion(next->flags) &&
                                                !LineType::IsParagraphBreak(next->lineType));
    const std::string_view view = out.View();
    if (nextAllows && view.find("<BR>") == std::string_view::npos &&
        view.find("<H") == std::string_view::npos) {
      // Inside the definition: <DL> holds only <DT> and <DD>.
      constexpr std::string_view kDefinitionEnd = "</DD>";
      if (out.View().ends_with(kDefinitionEnd)) {
        out.InsertText(out.Length() - static_cast<int>(kDefinitionEnd.size()), "<BR>");
      } else {
        out.AppendText("<BR>");
      }
    }
  }

  const int type = line.lineType;
  if (!LineType::IsHeading(type) && !LineType::IsContentsLine(type)) {
    LinkCrossReferences(policy, out, &line, pages_, &numberScratch_);
  }
  // Most documents have no dictionary: the call is not even made. A
  // dictionary entry may look at where the line starts, so its line is
  // indented first, as it is written.
  bool indented = false;
  if (!policy.linkDefinitions.empty()) {
    if (indent > 0) out.InsertText(0, std::string(static_cast<std::size_t>(indent), ' ').c_str());
    indented = true;
    if (ApplyLinkDictionary(policy, out) != 0) line.flags |= LineFlag::kHyperlink;
  }
  WriteMarkedUp(stream, line, indented ? 0 : indent);
}

void BodyWriter::WriteMarkedUp(std::FILE* stream, const SourceLine& line, int blanks) {
  ParsedString& out = bodyLine_;
  out.width = line.CutWidth();
  // Whether the line must stay whole matters only to a line longer than its
  // width, the only kind that is cut: most lines are spared the link test.
  const bool cut = blanks + out.Length() > std::max(out.width, 0);
  const bool whole = cut && ((line.flags & LineFlag::kHyperlink) != 0 || HasLink(out.View()) ||
                             LineFlag::IsPreformatted(line.flags));
  WriteWrappedIndented(stream, out, blanks, whole);
}
