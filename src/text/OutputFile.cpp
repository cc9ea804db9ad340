#include "text/OutputFile.h"

int OutputFile::StartFile(const char* name, FC& policy) {
  return StartFile(name, policy, -1, nullptr, nullptr);
}

int OutputFile::WriteLine(SourceLine& line, FC& policy) {
  return WriteLine(CurrentStream(), line, policy);
}
