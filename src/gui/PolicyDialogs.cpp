#include "gui/PolicyDialogs.h"

// Placeholders until the policy sheets and the settings dialog land: nothing
// opens and nothing changes.

bool EditAnalysisPolicies(FC& /*policies*/, ProgramSettings& /*settings*/, QWidget* /*parent*/) {
  return false;
}

bool EditOutputPolicies(FC& /*policies*/, ProgramSettings& /*settings*/, QWidget* /*parent*/) {
  return false;
}

bool EditProgramSettings(ProgramSettings& /*settings*/, QWidget* /*parent*/) { return false; }
