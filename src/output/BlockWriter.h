#pragma once

#include <cstdio>
#include <memory>

#include "analysis/DocumentStatistics.h"
#include "analysis/SourceLine.h"

class DocumentPages;
class FC;
class PreformattedBlock;
class TableConfig;

// Writes one collected block of pre-formatted lines when it ends: as
// pre-formatted text (a diagram, a code sample or a plain listing inside
// <PRE>), as a code sample inside <CODE>, as ordinary text lines, or as a
// table (TableWriter). WriteBlock analyses the block and chooses; the body
// writer calls WritePreformatted directly when tables are not attempted.
//
// Nothing is owned: the block, the page stream, the policy record and the
// table settings must outlive the writer. Every line is written whole.
class BlockWriter {
 public:
  // `pages` (may be null) names the pages cross-references lead to.
  // `scratch` (may be null: each cross-reference then makes its own) is the
  // record cross-references read section numbers with (LinkPasses.h), kept
  // by the caller from block to block; not owned.
  BlockWriter(PreformattedBlock& block, std::FILE* stream, FC& policy, const TableConfig& config,
              const DocumentPages* pages = nullptr,
              std::unique_ptr<DocumentStatistics>* scratch = nullptr);
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Analyses the block (PreformattedBlock::ParseTable) and writes it in the
  // form its kind asks for. Without a stream nothing is written and
  // "*** Internal coding error : No HTMLFile inside ParseTable" goes to
  // standard error. Returns 1 when written, else 0.
  int WriteBlock(bool userSpecified);
  // The <PRE> form, bracketed by the comments that name the block's kind.
  // A user-specified line gets emphasis and inline markup; a code line's
  // "//" comment is bold italic. Returns 1, or 0 without a stream.
  int WritePreformatted();
  // The <CODE> form: each line as read, escaped, after a line of "&nbsp;"
  // for its indent, ending in "<BR>". Returns 1, or 0 without a stream.
  int WriteCodeSample();
  // Ordinary text lines ending in "<BR>", rules as "<HR>", indented to the
  // block's smallest indent. Returns 1, or 0 without a stream.
  int WriteNormal();

 private:
  bool HasStream() const;

  PreformattedBlock& block_;
  std::FILE* stream_;
  FC& policy_;
  const TableConfig& config_;
  const DocumentPages* pages_;
  // The line the block's lines are marked up in (BlockText.h).
  SourceLine work_;
  // The caller's record cross-references read section numbers with, or null.
  std::unique_ptr<DocumentStatistics>* numberScratch_;
};
