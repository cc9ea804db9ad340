#pragma once

class FC;
class SourceLine;

// Grows a pre-formatted region around `line` (the "roll-out"): walking first
// backwards, then forwards, it marks neighbours pre-formatted when they
// continue the region (bridged between pre-formatted lines, scored as a
// block line, code beside code, rules and heading parts), and stops at two
// blank lines, an HTML line, a heading, the end of the file or a missing
// line. A region never ends in a blank line.
//
// Requires: `line` has just been classified and is pre-formatted or follows a
// pre-formatted line outside the user-specified regions. Changes only the
// flags and scores of lines linked to `line`.
void DetectBlock(SourceLine& line, const FC& policy);
