#include "gui/OutputPolicySheet.h"

#include "gui/PolicyPage.h"
#include "gui/PolicyPages.h"

OutputPolicySheet::OutputPolicySheet(FC& policies, ProgramSettings& settings, QWidget* parent)
    : PolicySheet(tr("Output Policies"), policies, settings, parent) {
  AddAddedHtmlPage(*this);
  AddColoursPage(*this);
  AddHyperlinksPage(*this);
  AddContentsPage(*this);
  AddFileSplitPage(*this);
  AddPreprocessorPage(*this);
  AddStylePage(*this);
  AddLinkDictionaryPage(*this);
  AddTablePage(*this);
  AddDirectoryPage(*this);
  MakeTextsPlain(*this);
  Refresh();
}
