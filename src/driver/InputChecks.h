#pragma once

#include <string>

// Checks on a file the run is about to read, for messages that say plainly
// what is wrong.

// Why the file `name` cannot be read, as a suffix for a "can't open" message:
// ": it is a directory", ": it is not a regular file" or ": it cannot be
// read"; empty when there is no such file (the message says all) or when
// nothing is wrong with it.
std::string ReadProblem(const char* name);

// True when the file `name` looks like binary data rather than text: a NUL
// byte among its first kBinaryProbeLength bytes.
bool LooksBinary(const char* name);

// How much of a file LooksBinary reads: text never holds a NUL, and a binary
// file almost always shows one early, so the start of the file decides.
inline constexpr int kBinaryProbeLength = 8000;
