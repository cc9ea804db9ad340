#include "driver/ConvertFile.h"

#include <initializer_list>
#include <string>

#include "analysis/DocumentStatistics.h"
#include "analysis/PolicyCalculation.h"
#include "driver/GuardedFile.h"
#include "driver/InputChecks.h"
#include "driver/Passes.h"
#include "driver/StatisticsReport.h"
#include "markup/Utf8Detector.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/FileIdentity.h"
#include "text/LineFile.h"

namespace {

// The file's switches, its directories, the run context and the sinks of
// `policy`, for one of the conversion's records.
void PrepareRecord(FC& record, const ConvertFileJob& job, const FC& policy) {
  ApplyFileSwitches(record, job.switches);
  record.inputDirectory = job.inputDir;
  record.outputDirectory = job.outputDir;
  record.SetOwner(policy.owner);
  record.messageSink = policy.messageSink;
  record.statusSink = policy.statusSink;
}

// The input file name less its directory, as the pages and listings name it.
void SetDocumentNames(FC& record, const ConvertFileJob& job) {
  std::string documentName(job.fileName.View());
  const std::size_t at =
      job.inputDir.IsEmpty() ? std::string::npos : documentName.find(job.inputDir.View());
  if (at != std::string::npos) documentName.erase(at, job.inputDir.View().size());
  record.document.documentFileName.SetText(documentName);
  const std::string_view file = job.fileName.View();
  const std::size_t slash = file.rfind('/');
  record.document.sourceName.SetText(slash == std::string_view::npos ? file
                                                                     : file.substr(slash + 1));
}

// Fills a record of a later pass: the calculated policies, then the given
// ones over them.
void CompletePolicies(FC& record, DocumentStatistics& analysisStatistics,
                      const ConvertFileJob& job, const FC& policy, bool policyGiven) {
  record.ResetDocumentState(false);
  CalculatePolicies(record, analysisStatistics);
  SetDocumentNames(record, job);
  if (policyGiven) record.MergeGiven(policy, true);
}

void WritePolicyFileIfAsked(FC& outputPolicy, const ConvertFileJob& job) {
  if (!job.switches.writePolicy && !outputPolicy.writePolicyFile) return;
  outputPolicy.GetPolicyFileName(job.fileName.GetText());
  outputPolicy.StatusMessage(
      ("Generating policy file " + std::string(outputPolicy.policyFileOutName.View())).c_str());
  // A later document of the run may write the same policy file again.
  GuardedFile<LineFile> file(job.guard, outputPolicy, WriteGuard::Repeat::kReplace);
  if (!file.OpenForWriting(outputPolicy.policyFileOutName.GetText())) return;
  outputPolicy.WritePolicyFile(file, true);
  file.Close();
}

// A contents list at the top of a single page is built by a pass of its
// own; with splitting or an external file it is built while writing.
bool WantsContentsPass(const FC& outputPolicy) {
  return outputPolicy.addContentsList && !outputPolicy.externalContents &&
         !outputPolicy.splitKnown &&
         !(outputPolicy.expectContentsList && outputPolicy.useExistingContents);
}

// Links written before the section they name (the document's own contents
// list, and every link of a split document) need to know ahead which
// headings there are and on which page each will be: the contents pass
// collects them.
bool WantsHeadingPlan(const FC& outputPolicy, const DocumentStatistics& analysisStatistics) {
  if (outputPolicy.splitKnown) return true;
  for (const DocumentStatistics::LevelCounts& level : analysisStatistics.contentsLevels) {
    if (level.indents.Total() > 0) return true;
  }
  return false;
}

}  // namespace

void ApplyFileSwitches(FC& record, const ConsoleSwitches& switches) {
  struct Entry {
    int PolicyValues::*field;
    Policy flag;
    int on;
  };
  const Entry entries[] = {
      {&PolicyValues::useDosFilenames, Policy::UseDosFilenames, switches.dos},
      {&PolicyValues::keepItSimple, Policy::KeepItSimple, switches.simple},
      {&PolicyValues::writePolicyFile, Policy::WritePolicyFile, switches.writePolicy},
      {&PolicyValues::addContentsList, Policy::AddContentsList, switches.contents},
      {&PolicyValues::makeDirectory, Policy::MakeDirectory, switches.index},
  };
  for (const Entry& entry : entries) {
    record.*entry.field = entry.on ? 1 : 0;
    if (entry.on) record.SetGiven(entry.flag);
  }
}

TextString PlanFirstPage(const ConvertFileJob& job, const FC& policy, bool policyGiven) {
  if (!IsRegularFile(job.fileName.GetText())) return TextString();
  FC record;
  PrepareRecord(record, job, policy);
  record.messageSink = [](const char*) {};
  record.ResetDocumentState(false);
  if (policyGiven) record.MergeGiven(policy, true);
  return FirstPagePath(job.outputBase.GetText(), record);
}

int ConvertFile(const ConvertFileJob& job, const FC& policy, bool policyGiven) {
  FC analysisPolicy;
  FC contentsPolicy;
  FC outputPolicy;
  DocumentStatistics analysisStatistics;
  DocumentStatistics contentsStatistics;
  DocumentStatistics outputStatistics;
  for (FC* record : {&analysisPolicy, &contentsPolicy, &outputPolicy}) {
    PrepareRecord(*record, job, policy);
  }
  RunContext* run = policy.owner;
  if (run != nullptr) {
    run->ClearFileState();
    bool isUtf8 = false;
    if (DetectUtf8File(job.fileName.GetText(), isUtf8)) run->utf8Text = isUtf8 ? 1 : 0;
  }

  if (LooksBinary(job.fileName.GetText())) {
    outputPolicy.Message(("WARNING: \"" + std::string(job.fileName.View()) +
                          "\" looks like a binary file (it holds NUL bytes); "
                          "it is converted as text")
                             .c_str(),
                         10);
  }

  const int failuresBefore = job.guard != nullptr ? job.guard->Failures() : 0;
  if (policyGiven) analysisPolicy.MergeGiven(policy, false);
  SetDocumentNames(analysisPolicy, job);
  // A document that cannot be read (gone since it was listed) has been
  // reported once; the later passes would only report it again.
  if (!AnalysisPass(analysisPolicy, analysisStatistics, job.fileName, job.analysisListingName,
                    job.guard)) {
    return 0;
  }
  if (run != nullptr && job.guard != nullptr) {
    for (int i = 0; i < run->includeFiles.Count(); ++i) {
      job.guard->AddInput(run->includeFiles.Get(i)->GetText());
    }
  }
  (void)WriteStatisticsFile(job.statisticsName, analysisStatistics, job.guard, analysisPolicy);

  CompletePolicies(outputPolicy, analysisStatistics, job, policy, policyGiven);
  contentsStatistics.pageFurniture = analysisStatistics.pageFurniture;
  outputStatistics.pageFurniture = analysisStatistics.pageFurniture;
  WritePolicyFileIfAsked(outputPolicy, job);

  if (WantsContentsPass(outputPolicy)) {
    CompletePolicies(contentsPolicy, analysisStatistics, job, policy, policyGiven);
    outputPolicy.StatusMessage("---- Generating Contents List ----");
    (void)ContentsPass(contentsPolicy, contentsStatistics, job.fileName);
    if (run != nullptr) run->contentsGenerated = 1;
  } else if (WantsHeadingPlan(outputPolicy, analysisStatistics)) {
    CompletePolicies(contentsPolicy, analysisStatistics, job, policy, policyGiven);
    (void)ContentsPass(contentsPolicy, contentsStatistics, job.fileName);
  }

  outputPolicy.StatusMessage("---- Starting Output pass ----");
  const int written = OutputPass(outputPolicy, outputStatistics, job.fileName, job.outputBase,
                                 job.listingName, job.guard);
  if (job.guard != nullptr && job.guard->Failures() != failuresBefore) return 0;
  return written;
}
