#pragma once

#include <bitset>
#include <deque>
#include <functional>

#include "policy/DocumentState.h"
#include "policy/PolicyValues.h"
#include "text/TextString.h"

class LineFile;
class RunContext;

// The policy record: every policy of one conversion (the fields of
// PolicyValues) with a given flag per policy, plus the small run state every
// stage of a conversion reads (owner, document state, table configuration
// queue, product name, message sinks).
//
// Ownership: the record owns its policy values, its document state and its
// table configurations. The owner (the run context) is not owned; it must
// outlive the record or be replaced with SetOwner(nullptr).
//
// Copying is deleted: a record is copied on purpose with CopyPolicies or
// MergeGiven, which say which flags go with the values.
class FC : public PolicyValues {
 public:
  // Receives one message or status line, without its line end.
  using Sink = std::function<void(const char* text)>;

  FC();
  virtual ~FC();
  FC(const FC&) = delete;
  FC& operator=(const FC&) = delete;

  // --- Run state ---
  RunContext* owner = nullptr;
  DocumentState document;
  // The extension actually used for pages, chosen by Normalise.
  TextString outputExtension;
  // Name of the policy file this conversion writes (GetPolicyFileName).
  TextString policyFileOutName;
  // "Webloom 3.0", "Docloom 1.0" or "Anyloom ?.?" (see Reset).
  TextString productName;
  // Scratch text in which callers compose messages.
  TextString messageText;
  Sink messageSink;
  Sink statusSink;

  // --- Given flags ---
  bool IsGiven(Policy policy) const;
  void SetGiven(Policy policy, bool given = true);
  // True when any policy flag (not counting tableDefaults') is set.
  bool AnyGiven() const;

  // --- Lifecycle ---
  // Sets every policy to its default, clears every given flag (those of
  // tableDefaults too), resets the document state, the product name and
  // both sinks, then normalises. Unless `firstTime`, releases the lists
  // first (ReleaseLists). The product name is "Anyloom ?.?" unless
  // `firstTime` is false and an owner is set.
  void Reset(bool firstTime);
  // Stores `owner` (may be null), takes the product name from its output
  // kind and normalises.
  void SetOwner(RunContext* owner);
  // Clears the per-document state; unless `firstTime`, and when an owner is
  // set, chooses the output extension as Normalise does.
  void ResetDocumentState(bool firstTime);
  // Frees the word lists, the link dictionary and the queued table
  // configurations; writes "releasing N tables" to standard output when it
  // frees N > 0 configurations.
  void ReleaseLists();

  // --- Consistency and copying ---
  // Makes the policies consistent with each other (twelve rules, in order).
  void Normalise();
  // Copies every policy given in `from` into this record (and, with
  // `markGiven`, its given flag), then normalises.
  void MergeGiven(const FC& from, bool markGiven);
  // Resets this record, then copies every policy value of `from` (the pass
  // flags stay as the reset leaves them); all given flags stay cleared and
  // both sinks stay null. Normalises at the end. `from` may be this record.
  void CopyPolicies(const FC& from);

  // --- Messages ---
  // Delivers `text` when importance >= 10 - errorLevel: to messageSink, or
  // as one line on standard error. Returns 1 when delivered, 0 when
  // filtered out.
  int Message(const char* text, int importance) const;
  int Message(const TextString& text, int importance) const;
  // Delivers `text` to statusSink, or as one line on standard output.
  void StatusMessage(const char* text) const;
  void StatusMessage(const TextString& text) const;

  // --- Passes and sections ---
  // True while an output pass runs (the output flag or the spare fourth).
  // Inline: classification asks several times for every line.
  bool IsOutputPass() const { return outputPass != 0 || sparePass != 0; }
  // Whether lines of the current preprocessor section are converted.
  bool IsSectionIncluded() const;
  // Makes `name` the current section and recomputes sectionIncluded.
  void SetCurrentSection(const TextString& name);

  // --- Table configuration queue ---
  // Queued first in, first out: a block's configuration is queued when the
  // preprocessor reads its start, 39 lines before the writer reaches it.
  //
  // Appends a configuration that takes exactly the given fields of
  // tableDefaults. Outside an output pass it writes "FC::CreateNewTabConfig
  // called out of sequence" to standard error and returns 0.
  int CreateNewTabConfig();
  // Removes the oldest configuration. Outside an output pass, or when the
  // queue is empty, reports on standard error and returns 0.
  int DeleteOldTabConfig();
  // Removes the newest configuration: its region ended without a line.
  // Returns 0 when the queue is empty.
  int DiscardNewestTabConfig();
  // The newest queued configuration (the one the preprocessor's table
  // commands change), or tableDefaults when none is queued.
  TableConfig& CurrentTableConfig();
  // The oldest queued configuration (the one of the block being written),
  // or tableDefaults when none is queued.
  TableConfig& OldestTableConfig();
  int TableConfigCount() const { return static_cast<int>(tableConfigs_.size()); }

  // --- Policy files and the link dictionary ---
  // Defined in PolicyFileReader.cpp, PolicyFileWriter.cpp and
  // LinkDictionary.cpp.
  //
  // Applies one policy-file line; returns 1 when the line was accepted.
  // `warnRepeated` is true for the lines of a policy file: there a repeated
  // value is refused, and a list of bullet or definition characters replaces
  // the record's list instead of adding to it.
  [[nodiscard]] int ParsePolicyLine(const TextString& line, bool warnRepeated);
  // Reads every line of `file` (open for reading); returns 1 when every
  // line was accepted, 0 when at least one was ignored.
  int ReadPolicyFile(LineFile& file);
  // Writes the policies to `file` (open for writing): every line when
  // `all`, otherwise only the given ones; then the link definitions.
  // Returns 1 when every line was written.
  int WritePolicyFile(LineFile& file, bool all) const;
  // Computes into policyFileOutName the name of the policy file that a
  // conversion of `inputName` writes.
  int GetPolicyFileName(const char* inputName);
  // Appends one definition (copies of the texts; null is ""), unless one with
  // the same three texts, byte for byte, is already there.
  void AddLinkDefinition(const char* matchText, const char* linkText, const char* url);
  // Writes every definition, one line each, in the order they were added.
  // Returns 1 when every line was written.
  int WriteLinkDefinitions(LineFile& file) const;

 private:
  void SetProductName(bool fromOwner);
  void ChooseOutputExtension();
  int OwnerKind() const;

  std::bitset<kPolicyCount> given_;
  std::deque<TableConfig> tableConfigs_;
};
