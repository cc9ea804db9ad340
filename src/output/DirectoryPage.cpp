#include "output/DirectoryPage.h"

#include "markup/HtmlEscaper.h"
#include "output/AttributeText.h"
#include "output/HTMLFile.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/LineFile.h"
#include "text/TextWriter.h"

namespace {

void FallBack(TextString& value, const TextString& documentPolicy) {
  if (value.IsEmpty() && !documentPolicy.IsEmpty()) value = documentPolicy;
}

}  // namespace

TextString DirectoryPageName(const FC& policy, const TextString& outputDir) {
  if (!policy.directoryFilename.IsEmpty()) return policy.directoryFilename;
  TextString name = outputDir;
  name.AppendText("index");
  if (policy.useDosFilenames != 0) {
    name.AppendText(".HTM");
  } else if (policy.useHtmExtension != 0) {
    name.AppendText(".htm");
  } else {
    name.AppendText(policy.outputExtension.View());
  }
  return name;
}

void GetDirectoryProperties(const FC& policy, TextString& title, TextString& description,
                            TextString& keywords, TextString& styleSheet, TextString& scriptFile,
                            TextString& headerFile, TextString& footerFile) {
  styleSheet = policy.styleSheet;
  title = policy.directoryTitle;
  description = policy.directoryDescription;
  keywords = policy.directoryKeywords;
  scriptFile = policy.directoryScript;
  headerFile = policy.directoryHeader;
  footerFile = policy.directoryFooter;
  FallBack(title, policy.documentTitle);
  FallBack(keywords, policy.documentKeywords);
  FallBack(description, policy.documentDescription);
  FallBack(scriptFile, policy.scriptFile);
  FallBack(headerFile, policy.headerFile);
  FallBack(footerFile, policy.footerFile);
}

int OpenDirectoryPage(FC& policy, RunContext& run, const TextString& outputDir, LineFile& file) {
  if (policy.makeDirectory == 0) return 0;
  const TextString name = DirectoryPageName(policy, outputDir);
  TextString report("Generating Master index file \"");
  report.AppendText(name.View());
  report.AppendText("\"");
  policy.StatusMessage(report);
  policy.StatusMessage("");
  if (file.OpenForWriting(name.GetText()) == 0) return 0;
  run.directoryPage = &file;
  run.directoryPageName = name;
  TextString title, description, keywords, styleSheet, scriptFile, headerFile, footerFile;
  GetDirectoryProperties(policy, title, description, keywords, styleSheet, scriptFile, headerFile,
                         footerFile);
  std::FILE* stream = file.CurrentStream();
  HTMLFile::WriteHTMLHead(stream, title, styleSheet, keywords, description, scriptFile, headerFile,
                          policy, true);
  HTMLFile::SetIndentLevel(stream, 0, run.directoryIndentLevel, policy);
  return 1;
}

void WriteDirectoryFileEntry(FC& policy, const TextString& firstPage) {
  RunContext* run = policy.owner;
  if (policy.makeDirectory == 0 || run == nullptr || run->directoryPage == nullptr) return;
  std::FILE* stream = run->directoryPage->CurrentStream();
  const TextString& document = policy.document.documentFileName;
  HTMLFile::SetIndentLevel(stream, 0, run->directoryIndentLevel, policy);
  WriteText(stream, "");
  TextString line("<!--- Contents for file ");
  line.AppendText(document.View());
  line.AppendText(" --->");
  WriteText(stream, line.GetText());
  line = AnchorTag(document.GetText());
  line.AppendText(" </A>");
  WriteText(stream, line.GetText());
  if (policy.showFileTitles == 0) {
    WriteText(stream, "<P>");
    return;
  }
  TextString title, description, keywords, styleSheet;
  HTMLFile::GetPageProperties(policy, title, description, keywords, styleSheet);
  if (title.IsEmpty()) {
    title = document;
    EscapeHtml(title);
  }
  line.SetText("<H2><A HREF=\"");
  AppendLinkName(
      line, RelativeLink(DirectoryOf(run->directoryPageName.View()), firstPage.View()).GetText());
  line.AppendText("\">");
  line.AppendText(title.View());
  line.AppendText("</A></H2>");
  WriteText(stream, line.GetText());
  WriteText(stream, "");
}

void CloseDirectoryPage(FC& policy, RunContext& run) {
  if (policy.makeDirectory == 0 || run.directoryPage == nullptr) return;
  std::FILE* stream = run.directoryPage->CurrentStream();
  HTMLFile::SetIndentLevel(stream, 0, run.directoryIndentLevel, policy);
  TextString title, description, keywords, styleSheet, scriptFile, headerFile, footerFile;
  GetDirectoryProperties(policy, title, description, keywords, styleSheet, scriptFile, headerFile,
                         footerFile);
  if (!footerFile.IsEmpty()) HTMLFile::IncludeFile(stream, footerFile.GetText(), policy);
  WriteText(stream, "</BODY>");
  WriteText(stream, "</HTML>");
  run.directoryPage->Close();
  run.directoryPage = nullptr;
}
