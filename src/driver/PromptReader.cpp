#include "driver/PromptReader.h"

namespace {

bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

bool ReadPromptWord(std::istream& in, std::string& word) {
  word.clear();
  int c = in.get();
  while (c != std::istream::traits_type::eof() && IsWhiteSpace(c)) c = in.get();
  if (c == std::istream::traits_type::eof()) return false;
  bool inQuotes = false;
  bool sawQuote = false;
  for (; c != std::istream::traits_type::eof(); c = in.get()) {
    if (c == '"') {
      inQuotes = !inQuotes;
      sawQuote = true;
    } else if (c == '\n' || c == '\r') {
      break;
    } else if (IsWhiteSpace(c) && !inQuotes) {
      if (!sawQuote) break;
      std::string gap(1, static_cast<char>(c));
      while (in.peek() == ' ' || in.peek() == '\t') gap += static_cast<char>(in.get());
      if (in.peek() != '"') break;
      word += gap;
      continue;
    }
    word += static_cast<char>(c);
  }
  return true;
}
