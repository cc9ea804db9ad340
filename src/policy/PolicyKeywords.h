#pragma once

#include <span>

#include "policy/PolicyValues.h"

// How the value of a policy-file line is read and stored (FC::ParsePolicyLine
// holds the rules).
enum class KeywordKind {
  // One field, of the record or of its tableDefaults. These four warn about
  // a repeated line when the caller asks for it.
  Bool,
  Int,
  Text,
  CutText,  // a text cut to kDosRootLength characters
  // One number field of the record, read as an Int but never warned about.
  PlainNumber,
  // Several fields, each with its own rule.
  IndentPositions,
  HangingPositions,
  DefinitionChars,
  Justification,
  UsenetGroups,
  HeadingCount,
  HeadingStyle,
  ContentsStyle,
  BulletChar,
  SplitLevel,
  LinkDefinition,
};

// One keyword of the policy-file format: the text searched for in a line, how
// the line's value is read, and where it goes. A Bool, Int or Text keyword
// names either a field of the record (`number` or `text`, with its given flag
// `flag`) or a field of tableDefaults (`tableNumber` or `tableText`, with its
// given flag `tableField`); the other kinds name nothing here.
struct PolicyKeyword {
  const char* keyword;
  KeywordKind kind;
  Policy flag = Policy::Count;
  int PolicyValues::*number = nullptr;
  TextString PolicyValues::*text = nullptr;
  TableConfig::Field tableField = TableConfig::Field::Count;
  int TableConfig::*tableNumber = nullptr;
  TextString TableConfig::*tableText = nullptr;
};

// "DOS filename root" keeps this many characters of its value.
inline constexpr int kDosRootLength = 5;

// Every keyword, in the order a line is matched against them: the first
// keyword found in the line (ignoring case) that accepts the line decides, so
// a longer keyword that contains a shorter one ("Unvisited Link colour",
// "Visited Link colour") comes first.
std::span<const PolicyKeyword> PolicyKeywords();
