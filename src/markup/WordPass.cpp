#include "markup/WordPass.h"

#include <string_view>

int RunWordPass(TextString& text, TagHandling tags, const WordHandler& handler) {
  return RunFilteredWordPass(text, tags, [](std::string_view) { return true; }, handler);
}
