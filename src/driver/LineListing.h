#pragma once

#include "driver/GuardedFile.h"
#include "driver/PassWork.h"
#include "text/LineFile.h"
#include "text/TextString.h"

class FC;
class SourceLine;
class WriteGuard;

// The line listing of a pass: for every source line, its number, type and
// marks, then the start of its text; the messages about a line stand just
// above it. With "/debug" the analysis pass writes one (".lis1") and the
// output pass another (".lis"); both number the lines alike.

// Writes the entry of `line` (preceded by the page furniture dropped before
// it, each line marked 'f', and by its annotation, which is then dropped) to
// `listing`, numbered with the pass's processed-lines count.
// Returns 1, or 0 when `listing` is null or has no open file.
int DumpLine(LineFile* listing, SourceLine& line, const FC& policy);

// Writes the legend that explains the marks and the type codes (75 lines,
// the first one empty).
void WriteListingLegend(LineFile& listing);

// A pass's per-line work with the listing added: every line is first handed
// to the pass's own work (so that a page the writer starts is announced
// before the line that starts it), then listed.
//
// The inner work, the guard and the policy record are not owned and must
// outlive the object.
class LineListing : public PassWork {
 public:
  // Files are opened through `guard` when one is given (null: no checks);
  // refusals are reported through `policy`.
  LineListing(PassWork& inner, WriteGuard* guard, const FC& policy);
  LineListing(const LineListing&) = delete;
  LineListing& operator=(const LineListing&) = delete;
  // An open listing is closed without its legend (the pass did not end)
  // and removed from the policy record.
  ~LineListing() override;

  // Creates the listing `name` and records it in `policy` so that the page
  // writer and the line messages can write into it. An empty name lists
  // nothing. Returns 0 when the file could not be created (already
  // reported); the pass then goes on without a listing.
  int Open(const TextString& name, FC& policy);
  // Writes the legend, closes the listing and removes it from the policy
  // record. Nothing happens when no listing is open.
  void Finish();
  // The work to run the pass with: the inner work itself while no listing
  // is open, which spares every line a call.
  PassWork& Work() { return open_ ? static_cast<PassWork&>(*this) : inner_; }

  void LineLeaving(SourceLine& line, FC& policy) override;
  void LineFlushed(SourceLine& line, FC& policy) override;

 private:
  PassWork& inner_;
  GuardedFile<LineFile> file_;
  bool open_ = false;
  // A dropped header or footer was listed: the legend explains its mark.
  bool furnitureListed_ = false;
  // The record the open listing was handed to; it forgets the listing when
  // the listing closes.
  FC* recordedIn_ = nullptr;
};
