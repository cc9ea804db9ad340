#include "output/FileNavigation.h"

#include <string>
#include <string_view>

#include "output/AttributeText.h"
#include "output/ContentsList.h"
#include "output/HTMLFile.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/TextWriter.h"

namespace {

// The first page of the readable file nearest to `index` (0-based) in
// direction `step`, or empty when there is none.
TextString NeighbourPage(const RunContext& run, int index, int step) {
  for (int i = index; i >= 0 && i < run.firstPages.Count(); i += step) {
    const TextString* page = run.firstPages.Get(i);
    if (page != nullptr && !page->IsEmpty()) return *page;
  }
  return TextString();
}

TextString FileLink(const FC& policy, const TextString& target, const char* text) {
  TextString link("<FONT SIZE=\"+1\"><B><A HREF=\"");
  AppendLinkName(link, RelativeLink(policy.outputDirectory.View(), target.View()).GetText());
  link.AppendText("\">");
  link.AppendText(text);
  link.AppendText("</A></B></FONT>");
  return link;
}

}  // namespace

void GetContentsFileName(FC& policy, const TextString& base) {
  TextString& name = policy.document.contentsFileName;
  if (!policy.externalContentsName.IsEmpty()) {
    name = policy.externalContentsName;
    return;
  }
  const std::string_view whole = base.View();
  const std::string_view directory = DirectoryOf(whole);
  std::string_view root = whole.substr(directory.size());
  const std::size_t dot = root.rfind('.');
  if (dot != std::string_view::npos && dot + 6 >= root.size()) root = root.substr(0, dot);
  name = policy.outputDirectory.IsEmpty() ? TextString(directory) : policy.outputDirectory;
  if (policy.useDosFilenames != 0) {
    name.AppendText("contents.htm");
  } else {
    name.AppendText("contents_");
    name.AppendText(root);
    name.AppendText(policy.outputExtension.View());
  }
}

void WriteFileNavigation(FC& policy, HTMLFile& page, ContentsList& contents) {
  std::FILE* stream = page.CurrentStream();
  const RunContext* run = policy.owner;
  const bool directory =
      policy.makeDirectory != 0 && run != nullptr && run->directoryPage != nullptr;
  if (directory) {
    TextString line("<FONT SIZE=\"+1\"><B><A HREF=\"");
    AppendLinkName(
        line, RelativeLink(policy.outputDirectory.View(), run->directoryPageName.View()).GetText());
    line.AppendChar('#');
    AppendLinkName(line, policy.document.documentFileName.GetText());
    line.AppendText("\">");
    line.AppendText(policy.directoryReturnText.IsEmpty() ? "Directory"
                                                         : policy.directoryReturnText.GetText());
    line.AppendText("</A></B></FONT>");
    WriteText(stream, line.GetText());

    const int current = run->currentFile - 1;
    const TextString previous = NeighbourPage(*run, current - 1, -1);
    if (previous.IsEmpty()) {
      WriteText(stream, " | <FONT SIZE=\"+1\"><B>Previous file</B></FONT>");
    } else {
      WriteText(stream,
                ("| " + std::string(FileLink(policy, previous, "Previous file").View())).c_str());
    }
    const TextString next = NeighbourPage(*run, current + 1, 1);
    if (next.IsEmpty()) {
      WriteText(stream, " | <FONT SIZE=\"+1\"><B>Next file</B></FONT>");
    } else {
      WriteText(stream, ("| " + std::string(FileLink(policy, next, "Next file").View())).c_str());
    }
  }
  const bool external = policy.externalContents != 0 && policy.document.contentsFile != nullptr;
  if (external) {
    TextString line(directory ? "| " : "");
    line.AppendText(FileLink(policy, policy.document.contentsFileName, "Contents List").View());
    WriteText(stream, line.GetText());
  } else if (run != nullptr && run->contentsGenerated != 0) {
    contents.WriteContentsList(policy, stream);
  }
  if (directory || external) WriteText(stream, "<P>");
}
