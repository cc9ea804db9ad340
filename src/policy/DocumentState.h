#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/TextString.h"

class LineFile;

// The state of one document within one pass: preprocessor blocks and
// sections, the contents-list state, the page writer's nesting and page
// names. FC::ResetDocumentState replaces it by a default-constructed one, so
// nothing here survives from one document to the next. Pointers are not
// owned.
struct DocumentState {
  // Source lines handed to the pass's per-line work so far.
  int processedLines = 0;
  // The number the line now being read will take; 0 outside a pass.
  int lineBeingRead = 0;
  // The listing of the pass, or null when none is written.
  LineFile* listing = nullptr;
  // The input file name less its directory.
  TextString documentFileName;

  // Preprocessor sections and user-marked blocks.
  TextString currentSection;
  int sectionIncluded = 1;
  int inPre = 0;
  int inHtml = 0;
  int inTable = 0;
  int inCode = 0;
  int inDiagram = 0;
  int inUserContents = 0;
  int userContentsSeen = 0;
  // A user-specified region has begun and no line of it has been handed on
  // yet; the flag of its kind (a LineFlag bit), or 0.
  std::uint32_t regionStarting = 0;
  // Its table configuration is queued.
  int regionConfigQueued = 0;
  // The line handed on last lay in a user-specified region.
  int lastLineInUserRegion = 0;

  // The document's own contents list.
  int inContentsList = 0;
  int contentsListEnded = 0;

  // Page body nesting: the open block tag of each level, outermost first.
  int nestingLevel = 0;
  std::vector<TextString> nestingTags;
  int contentsIndentLevel = 0;
  int preOpen = 0;
  int insidePreBlock = 0;

  // Pages of the document.
  TextString sourceName{"unknown"};
  TextString pageBaseName;
  TextString currentPageName;
  TextString previousPageName;
  TextString firstPageName;
  int dosPageCounter = 0;
  int linesAtPageStart = 0;
  TextString contentsFileName;
  // The external contents file or the first page while it collects the
  // contents entries.
  LineFile* contentsFile = nullptr;
};
