#pragma once

#include <cstdio>

#include "text/LineFile.h"
#include "text/TextString.h"

// Defined by higher layers; an output file only passes them on.
class FC;
class SourceLine;

// The abstract base of the HTML output file: a LineFile that starts pages and
// writes analysed source lines. The two full operations are defined by the
// output layer.
class OutputFile : public LineFile {
 public:
  OutputFile() = default;
  // See TextFile(const TextFile*).
  explicit OutputFile(const TextFile* other) : LineFile(other) {}

  // StartFile(name, policy, null, null).
  virtual int StartFile(const char* name, FC& policy);
  // Starts a page named `name` (null: the next page of a split document),
  // ending the page on `previousStream` when given. `sectionLine` is the
  // heading that begins the page, or null.
  virtual int StartFile(const char* name, FC& policy, SourceLine* sectionLine,
                        std::FILE* previousStream) = 0;
  // WriteLine(CurrentStream(), line, policy).
  virtual void WriteLine(SourceLine& line, FC& policy);
  // Writes one analysed source line to `stream`.
  virtual void WriteLine(std::FILE* stream, SourceLine& line, FC& policy) = 0;

  // Free for the output file class (empty at construction).
  TextString outputName;
};
