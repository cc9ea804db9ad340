#pragma once

#include <istream>
#include <string>

// Reads one answer to a console prompt: the next word of `in`, words being
// separated by white space. A double quote opens a stretch in which blanks
// belong to the word, and blanks between a closing quote and another quote on
// the same line do too, so that a list of quoted names such as
//   docs/"first file.txt" "second.txt"
// is one answer. Returns false, with `word` empty, at the end of the input.
bool ReadPromptWord(std::istream& in, std::string& word);
