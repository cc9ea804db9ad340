#pragma once

#include "driver/ConsoleSwitches.h"
#include "text/TextString.h"

class FC;
class WriteGuard;

// One input file to convert and where its results go.
struct ConvertFileJob {
  // The directory of the input file and of the output pages: empty or ending
  // in "/". The console passes the input file's own directory for both.
  TextString inputDir;
  TextString outputDir;
  // The input file as found.
  TextString fileName;
  // The base name of the output page(s), without directory or extension.
  TextString outputBase;
  // The diagnostics files (line listings, statistics report); empty = none.
  TextString statisticsName;
  TextString listingName;
  TextString analysisListingName;
  // The file's switches: dos, simple, writePolicy, contents and index are
  // applied to every policy record of the conversion.
  ConsoleSwitches switches;
  // Checks every file the conversion writes against the inputs of the run
  // and the files already written; null for none. Not owned.
  WriteGuard* guard = nullptr;
};

// Sets the policies that the switches dos, simple, writePolicy, contents
// and index stand for ("Use DOS filenames", "Keep it simple", "output policy
// file", "Add contents list", "Make Directory"): each is on exactly when its
// switch is, and given when on.
void ApplyFileSwitches(FC& record, const ConsoleSwitches& switches);

// The file of the first page that ConvertFile(job, policy, policyGiven)
// writes, named as its records will name it (directory, base name, DOS
// names, extension); empty when the input is not a readable regular file.
TextString PlanFirstPage(const ConvertFileJob& job, const FC& policy, bool policyGiven);

// Converts one file into HTML, in named stages: the analysis pass, the
// policy calculation, the merge of the given policies, the policy file (with
// /policy or "output policy file"), the contents pass (for a contents list
// at the top of a single page) and the output pass.
//
// `policy` holds the policies read from the file's policy file (the master
// record or the file's own); `policyGiven` says whether one was read into
// it, and then every policy given there overrides the calculated value. Its
// owner, the run context, is the owner of the conversion's own records, and
// its message and status sinks are theirs too. The run context's per-file
// state is cleared and whether the file is UTF-8 text is decided before the
// first pass.
//
// Returns 1, or 0 when the document could not be converted whole: it could
// not be read (reported once, and nothing is written), its first page could
// not be opened, or a file it writes through the guard was refused or could
// not be written whole (see GuardedFile).
int ConvertFile(const ConvertFileJob& job, const FC& policy, bool policyGiven);
