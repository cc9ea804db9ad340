#include "gui/ConversionRun.h"

#include <QDir>
#include <QFile>
#include <string>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/PolicyCalculation.h"
#include "driver/ConvertFile.h"
#include "driver/FileList.h"
#include "driver/FileNames.h"
#include "driver/GuardedFile.h"
#include "driver/Passes.h"
#include "driver/PosixFileSystem.h"
#include "driver/WriteGuard.h"
#include "output/DirectoryPage.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/LineFile.h"

namespace {

std::string Bytes(const QString& name) {
  return QFile::encodeName(name).toStdString();
}
QString FromBytes(std::string_view name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

// A directory as the engine joins names to it: empty, or ending in "/".
std::string DirectoryPrefix(const QString& dir) {
  std::string bytes = Bytes(dir);
  if (!bytes.empty() && bytes.back() != '/') bytes += '/';
  return bytes;
}

// `name` with the page extension the user may have typed dropped.
QString WithoutPageExtension(QString name) {
  for (const char* ext : {".html", ".htm"}) {
    if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive)) {
      name.chop(static_cast<qsizetype>(std::char_traits<char>::length(ext)));
      break;
    }
  }
  return name;
}

void RouteTo(FC& record, const ConversionRun::LineSink& sink) {
  record.messageSink = [sink](const char* text) { sink(QString::fromUtf8(text)); };
  record.statusSink = record.messageSink;
}

// The record names the directories of the document being converted.
void SetJobDirectories(FC& policy, const ConvertFileJob& job) {
  policy.inputDirectory = job.inputDir;
  policy.SetGiven(Policy::InputDirectory);
  policy.outputDirectory = job.outputDir;
  policy.SetGiven(Policy::OutputDirectory);
}

}  // namespace

ConversionRun::ConversionRun(LineSink sink) : sink_(std::move(sink)) {}

QStringList ConversionRun::FindFiles(const ConversionRequest& request) {
  const std::string prefix = DirectoryPrefix(request.inputDir);
  const std::string spec = Bytes(request.specification.trimmed());
  std::vector<std::string> names;
  if (spec.find('"') != std::string::npos) {
    names = SplitQuotedNames(spec);
  } else if (!spec.empty()) {
    names.push_back(spec);
  }
  PosixFileSystem fileSystem;
  QStringList files;
  for (std::string& name : names) {
    if (!name.starts_with('/')) name.insert(0, prefix);
    std::vector<std::string> skipped;
    for (const std::string& file : ExpandSpecification(name, fileSystem, skipped)) {
      files.append(FromBytes(file));
    }
    for (const std::string& file : skipped) {
      sink_(QStringLiteral("Skipping \"%1\": not a regular file").arg(FromBytes(file)));
    }
  }
  return files;
}

void ConversionRun::MergePolicies(FC& out, const FC* policyFile, const FC* userEdits) {
  out.Reset(false);
  if (policyFile != nullptr) out.MergeGiven(*policyFile, true);
  if (userEdits != nullptr) out.MergeGiven(*userEdits, true);
}

QString ConversionRun::Convert(const ConversionRequest& request, const QStringList& files,
                               const FC& given) {
  RunContext run;
  run.outputKind = RunContext::kHtmlOutput;
  FC policy;
  policy.MergeGiven(given, true);
  // The window's choices beat every policy source.
  policy.useHtmExtension = request.htmExtension ? 1 : 0;
  policy.SetGiven(Policy::UseHtmExtension);
  policy.SetOwner(&run);
  RouteTo(policy, sink_);

  WriteGuard guard;
  for (const QString& file : files) {
    run.files.Add(Bytes(file).c_str());
    guard.AddInput(Bytes(file).c_str());
  }

  // Every job is made before the first conversion, so each file's
  // navigation can name the first page of the next one.
  std::vector<ConvertFileJob> jobs;
  std::vector<TextString> roots;
  for (int i = 0; i < files.size(); ++i) {
    ConvertFileJob job;
    job.fileName.SetText(Bytes(files[i]));
    TextString root, ext;
    SplitFileName(job.fileName, job.inputDir, root, ext);
    if (!request.inputDir.isEmpty()) job.inputDir.SetText(DirectoryPrefix(request.inputDir));
    job.outputDir = job.inputDir;
    if (!request.outputDir.isEmpty()) job.outputDir.SetText(DirectoryPrefix(request.outputDir));
    job.outputBase = OutputBaseName(job.fileName, root);
    const QString outputName = WithoutPageExtension(request.outputName.trimmed());
    if (files.size() == 1 && !outputName.isEmpty()) job.outputBase.SetText(Bytes(outputName));
    job.switches.simple = request.simple ? 1 : 0;
    if (policy.diagnosticsFiles) {
      ConsoleSwitches names;
      names.debug = 1;
      names.dos = policy.useDosFilenames;
      const DiagnosticsNames diagnostics = MakeDiagnosticsNames(root, names);
      const std::string dir(job.outputDir.View());
      job.statisticsName.SetText(dir + std::string(diagnostics.statistics.View()));
      job.listingName.SetText(dir + std::string(diagnostics.listing.View()));
      job.analysisListingName.SetText(dir + std::string(diagnostics.analysisListing.View()));
    }
    job.guard = &guard;
    SetJobDirectories(policy, job);
    run.firstPages.Add(PlanFirstPage(job, policy, true));
    jobs.push_back(std::move(job));
  }

  // The Directory page goes beside the first file's pages.
  const TextString directoryDir = jobs.empty() ? TextString() : jobs.front().outputDir;
  GuardedFile<LineFile> directoryPage(&guard, policy);
  (void)OpenDirectoryPage(policy, run, directoryDir, directoryPage);

  QString result;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    run.currentFile = static_cast<int>(i) + 1;
    SetJobDirectories(policy, jobs[i]);
    sink_(QString(50, QLatin1Char('%')));
    sink_(QStringLiteral("Processing : \"%1\"").arg(files[static_cast<int>(i)]));
    ConvertFile(jobs[i], policy, true);
    sink_(QStringLiteral("--- Conversion complete ---"));
    sink_(QString());
    result = FromBytes(run.firstPages.Get(static_cast<int>(i))->View());
  }
  CloseDirectoryPage(policy, run);
  return result;
}

int ConversionRun::Analyse(const QString& file, const QString& inputDir, const FC& given,
                           FC& calculated) {
  RunContext run;
  run.outputKind = RunContext::kHtmlOutput;
  FC analysis;
  analysis.SetOwner(&run);
  RouteTo(analysis, sink_);
  analysis.MergeGiven(given, false);
  if (!inputDir.isEmpty()) analysis.inputDirectory.SetText(DirectoryPrefix(inputDir));
  DocumentStatistics statistics;
  const TextString name(Bytes(file));
  if (!AnalysisPass(analysis, statistics, name, TextString(), nullptr)) return 0;
  calculated.Reset(false);
  calculated.SetOwner(&run);
  CalculatePolicies(calculated, statistics);
  calculated.SetOwner(nullptr);
  return 1;
}
