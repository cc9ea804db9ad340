#include "driver/ConsoleSwitches.h"

#include <array>

#include "text/CharClass.h"

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLower(a[i]) != ToLower(b[i])) return false;
  }
  return true;
}

struct Entry {
  std::string_view name;
  int ConsoleSwitches::*flag;
};

constexpr std::array<Entry, 6> kSwitches = {{
    {"contents", &ConsoleSwitches::contents},
    {"index", &ConsoleSwitches::index},
    {"dos", &ConsoleSwitches::dos},
    {"debug", &ConsoleSwitches::debug},
    {"simple", &ConsoleSwitches::simple},
    {"policy", &ConsoleSwitches::writePolicy},
}};

}  // namespace

std::vector<std::string_view> ConsoleSwitches::Names() {
  std::vector<std::string_view> names;
  for (const Entry& entry : kSwitches) names.push_back(entry.name);
  return names;
}

bool ConsoleSwitches::TakeSwitch(std::string_view word) {
  std::string_view name;
  if (word.starts_with("--")) {
    name = word.substr(2);
  } else if (word.starts_with("/")) {
    name = word.substr(1);
  } else {
    return false;
  }
  for (const Entry& entry : kSwitches) {
    if (EqualIgnoringCase(name, entry.name)) {
      this->*entry.flag = 1;
      return true;
    }
  }
  return false;
}

void ConsoleSwitches::Add(const ConsoleSwitches& other) {
  contents |= other.contents;
  index |= other.index;
  dos |= other.dos;
  debug |= other.debug;
  simple |= other.simple;
  writePolicy |= other.writePolicy;
}
