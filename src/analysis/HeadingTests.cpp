#include "analysis/HeadingTests.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/PreformatScore.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "text/CharClass.h"

namespace {

// A third or deeper component above this is a year: 12.3.1998 is a date.
constexpr int kLargestSectionComponent = 1900;

// Two chapter numbers at one indent with fewer blank lines than this
// between them are items of a numbered list. Within the first lines of a
// document (a title block, a short preface) chapters may stand close
// together.
constexpr int kMaxChapterGap = 3;
constexpr int kChapterCheckStart = 15;

// A numbered line whose title runs on into a sentence (a comma or a full
// stop after the title, no page number at its end, the text continued on
// the next, deeper line) opens a section, not a contents-list entry:
// RFC 2119's "1. MUST   This word, or the terms ...".
bool RunsOnAsProse(const SourceLine& line) {
  std::string_view text = line.rawText.View();
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  if (text.empty() || IsDigit(text.back())) return false;
  // A bare number: "[1]  Postel, J., ..." is a reference entry.
  const std::size_t start = text.find_first_not_of(' ');
  const std::size_t blank = text.find(' ', start);
  if (blank == std::string_view::npos || !IsDigit(text[start])) return false;
  const std::string_view title = text.substr(blank);
  if (title.find(',') == std::string_view::npos && title.find(". ") == std::string_view::npos) {
    return false;
  }
  const SourceLine* next = line.NextLine();
  return next != nullptr && !IsBlankLine(*next) && next->indent > line.indent;
}

// A number followed by two or more letters ("1yz", a class of reply codes
// in RFC 959; "1st") has no letter suffix: it is no section number.
bool HasLetterRun(std::string_view word) {
  std::string_view w = word;
  w = w.substr(0, w.find(' '));
  std::size_t letters = 0;
  while (letters < w.size() && IsLetter(w[w.size() - 1 - letters])) ++letters;
  return letters >= 2 && letters < w.size() && IsDigit(w[w.size() - 1 - letters]);
}

// A centred number and title is a chapter heading wherever it stands (RFC
// 791's "1.  INTRODUCTION" at column 28); its number has passed the
// progression checks already.
bool IsCentredTitle(const SourceLine& line) {
  if ((line.flags & LineFlag::kCentred) == 0) return false;
  TextString title;
  return line.GetWord(2, ' ', title) && !title.HasNoLetters();
}

// A year of the last century or this one standing as a word: "1980.",
// "September 1981,".
bool HasYear(std::string_view text) {
  for (std::size_t i = 0; i + 4 <= text.size(); ++i) {
    if (i > 0 && IsAlphanumeric(text[i - 1])) continue;
    if (!((text[i] == '1' && text[i + 1] == '9') || (text[i] == '2' && text[i + 1] == '0'))) {
      continue;
    }
    if (!IsDigit(text[i + 2]) || !IsDigit(text[i + 3])) continue;
    if (i + 4 < text.size() && IsAlphanumeric(text[i + 4])) continue;
    return true;
  }
  return false;
}

// A run of blanks wider than this inside a line scores it as a table row or
// a diagram line on its own text.
constexpr int kWidestTextGap = 5;

bool HasWideGap(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  int run = 0;
  for (std::size_t i = start; i < text.size(); ++i) {
    run = text[i] == ' ' ? run + 1 : 0;
    if (run > kWidestTextGap && i + 1 < text.size() && text[i + 1] != ' ') return true;
  }
  return false;
}

// A number inside a diagram or a table is one of its rows, not a section:
// the row directly under a pre-formatted line (RFC 790's "1-3    1-3
// Unassigned"), or a ruler of bit positions, a line of numbers spread over
// wide gaps (RFC 790's "1                   2                   3").
bool InPreformattedRegion(const SourceLine& line) {
  const SourceLine* before = line.PreviousLine();
  if (before != nullptr && !IsBlankLine(*before) && before->lineType != LineType::kFormFeed &&
      LineFlag::IsPreformatted(before->flags)) {
    return true;
  }
  // Letters come early in most lines: that test goes first.
  std::string_view text = line.rawText.View();
  return std::none_of(text.begin(), text.end(), [](char c) { return IsLetter(c); }) &&
         HasWideGap(text);
}

// A bracketed number that opens a bibliographic entry is a reference, not
// a section: "[1]  Postel, J. (ed.), "Internet Protocol - ...", its
// authors' names followed by a comma, a quoted title or a year, running on
// into a deeper second line (RFC 768, RFC 792).
bool IsReferenceEntry(const SourceLine& line, std::string_view word) {
  const std::string_view w = word;
  if (w.size() < 3 || w.front() != '[' || w.back() != ']') return false;
  const SourceLine* next = line.NextLine();
  // The next line is not classified yet: its text tells.
  if (next == nullptr || next->IsEmpty() || next->indent <= line.indent) return false;
  std::string_view text = line.rawText.View();
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  const std::size_t nameAt = text.find_first_not_of(' ', w.size());
  if (nameAt == std::string_view::npos) return false;
  const std::string_view entry = text.substr(nameAt);
  const std::size_t nameEnd = entry.find(' ');
  // "Postel," or "Dalal, Y. and C. Sunshine,": a name closed by a comma.
  const std::string_view name = entry.substr(0, nameEnd);
  if (name.size() < 2 || name.back() != ',') return false;
  return entry.find('"') != std::string_view::npos || HasYear(entry) ||
         HasYear(next->rawText.View());
}

// A section has a title. A number alone on its line (RFC 792's code values
// under "Code", the "14.41)." that ends a sentence) or given a meaning with
// "=" (RFC 792's "1 = host unreachable;") has none.
bool HasNoTitle(const SourceLine& line, int wordNumber) {
  // Word 2 as GetWord(2, ' ') finds it, seen in place.
  const std::string_view text = line.View();
  std::size_t start = 0;
  while (start < text.size() && !IsBlank(text[start])) ++start;
  while (start < text.size() && IsBlank(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view second = text.substr(start, end - start);
  if (second.empty()) return wordNumber == 1;
  return second == "=";
}

}  // namespace

bool ContentsMarkedByUser(const FC& policy) {
  // The analysis pass finds the list itself; later passes follow the
  // user's marks once the command has been read.
  return !policy.analysisPass && policy.document.userContentsSeen != 0;
}

void EndContentsList(FC& policy, SourceLine& line) {
  policy.document.inContentsList = 0;
  policy.document.contentsListEnded = 1;
  line.flags &= ~LineFlag::kContentsList;
}

HeadingTest::HeadingTest(SourceLine& line, FC& policy, DocumentStatistics& statistics)
    : line_(line), policy_(policy), statistics_(statistics) {}

int HeadingTest::TestHeading(std::string_view word, int wordNumber, int underlineLevel,
                             bool numberedAllowed) {
  if (underlineLevel >= 0) return LineType::kUnderlinedHeading1 + underlineLevel;
  // Stripping only removes characters, so a word without a digit cannot
  // become a number: most words stop here, before any copy and without the
  // set-up the number test needs.
  if (std::none_of(word.begin(), word.end(), IsDigit)) {
    line_.sectionNumber.fill(-1);
    return 0;
  }
  return TestNumber(word, wordNumber, numberedAllowed);
}

int HeadingTest::TestNumber(std::string_view word, int wordNumber, bool numberedAllowed) {
  DocumentState& document = policy_.document;
  const bool contentsExpected = document.inContentsList || statistics_.lastHeadingType == 0 ||
                                LineType::IsContentsLine(statistics_.lastHeadingType);
  SectionComponents& sn = line_.sectionNumber;
  std::string_view number = word;
  const char separator = StripNumberDecoration(policy_, nullptr, number);
  int level = 0;
  // A sixth level has no line type.
  if (!ParseSectionNumber(policy_, statistics_, number, separator, sn, level) || sn[level] < 0 ||
      level >= LineType::kMaxHeadingLevel) {
    return 0;
  }
  if (HasLetterRun(word) || InPreformattedRegion(line_) || IsReferenceEntry(line_, word) ||
      HasNoTitle(line_, wordNumber)) {
    return 0;
  }
  if (policy_.IsOutputPass() && policy_.headingLevelCount > 0 &&
      level >= policy_.headingLevelCount) {
    return 0;
  }
  CompareWithLastNumber(level);
  changeTooSmall = CheckProgression(level, false) == kChangeTooSmall;
  for (int i = 2; i <= level; ++i) {
    if (sn[i] > kLargestSectionComponent) return 0;
  }
  int code = CheckChapters(level, contentsExpected, true);
  if (code == kAccepted) code = CheckContentsContext(level, contentsExpected, true);
  if (code != kAccepted && (code < kStartContents || code > kContentsNotExpected)) {
    line_.flags |= LineFlag::kRejectedNumber;
    return 0;
  }

  for (int i = 0; i <= level; ++i) {
    int& largest = statistics_.maxNumber[i];
    int& smallest = statistics_.minNumber[i];
    largest = largest < 0 ? sn[i] : std::max(largest, sn[i]);
    smallest = smallest < 0 ? sn[i] : std::min(smallest, sn[i]);
  }
  const SourceLine* before = line_.PreviousLine();
  if (level == 0 && (before == nullptr || IsBlankLine(*before)) && sn[0] >= 2 && sn[0] <= 4) {
    int& count = statistics_.levelZeroSections[sn[0] - 1];
    count = std::max(count, 0) + 1;
  }

  const bool marked = ContentsMarkedByUser(policy_);
  int type = 0;
  if (policy_.analysisPass) {
    type = document.inContentsList && !marked ? LineType::kContentsLine1 + level
                                              : LineType::kNumberedHeading1 + level;
  } else if (!document.inContentsList) {
    const int at = policy_.headingStyles[level].indent;
    const bool aligned = level >= 1 ? std::abs(line_.indent - at) <= 1
                                    : line_.indent == at || line_.indent == at - 1;
    if (!aligned && !IsCentredTitle(line_)) {
      if (policy_.IsOutputPass()) {
        Report("Ignoring \"heading\" at \"wrong\" indentation : ",
               FormatNumberAndLast(sn, level, statistics_), 2);
      }
      return 0;
    }
    type = LineType::kNumberedHeading1 + level;
  } else {
    if (std::abs(line_.indent - policy_.contentsStyles[level].indent) > 1) {
      if (policy_.IsOutputPass()) {
        Report("Ignoring \"contents line\" at \"wrong\" indentation : ",
               FormatNumberAndLast(sn, level, statistics_), 2);
      }
      return 0;
    }
    type = LineType::kContentsLine1 + level;
  }
  if (!policy_.analysisPass && !numberedAllowed && type == LineType::kNumberedHeading1) {
    if (policy_.IsOutputPass()) Report("Ignoring \"heading\" embedded in text", TextString(), 4);
    return 0;
  }

  AcceptNumber(type, level);

  if (policy_.analysisPass) {
    if (type == LineType::kNumberedHeading1) statistics_.lastChapterLine = line_.sourceLineNumber;
    std::string_view counted = word;
    StripNumberDecoration(policy_, &statistics_, counted);
    if (wordNumber == 2 && !line_.IsEmpty()) {
      DocumentStatistics::LevelCounts& counts = LineType::IsContentsLine(type)
                                                    ? statistics_.contentsLevels[level]
                                                    : statistics_.headingLevels[level];
      ++counts.secondWordCount;
      TextString introducer;
      static_cast<void>(line_.GetWord(1, ' ', introducer));
      const int first = static_cast<unsigned char>(line_.At(0));
      for (int i = 0; i < 4; ++i) counts.secondWordFirstChars.Add(first, introducer.GetText());
    }
  }
  return type;
}

void HeadingTest::AcceptNumber(int type, int level) {
  DocumentState& document = policy_.document;
  const bool contents = LineType::IsContentsLine(type);
  if (!contents) {
    if (document.inContentsList && !ContentsMarkedByUser(policy_)) {
      EndContentsList(policy_, line_);
    }
    statistics_.headingSeen = 1;
  } else {
    statistics_.lastContentsLine = line_.sourceLineNumber;
    statistics_.linesAfterContentsLine = 0;
  }
  if (!policy_.analysisPass) {
    for (int i = 0; i <= level; ++i) {
      statistics_.previousLastWasContents[i] = statistics_.lastWasContents[i];
      statistics_.lastWasContents[i] = contents ? 1 : 0;
    }
  }
  for (int i = 0; i < DocumentStatistics::kLevels; ++i) {
    if (i <= level) {
      statistics_.previousNumber[i] = statistics_.lastNumber[i];
      statistics_.lastNumber[i] = line_.sectionNumber[i];
    } else {
      statistics_.previousNumber[i] = -1;
      statistics_.lastNumber[i] = -1;
    }
  }
}

void HeadingTest::CompareWithLastNumber(int level) {
  const SectionComponents& sn = line_.sectionNumber;
  noPrevious = true;
  someUnseen = false;
  allOnes = true;
  sameParent = true;
  notAboveMinimum = true;
  for (int i = 0; i <= level; ++i) {
    const int last = statistics_.lastNumber[i];
    if (last >= 0) {
      noPrevious = false;
    } else {
      someUnseen = true;
    }
    if (sn[i] != 0 && sn[i] != 1) allOnes = false;
    if (i < level && sn[i] != last) sameParent = false;
    if (statistics_.minNumber[i] >= 0 && sn[i] > statistics_.minNumber[i]) notAboveMinimum = false;
  }
  if (level == 0) {
    const int last = statistics_.lastNumber[0];
    startsSequence = sn[0] <= policy_.firstSectionNumber && (last < 0 || sn[0] <= last);
  } else {
    startsSequence = sn[level] == 0 || sn[level] == 1;
  }
}

int HeadingTest::CheckProgression(int level, bool report) {
  const SectionComponents& sn = line_.sectionNumber;
  int top = level;
  if (policy_.IsOutputPass() && policy_.headingLevelCount > 0) {
    top = std::min(level, policy_.headingLevelCount - 1);
  }
  // Only the first level that differs is judged. A step there opens a new
  // section, whose deeper levels are not compared with those of the
  // section before (its heading may not have been recognised as one).
  int i = 0;
  while (i <= top && sn[i] == statistics_.lastNumber[i]) ++i;

  int code = kAccepted;
  if (i > top) {
    code = kRepeated;
  } else {
    const std::int64_t cur = sn[i];
    const std::int64_t last = statistics_.lastNumber[i];
    if (cur == last + 1) {
      // The deepest level, never seen under the new section, starts at 1.
      if (level > 0 && i < level && statistics_.lastNumber[level] < 0 && sn[level] > 1) {
        code = kFirstSubHeader;
      }
    } else if (cur >= 0 && last >= 0) {
      if (level == 0) {
        if (cur > last + 2) {
          code = kChapterTooLarge;
        } else if (cur < last) {
          code = kChapterTooSmall;
        }
      } else if (cur > last + 2) {
        code = kChangeTooLarge;
      } else if (cur == last + 2) {
        code = i == level ? kMissing : kChangeTooLarge;
      } else {
        code = kChangeTooSmall;
      }
    }
  }

  if (report && policy_.IsOutputPass() && code != kAccepted) {
    const TextString detail = FormatNumberAndLast(sn, level, statistics_);
    switch (code) {
      case kChangeTooLarge:
        Report("Ignoring \"heading\" (change too large) : ", detail, 7);
        break;
      case kChangeTooSmall:
        Report("Ignoring \"heading\" (change too small) : ", detail, 7);
        break;
      case kFirstSubHeader:
        Report("Reject first sub-header of ", FormatSectionNumber(sn, level), 7);
        break;
      case kChapterTooSmall:
        Report("Ignoring \"heading\" (chapter number too small): ", detail, 7);
        break;
      case kChapterTooLarge:
        Report("Ignoring \"heading\" (chapter number too large): ", detail, 7);
        break;
      case kRepeated:
        Report("Repeated section number detected : ", detail, 7);
        break;
      case kMissing:
        Report("Missing section number detected  : ", detail, 7);
        break;
      default:
        break;
    }
  }
  return code == kRepeated || code == kMissing ? kAccepted : code;
}

int HeadingTest::CheckChapters(int level, bool contentsExpected, bool report) {
  SourceLine* h = line_.PreviousLine();
  // A dropped page header or footer still stands between two lines: the gap
  // is the one the analysis saw.
  int gap = static_cast<int>(line_.droppedFurniture.size());
  while (h != nullptr && (h->lineType == LineType::kAppended ||
                          h->lineType == LineType::kHeadingPart || IsBlankLine(*h))) {
    gap += 1 + static_cast<int>(h->droppedFurniture.size());
    h = h->PreviousLine();
  }
  if (!contentsExpected && h != nullptr &&
      (h->lineType == LineType::kNumberedHeading1 || h->lineType == LineType::kNumberedBullet) &&
      level == 0 && gap < kMaxChapterGap && line_.indent == h->indent &&
      !(RunsOnAsProse(line_) && RunsOnAsProse(*h))) {
    if (h->lineType == LineType::kNumberedHeading1) {
      statistics_.lastNumber[0] = statistics_.previousNumber[0];
      statistics_.lastWasContents[0] = statistics_.previousLastWasContents[0];
      for (int i = 1; i < DocumentStatistics::kLevels; ++i) {
        statistics_.lastNumber[i] = -1;
        statistics_.previousNumber[i] = -1;
      }
      h->lineType = LineType::kNumberedBullet;
    }
    if (report) {
      static constexpr const char* kMessage = "Ignoring \"heading\" (\"chapters\" consecutive): ";
      h->ReportOnLine(policy_, kMessage, 3);
      line_.ReportOnLine(policy_, kMessage, 3);
    }
    return kChaptersConsecutive;
  }

  const std::int64_t lineNumber = line_.sourceLineNumber;
  // Sections of a few lines each, whose titles run on into their text,
  // stand close together by nature (RFC 2119's key words).
  if (policy_.analysisPass && level == 0 && policy_.minChapterSize > 0 && !RunsOnAsProse(line_) &&
      lineNumber - statistics_.lastChapterLine < policy_.minChapterSize &&
      lineNumber > kChapterCheckStart) {
    statistics_.lastChapterLine = line_.sourceLineNumber;
    if (report) line_.ReportOnLine(policy_, "Ignoring \"heading\" (chapters too close) ", 3);
    return kChaptersTooClose;
  }
  return kAccepted;
}

int HeadingTest::CheckContentsContext(int level, bool contentsExpected, bool report) {
  const SectionComponents& sn = line_.sectionNumber;
  DocumentState& document = policy_.document;
  const bool marked = ContentsMarkedByUser(policy_);
  int code = kAccepted;

  if (contentsExpected && changeTooSmall && allOnes) code = kContentsRestart;
  if (code == kAccepted && level == 0) {
    const std::int64_t number = sn[0];
    const std::int64_t last = statistics_.lastNumber[0];
    if (last < 0) {
      if (number > policy_.firstSectionNumber) code = kRejectFirst;
    } else if (number == 1 && last > 1 && contentsExpected && !marked) {
      code = kEndContentsAtOne;
    } else if (number < last && !contentsExpected && statistics_.headingSeen) {
      code = kChapterTooSmall;
    } else if (number > last + 2) {
      code = kChapterTooLarge;
    }
  }
  if (code == kAccepted && contentsExpected && !document.inContentsList && policy_.IsOutputPass() &&
      !allOnes) {
    code = kRejectFirst;
  }
  if (code == kAccepted && noPrevious) {
    if (!allOnes) {
      code = kRejectFirst;
    } else if (notAboveMinimum && !marked && !RunsOnAsProse(line_)) {
      code = !policy_.expectContentsList || document.contentsListEnded ? kContentsNotExpected
                                                                       : kStartContents;
    }
  }

  if (code == kAccepted) {
    code = CheckProgression(level, report);
  } else if (report && policy_.IsOutputPass()) {
    TextString detail;
    switch (code) {
      case kEndContentsAtOne:
        Report("End Contents at section 1", detail, 3);
        break;
      case kContentsNotExpected:
        Report("End Contents (contents not expected)", detail, 1);
        break;
      case kChapterTooSmall:
        detail.AppendNumber(sn[level], false);
        Report("Ignoring \"heading\" (chapter number too small): ", detail, 3);
        break;
      case kChapterTooLarge:
        detail.AppendNumber(sn[0], false);
        Report("Ignoring \"heading\" (number too large): ", detail, 1);
        break;
      case kRejectFirst:
        for (int i = 0; i <= level; ++i) {
          detail.AppendNumber(sn[i], false);
          detail.AppendChar('.');
        }
        Report("Reject first header of ", detail, 3);
        break;
      default:
        break;
    }
  }

  if (code == kStartContents) {
    document.inContentsList = 1;
  } else if (code == kContentsRestart || code == kEndContentsAtOne ||
             code == kContentsNotExpected) {
    EndContentsList(policy_, line_);
  }
  return code;
}

void HeadingTest::Report(const char* message, const TextString& detail, int importance) {
  // A message that FC::Message would hold back, about a line no listing
  // annotates, is not built: most doubtful numbers are not shown.
  if (policy_.analysisPass != 0 ||
      (policy_.document.listing == nullptr &&
       static_cast<long long>(importance) < 10LL - policy_.errorLevel)) {
    return;
  }
  TextString text(message);
  text.AppendText(detail.View());
  line_.ReportOnLine(policy_, text.GetText(), importance);
}
