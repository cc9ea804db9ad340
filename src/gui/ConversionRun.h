#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class FC;

// What the main window hands to a conversion run.
struct ConversionRequest {
  // The input: one name, a wildcard pattern, or several double-quoted names.
  // Relative names are looked up in inputDir.
  QString specification;
  // Where input (and include files) are read; empty = the working directory.
  QString inputDir;
  // Where pages and diagnostics files go; empty = each file's own directory.
  QString outputDir;
  // Base name of the output page when exactly one file is converted (an
  // extension ".html" or ".htm" is dropped); empty = the input's own root.
  // With several files each keeps its own, or each would overwrite the last.
  QString outputName;
  bool htmExtension = false;
  bool simple = false;
};

// One conversion run of the desktop program: the files of the request, one
// after another, each through the console's ConvertFile with fresh policy
// records, so nothing of one document carries into the next.
//
// The precedence is defaults < calculated < policy file < user edits:
// ConvertFile calculates the policies of each file and then merges the
// given policies of one record over them, and that record holds the policy
// file's given policies with the user's given edits merged over them
// (MergePolicies).
class ConversionRun {
 public:
  using LineSink = std::function<void(const QString& line)>;

  // Every status line and engine message goes to `sink`.
  explicit ConversionRun(LineSink sink);

  // The files `request` names, sorted as the console sorts a wildcard
  // match; non-regular matches are reported through the sink and skipped.
  QStringList FindFiles(const ConversionRequest& request);

  // Converts `files` (as FindFiles gives them) with `given`, whose given
  // policies beat the calculated ones. Returns the first page of the last
  // file written, for "View Results...".
  QString Convert(const ConversionRequest& request, const QStringList& files, const FC& given);

  // Builds into `out` the record a conversion merges over the calculated
  // policies: the given policies of `policyFile` (when not null), then
  // those of `userEdits` (when not null).
  static void MergePolicies(FC& out, const FC* policyFile, const FC* userEdits);

  // Runs the analysis pass and the policy calculation on `file`, as a
  // conversion would with `given`, and leaves the calculated policies in
  // `calculated` (no policy marked given). Returns 0 when the file cannot
  // be read.
  int Analyse(const QString& file, const QString& inputDir, const FC& given, FC& calculated);

 private:
  LineSink sink_;
};
