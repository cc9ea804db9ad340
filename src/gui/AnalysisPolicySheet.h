#pragma once

#include "gui/PolicySheet.h"

// "Analysis Policies": the policies that steer the analysis of the source.
class AnalysisPolicySheet : public PolicySheet {
  Q_OBJECT

 public:
  AnalysisPolicySheet(FC& policies, ProgramSettings& settings, QWidget* parent = nullptr);
};
