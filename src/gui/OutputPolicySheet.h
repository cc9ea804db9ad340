#pragma once

#include "gui/PolicySheet.h"

// "Output Policies": the policies that shape the HTML written.
class OutputPolicySheet : public PolicySheet {
  Q_OBJECT

 public:
  OutputPolicySheet(FC& policies, ProgramSettings& settings, QWidget* parent = nullptr);
};
