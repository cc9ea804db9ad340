#include "text/OutputFile.h"

int OutputFile::StartFile(const char* name, FC& policy) {
  return StartFile(name, policy, nullptr, nullptr);
}

void OutputFile::WriteLine(SourceLine& line, FC& policy) {
  WriteLine(CurrentStream(), line, policy);
}
