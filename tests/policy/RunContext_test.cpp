#include "policy/RunContext.h"

#include <gtest/gtest.h>

namespace {

TEST(RunContextTest, ClearFileStateKeepsWhatTheRunShares) {
  RunContext run;
  run.files.Add("a.txt");
  run.policies.Add("a.pol");
  run.currentFile = 1;
  run.directoryPageName.SetText("index.html");
  run.directoryIndentLevel = 2;
  run.contentsGenerated = 1;
  run.utf8Text = 1;
  run.contentsEntries.push_back({101, TextString("1 Intro")});
  for (TextString* t : {&run.title, &run.keywords, &run.description, &run.styleSheet,
                        &run.firstHeadingTitle, &run.firstLineTitle}) {
    t->SetText("from the last file");
  }

  run.ClearFileState();

  EXPECT_EQ(run.contentsGenerated, 0);
  EXPECT_EQ(run.utf8Text, 0);
  EXPECT_TRUE(run.contentsEntries.empty());
  for (const TextString* t : {&run.title, &run.keywords, &run.description, &run.styleSheet,
                              &run.firstHeadingTitle, &run.firstLineTitle}) {
    EXPECT_TRUE(t->IsEmpty());
  }
  EXPECT_EQ(run.files.Count(), 1);
  EXPECT_EQ(run.policies.Count(), 1);
  EXPECT_EQ(run.currentFile, 1);
  EXPECT_EQ(run.directoryIndentLevel, 2);
  EXPECT_FALSE(run.directoryPageName.IsEmpty());
  EXPECT_EQ(run.outputKind, RunContext::kHtmlOutput);
}

}  // namespace
