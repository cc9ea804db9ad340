#include "driver/PromptReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> AllAnswers(const std::string& input) {
  std::istringstream in(input);
  std::vector<std::string> words;
  std::string word;
  while (ReadPromptWord(in, word)) words.push_back(word);
  EXPECT_TRUE(word.empty());
  return words;
}

TEST(ReadPromptWord, ReadsWhiteSpaceSeparatedWords) {
  EXPECT_EQ(AllAnswers("guide.txt\nnone\n"), (std::vector<std::string>{"guide.txt", "none"}));
  EXPECT_EQ(AllAnswers("  guide.txt my.pol"), (std::vector<std::string>{"guide.txt", "my.pol"}));
  EXPECT_EQ(AllAnswers("\r\n\t@list.txt\r\n"), (std::vector<std::string>{"@list.txt"}));
  EXPECT_TRUE(AllAnswers("").empty());
  EXPECT_TRUE(AllAnswers(" \n \n").empty());
}

TEST(ReadPromptWord, KeepsQuotedNamesTogether) {
  EXPECT_EQ(AllAnswers("docs/\"first file.txt\" \"b.txt\"\nnone\n"),
            (std::vector<std::string>{"docs/\"first file.txt\" \"b.txt\"", "none"}));
  // Blanks after the last quoted name end the answer.
  EXPECT_EQ(AllAnswers("\"a b\"  x.pol"), (std::vector<std::string>{"\"a b\"", "x.pol"}));
  // An unclosed quote ends at the line end.
  EXPECT_EQ(AllAnswers("\"a b\nnext"), (std::vector<std::string>{"\"a b", "next"}));
}

}  // namespace
