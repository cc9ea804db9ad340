#include "driver/WriteGuard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "driver/GuardedFile.h"
#include "policy/FC.h"
#include "text/LineFile.h"

namespace {

class WriteGuardTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir() + "writeguard_" +
           testing::UnitTest::GetInstance()->current_test_info()->name() + "_";
    policy_.messageSink = [this](const char* text) { log_ += std::string(text) + "\n"; };
  }
  void TearDown() override {
    for (const char* name : {"in.txt", "out.html", "other.html", "x.pol"}) {
      std::remove((dir_ + name).c_str());
    }
  }
  std::string Path(const char* name) { return dir_ + name; }
  void Touch(const char* name) { std::ofstream(Path(name)) << "text\n"; }

  std::string dir_;
  FC policy_;
  std::string log_;
  WriteGuard guard_;
};

TEST_F(WriteGuardTest, RefusesAnInputHoweverItIsSpelled) {
  Touch("in.txt");
  guard_.AddInput(Path("in.txt").c_str());
  const std::string dotted = testing::TempDir() + "./" + Path("in.txt").substr(testing::TempDir().size());
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
