#include "gui/AnalysisPolicySheet.h"

#include "gui/PolicyPage.h"
#include "gui/PolicyPages.h"

AnalysisPolicySheet::AnalysisPolicySheet(FC& policies, ProgramSettings& settings,
                                         QWidget* parent)
    : PolicySheet(tr("Analysis Policies"), policies, settings, parent) {
  AddAnalysisPage(*this);
  AddHeadingPage(*this);
  AddBulletsPage(*this);
  AddContentsPage(*this);
  AddPreFormatPage(*this);
  AddTableAnalysisPage(*this);
  MakeTextsPlain(*this);
  Refresh();
}
