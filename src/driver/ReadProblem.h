#pragma once

#include <string>

// Why the file `name` cannot be read, as a suffix for a "can't open" message:
// ": it is a directory", ": it is not a regular file" or ": it cannot be
// read"; empty when there is no such file (the message says all) or when
// nothing is wrong with it.
std::string ReadProblem(const char* name);
