#include "driver/ConsoleRun.h"

#include <memory>
#include <sstream>
#include <string_view>

#include "driver/ConsoleOptions.h"
#include "driver/ConvertFile.h"
#include "driver/FileList.h"
#include "driver/FileNames.h"
#include "driver/GuardedFile.h"
#include "driver/InputChecks.h"
#include "driver/PromptReader.h"
#include "driver/SteeringFile.h"
#include "driver/WriteGuard.h"
#include "output/DirectoryPage.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/FileIdentity.h"
#include "text/LineFile.h"

namespace {

void SetSwitch(FC& record, int PolicyValues::*field, Policy flag, int on) {
  if (!on) return;
  record.*field = 1;
  record.SetGiven(flag);
}

void RouteMessages(FC& record, ConsoleStreams& console) {
  record.messageSink = [&console](const char* text) { console.ErrLine(text); };
  record.statusSink = [&console](const char* text) { console.OutLine(text); };
}

// Reads `name` into `record`. Returns 0 when it cannot be opened.
int ReadPolicy(const std::string& name, FC& record) {
  LineFile file;
  if (!file.OpenForReading(name.c_str())) return 0;
  record.ReadPolicyFile(file);
  file.Close();
  return 1;
}

bool ContainsNone(const std::string& answer) {
  return TextString(answer).FindText("none") != nullptr;
}

std::string NameWithoutDirectory(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

std::string NameWithoutDirectory(const TextString& name) {
  return NameWithoutDirectory(name.View());
}

// The conversion of `file`: its pages and diagnostics files are named after
// it, and the pages are written next to it.
ConvertFileJob MakeJob(const TextString& file, const ConsoleSwitches& switches,
                       WriteGuard& guard) {
  ConvertFileJob job;
  job.fileName = file;
  job.switches = switches;
  TextString root, ext;
  SplitFileName(file, job.inputDir, root, ext);
  job.outputDir = job.inputDir;
  job.outputBase = OutputBaseName(file, root);
  const DiagnosticsNames names = MakeDiagnosticsNames(root, switches);
  job.statisticsName = names.statistics;
  job.listingName = names.listing;
  job.analysisListingName = names.analysisListing;
  job.guard = &guard;
  return job;
}

// Resets the record of a file that has a policy file of its own: its
// switches, the run context, and the Directory page policies of the master
// record, which opened the page.
void StartOwnPolicy(FC& record, const ConsoleSwitches& switches, const FC& master,
                    ConsoleStreams& console) {
  record.Reset(false);
  ApplyFileSwitches(record, switches);
  record.SetOwner(master.owner);
  record.makeDirectory = master.makeDirectory;
  record.SetGiven(Policy::MakeDirectory);
  record.directoryFilename = master.directoryFilename;
  record.SetGiven(Policy::DirectoryFilename);
  RouteMessages(record, console);
}

std::string WithSeparator(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return directory;
}

void AskForInput(ConsoleOptions& options, std::istream& in, ConsoleStreams& console) {
  std::string answer;
  console.Prompt("Enter input file name > ");
  if (ReadPromptWord(in, answer)) options.inputSpecs.push_back(answer);
  if (!options.policySpec.empty()) return;
  console.Prompt("Enter input policy file name or \"none\" > ");
  if (ReadPromptWord(in, answer) && !ContainsNone(answer)) options.policySpec = answer;
}

// The directory of the first input specification (of the steering file for
// "@NAME"), unless the master policies name one.
void SetRunDirectories(const ConsoleOptions& options, FC& master) {
  std::string first = options.inputSpecs.empty() ? "" : options.inputSpecs.front();
  if (first.starts_with("@")) first.erase(0, 1);
  TextString dir, root, ext;
  SplitFileName(TextString(first), dir, root, ext);
  if (master.inputDirectory.IsEmpty()) master.inputDirectory = dir;
  if (master.outputDirectory.IsEmpty()) master.outputDirectory = dir;
  master.inputDirectory.SetText(WithSeparator(std::string(master.inputDirectory.View())));
  master.outputDirectory.SetText(WithSeparator(std::string(master.outputDirectory.View())));
}

// The per-file switches of a file named by a steering file: a second reading
// of each steering file keeps pace with the file list.
class SwitchReaders {
 public:
  explicit SwitchReaders(const FileListSources& sources)
      : sources_(sources), readers_(sources.steeringFiles.size()) {}

  ConsoleSwitches SwitchesOf(int entry, ConsoleStreams& console) {
    ConsoleSwitches switches;
    const int from = sources_.steeringOf[static_cast<std::size_t>(entry)];
    if (from < 0) return switches;
    std::unique_ptr<SteeringFile>& reader = readers_[static_cast<std::size_t>(from)];
    if (!reader) {
      reader = std::make_unique<SteeringFile>();
      if (!reader->Open(sources_.steeringFiles[static_cast<std::size_t>(from)].c_str())) {
        return switches;
      }
    }
    TextString file, policyFile;
    if (!reader->NextFileLine(switches, file, policyFile, console)) switches = ConsoleSwitches();
    return switches;
  }

 private:
  const FileListSources& sources_;
  std::vector<std::unique_ptr<SteeringFile>> readers_;
};

// Names the first page of every file before the first is converted, so
// that each file's navigation can link to the next one. The records are
// built as the conversion builds them, quietly: the conversion reports.
void PlanFirstPages(RunContext& run, const ConsoleOptions& options, const FileListSources& sources,
                    const FC& master, WriteGuard& guard) {
  std::ostringstream quiet;
  ConsoleStreams silent(quiet, quiet);
  SwitchReaders switchReaders(sources);
  FC own;
  for (int i = 0; i < run.files.Count(); ++i) {
    ConsoleSwitches switches = options.switches;
    switches.Add(switchReaders.SwitchesOf(i, silent));
    const ConvertFileJob job = MakeJob(*run.files.Get(i), switches, guard);
    const std::string policyName(run.policies.Get(i)->View());
    if (policyName == options.policySpec) {
      run.firstPages.Add(PlanFirstPage(job, master, !options.policySpec.empty()));
      continue;
    }
    StartOwnPolicy(own, switches, master, silent);
    own.messageSink = [](const char*) {};
    run.firstPages.Add(ReadPolicy(policyName, own) ? PlanFirstPage(job, own, true) : TextString());
  }
}

}  // namespace

int RunConsole(const std::vector<std::string>& words, const FileSystem& fileSystem,
               std::istream& in, ConsoleStreams& console) {
  ConsoleOptions options;
  if (!ParseConsoleOptions(words, options)) {
    console.ErrLine("webloomcon: " + options.usageError);
    console.ErrLine("Try 'webloomcon --help' for more information.");
    return kExitUsage;
  }
  if (options.showHelp) {
    console.Write(ConsoleUsage());
    return kExitSuccess;
  }

  RunContext run;
  run.outputKind = RunContext::kHtmlOutput;
  FC master;
  SetSwitch(master, &PolicyValues::addContentsList, Policy::AddContentsList,
            options.switches.contents);
  SetSwitch(master, &PolicyValues::makeDirectory, Policy::MakeDirectory, options.switches.index);
  master.outputExtension.SetText(".html");
  master.SetOwner(&run);
  RouteMessages(master, console);
  if (options.showVersion) {
    console.OutLine(master.productName.View());
    return kExitSuccess;
  }

  if (options.inputSpecs.empty()) AskForInput(options, in, console);
  console.OutLine(master.productName.View());

  WriteGuard guard;
  const std::string& policySpec = options.policySpec;
  if (!policySpec.empty()) {
    if (!ReadPolicy(policySpec, master)) {
      master.Message(("ERROR: Can't find master policy file " + policySpec +
                      ReadProblem(policySpec.c_str()))
                         .c_str(),
                     10);
      return kExitStopped;
    }
    guard.AddInput(policySpec.c_str());
  }
  SetRunDirectories(options, master);

  FileListSources sources;
  if (!BuildFileList(options.inputSpecs, policySpec, fileSystem, master, console, run,
                     sources)) {
    return kExitStopped;
  }
  if (run.files.Count() == 0) {
    std::string specs;
    for (const std::string& spec : options.inputSpecs) specs += (specs.empty() ? "" : " ") + spec;
    master.Message(("ERROR: Can't find any files : " + specs).c_str(), 10);
    return kExitStopped;
  }
  int status = sources.unmatched.empty() && sources.skipped == 0 ? kExitSuccess : kExitSkipped;
  for (const std::string& spec : sources.unmatched) {
    master.Message(("ERROR: Can't find any files : " + spec).c_str(), 10);
  }
  for (int i = 0; i < run.files.Count(); ++i) {
    guard.AddInput(run.files.Get(i)->GetText());
    guard.AddInput(run.policies.Get(i)->GetText());
  }
  for (const std::string& steering : sources.steeringFiles) guard.AddInput(steering.c_str());

  PlanFirstPages(run, options, sources, master, guard);
  GuardedFile<LineFile> directoryPage(&guard, master);
  (void)OpenDirectoryPage(master, run, master.outputDirectory, directoryPage);

  SwitchReaders switchReaders(sources);
  FC filePolicy;
  for (int i = 1; i <= run.files.Count(); ++i) {
    run.currentFile = i;
    ConsoleSwitches switches = options.switches;
    switches.Add(switchReaders.SwitchesOf(i - 1, console));
    const ConvertFileJob job = MakeJob(*run.files.Get(i - 1), switches, guard);
    const std::string policyName(run.policies.Get(i - 1)->View());
    // Refused before anything opens it: a FIFO or device would block or
    // never end, and a directory would be converted as an empty document.
    if (!IsReadableRegularFile(job.fileName.GetText())) {
      master.Message(("ERROR: Can't find file " + std::string(job.fileName.View()) +
                      ReadProblem(job.fileName.GetText()))
                         .c_str(),
                     10);
      status = kExitSkipped;
      continue;
    }
    console.OutLine("");
    if (policyName == policySpec) {
      std::string line = "Processing : \"" + NameWithoutDirectory(job.fileName) + "\"";
      if (!policySpec.empty()) {
        line += " using policy file \"" + NameWithoutDirectory(policySpec) + "\"";
      }
      console.OutLine(line);
      if (!ConvertFile(job, master, !policySpec.empty())) status = kExitSkipped;
      continue;
    }
    StartOwnPolicy(filePolicy, switches, master, console);
    if (!ReadPolicy(policyName, filePolicy)) {
      filePolicy.Message(("ERROR: Can't find policy file " + policyName +
                          ReadProblem(policyName.c_str()))
                             .c_str(),
                         10);
      CloseDirectoryPage(master, run);
      return kExitStopped;
    }
    console.OutLine("Processing : \"" + std::string(job.fileName.View()) +
                    "\" using policy file \"" + policyName + "\"");
    if (!ConvertFile(job, filePolicy, true)) status = kExitSkipped;
  }
  CloseDirectoryPage(master, run);
  // The Directory page is the last file written.
  return guard.Failures() > 0 ? kExitSkipped : status;
}
