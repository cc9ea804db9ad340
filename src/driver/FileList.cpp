#include "driver/FileList.h"

#include <algorithm>

#include "driver/InputChecks.h"
#include "driver/SteeringFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "text/TextString.h"

namespace {

bool IsPattern(const std::string& spec) {
  return spec.find_first_of("*?[") != std::string::npos;
}

void AddEntry(const std::string& file, const std::string& policy, int steeringIndex,
              RunContext& run, FileListSources& sources) {
  run.files.Add(TextString(file));
  run.policies.Add(TextString(policy));
  sources.steeringOf.push_back(steeringIndex);
}

// Adds the files one non-steering specification names; false when none.
bool AddSpecification(const std::string& spec, const std::string& policySpec,
                      const FileSystem& fileSystem, const FC& messages, RunContext& run,
                      FileListSources& sources) {
  std::vector<std::string> skipped;
  std::vector<std::string> files;
  // A name that exists is taken whole, even with quotes in it.
  if (spec.find('"') != std::string::npos && !fileSystem.Exists(spec)) {
    for (const std::string& name : SplitQuotedNames(spec)) {
      for (std::string& file : ExpandSpecification(name, fileSystem, skipped)) {
        files.push_back(std::move(file));
      }
    }
  } else {
    files = ExpandSpecification(spec, fileSystem, skipped);
  }
  sources.skipped += static_cast<int>(skipped.size());
  for (const std::string& name : skipped) {
    messages.Message(("Skipping \"" + name + "\": not a regular file").c_str(), 10);
  }
  for (const std::string& file : files) AddEntry(file, policySpec, -1, run, sources);
  return !files.empty();
}

}  // namespace

std::vector<std::string> SplitQuotedNames(const std::string& spec) {
  std::vector<std::string> names;
  const std::size_t first = spec.find('"');
  if (first == std::string::npos) return names;
  const std::string prefix = spec.substr(0, first);
  std::size_t open = first;
  while (open != std::string::npos) {
    const std::size_t close = spec.find('"', open + 1);
    if (close == std::string::npos) break;
    TextString name(std::string_view(spec).substr(open + 1, close - open - 1));
    name.Trim();
    if (!name.IsEmpty()) names.push_back(prefix + std::string(name.View()));
    open = spec.find('"', close + 1);
  }
  return names;
}

std::vector<std::string> ExpandSpecification(const std::string& spec,
                                             const FileSystem& fileSystem,
                                             std::vector<std::string>& skipped) {
  if (spec.empty()) return {};
  if (fileSystem.Exists(spec)) return {spec};
  if (!IsPattern(spec)) return {};
  std::vector<std::string> matches = fileSystem.Glob(spec);
  // std::string compares as unsigned bytes: the order of the locale never matters.
  std::sort(matches.begin(), matches.end());
  std::vector<std::string> files;
  for (std::string& match : matches) {
    if (fileSystem.IsRegularFile(match)) {
      files.push_back(std::move(match));
    } else {
      skipped.push_back(std::move(match));
    }
  }
  return files;
}

int BuildFileList(const std::vector<std::string>& specs, const std::string& policySpec,
                  const FileSystem& fileSystem, const FC& messages, ConsoleStreams& console,
                  RunContext& run, FileListSources& sources) {
  run.files.Clear();
  run.policies.Clear();
  sources = FileListSources();
  for (const std::string& spec : specs) {
    if (!spec.starts_with("@")) {
      if (!AddSpecification(spec, policySpec, fileSystem, messages, run, sources)) {
        sources.unmatched.push_back(spec);
      }
      continue;
    }
    const std::string name = spec.substr(1);
    SteeringFile steering;
    if (!steering.Open(name.c_str())) {
      console.ErrLine("ERROR: Can't open " + name + ReadProblem(name.c_str()));
      return 0;
    }
    const int index = static_cast<int>(sources.steeringFiles.size());
    sources.steeringFiles.push_back(name);
    ConsoleSwitches switches;
    TextString file;
    TextString policyFile;
    bool any = false;
    while (steering.NextFileLine(switches, file, policyFile, console)) {
      const std::string policy =
          policyFile.IsEmpty() ? policySpec : std::string(policyFile.View());
      AddEntry(std::string(file.View()), policy, index, run, sources);
      any = true;
    }
    if (!any) sources.unmatched.push_back(name);
  }
  return 1;
}
