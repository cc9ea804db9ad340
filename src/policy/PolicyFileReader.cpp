// FC::ParsePolicyLine and FC::ReadPolicyFile: the policy-file format read
// into the record.

#include <string>
#include <string_view>

#include "policy/FC.h"
#include "policy/PolicyKeywords.h"
#include "text/FileIdentity.h"
#include "text/LineFile.h"
#include "text/ParsedString.h"
#include "text/Utf8.h"

namespace {

// Every file-format message is shown at any error level of 0 or more.
constexpr int kFileMessageImportance = 10;

// A positions line supplies at most five columns; the record's sixth slot
// stays unset, so files read the same as they always have.
constexpr int kPositionsRead = 5;

constexpr const char* kSectionLines[] = {
    "[General Analysis]", "[Analysis]",          "[Bullets]",       "[Contents]",
    "[Directory Page]",   "[Headings]",          "[Added HTML]",    "[Hyperlinks]",
    "[File generation]",  "[Pre-formatted text]", "[Preprocessor]", "[Style]",
    "[Link Dictionary]",  "[Switch to file]",    "[Table generation]",
};

bool Contains(const TextString& line, const char* text) { return line.FindText(text) != nullptr; }

// The text after the first ':' of the line, without blanks and tabs at either
// end; empty when the line has no ':'.
TextString ValueOf(const TextString& line) {
  TextString value;
  const std::string_view text = line.View();
  const size_t colon = text.find(':');
  if (colon != std::string_view::npos) {
    value.SetText(text.substr(colon + 1));
    value.Trim();
  }
  return value;
}

// The Int rule: "none" anywhere in the line is the unset number -1; otherwise
// the value must hold a decimal number. Returns whether the line gave one
// (an unset "none" counts as given); `number` is -1 when it did not.
bool ReadInt(const TextString& line, const TextString& value, int& number) {
  if (Contains(line, "none")) {
    number = -1;
    return true;
  }
  return value.GetNumberValue('1', number);
}

// The field a Bool, Int or Text keyword names, in the record or in its
// tableDefaults; null when the keyword names none of that kind.
int* NumberOf(FC& policy, const PolicyKeyword& keyword) {
  if (keyword.number != nullptr) return &(policy.*keyword.number);
  if (keyword.tableNumber != nullptr) return &(policy.tableDefaults.*keyword.tableNumber);
  return nullptr;
}

TextString* TextOf(FC& policy, const PolicyKeyword& keyword) {
  if (keyword.text != nullptr) return &(policy.*keyword.text);
  if (keyword.tableText != nullptr) return &(policy.tableDefaults.*keyword.tableText);
  return nullptr;
}

bool IsGiven(const FC& policy, const PolicyKeyword& keyword) {
  if (keyword.flag != Policy::Count) return policy.IsGiven(keyword.flag);
  return policy.tableDefaults.IsGiven(keyword.tableField);
}

void SetGiven(FC& policy, const PolicyKeyword& keyword, bool given) {
  if (keyword.flag != Policy::Count) {
    policy.SetGiven(keyword.flag, given);
  } else {
    policy.tableDefaults.SetGiven(keyword.tableField, given);
  }
}

// Bool, Int, Text and cut Text: a policy already given in this file keeps its
// first value when the caller asks for repeat warnings.
int ApplyValue(FC& policy, const PolicyKeyword& keyword, const TextString& line,
               const TextString& value, bool warnRepeated) {
  if (warnRepeated && IsGiven(policy, keyword)) {
    TextString message("Policy file: Ignoring repeated policy \\");
    message.AppendText(keyword.keyword);
    message.AppendText("\\");
    policy.Message(message, kFileMessageImportance);
    return 0;
  }
  bool accepted = true;
  if (keyword.kind == KeywordKind::Bool || keyword.kind == KeywordKind::Int) {
    int* number = NumberOf(policy, keyword);
    if (number == nullptr) return 0;
    if (keyword.kind == KeywordKind::Bool) {
      *number = Contains(line, "Yes") || Contains(line, "True") ? 1 : 0;
    } else {
      accepted = ReadInt(line, value, *number);
    }
  } else {
    TextString* text = TextOf(policy, keyword);
    if (text == nullptr) return 0;
    if (Contains(line, "(none)")) {
      text->Clear();
    } else {
      *text = value;
    }
    if (keyword.kind == KeywordKind::CutText) {
      text->Truncate(static_cast<int>(Utf8SafeCut(text->View(), kDosRootLength)));
    }
  }
  SetGiven(policy, keyword, accepted);
  return accepted ? 1 : 0;
}

int ApplyPlainNumber(FC& policy, const PolicyKeyword& keyword, const TextString& line,
                     const TextString& value) {
  int* number = NumberOf(policy, keyword);
  if (number == nullptr || !ReadInt(line, value, *number)) return 0;
  SetGiven(policy, keyword, true);
  return 1;
}

void ReadPositions(std::array<int, PolicyValues::kMaxPositions>& positions, int& count, int& used,
                   const TextString& line, const TextString& value) {
  positions.fill(-1);
  count = 0;
  if (Contains(line, "none")) {
    used = 0;
    return;
  }
  TextString word;
  for (int n = 1; count < kPositionsRead && value.GetWord(n, ' ', word); ++n) {
    int position = -1;
    if (!word.GetNumberValue('1', position)) break;
    positions[static_cast<size_t>(count)] = position;
    ++count;
  }
  used = 1;
}

// A policy file's list of definition characters replaces the record's whole:
// its first line starts from none, so a file naming only ':' keeps '-' off.
int ApplyDefinitionChars(FC& policy, const TextString& line, bool fromFile) {
  const bool strong = Contains(line, "strong");
  if (fromFile && !policy.IsGiven(Policy::DefinitionChars) &&
      (Contains(line, "':'") || Contains(line, "'-'") || Contains(line, "none"))) {
    policy.dashDefinitions = policy.dashStrong = 0;
    policy.colonDefinitions = policy.colonStrong = 0;
  }
  bool recognised = false;
  if (Contains(line, "':'")) {
    policy.colonDefinitions = 1;
    policy.colonStrong = strong ? 1 : 0;
    recognised = true;
  }
  if (Contains(line, "none")) {
    policy.dashDefinitions = policy.dashStrong = 0;
    policy.colonDefinitions = policy.colonStrong = 0;
    recognised = true;
  }
  if (Contains(line, "'-'")) {
    policy.dashDefinitions = 1;
    policy.dashStrong = strong ? 1 : 0;
    recognised = true;
  }
  if (recognised) policy.SetGiven(Policy::DefinitionChars);
  return recognised ? 1 : 0;
}

// Each word found overrides the ones before it; a line with none of them
// leaves no justification at all.
int ApplyJustification(FC& policy, const TextString& line) {
  struct Choice {
    const char* word;
    int left;
    int right;
  };
  static constexpr Choice kChoices[] = {
      {"none", 0, 0}, {"left", 1, 0}, {"right", 0, 1}, {"centre", 1, 1}, {"center", 1, 1},
  };
  policy.leftJustified = policy.rightJustified = 0;
  for (const Choice& choice : kChoices) {
    if (Contains(line, choice.word)) {
      policy.leftJustified = choice.left;
      policy.rightJustified = choice.right;
      policy.SetGiven(Policy::Justification);
    }
  }
  return 1;
}

// The third blank-separated word of the trimmed line as a number; false when
// there is none.
bool ReadThirdWord(const TextString& line, int& number) {
  TextString trimmed(line);
  trimmed.Trim();
  TextString word;
  number = -1;
  return trimmed.GetWord(3, ' ', word) && word.GetNumberValue('1', number);
}

// Written as "We have 3  recognised headings". A count the six styles cannot
// hold is refused, and so is a line without a count: stored as -1 it would be
// written back as "-1" and read again as 1.
int ApplyHeadingCount(FC& policy, const TextString& line) {
  int count = -1;
  if (!ReadThirdWord(line, count) || count > PolicyValues::kHeadingLevels) return 0;
  policy.headingLevelCount = count;
  policy.SetGiven(Policy::HeadingStyles);
  return 1;
}

// Written as "    Heading level 1 = "" N.N at indent 4". A line whose third
// word is no number is accepted and changes nothing; a level beyond the six
// styles, or a style text that cannot be read, is refused. A refused line
// leaves the heading group's given flag as it was, so that one bad line does
// not drop the styles the file gave before it.
int ApplyHeadingStyle(FC& policy, const TextString& line,
                      std::array<HeadingStyle, PolicyValues::kHeadingLevels>& styles) {
  int index = -1;
  if (ReadThirdWord(line, index)) {
    if (index >= PolicyValues::kHeadingLevels) return 0;
    TextString form;
    const std::string_view text = line.View();
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos) form.SetText(text.substr(equals + 1));
    if (!styles[static_cast<size_t>(index)].ParseTextForm(form)) return 0;
  }
  policy.SetGiven(Policy::HeadingStyles);
  return 1;
}

// Written as "Bullet Char : '*'". "none" turns off the '-' and 'o' bullets
// and forgets the further characters; any other line appends its quoted
// character. A line without one is refused (it would append a NUL), and so is
// an eighth character; neither clears the characters given before. A policy
// file's list replaces the record's whole: its first character starts from
// none, so the default '-' and 'o' do not stay beside the file's own.
int ApplyBulletChar(FC& policy, const TextString& line, bool fromFile) {
  if (Contains(line, "none")) {
    policy.dashBullets = policy.circleBullets = 0;
    policy.otherBulletsUsed = 1;
    policy.otherBulletCount = -1;
    policy.SetGiven(Policy::BulletChars);
    return 1;
  }
  const bool fresh = fromFile && !policy.IsGiven(Policy::BulletChars);
  if (!fresh && policy.otherBulletCount >= PolicyValues::kMaxOtherBullets) return 0;
  TextString quoted;
  if (!line.GetWord(2, '\'', quoted) || quoted.IsEmpty()) return 0;
  if (fresh) {
    policy.dashBullets = policy.circleBullets = 0;
    policy.otherBulletsUsed = 1;
    policy.otherBulletCount = -1;
  }
  if (policy.otherBulletCount < 0) policy.otherBulletCount = 0;
  policy.otherBullets[static_cast<size_t>(policy.otherBulletCount)] = quoted.At(0);
  ++policy.otherBulletCount;
  policy.SetGiven(Policy::BulletChars);
  return 1;
}

// A level of 0 or "none" leaves no split level known.
int ApplySplitLevel(FC& policy, const TextString& line, const TextString& value) {
  int level = -1;
  ReadInt(line, value, level);
  policy.splitLevel = level;
  policy.splitKnown = level > 0 ? 1 : 0;
  policy.SetGiven(Policy::SplitKnown);
  policy.SetGiven(Policy::SplitLevel);
  return 1;
}

// Written as Link definition: "match" = "link text" + "url"; the texts are
// the second, fourth and sixth pieces between double quotes, taken as they
// are. A missing piece is an empty text.
int ApplyLinkDefinition(FC& policy, const TextString& line) {
  TextString pieces[3];
  for (int i = 0; i < 3; ++i) {
    if (!line.GetWord(2 * (i + 1), '"', pieces[i])) pieces[i].Clear();
  }
  policy.AddLinkDefinition(pieces[0].GetText(), pieces[1].GetText(), pieces[2].GetText());
  policy.SetGiven(Policy::LinkDictionary);
  return 1;
}

int ApplyKeyword(FC& policy, const PolicyKeyword& keyword, const TextString& line,
                 const TextString& value, bool warnRepeated) {
  switch (keyword.kind) {
    case KeywordKind::Bool:
    case KeywordKind::Int:
    case KeywordKind::Text:
    case KeywordKind::CutText:
      return ApplyValue(policy, keyword, line, value, warnRepeated);
    case KeywordKind::PlainNumber:
      return ApplyPlainNumber(policy, keyword, line, value);
    case KeywordKind::IndentPositions:
      ReadPositions(policy.indentPositions, policy.indentCount, policy.indentPositionsUsed, line,
                    value);
      policy.SetGiven(Policy::IndentPositions);
      return 1;
    case KeywordKind::HangingPositions:
      ReadPositions(policy.hangingPositions, policy.hangingCount, policy.hangingPositionsUsed, line,
                    value);
      policy.SetGiven(Policy::HangingPositions);
      return 1;
    case KeywordKind::DefinitionChars:
      return ApplyDefinitionChars(policy, line, warnRepeated);
    case KeywordKind::Justification:
      return ApplyJustification(policy, line);
    case KeywordKind::UsenetGroups:
      if (Contains(line, "none")) {
        policy.usenetGroups.Clear();
      } else {
        policy.usenetGroups.AppendWords(value, ' ');
      }
      policy.SetGiven(Policy::UsenetGroups);
      return 1;
    case KeywordKind::HeadingCount:
      return ApplyHeadingCount(policy, line);
    case KeywordKind::HeadingStyle:
      return ApplyHeadingStyle(policy, line, policy.headingStyles);
    case KeywordKind::ContentsStyle:
      return ApplyHeadingStyle(policy, line, policy.contentsStyles);
    case KeywordKind::BulletChar:
      return ApplyBulletChar(policy, line, warnRepeated);
    case KeywordKind::SplitLevel:
      return ApplySplitLevel(policy, line, value);
    case KeywordKind::LinkDefinition:
      return ApplyLinkDefinition(policy, line);
  }
  return 0;
}

// A relative name is looked for beside the policy file that names it, then
// from the current directory.
std::string ResolveName(const TextFile& file, const TextString& value) {
  std::string name(value.View());
  const char* current = file.CurrentFileName();
  if (name.empty() || name.front() == '/' || current == nullptr) return name;
  const std::string_view currentName(current);
  const size_t slash = currentName.rfind('/');
  if (slash == std::string_view::npos) return name;
  std::string beside(currentName.substr(0, slash + 1));
  beside += name;
  return IsRegularFile(beside.c_str()) ? beside : name;
}

// The lines only a whole file can hold. A file that cannot be opened is not
// reported: reading goes on in the current file.
int ApplyFileLevelLine(FC& policy, LineFile& file, const TextString& line,
                       const TextString& value) {
  if (Contains(line, "Include document section")) {
    if (Contains(line, "none")) {
      policy.includedSections.Clear();
    } else {
      policy.includedSections.AppendWords(value, ' ');
    }
    policy.SetGiven(Policy::IncludedSections);
    return 1;
  }
  if (Contains(line, "Switch to file")) {
    static_cast<void>(file.SwitchFile(ResolveName(file, value).c_str()));
    return 1;
  }
  const bool include = Contains(line, "include file");
  if (!include && !Contains(line, "Link Dictionary File")) return 0;
  // The writer puts a "Link Dictionary file : (none)" line in every file.
  if (!include && (value.IsEmpty() || value.IsEqual(TextString("(none)"), false))) return 1;
  static_cast<void>(file.OpenForReading(ResolveName(file, value).c_str()));
  return 1;
}

}  // namespace

int FC::ParsePolicyLine(const TextString& line, bool warnRepeated) {
  if (line.IsEmpty()) return 1;
  if (line.At(0) == '!' || line.At(0) == '#') return 1;

  const TextString value = ValueOf(line);
  for (const PolicyKeyword& keyword : PolicyKeywords()) {
    if (Contains(line, keyword.keyword) &&
        ApplyKeyword(*this, keyword, line, value, warnRepeated)) {
      return 1;
    }
  }
  for (const char* section : kSectionLines) {
    if (line.IsEqual(TextString(section), false)) return 1;
  }
  return Contains(line, "-----") ? 1 : 0;
}

int FC::ReadPolicyFile(LineFile& file) {
  // A default record supplies the tab stops of the file's lines, so that a
  // file reads the same whatever the record it fills says.
  FC reading;
  ParsedString line;
  int result = 1;
  while (file.ReadLine(line, reading.tabSize, reading)) {
    const TextString value = ValueOf(line);
    if (!ParsePolicyLine(line, true) && !ApplyFileLevelLine(*this, file, line, value)) {
      TextString message("Policy file: Ignoring policy line \\");
      message.AppendText(line.View());
      message.AppendText("\\");
      Message(message, kFileMessageImportance);
      result = 0;
    }
    line.Clear();
  }
  Normalise();
  return result;
}
