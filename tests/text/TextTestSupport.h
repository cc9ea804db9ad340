#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/TempDir.h"
#include "text/ParsedString.h"

// The text layer only passes policy records on; this empty stand-in lets its
// tests call the hooks. This binary links no higher layer.
class FC {};
