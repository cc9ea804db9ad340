#include "preprocessor/Preprocessor.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "analysis/LineType.h"
#include "policy/DocumentState.h"
#include "policy/PolicyValues.h"
#include "policy/RunContext.h"
#include "policy/TableConfig.h"
#include "text/CharClass.h"
#include "text/FileIdentity.h"

namespace {

constexpr int kImportance = 10;

enum class Action {
  Section,
  Include,
  ChangePolicy,
  BeginBlock,
  EndBlock,
  RunText,
  BeginContents,
  EndContents,
  HtmlLine,
  TableNumber,  // a number of the newest table configuration
  TableSwitch,  // a Bool of it, switched on
  TableText,    // a text of it
};

// One command. The fields after `action` say what the action works on.
struct Command {
  const char* name;
  Action action;
  int DocumentState::*block = nullptr;
  // The block's output takes a table configuration of its own; the line
  // flag of its kind.
  bool queuesTable = false;
  std::uint32_t region = 0;
  TextString RunContext::*runText = nullptr;
  TableConfig::Field field = TableConfig::Field::Count;
  int TableConfig::*number = nullptr;
  TextString TableConfig::*text = nullptr;
  // What a number setting of "(none)" stands for.
  int noneValue = 0;
};

using DS = DocumentState;
using TC = TableConfig;
using TF = TableConfig::Field;

// In the order a line's commands are obeyed when it holds several.
constexpr Command kCommands[] = {
    {.name = "$_$_SECTION", .action = Action::Section},
    {.name = "$_$_INCLUDE", .action = Action::Include},
    {.name = "$_$_CHANGE_POLICY", .action = Action::ChangePolicy},
    {.name = "$_$_BEGIN_PRE",
     .action = Action::BeginBlock,
     .block = &DS::inPre,
     .queuesTable = true,
     .region = LineFlag::kUserPre},
    {.name = "$_$_END_PRE",
     .action = Action::EndBlock,
     .block = &DS::inPre,
     .region = LineFlag::kUserPre},
    {.name = "$_$_TITLE", .action = Action::RunText, .runText = &RunContext::title},
    {.name = "$_$_STYLE_SHEET", .action = Action::RunText, .runText = &RunContext::styleSheet},
    {.name = "$_$_KEYWORDS", .action = Action::RunText, .runText = &RunContext::keywords},
    {.name = "$_$_DESCRIPTION", .action = Action::RunText, .runText = &RunContext::description},
    {.name = "$_$_BEGIN_CONTENTS", .action = Action::BeginContents},
    {.name = "$_$_END_CONTENTS", .action = Action::EndContents},
    {.name = "$_$_BEGIN_HTML", .action = Action::BeginBlock, .block = &DS::inHtml},
    {.name = "$_$_END_HTML", .action = Action::EndBlock, .block = &DS::inHtml},
    {.name = "$_$_HTML_LINE", .action = Action::HtmlLine},
    {.name = "$_$_BEGIN_CODE",
     .action = Action::BeginBlock,
     .block = &DS::inCode,
     .queuesTable = true,
     .region = LineFlag::kUserCode},
    {.name = "$_$_END_CODE",
     .action = Action::EndBlock,
     .block = &DS::inCode,
     .region = LineFlag::kUserCode},
    {.name = "$_$_BEGIN_DIAGRAM",
     .action = Action::BeginBlock,
     .block = &DS::inDiagram,
     .queuesTable = true,
     .region = LineFlag::kUserDiagram},
    {.name = "$_$_END_DIAGRAM",
     .action = Action::EndBlock,
     .block = &DS::inDiagram,
     .region = LineFlag::kUserDiagram},
    {.name = "$_$_BEGIN_TABLE",
     .action = Action::BeginBlock,
     .block = &DS::inTable,
     .queuesTable = true,
     .region = LineFlag::kUserTable},
    {.name = "$_$_END_TABLE",
     .action = Action::EndBlock,
     .block = &DS::inTable,
     .region = LineFlag::kUserTable},
    {.name = "$_$_TABLE_BORDER",
     .action = Action::TableNumber,
     .field = TF::BorderSize,
     .number = &TC::borderSize},
    {.name = "$_$_TABLE_HEADER_ROWS",
     .action = Action::TableNumber,
     .field = TF::HeaderRows,
     .number = &TC::headerRows},
    {.name = "$_$_TABLE_HEADER_COLS",
     .action = Action::TableNumber,
     .field = TF::HeaderCols,
     .number = &TC::headerCols},
    {.name = "$_$_TABLE_CELLPADDING",
     .action = Action::TableNumber,
     .field = TF::CellPadding,
     .number = &TC::cellPadding},
    {.name = "$_$_TABLE_CELLSPACING",
     .action = Action::TableNumber,
     .field = TF::CellSpacing,
     .number = &TC::cellSpacing},
    {.name = "$_$_TABLE_MIN_COLUMN_SEPARATION",
     .action = Action::TableNumber,
     .field = TF::MinColumnSeparation,
     .number = &TC::minColumnSeparation,
     .noneValue = 1},
    {.name = "$_$_TABLE_MAY_BE_SPARSE",
     .action = Action::TableSwitch,
     .field = TF::SparseTables,
     .number = &TC::sparseTables},
    {.name = "$_$_TABLE_CONVERT_XREFS",
     .action = Action::TableSwitch,
     .field = TF::XrefsToLinks,
     .number = &TC::xrefsToLinks},
    {.name = "$_$_TABLE_BGCOLOR",
     .action = Action::TableText,
     .field = TF::Colour,
     .text = &TC::colour},
    {.name = "$_$_TABLE_BORDERCOLOR",
     .action = Action::TableText,
     .field = TF::BorderColour,
     .text = &TC::borderColour},
    {.name = "$_$_TABLE_CAPTION",
     .action = Action::TableText,
     .field = TF::Caption,
     .text = &TC::caption},
    {.name = "$_$_TABLE_WIDTH",
     .action = Action::TableText,
     .field = TF::Width,
     .text = &TC::width},
};

// The policies that decide where files are written or read. A document must
// not choose where its pages go, nor copy private files into them, so
// "$_$_CHANGE_POLICY" refuses them.
constexpr Policy kFilePolicies[] = {
    Policy::OutputDirectory, Policy::InputDirectory,      Policy::OutputFileExtension,
    Policy::UseHtmExtension, Policy::UseDosFilenames,     Policy::DosFilenameRoot,
    Policy::PolicyFileName,  Policy::ExternalContentsName, Policy::DirectoryFilename,
    Policy::ScriptFile,      Policy::HeaderFile,          Policy::FooterFile,
    Policy::DirectoryScript, Policy::DirectoryHeader,     Policy::DirectoryFooter,
};

bool MatchesAt(std::string_view text, std::size_t position, std::string_view name) {
  if (position + name.size() > text.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (ToUpper(text[position + i]) != ToUpper(name[i])) return false;
  }
  return true;
}

// True when a longer command name that begins with `name` stands at
// `position`: "$_$_TABLE_BORDERCOLOR" is not a "$_$_TABLE_BORDER" command, or
// setting a border colour would also reset the border size.
bool BeginsLongerCommand(std::string_view text, std::size_t position, std::string_view name) {
  for (const Command& other : kCommands) {
    const std::string_view longer = other.name;
    if (longer.size() > name.size() && longer.substr(0, name.size()) == name &&
        MatchesAt(text, position, longer)) {
      return true;
    }
  }
  return false;
}

// Offset of the first occurrence of the command `name` in `text`, ignoring
// case; -1 when there is none.
int FindCommand(const TextString& text, const char* name) {
  int from = 0;
  int position = -1;
  while (from < text.Length() && text.LocateText(from, name, position)) {
    if (!BeginsLongerCommand(text.View(), static_cast<std::size_t>(position), name)) {
      return position;
    }
    from = position + 1;
  }
  return -1;
}

// `source` less the first occurrence of the command `name`, trimmed.
TextString ArgumentOf(const TextString& source, const char* name) {
  TextString argument = source;
  const int position = FindCommand(source, name);
  if (position >= 0) {
    argument.ReplaceSubString(position, static_cast<int>(std::strlen(name)), "");
  }
  argument.Trim();
  return argument;
}

// The second blank-separated word of the line as read, or "". Names are taken
// from the raw text so that escaping and link markup never change them.
TextString SecondWord(const SourceLine& line) {
  TextString word;
  if (!line.rawText.GetWord(2, ' ', word)) word.Clear();
  return word;
}

bool IsNone(const TextString& argument) { return argument.IsEqual(TextString("(none)"), false); }

// An include name is relative to the document that holds the command.
std::string ResolveInclude(const char* includingFile, std::string_view name) {
  if (name.empty() || name.front() == '/' || includingFile == nullptr) return std::string(name);
  const std::string_view including = includingFile;
  const std::size_t slash = including.rfind('/');
  if (slash == std::string_view::npos) return std::string(name);
  std::string path(including.substr(0, slash + 1));
  path.append(name);
  return path;
}

// Why `path` could not be opened as an include file, as a suffix for the
// failure message; empty when it simply does not exist.
std::string IncludeProblem(const LineFile& input, const std::string& path) {
  if (path.empty()) return "";
  if (input.IsFileOpen(path.c_str())) return ": it is already being read";
  if (input.Depth() >= TextFile::kMaxDepth) return ": include files are nested too deeply";
  return ReadProblem(path.c_str());
}

void Include(LineFile& input, const SourceLine& line, FC& policy) {
  const TextString name = SecondWord(line);
  const std::string path = ResolveInclude(input.CurrentFileName(), name.View());
  if (input.OpenForReading(path.c_str())) {
    if (policy.analysisPass != 0 && policy.owner != nullptr) {
      policy.owner->includeFiles.Add(TextString(std::string_view(path)));
    }
    if (policy.IsOutputPass()) {
      TextString status("- Opened include file \"");
      status.AppendText(name.View());
      status.AppendText("\"");
      policy.StatusMessage(status);
    }
    return;
  }
  if (!policy.IsOutputPass()) return;
  TextString message("*** Failed to open include file \"");
  message.AppendText(name.View());
  message.AppendText("\" ***");
  message.AppendText(std::string_view(IncludeProblem(input, path)));
  policy.Message(message, kImportance);
}

void Section(const SourceLine& line, FC& policy) {
  const TextString name = SecondWord(line);
  policy.SetCurrentSection(name);
  if (policy.IsOutputPass() && !policy.document.sectionIncluded) {
    TextString message("Preprocessor: Ignoring \"");
    message.AppendText(name.View());
    message.AppendText("\" section");
    policy.Message(message, kImportance);
  }
}

// Whether `policyLine` would set one of kFilePolicies. The line is tried on a
// copy of the record whose given flags are all clear: the flags it sets there
// are the policies it would set here (the same keyword accepts or refuses it
// in both, since their values are equal).
bool ChoosesFiles(const FC& policy, const TextString& policyLine) {
  FC trial;
  trial.CopyPolicies(policy);
  if (!trial.ParsePolicyLine(policyLine, false)) return false;
  for (const Policy filePolicy : kFilePolicies) {
    if (trial.IsGiven(filePolicy)) return true;
  }
  return false;
}

void ChangePolicy(const SourceLine& line, FC& policy, const char* name) {
  const TextString argument = ArgumentOf(line.rawText, name);
  if (!ChoosesFiles(policy, argument) && policy.ParsePolicyLine(argument, false)) {
    policy.Normalise();
    return;
  }
  TextString message("*** Ignored $_$_CHANGE_POLICY line \"");
  message.AppendText(argument.View());
  message.AppendText("\" ***");
  policy.Message(message, kImportance);
}

void SetTableNumber(FC& policy, const Command& command, TextString argument) {
  if (IsNone(argument)) {
    argument.Clear();
    argument.AppendNumber(command.noneValue, false);
  }
  int value = -1;
  if (!argument.GetNumberValue('1', value)) return;
  TableConfig& config = policy.CurrentTableConfig();
  config.*command.number = value;
  config.SetGiven(command.field);
}

void SetTableText(FC& policy, const Command& command, TextString argument) {
  if (IsNone(argument)) argument.Clear();
  TableConfig& config = policy.CurrentTableConfig();
  config.*command.text = argument;
  config.SetGiven(command.field);
}

void MakeHtmlLine(SourceLine& line, const char* name) {
  const TextString argument = ArgumentOf(line.rawText, name);
  line.SetText(argument.View());
  line.SetEscapedText(argument.GetText());
  line.SetRawText(argument.GetText());
  line.length = argument.Length();
  line.indent = 0;
}

// Table configurations pair one to one with the blocks of user-specified
// regions: a region gets one when it opens in an included section (none for
// a kind already open, whose lines continue the same block), and its first
// line handed on is marked as the start of a block.
void BeginBlock(const Command& command, FC& policy) {
  DocumentState& document = policy.document;
  const bool opens = document.*command.block == 0 && document.sectionIncluded != 0;
  document.*command.block = 1;
  if (!command.queuesTable || !opens) return;
  if (document.regionStarting == 0 && policy.IsOutputPass()) {
    policy.CreateNewTabConfig();
    document.regionConfigQueued = 1;
  }
  document.regionStarting = command.region;
}

void Obey(const Command& command, LineFile& input, SourceLine& line, FC& policy,
          const TextString& text, bool& isHtmlLine) {
  DocumentState& document = policy.document;
  switch (command.action) {
    case Action::Section:
      Section(line, policy);
      break;
    case Action::Include:
      Include(input, line, policy);
      break;
    case Action::ChangePolicy:
      ChangePolicy(line, policy, command.name);
      break;
    case Action::BeginBlock:
      BeginBlock(command, policy);
      break;
    case Action::EndBlock:
      document.*command.block = 0;
      // A region that ended before any line of it was handed on makes no
      // block, so its configuration would be taken by the next one.
      if (command.region != 0 && document.regionStarting == command.region) {
        if (document.regionConfigQueued) policy.DiscardNewestTabConfig();
        document.regionStarting = 0;
        document.regionConfigQueued = 0;
      }
      break;
    case Action::RunText:
      // Set while the analysis reads the document and read by the output
      // pass, so that every page of the document shows the same texts.
      if (policy.analysisPass != 0 && policy.owner != nullptr) {
        policy.owner->*command.runText = ArgumentOf(text, command.name);
      }
      break;
    case Action::BeginContents:
      if (!document.userContentsSeen) {
        document.inUserContents = 1;
        document.inContentsList = 1;
        document.contentsListEnded = 0;
      }
      document.userContentsSeen = 1;
      break;
    case Action::EndContents:
      document.inUserContents = 0;
      document.inContentsList = 0;
      document.contentsListEnded = 1;
      break;
    case Action::HtmlLine:
      MakeHtmlLine(line, command.name);
      isHtmlLine = true;
      break;
    case Action::TableNumber:
      SetTableNumber(policy, command, ArgumentOf(text, command.name));
      break;
    case Action::TableSwitch: {
      TableConfig& config = policy.CurrentTableConfig();
      config.*command.number = 1;
      config.SetGiven(command.field);
      break;
    }
    case Action::TableText:
      SetTableText(policy, command, ArgumentOf(text, command.name));
      break;
  }
}

// The line's block flags from the document state.
void SetBlockFlags(SourceLine& line, FC& policy, bool isHtmlLine) {
  DocumentState& document = policy.document;
  constexpr std::uint32_t kBlockMask = LineFlag::kUserRegionMask | LineFlag::kPreformatted |
                                       LineFlag::kUserHtml | LineFlag::kContentsList |
                                       LineFlag::kOutput;
  // Most lines stand outside every block: one test finds that out.
  if (!isHtmlLine && (document.inPre | document.inTable | document.inCode | document.inDiagram |
                      document.inHtml | document.inContentsList) == 0) {
    document.lastLineInUserRegion = 0;
    line.flags = (line.flags & ~(kBlockMask | LineFlag::kUserRegionStart)) |
                 (document.sectionIncluded ? LineFlag::kOutput : 0);
    return;
  }
  std::uint32_t bits = 0;
  if (document.inPre) bits |= LineFlag::kUserPre;
  if (document.inTable) bits |= LineFlag::kUserTable;
  if (document.inCode) bits |= LineFlag::kUserCode;
  if (document.inDiagram) bits |= LineFlag::kUserDiagram;
  if (LineFlag::IsUserRegion(bits)) bits |= LineFlag::kPreformatted;
  if (document.inHtml || isHtmlLine) bits |= LineFlag::kUserHtml;
  if (document.inContentsList) bits |= LineFlag::kContentsList;
  if (document.sectionIncluded) bits |= LineFlag::kOutput;
  const bool user = LineFlag::IsUserRegion(bits);
  if (user && (document.regionStarting != 0 || document.lastLineInUserRegion == 0)) {
    bits |= LineFlag::kUserRegionStart;
    // A region begun inside an excluded section queued nothing at its start.
    if (document.regionConfigQueued == 0 && policy.IsOutputPass()) policy.CreateNewTabConfig();
    document.regionStarting = 0;
    document.regionConfigQueued = 0;
  }
  document.lastLineInUserRegion = user ? 1 : 0;
  line.flags = (line.flags & ~(kBlockMask | LineFlag::kUserRegionStart)) | bits;
}

bool IsCommandLine(const TextString& prepared) { return prepared.View().starts_with("$_$_"); }

// ProcessCommand for a command line, on a copy of its text: "$_$_HTML_LINE"
// replaces the line's texts while its commands are still being read. Out of
// line, so that the other lines need no frame for the copy.
[[gnu::noinline]] int ProcessCommandLine(LineFile& input, SourceLine& line, FC& policy,
                                         bool& isHtmlLine) {
  const TextString command = line.escapedText;
  return ProcessCommand(input, line, policy, command, isHtmlLine);
}

}  // namespace

int ProcessCommand(LineFile& input, SourceLine& line, FC& policy, const TextString& text,
                   bool& isHtmlLine) {
  isHtmlLine = false;
  if (!policy.usePreprocessor) return 0;
  bool found = false;
  for (const Command& command : kCommands) {
    if (FindCommand(text, command.name) < 0) continue;
    found = true;
    Obey(command, input, line, policy, text, isHtmlLine);
  }
  if (!found && policy.analysisPass == 0 && policy.contentsPass == 0) {
    TextString message("ERROR: Unknown command /");
    message.AppendText(text.View());
    message.AppendText("/");
    policy.Message(message, kImportance);
  }
  return isHtmlLine ? 0 : 1;
}

int ReadProcessedLine(LineFile& input, SourceLine& line, FC& policy) {
  for (;;) {
    line.Reset(false);
    // At the end of the input the line stays empty, not holding the text of
    // a command line read before.
    line.sourceText.Clear();
    if (!input.ReadLine(line, policy.tabSize, policy)) return 0;
    bool isHtmlLine = false;
    if (IsCommandLine(line.escapedText) && ProcessCommandLine(input, line, policy, isHtmlLine)) {
      continue;
    }
    if (!policy.document.sectionIncluded) continue;
    SetBlockFlags(line, policy, isHtmlLine);
    return 1;
  }
}
