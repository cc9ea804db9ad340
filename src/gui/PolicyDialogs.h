#pragma once

#include <QString>

#include "gui/PolicyFileDialog.h"

class FC;
class ProgramSettings;
class QWidget;

// The policy editor as the main window uses it. Each call shows its dialog
// modally over `parent`; the record and the settings are edited in place.

// The "Analysis Policies" and "Output Policies" sheets on `policies`, shown
// as the record is now. True when OK or Apply stored a changed policy
// (which is then marked given).
bool EditAnalysisPolicies(FC& policies, ProgramSettings& settings, QWidget* parent);
bool EditOutputPolicies(FC& policies, ProgramSettings& settings, QWidget* parent);

// The "Program Settings" dialog. True when OK changed a setting.
bool EditProgramSettings(ProgramSettings& settings, QWidget* parent);

// The "Anyloom Policy File" dialog over `policies`, its buttons doing
// `actions` (see PolicyFileDialog.h; empty ones act on `policies`). Returns
// true when a file was loaded (and not reset since); `loadedFile` is then
// the last one.
bool OpenPolicyFileDialog(FC& policies, ProgramSettings& settings,
                          const PolicyFileActions& actions, QString& loadedFile, QWidget* parent);

// The "Save policies to file" dialog. True when a file was written.
bool OpenSavePolicyDialog(const FC& policies, ProgramSettings& settings, QWidget* parent);
