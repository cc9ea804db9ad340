#pragma once

#include "driver/LineSource.h"
#include "text/LineFile.h"
#include "text/TextString.h"

class FC;

// The lines of a document as a pass reads them: through the preprocessor,
// which obeys and drops the "$_$_" command lines and follows include files.
class ProcessedLineSource : public LineSource {
 public:
  // Opens the document `fileName` for reading. Returns 1, or 0 after
  // reporting "ERROR: Can't find file <name>" (with the reason when the name
  // is not a readable regular file) through policy.Message at importance 10.
  [[nodiscard]] int Open(const TextString& fileName, const FC& policy);

  bool ReadLine(SourceLine& line, FC& policy) override;

 private:
  LineFile input_;
};
