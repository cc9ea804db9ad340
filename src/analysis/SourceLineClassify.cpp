#include "analysis/DocumentStatistics.h"
#include "analysis/LineClassifier.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"

void SourceLine::Classify(FC& policy, DocumentStatistics& statistics) {
  LineClassifier(*this, policy, statistics).Classify();
}
