#include "driver/Passes.h"

#include <memory>
#include <string>

#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SectionNumber.h"
#include "analysis/SourceLine.h"
#include "driver/GuardedFile.h"
#include "driver/LineListing.h"
#include "driver/PassLoop.h"
#include "driver/PassWork.h"
#include "driver/ProcessedLineSource.h"
#include "output/BodyWriter.h"
#include "output/ContentsList.h"
#include "output/DirectoryPage.h"
#include "output/DocumentPages.h"
#include "output/FileNavigation.h"
#include "output/HTMLFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"

namespace {

void SetPassFlags(FC& policy, int analysis, int contents, int output) {
  policy.analysisPass = analysis;
  policy.contentsPass = contents;
  policy.outputPass = output;
  policy.sparePass = 0;
}

void RecordNumberedSection(const SourceLine& line, RunContext& run) {
  const TextString number =
      FormatSectionNumber(line.sectionNumber, LineType::HeadingLevel(line.lineType) - 1);
  run.analysedSections[std::string(number.View())].push_back({line.indent, line.sourceLineNumber});
}

// Remembers a numbered heading for the cross-references of the output pass.
// The type is final once the line leaves the window. Every line is asked:
// the test stays apart from the recording, so that it is made in place.
void RecordSection(const SourceLine& line, const FC& policy) {
  if (policy.owner == nullptr || !LineType::IsNumberedHeading(line.lineType)) return;
  RecordNumberedSection(line, *policy.owner);
}

class AnalysisWork : public PassWork {
 public:
  explicit AnalysisWork(DocumentStatistics& statistics) : statistics_(statistics) {}
  void LineLeaving(SourceLine& line, FC& policy) override { Count(line, policy); }
  void LineFlushed(SourceLine& line, FC& policy) override { Count(line, policy); }

 private:
  void Count(SourceLine& line, FC& policy) {
    line.AccumulateStatistics(statistics_);
    statistics_.pageFurniture.Observe(line.sourceLineNumber, line.rawText.View(),
                                      (line.flags & LineFlag::kPreformatted) != 0,
                                      LineType::IsHeading(line.lineType));
    RecordSection(line, policy);
  }

  DocumentStatistics& statistics_;
};

class ContentsWork : public PassWork {
 public:
  void LineLeaving(SourceLine& line, FC& policy) override { Offer(line, policy); }
  // The page writer does the same: a heading among the last lines is not
  // written while a pre-formatted block is open.
  void LineFlushed(SourceLine& line, FC& policy) override { Offer(line, policy); }

 private:
  void Offer(SourceLine& line, FC& policy) {
    // The body writer's bookkeeping is what knows that a pre-formatted block
    // is open; a heading inside one is not a heading of the contents list.
    // With no page to write to, the writer runs that bookkeeping alone.
    body_.BeginLine(nullptr, line, policy, pages_);
    // Both take headings only, and most lines are none: asked here first.
    if (!policy.document.preOpen && LineType::IsHeading(line.lineType)) {
      ContentsList::OfferContentsEntry(line, policy);
      RecordSection(line, policy);
    }
  }

  BodyWriter body_;
  DocumentPages pages_;
};

// Creates the external contents file and makes it the page's contents
// holder; a file that cannot be opened has been reported, and its entries
// are lost.
void OpenContentsFile(HTMLFile& page, FC& policy, const TextString& outputBase, WriteGuard* guard) {
  GetContentsFileName(policy, outputBase);
  const TextString& name = policy.document.contentsFileName;
  policy.StatusMessage(("Generating contents file " + std::string(name.View())).c_str());
  auto holder = std::make_unique<GuardedFile<LineFile>>(guard, policy);
  if (!holder->OpenForWriting(name.GetText())) return;
  TextString title, description, keywords, styleSheet;
  HTMLFile::GetPageProperties(policy, title, description, keywords, styleSheet);
  HTMLFile::WriteHTMLHead(holder->CurrentStream(), title, styleSheet, keywords, description,
                          policy.scriptFile, policy.headerFile, policy, false);
  page.SetContentsFile(std::move(holder), policy);
}

class OutputWork : public PassWork {
 public:
  explicit OutputWork(HTMLFile& page) : page_(page) {}
  void LineLeaving(SourceLine& line, FC& policy) override { Write(line, policy); }
  // The page is asked for its current stream for every line, since a
  // heading among the last lines may have started a new page.
  void LineFlushed(SourceLine& line, FC& policy) override { Write(line, policy); }

 private:
  // The page's own writer, called directly: every line is spared the
  // dispatch through the generic output file.
  void Write(SourceLine& line, FC& policy) {
    page_.HTMLFile::WriteLine(page_.CurrentStream(), line, policy);
  }

  HTMLFile& page_;
};

}  // namespace

int AnalysisPass(FC& policy, DocumentStatistics& statistics, const TextString& fileName,
                 const TextString& listingName, WriteGuard* guard) {
  SetPassFlags(policy, 1, 0, 0);
  ProcessedLineSource source;
  if (!source.Open(fileName, policy)) return 0;
  AnalysisWork work(statistics);
  LineListing listing(work, guard, policy);
  (void)listing.Open(listingName, policy);
  RunPass(source, policy, statistics, listing.Work());
  statistics.pageFurniture.Finish();
  listing.Finish();
  return 1;
}

int ContentsPass(FC& policy, DocumentStatistics& statistics, const TextString& fileName) {
  SetPassFlags(policy, 0, 1, 0);
  ProcessedLineSource source;
  if (!source.Open(fileName, policy)) return 0;
  policy.attemptTables = 0;
  // This pass reads the headings as the output pass will: its findings
  // replace the analysis pass's.
  if (policy.owner != nullptr) policy.owner->analysedSections.clear();
  ContentsWork work;
  RunPass(source, policy, statistics, work);
  return 1;
}

int OutputPass(FC& policy, DocumentStatistics& statistics, const TextString& fileName,
               const TextString& outputBase, const TextString& listingName, WriteGuard* guard) {
  SetPassFlags(policy, 0, 0, 1);
  ProcessedLineSource source;
  if (!source.Open(fileName, policy)) return 0;
  GuardedFile<HTMLFile> page(guard, policy);
  ContentsList contents(page);
  page.SetHeadingEntries(&contents);
  OutputWork work(page);
  // Opened before the first page, so that its start is listed like the
  // start of every later page.
  LineListing listing(work, guard, policy);
  (void)listing.Open(listingName, policy);
  // A page that cannot be opened has been reported; the pass still runs so
  // that every message about the document is given.
  const int opened = page.StartFile(outputBase.GetText(), policy);
  RunContext* run = policy.owner;
  if (run != nullptr) {
    TextString firstPage = policy.outputDirectory;
    firstPage.AppendText(page.Pages().FirstPage().View());
    firstPage.AppendText(policy.outputExtension.View());
    WriteDirectoryFileEntry(policy, firstPage);
    // The headings the contents pass collected tell where later sections
    // will be, for links written before their pages are.
    if (!run->contentsEntries.empty()) page.Pages().Plan(run->contentsEntries, policy);
  }
  if (policy.externalContents != 0) OpenContentsFile(page, policy, outputBase, guard);
  WriteFileNavigation(policy, page, contents);
  RunPass(source, policy, statistics, listing.Work());
  page.WriteHTMLFooter(page.CurrentStream(), nullptr, policy, policy.footerFile, false, true);
  page.CloseContentsFile(outputBase, policy);
  page.Close();
  listing.Finish();
  return opened;
}
