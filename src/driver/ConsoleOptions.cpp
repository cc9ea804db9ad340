#include "driver/ConsoleOptions.h"

#include "text/CharClass.h"

namespace {

bool EndsWithPolIgnoringCase(const std::string& word) {
  if (word.size() < 4) return false;
  const std::string_view tail = std::string_view(word).substr(word.size() - 4);
  return tail[0] == '.' && ToLower(tail[1]) == 'p' && ToLower(tail[2]) == 'o' &&
         ToLower(tail[3]) == 'l';
}

int SetPolicySpec(const std::string& name, ConsoleOptions& options) {
  if (name.empty()) {
    options.usageError = "the master policy file name is empty";
    return 0;
  }
  if (!options.policySpec.empty()) {
    options.usageError = "more than one master policy file given";
    return 0;
  }
  options.policySpec = name;
  return 1;
}

}  // namespace

int ParseConsoleOptions(const std::vector<std::string>& words, ConsoleOptions& options) {
  options = ConsoleOptions();
  const std::string kPolicyFileEquals = "--policy-file=";
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (options.switches.TakeSwitch(word)) continue;
    if (word == "-h" || word == "--help") {
      options.showHelp = true;
    } else if (word == "--version") {
      options.showVersion = true;
    } else if (word == "-p" || word == "--policy-file") {
      if (i + 1 == words.size()) {
        options.usageError = "option " + word + " needs a policy file name";
        return 0;
      }
      if (!SetPolicySpec(words[++i], options)) return 0;
    } else if (word.starts_with(kPolicyFileEquals)) {
      if (!SetPolicySpec(word.substr(kPolicyFileEquals.size()), options)) return 0;
    } else if (word.starts_with("--")) {
      options.usageError = "unknown option " + word;
      return 0;
    } else {
      options.inputSpecs.push_back(word);
    }
  }
  if (options.inputSpecs.size() >= 2 && EndsWithPolIgnoringCase(options.inputSpecs.back())) {
    const std::string policy = options.inputSpecs.back();
    options.inputSpecs.pop_back();
    if (!SetPolicySpec(policy, options)) return 0;
  }
  return 1;
}

const char* ConsoleUsage() {
  return "Usage: webloomcon [SWITCH...] [-p POLICY] FILE... [POLICY.pol]\n"
         "       webloomcon [SWITCH...] [-p POLICY] @STEERING-FILE\n"
         "Converts plain-text documents into HTML pages written next to them.\n"
         "\n"
         "A FILE may be a wildcard pattern (quoted or not); @NAME reads the files\n"
         "to convert from a steering file, one per line, each optionally followed\n"
         "by its own policy file and switches. With no FILE the program asks for\n"
         "one.\n"
         "\n"
         "Switches (either form, any case):\n"
         "  /contents  --contents   add a contents list\n"
         "  /index     --index      make a Directory page over all files\n"
         "  /dos       --dos        use DOS (8.3) file names\n"
         "  /debug     --debug      write the diagnostics files (.lis, .lis1, .stats)\n"
         "  /simple    --simple     keep the analysis simple\n"
         "  /policy    --policy     write the policies used into a policy file\n"
         "\n"
         "Options:\n"
         "  -p, --policy-file FILE  the master policy file\n"
         "      --policy-file=FILE  the same\n"
         "  -h, --help              show this text\n"
         "      --version           show the product name\n"
         "\n"
         "Exit status: 0 when every file named was converted, 1 when one could\n"
         "not be read, converted or written whole (the others are still\n"
         "converted) or the run stopped at an error, 2 for a usage error.\n";
}
