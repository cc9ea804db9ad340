#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "output/HTMLFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "support/TempDir.h"

inline std::string ReadData(const std::string& name) {
  return ReadAll(std::string(WEBLOOM_TEST_DATA) + "/output/" + name);
}

// What `write` puts on a stream.
inline std::string Capture(const std::function<void(std::FILE*)>& write) {
  std::FILE* stream = std::tmpfile();
  if (stream == nullptr) return "<no temporary file>";
  write(stream);
  std::fflush(stream);
  std::rewind(stream);
  std::string text;
  char buffer[4096];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, count);
  std::fclose(stream);
  return text;
}

// A policy record set up as for an output pass of "guide.txt" in a run that
// converts HTML, with its messages and status lines collected.
struct OutputRecord {
  OutputRecord() {
    policy.SetOwner(&run);
    policy.analysisPass = 0;
    policy.outputPass = 1;
    policy.document.sourceName.SetText("guide.txt");
    policy.messageSink = [this](const char* text) { messages.emplace_back(text); };
    policy.statusSink = [this](const char* text) { status.emplace_back(text); };
  }
  OutputRecord(const OutputRecord&) = delete;
  OutputRecord& operator=(const OutputRecord&) = delete;

  RunContext run;
  FC policy;
  std::vector<std::string> messages;
  std::vector<std::string> status;
};

// One source line as the analysis would hand it to the writer.
struct LineSpec {
  int type = LineType::kText;
  std::string text;  // as read, without its indentation
  int indent = 0;
  std::uint32_t flags = 0;
  bool output = true;  // the line-is-output flag
};

// A chain of source lines linked like those of a pass window. The text is
// given as read; the writer's texts are derived from it as the read-time
// preparation would leave a line without markup characters.
class LineChain {
 public:
  explicit LineChain(const std::vector<LineSpec>& specs) {
    SourceLine* previous = nullptr;
    for (const LineSpec& spec : specs) {
      auto line = std::make_unique<SourceLine>(previous);
      const std::string raw = std::string(static_cast<std::size_t>(spec.indent), ' ') + spec.text;
      line->SetText(spec.text);
      line->rawText.SetText(raw);
      line->escapedText.SetText(raw);
      line->indent = spec.indent;
      line->length = static_cast<int>(raw.size());
      line->lineType = spec.type;
      line->flags = (spec.output ? LineFlag::kOutput : 0u) | spec.flags;
      previous = line.get();
      lines_.push_back(std::move(line));
    }
  }
  SourceLine& operator[](std::size_t i) { return *lines_[i]; }
  std::size_t size() const { return lines_.size(); }

 private:
  std::vector<std::unique_ptr<SourceLine>> lines_;
};

// Converts `specs` into a page "guide" in `dir` as an output pass would: the
// first page, every line counted and written, the footer. Returns false when
// the page does not open.
inline bool WriteFile(OutputRecord& record, const TempDir& dir, const std::vector<LineSpec>& specs,
                      HTMLFile& page) {
  record.policy.outputDirectory.SetText(dir.Dir());
  if (page.StartFile("guide", record.policy) == 0) return false;
  LineChain lines(specs);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ++record.policy.document.processedLines;
    page.WriteLine(lines[i], record.policy);
  }
  page.WriteHTMLFooter(page.CurrentStream(), nullptr, record.policy, record.policy.footerFile,
                       false, true);
  page.Close();
  return true;
}

// As WriteFile; returns the page.
inline std::string WritePage(OutputRecord& record, const TempDir& dir,
                             const std::vector<LineSpec>& specs, HTMLFile& page) {
  if (!WriteFile(record, dir, specs, page)) return "<page not opened>";
  return ReadAll(dir.Path("guide.html"));
}

// The lines between the body tag and "</BODY>" of a page.
inline std::string BodyOf(const std::string& page) {
  const std::size_t body = page.find("<BODY");
  if (body == std::string::npos) return "<no body tag>";
  const std::size_t start = page.find('\n', body);
  const std::size_t end = page.find("</BODY>\n", start);
  if (start == std::string::npos || end == std::string::npos) return "<no body end>";
  return page.substr(start + 1, end - start - 1);
}

// Converts `specs` and returns the body of the page.
inline std::string WriteBody(OutputRecord& record, const std::vector<LineSpec>& specs) {
  TempDir dir;
  HTMLFile page;
  return BodyOf(WritePage(record, dir, specs, page));
}
