#pragma once

#include <map>
#include <string>
#include <vector>

#include "text/StringList.h"
#include "text/TextString.h"

class LineFile;

// The state shared by all files of one run, and the owner every policy
// record of the run points to. Created by the front end and alive for the
// whole run. Plain data: the file lists, the current file number and the
// Directory page persist from file to file; ClearFileState empties the rest
// at the start of every file, so nothing of one document names the next.
class RunContext {
 public:
  // Values of outputKind.
  static constexpr int kHtmlOutput = 0;
  static constexpr int kRtfOutput = 2;

  // One heading collected for the contents list of the current file.
  struct ContentsEntry {
    int lineType = 0;
    TextString text;  // the heading line's raw text, before escaping
    // Lines of the pass processed when the heading was met, which decides
    // where a split document's pages begin.
    int processedLines = 0;
  };

  int outputKind = kHtmlOutput;

  // The input files and, entry for entry, their policy file names.
  StringList files;
  StringList policies;
  // 1-based number of the file being converted; 0 before the first.
  int currentFile = 0;
  // The file of the first page of each input file (entry for entry with
  // `files`), as its conversion will name it; empty for a file that cannot
  // be read. Filled by the front end before the first file, so that each
  // file can link to the next.
  StringList firstPages;

  // The Directory page: the open page (not owned; the front end opens and
  // closes it), the name it was opened under and its open BLOCKQUOTE levels.
  LineFile* directoryPage = nullptr;
  TextString directoryPageName;
  int directoryIndentLevel = 0;

  // --- Per file; cleared by ClearFileState ---
  // A contents pass has run for the current file.
  int contentsGenerated = 0;
  std::vector<ContentsEntry> contentsEntries;
  // Texts of $_$_TITLE, $_$_KEYWORDS, $_$_DESCRIPTION and $_$_STYLE_SHEET.
  TextString title;
  TextString keywords;
  TextString description;
  TextString styleSheet;
  // Titles remembered by the analysis: the first heading and the first
  // line of more than two characters.
  TextString firstHeadingTitle;
  TextString firstLineTitle;
  // The current file is UTF-8 text (decided once, before its first pass):
  // the 8-bit character map is not applied and its pages declare UTF-8.
  int utf8Text = 0;
  // The files $_$_INCLUDE opened while the analysis pass read the current
  // file, as opened; the driver counts them as inputs of the run, so no page
  // or report written later can overwrite one.
  StringList includeFiles;
  // A numbered heading found before the output pass: its indent and its
  // line number (a number may be found on several lines).
  struct FoundSection {
    int indent = -1;
    int line = -1;
  };
  // The numbered headings the analysis pass (or, when it runs, the contents
  // pass) found, by number ("3.2"): the sections a cross-reference ahead of
  // the output pass may link to.
  std::map<std::string, std::vector<FoundSection>> analysedSections;

  // Empties the per-file state above.
  void ClearFileState();
};
