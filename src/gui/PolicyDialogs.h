#pragma once

class FC;
class ProgramSettings;
class QWidget;

// The policy editor as the main window opens it. Each opens its dialog
// modally over `parent` and returns true when the user applied changes
// (the touched policies are then stored in `policies` and marked given).

bool EditAnalysisPolicies(FC& policies, ProgramSettings& settings, QWidget* parent);
bool EditOutputPolicies(FC& policies, ProgramSettings& settings, QWidget* parent);
// Returns true when the user stored the settings (OK).
bool EditProgramSettings(ProgramSettings& settings, QWidget* parent);
