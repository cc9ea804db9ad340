#pragma once

class FC;
class SourceLine;
class TextString;

// What the body writer asks of the contents list and of the Directory page
// when it writes a heading: the entry that links to the heading, and the
// Directory page's line for it. Supplied to an HTMLFile by whoever builds
// contents lists and the Directory page; an HTMLFile without one writes
// neither, and keeps the document's own contents lines as they are.
class HeadingEntries {
 public:
  virtual ~HeadingEntries() = default;

  // Sets `entry` to the contents entry of a heading or contents line of
  // `lineType` whose raw text is `headingText`. Returns 1, or 0 when there
  // is no entry for it.
  virtual int MakeContentsLine(const FC& policy, int lineType, const TextString& headingText,
                               TextString& entry) = 0;
  // Writes the Directory page's line for `heading` at heading level `level`.
  // Returns 1, or 0 when nothing was written.
  virtual int WriteDirectoryHeading(FC& policy, const SourceLine& heading, int level) = 0;
};
