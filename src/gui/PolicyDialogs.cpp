#include "gui/PolicyDialogs.h"

// Placeholders until the policy editor lands: nothing opens and nothing
// changes.

bool EditAnalysisPolicies(FC& /*policies*/, ProgramSettings& /*settings*/, QWidget* /*parent*/) {
  return false;
}

bool EditOutputPolicies(FC& /*policies*/, ProgramSettings& /*settings*/, QWidget* /*parent*/) {
  return false;
}

bool EditProgramSettings(ProgramSettings& /*settings*/, QWidget* /*parent*/) { return false; }

bool OpenPolicyFileDialog(FC& /*policies*/, ProgramSettings& /*settings*/,
                          const PolicyFileActions& /*actions*/, QString& /*loadedFile*/,
                          QWidget* /*parent*/) {
  return false;
}

bool OpenSavePolicyDialog(const FC& /*policies*/, ProgramSettings& /*settings*/,
                          QWidget* /*parent*/) {
  return false;
}
