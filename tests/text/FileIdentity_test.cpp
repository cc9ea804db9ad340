#include "text/FileIdentity.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TextTestSupport.h"

namespace {

TEST(FileIdentityTest, ReadProblemNamesWhatIsWrong) {
  TempDir dir;
  const std::string text = dir.Write("a.txt", "x\n");
  std::filesystem::create_directory(dir.Path("folder"));
  ASSERT_EQ(mkfifo(dir.Path("pipe").c_str(), 0600), 0);
  const struct {
    std::string name;
    std::string problem;
  } cases[] = {
      {text, ""},
      {dir.Path("missing.txt"), ""},
      {dir.Path("folder"), ": it is a directory"},
      {dir.Path("pipe"), ": it is a named pipe"},
      {"/dev/zero", ": it is a device"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadProblem(c.name.c_str()), c.problem) << c.name;
    // Only a regular file is opened, and a pipe without a writer never blocks.
    std::FILE* file = OpenRegularFile(c.name.c_str());
    EXPECT_EQ(file != nullptr, c.name == text) << c.name;
    if (file != nullptr) std::fclose(file);
  }
  EXPECT_EQ(ReadProblem(nullptr), "");
}

TEST(FileIdentityTest, SpellingsAndLinksOfOneFileAreTheSameFile) {
  TempDir dir;
  const std::string text = dir.Write("a.txt", "x\n");
  const std::string other = dir.Write("b.txt", "x\n");
  std::filesystem::create_symlink(text, dir.Path("link.txt"));
  FileIdentity a, dotted, linked, b;
  ASSERT_EQ(GetFileIdentity(text.c_str(), a), 1);
  ASSERT_EQ(GetFileIdentity((dir.Root() / "." / "a.txt").c_str(), dotted), 1);
  ASSERT_EQ(GetFileIdentity(dir.Path("link.txt").c_str(), linked), 1);
  ASSERT_EQ(GetFileIdentity(other.c_str(), b), 1);
  EXPECT_EQ(a, dotted);
  EXPECT_EQ(a, linked);
  EXPECT_FALSE(a == b);
  FileIdentity none;
  EXPECT_EQ(GetFileIdentity(dir.Path("missing.txt").c_str(), none), 0);
  EXPECT_TRUE(IsRegularFile(text.c_str()));
  EXPECT_FALSE(IsRegularFile(dir.Root().c_str()));
}

}  // namespace
