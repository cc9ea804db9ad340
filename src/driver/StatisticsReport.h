#pragma once

#include <array>

#include "analysis/DocumentStatistics.h"
#include "text/TextString.h"

class FC;
class Histogram;
class TextFile;
class WriteGuard;

// The statistics report (".stats", ".sts" with DOS names): the counts and
// distributions of the analysis pass from which the open policies are
// calculated, so that a user can see why the conversion chose what it did.
// Written with "/debug" right after the analysis pass. Writing it changes
// nothing in the statistics: the report shows the bullet characters by
// frequency from a copy.
//
// Each writer writes whole lines to `file`, which must be open for writing;
// a line that cannot be written is lost with the rest of the report and the
// conversion is not affected.

// Creates `name` (through `guard` when one is given; refusals go to
// `policy`) and writes the report of `statistics` into it. Returns 1 when it
// was written, 0 when `name` is empty or the file could not be created
// (already reported).
int WriteStatisticsFile(const TextString& name, const DocumentStatistics& statistics,
                        WriteGuard* guard, const FC& policy);

// The whole report.
void WriteStatistics(const DocumentStatistics& statistics, TextFile& file);

// The per-level part of the report, for the four outermost levels of
// `levels` (numbered headings, underlined headings or contents lines).
void WriteHeadingStatistics(
    const std::array<DocumentStatistics::LevelCounts, DocumentStatistics::kLevels>& levels,
    TextFile& file);

// "<total>  values in range <smallest>  to <largest> ", then one line per
// entry in the histogram's present order: "Rank <r> Value = <v> Frequency = <f>".
void PrintHistogram(const Histogram& histogram, TextFile& file);

// The same first line, then one line per entry naming its label, or without
// one the character whose code is its value: `Rank <r> "<label> " Frequency = <f>`.
void PrintCharacterHistogram(const Histogram& histogram, TextFile& file);
