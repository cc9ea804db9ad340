#include "driver/WriteGuard.h"

#include <gtest/gtest.h>

#include <string>

#include "DriverTestDir.h"
#include "driver/GuardedFile.h"
#include "policy/FC.h"
#include "text/LineFile.h"

namespace {

class WriteGuardTest : public testing::Test {
 protected:
  WriteGuardTest() {
    policy_.messageSink = [this](const char* text) { log_ += std::string(text) + "\n"; };
  }
  std::string Path(const char* name) { return dir_ / name; }
  void Touch(const char* name) { dir_.Write(name, "text\n"); }

  DriverTestDir dir_;
  FC policy_;
  std::string log_;
  WriteGuard guard_;
};

TEST_F(WriteGuardTest, RefusesAnInputHoweverItIsSpelled) {
  Touch("in.txt");
  guard_.AddInput(Path("in.txt").c_str());
  const std::string dotted = dir_.Path() + "./in.txt";
  EXPECT_EQ(guard_.MayWrite(dotted.c_str(), policy_, WriteGuard::Repeat::kRefuse), 0);
  EXPECT_EQ(log_, "ERROR: Not writing \"" + dotted + "\": it is an input of this run\n");
  // Not even the replaceable policy file may overwrite an input.
  EXPECT_EQ(guard_.MayWrite(Path("in.txt").c_str(), policy_, WriteGuard::Repeat::kReplace), 0);
}

TEST_F(WriteGuardTest, RefusesASecondWriteUnlessReplaceable) {
  GuardedFile<LineFile> first(&guard_, policy_);
  ASSERT_EQ(first.OpenForWriting(Path("out.html").c_str()), 1);
  first.Close();
  GuardedFile<LineFile> second(&guard_, policy_);
  EXPECT_EQ(second.OpenForWriting(Path("out.html").c_str()), 0);
  EXPECT_EQ(second.CurrentStream(), nullptr);
  EXPECT_EQ(log_, "ERROR: Not writing \"" + Path("out.html") + "\": already written in this run\n");

  log_.clear();
  GuardedFile<LineFile> policyFile(&guard_, policy_, WriteGuard::Repeat::kReplace);
  ASSERT_EQ(policyFile.OpenForWriting(Path("x.pol").c_str()), 1);
  policyFile.Close();
  GuardedFile<LineFile> again(&guard_, policy_, WriteGuard::Repeat::kReplace);
  EXPECT_EQ(again.OpenForWriting(Path("x.pol").c_str()), 1);
  EXPECT_EQ(log_, "Replacing \"" + Path("x.pol") + "\", written earlier in this run\n");
}

TEST_F(WriteGuardTest, NewAndUnrelatedFilesAreWritten) {
  Touch("other.html");
  guard_.AddInput(Path("missing.txt").c_str());
  EXPECT_EQ(guard_.MayWrite(Path("other.html").c_str(), policy_, WriteGuard::Repeat::kRefuse), 1);
  EXPECT_EQ(guard_.MayWrite(Path("out.html").c_str(), policy_, WriteGuard::Repeat::kRefuse), 1);
  GuardedFile<LineFile> unguarded(nullptr, policy_);
  EXPECT_EQ(unguarded.OpenForWriting(Path("out.html").c_str()), 1);
  EXPECT_EQ(log_, "");
}

}  // namespace
