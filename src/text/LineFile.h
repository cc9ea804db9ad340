#pragma once

#include <string>

#include "text/ParsedString.h"
#include "text/TextFile.h"

class FC;

// A TextFile that reads and writes whole line objects.
class LineFile : public TextFile {
 public:
  LineFile() = default;
  // See TextFile(const TextFile*).
  explicit LineFile(const TextFile* other) : TextFile(other) {}

  using TextFile::ReadLine;

  // Reads file lines into `line` (which the caller has emptied) until
  // line.IsComplete(); then, for a line that holds a tab, stores the text
  // as read in line.sourceText and expands tabs to stops of `tabSize`; then
  // calls line.PrepareText(policy). The file lines do not enter the buffer.
  // Returns 1, or 0 when no complete line could be read.
  [[nodiscard]] virtual int ReadLine(ParsedString& line, int tabSize, FC& policy);
  // Writes `line` wrapped at its width to the current file. Returns 0 if the
  // file was opened for reading or the write failed.
  virtual int WriteWrapped(const ParsedString& line);

 private:
  // A piece read after the first of a line, before it is appended.
  std::string piece_;
};
