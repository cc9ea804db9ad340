#include "analysis/BlockDetection.h"

#include "analysis/CodeTests.h"
#include "analysis/LineType.h"
#include "analysis/PreformatScore.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"

namespace {

// A walk takes at most 8 steps that are not strong, so a region never grows
// beyond the line window from the line that started it.
constexpr int kMaxWeakSteps = 7;
// A neighbour scored this high started its own roll-out when it was
// classified; the walk need not go through it again.
constexpr int kOwnRegionScore = 6;
// A line this long is prose that ran on.
constexpr int kLongestRegionLine = 110;
// Scores given to a rule above a table and to the heading line above it.
constexpr int kRuleScore = 7;
constexpr int kRuleHeadingScore = 4;

enum class WalkEnd { kEnds, kForGood };

SourceLine* Neighbour(const SourceLine* line, bool backwards) {
  if (line == nullptr) return nullptr;
  return backwards ? line->PreviousLine() : line->NextLine();
}

int TypeOf(const SourceLine* line) {
  return line != nullptr ? line->lineType : LineType::kUnclassified;
}

// The underline or second line of a heading keeps the score its drawing
// earned, but it belongs to the heading, not to a region.
bool IsHeadingPart(const SourceLine& line) {
  const SourceLine* heading = &line;
  while (heading != nullptr && (heading->lineType == LineType::kHeadingPart ||
                                heading->lineType == LineType::kAppended)) {
    heading = heading->PreviousLine();
  }
  return heading != &line && heading != nullptr &&
         (LineType::IsHeading(heading->lineType) || LineType::IsContentsLine(heading->lineType));
}

bool IsPre(const SourceLine* line) {
  return line != nullptr && LineFlag::IsPreformatted(line->flags) && !IsHeadingPart(*line);
}

// A line of an automatic region: user-specified regions never pull lines in.
bool IsAutoPre(const SourceLine* line) {
  return IsPre(line) && !LineFlag::IsUserRegion(line->flags);
}

bool IsBlank(const SourceLine* line) {
  return line != nullptr && IsBlankLine(*line);
}

bool IsCode(const SourceLine* line) {
  return line != nullptr && (line->flags & LineFlag::kSampleCode) != 0;
}

void MakePre(SourceLine& line) {
  line.flags |= LineFlag::kPreformatted;
}

void MakeCode(SourceLine& line) {
  line.flags |= LineFlag::kPreformatted | LineFlag::kSampleCode;
}

void ClearPre(SourceLine& line) {
  line.flags &= ~LineFlag::kPreformatted;
  line.preformatScore = 0;
}

bool TakesBlockSteps(int type) {
  return type == LineType::kText || type == LineType::kBlank ||
         LineType::IsUnderlinedHeading(type) || LineType::IsEnumeratedBullet(type) ||
         LineType::IsDefinition(type) || type == LineType::kQuoted;
}

bool EndsForGood(int type) {
  return type == LineType::kEndOfFile || LineType::IsNumberedHeading(type);
}

class Walk {
 public:
  Walk(SourceLine& line, const FC& policy, bool code, bool backwards)
      : line_(line), policy_(policy), code_(code), backwards_(backwards) {}

  WalkEnd Run() {
    SourceLine* cur = &line_;
    int steps = 0;
    for (;;) {
      SourceLine* n1 = Neighbour(cur, backwards_);
      if (n1 == nullptr || steps > kMaxWeakSteps) return Finish(*cur, n1, WalkEnd::kEnds);
      SourceLine* n2 = Neighbour(n1, backwards_);
      SourceLine* n3 = Neighbour(n2, backwards_);

      if (n1->lineType == LineType::kRule && TypeOf(n2) == LineType::kText &&
          TypeOf(n3) == LineType::kBlank) {
        MakePre(*n1);
        n1->preformatScore = kRuleScore;
        MakePre(*n2);
        n2->preformatScore = kRuleHeadingScore;
        ++steps;
        cur = n1;
        continue;
      }
      if ((IsBlank(n1) && IsBlank(n2)) || LineFlag::IsUserHtml(n1->flags)) {
        ClearPre(*n1);
        return Finish(*cur, n1, WalkEnd::kEnds);
      }
      if (n1->preformatScore >= kOwnRegionScore || n1->length >= kLongestRegionLine) {
        return Finish(*cur, n1, WalkEnd::kEnds);
      }

      Step step = TakeStep(*cur, *n1, n2, n3);
      if (step.end == Step::kForGood) return Finish(*cur, n1, WalkEnd::kForGood);
      if (step.end == Step::kStops) return Finish(*cur, n1, WalkEnd::kEnds);
      if (!step.strong) ++steps;
      cur = n1;
    }
  }

 private:
  struct Step {
    enum End { kGrows, kStops, kForGood };
    End end = kStops;
    bool strong = false;
  };

  Step TakeStep(const SourceLine& cur, SourceLine& n1, SourceLine* n2, SourceLine* n3) {
    const int type = n1.lineType;
    if (TakesBlockSteps(type)) return TextStep(cur, n1, n2, n3);
    if (type == LineType::kHeadingPart || type == LineType::kAppended || type == LineType::kRule) {
      MakePre(n1);
      return {Step::kGrows, false};
    }
    if (type == LineType::kUnclassified) {
      // The line after the newest is not read yet: only a walk backwards
      // can meet an unclassified line and judge it.
      if (backwards_ && ScorePreformatted(n1, policy_, &cur, true) > 0) {
        MakePre(n1);
        return {Step::kGrows, false};
      }
      return {};
    }
    if (EndsForGood(type)) return {Step::kForGood, false};
    return {};
  }

  Step TextStep(const SourceLine& cur, SourceLine& n1, SourceLine* n2, SourceLine* n3) {
    if (IsAutoPre(n2) && !(IsBlankLine(n1) && IsBlank(n2))) {
      MakePre(n1);
      return {Step::kGrows, true};
    }
    const int score = ScorePreformatted(n1, policy_, &cur, true);
    if (score > 0) {
      MakePre(n1);
      return {Step::kGrows, score > kOwnRegionScore};
    }
    if (code_) {
      const bool empty = IsBlankLine(n1) || n1.lineType == LineType::kFormFeed;
      const SourceLine* judged = empty ? n2 : &n1;
      if (judged != nullptr && LooksLikeCode(judged->escapedText.View(), true)) {
        MakeCode(n1);
        return {Step::kGrows, policy_.expectCodeSamples != 0};
      }
    }
    if (!IsAutoPre(n3)) return {};
    if (EndsForGood(TypeOf(n2))) return {Step::kForGood, false};
    if (IsBlank(n3)) return {};
    if (EndsForGood(n3->lineType)) return {Step::kForGood, false};
    bool grew = false;
    if (line_.indent == n1.indent && n1.indent == n2->indent && n2->indent == n3->indent) {
      MakePre(n1);
      MakePre(*n2);
      MakePre(*n3);
      grew = true;
    }
    if (LooksLikeCode(n3->escapedText.View(), true)) {
      MakePre(n1);
      MakePre(*n2);
      MakeCode(*n3);
      grew = true;
    }
    return {grew ? Step::kGrows : Step::kStops, false};
  }

  // A region never ends in a blank line: where the walk ends beside a line
  // that is not pre-formatted, the blank line it stands on leaves the region.
  static WalkEnd Finish(SourceLine& cur, const SourceLine* n1, WalkEnd end) {
    if (IsBlankLine(cur) && IsPre(&cur) && !IsPre(n1)) ClearPre(cur);
    return end;
  }

  SourceLine& line_;
  const FC& policy_;
  const bool code_;
  const bool backwards_;
};

}  // namespace

void DetectBlock(SourceLine& line, const FC& policy) {
  const bool code = IsCode(&line) || IsCode(line.PreviousLine()) || IsCode(line.NextLine());
  for (const bool backwards : {true, false}) {
    if (Walk(line, policy, code, backwards).Run() == WalkEnd::kForGood) break;
  }
}
