#pragma once

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"

class FC;

// A blank line: an empty line, or one inside a list. Inline: the walks
// over the lines around a block ask it of every line they pass.
inline bool IsBlankLine(const SourceLine& line) {
  return line.lineType == LineType::kBlank || line.lineType == LineType::kBulletBlank;
}

// How strongly `line` looks pre-formatted, from 0 (not at all) to 9: from its
// own text (runs of blanks, bars and rules) and from the lines before it
// (a line under a pre-formatted line, at its indent, continues it).
//
// `previous` is the line before, or null to score the line on its own.
// `inBlock` selects the thresholds used while a pre-formatted region is
// grown (they take smaller gaps as evidence). Reads the indent positions,
// the page width and the right-justification switch of `policy`.
int ScorePreformatted(const SourceLine& line, const FC& policy, const SourceLine* previous,
                      bool inBlock);

// ScorePreformatted in two steps, for a caller that scores a line again
// after only the lines around it (or its type) changed: the part the line's
// own text and indent give, or kNeverScored for a line too long to score or
// an HTML line; then the whole score from that part.
inline constexpr int kNeverScored = -1;
int OwnPreformatScore(const SourceLine& line, const FC& policy, bool inBlock);
int ScoreWithOwnScore(int ownScore, const SourceLine& line, const FC& policy,
                      const SourceLine* previous);
