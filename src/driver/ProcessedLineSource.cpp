#include "driver/ProcessedLineSource.h"

#include <string>

#include "driver/InputChecks.h"
#include "policy/FC.h"
#include "preprocessor/Preprocessor.h"

int ProcessedLineSource::Open(const TextString& fileName, const FC& policy) {
  if (input_.OpenForReading(fileName.GetText())) return 1;
  const std::string message = "ERROR: Can't find file " + std::string(fileName.View()) +
                              ReadProblem(fileName.GetText());
  policy.Message(message.c_str(), 10);
  return 0;
}

bool ProcessedLineSource::ReadLine(SourceLine& line, FC& policy) {
  return ReadProcessedLine(input_, line, policy) != 0;
}
