#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/SectionNumber.h"
#include "analysis/SourceLine.h"
#include "policy/FC.h"
#include "policy/RunContext.h"

// Reads `text` as the line reader does: tabs expanded, then prepared.
inline void ReadLine(SourceLine& line, FC& policy, std::string_view text) {
  line.SetText(text);
  line.ExpandTabs(8);
  line.PrepareText(policy);
}

// Runs short documents through classification the way a pass does: line N
// is read and prepared, then line N-1 is classified, so every line is
// classified with its successor known; the last line is classified when the
// read after it has failed (an empty, unread successor).
class ClassifyRun {
 public:
  enum Pass { kAnalysis, kContents, kOutput };

  explicit ClassifyRun(Pass pass) {
    policy.analysisPass = pass == kAnalysis ? 1 : 0;
    policy.contentsPass = pass == kContents ? 1 : 0;
    policy.outputPass = pass == kOutput ? 1 : 0;
    policy.errorLevel = 10;
    policy.messageSink = [this](const char* text) { messages.emplace_back(text); };
    policy.owner = &run;
  }

  // Reads and classifies `raw`, one entry per source line.
  void Feed(const std::vector<std::string>& raw) {
    for (const std::string& text : raw) {
      SourceLine& line = NewLine();
      ReadLine(line, policy, text);
      line.flags |= readFlags;
      line.sourceLineNumber = static_cast<int>(lines.size());
      if (lines.size() > 1) lines[lines.size() - 2]->Classify(policy, statistics);
    }
    if (!lines.empty()) {
      NewLine();
      lines[lines.size() - 2]->Classify(policy, statistics);
      lines.pop_back();
      lines.back()->next = nullptr;
    }
  }

  // An output pass whose `levels` heading levels were calculated at `indent`.
  void SetLevels(int levels, int indent) {
    policy.expectContentsList = 0;
    policy.headingLevelCount = levels;
    for (int i = 0; i < levels; ++i) {
      policy.headingStyles[i].indent = indent;
      policy.contentsStyles[i].indent = indent;
    }
  }

  std::vector<int> Types() const {
    std::vector<int> types;
    for (const auto& line : lines) types.push_back(line->lineType);
    return types;
  }

  SourceLine& Line(int number) { return *lines.at(static_cast<std::size_t>(number - 1)); }

  RunContext run;
  FC policy;
  // Flags the preprocessor would give every line read (user regions).
  std::uint32_t readFlags = 0;
  DocumentStatistics statistics;
  std::vector<std::string> messages;
  std::vector<std::unique_ptr<SourceLine>> lines;

 private:
  SourceLine& NewLine() {
    SourceLine* previous = lines.empty() ? nullptr : lines.back().get();
    lines.push_back(std::make_unique<SourceLine>(previous));
    return *lines.back();
  }
};
