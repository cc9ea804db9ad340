#pragma once

#include <string>

#include "text/FileIdentity.h"

// Checks on a file the run is about to read, for messages that say plainly
// what is wrong.

// True when the file `name` looks like binary data rather than text: a NUL
// byte among its first kBinaryProbeLength bytes.
bool LooksBinary(const char* name);

// How much of a file LooksBinary reads: text never holds a NUL, and a binary
// file almost always shows one early, so the start of the file decides.
inline constexpr int kBinaryProbeLength = 8000;
