#pragma once

class PolicySheet;

// The pages of the two policy sheets; each adds one tab to `sheet`, editing
// the sheet's record.

// The analysis sheet, in tab order.
void AddAnalysisPage(PolicySheet& sheet);
void AddHeadingPage(PolicySheet& sheet);
void AddBulletsPage(PolicySheet& sheet);
void AddContentsPage(PolicySheet& sheet);  // in both sheets
void AddPreFormatPage(PolicySheet& sheet);
void AddTableAnalysisPage(PolicySheet& sheet);

// The output sheet, in tab order (with AddContentsPage fourth).
void AddAddedHtmlPage(PolicySheet& sheet);
void AddColoursPage(PolicySheet& sheet);
void AddHyperlinksPage(PolicySheet& sheet);
void AddFileSplitPage(PolicySheet& sheet);
void AddPreprocessorPage(PolicySheet& sheet);
void AddStylePage(PolicySheet& sheet);
void AddLinkDictionaryPage(PolicySheet& sheet);
void AddTablePage(PolicySheet& sheet);
void AddDirectoryPage(PolicySheet& sheet);
