#include "text/TextFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "support/CaseFile.h"

namespace {

std::vector<std::string> ReadAllLines(TextFile& file) {
  std::vector<std::string> lines;
  while (file.ReadLine()) lines.emplace_back(file.GetBufferLine(file.LineCount()));
  return lines;
}

std::vector<std::string> LinesOf(const std::string& bytes) {
  TempDir dir;
  TextFile file;
  EXPECT_EQ(file.OpenForReading(dir.Write("in.txt", bytes).c_str()), 1);
  return ReadAllLines(file);
}

// `text` with each "{N}" replaced by N letters x.
std::string Expand(std::string text) {
  for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{')) {
    const std::size_t end = text.find('}', at);
    const std::size_t count = std::stoul(text.substr(at + 1, end - at - 1));
    text = text.substr(0, at) + std::string(count, 'x') + text.substr(end + 1);
  }
  return text;
}

// The lines rows of tests/data/text/text_strings.txt: line ends, Ctrl-Z,
// NUL bytes, and long lines cut into pieces of at most 1023 bytes, never
// inside a UTF-8 character.
TEST(TextFileTest, LineEndsAndPieces) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/text/text_strings.txt")) {
    if (r[0] != "lines") continue;
    std::vector<std::string> expected;
    std::istringstream list(Expand(r.at(2)));
    for (std::string line; std::getline(list, line, ';');) expected.push_back(line);
    EXPECT_EQ(LinesOf(Expand(r.at(1))), expected) << r[1];
  }
}

TEST(TextFileTest, BufferKeepsTheNewestLines) {
  TempDir dir;
  std::string bytes;
  for (int i = 1; i <= 300; ++i) bytes += "line " + std::to_string(i) + "\n";
  TextFile file;
  ASSERT_EQ(file.OpenForReading(dir.Write("in.txt", bytes).c_str()), 1);
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(file.ReadLine());
  EXPECT_EQ(file.LineCount(), 100);
  ASSERT_TRUE(file.ReadLine());
  EXPECT_EQ(file.LineCount(), 11);
  EXPECT_STREQ(file.GetBufferLine(11), "line 101");
  EXPECT_STREQ(file.GetBufferLine(1), "line 91");
  testing::internal::CaptureStderr();
  EXPECT_EQ(file.GetBufferLine(12), nullptr);
  EXPECT_EQ(file.GetBufferLine(0), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ERROR: Invalid LineNumber 12/11 in TextFile::GetBufferLine\n"
            "ERROR: Invalid LineNumber 0/11 in TextFile::GetBufferLine\n");
  // Two more drops, at lines 191 and 281: every line still counts from the oldest kept.
  while (file.ReadLine()) {
  }
  ASSERT_EQ(file.LineCount(), 30);
  for (int n = 1; n <= 30; ++n) {
    EXPECT_EQ(std::string(file.GetBufferLine(n)), "line " + std::to_string(270 + n)) << n;
  }
}

TEST(TextFileTest, NestedFileReturnsToTheIncludingOne) {
  TempDir dir;
  const std::string a = dir.Write("a.txt", "a1\na2\na3\n");
  const std::string b = dir.Write("b.txt", "b1\nb2");
  TextFile file;
  ASSERT_EQ(file.OpenForReading(a.c_str()), 1);
  ASSERT_TRUE(file.ReadLine());
  ASSERT_EQ(file.OpenForReading(b.c_str()), 1);
  EXPECT_EQ(file.Depth(), 2);
  EXPECT_EQ(ReadAllLines(file), (std::vector<std::string>{"b1", "b2", "a2", "a3"}));
  EXPECT_EQ(file.Depth(), 1);
  EXPECT_EQ(file.MaxDepth(), 2);
  EXPECT_FALSE(file.ReadLine());
}

TEST(TextFileTest, RefusalsAreSilentAndLeaveTheStack) {
  TempDir dir;
  const std::string a = dir.Write("a.txt", "a1\n");
  ASSERT_EQ(symlink(a.c_str(), dir.Path("link.txt").c_str()), 0);
  TextFile file;
  ASSERT_EQ(file.OpenForReading(a.c_str()), 1);
  testing::internal::CaptureStderr();
  // The same file under other spellings, a directory, a missing file.
  for (const std::string& name : {a, dir.Path("./a.txt"), dir.Path("link.txt"), dir.Root().string(),
                                  dir.Path("missing.txt")}) {
    EXPECT_EQ(file.OpenForReading(name.c_str()), 0) << name;
    EXPECT_EQ(file.Depth(), 1) << name;
  }
  EXPECT_EQ(file.OpenForReading(nullptr), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(file.IsFileOpen(dir.Path("./a.txt").c_str()));
  EXPECT_EQ(file.IsOpen(), 0);
  EXPECT_EQ(ReadAllLines(file), (std::vector<std::string>{"a1"}));
}

TEST(TextFileTest, StackDepthIsBounded) {
  TempDir dir;
  TextFile file;
  for (int i = 0; i < TextFile::kMaxDepth; ++i) {
    const std::string name = dir.Write("f" + std::to_string(i), "x\n");
    ASSERT_EQ(file.OpenForReading(name.c_str()), 1) << i;
  }
  EXPECT_EQ(file.OpenForReading(dir.Write("last", "x\n").c_str()), 0);
  EXPECT_EQ(file.Depth(), TextFile::kMaxDepth);
  EXPECT_EQ(ReadAllLines(file).size(), static_cast<std::size_t>(TextFile::kMaxDepth));
}

TEST(TextFileTest, SwitchFileOpensFirstAndIsLimited) {
  TempDir dir;
  const std::string a = dir.Write("a.txt", "a1\na2\n");
  const std::string b = dir.Write("b.txt", "b1\nb2\n");
  const std::string c = dir.Write("c.txt", "c1\n");
  TextFile file;
  ASSERT_EQ(file.OpenForReading(a.c_str()), 1);
  ASSERT_TRUE(file.ReadLine());
  // A failed switch leaves reading in the current file.
  EXPECT_EQ(file.SwitchFile(dir.Path("missing").c_str()), 0);
  EXPECT_EQ(file.IsOpen(), 1);
  EXPECT_EQ(file.SwitchFile(b.c_str()), 1);
  EXPECT_EQ(file.Depth(), 1);
  EXPECT_EQ(ReadAllLines(file), (std::vector<std::string>{"b1", "b2"}));

  // Inside an include, a switch replaces the include only; the including file
  // itself cannot be switched to.
  TextFile nested;
  ASSERT_EQ(nested.OpenForReading(a.c_str()), 1);
  ASSERT_EQ(nested.OpenForReading(b.c_str()), 1);
  EXPECT_EQ(nested.SwitchFile(a.c_str()), 0);
  EXPECT_EQ(nested.SwitchFile(c.c_str()), 1);
  EXPECT_EQ(ReadAllLines(nested), (std::vector<std::string>{"c1", "a1", "a2"}));

  // Uses 3 to 9 still switch; the tenth does not.
  for (int use = 3; use <= 9; ++use) EXPECT_EQ(file.SwitchFile(use % 2 ? a.c_str() : c.c_str()), 1);
  EXPECT_EQ(file.SwitchFile(c.c_str()), 0);
  EXPECT_EQ(file.SwitchCount(), 10);
  EXPECT_EQ(ReadAllLines(file), (std::vector<std::string>{"a1", "a2"}));
}

TEST(TextFileTest, NothingOpenReadsNothing) {
  TextFile file;
  EXPECT_FALSE(file.ReadLine());
  EXPECT_EQ(file.WriteText("x"), 0);
  EXPECT_EQ(file.CurrentStream(), nullptr);
  EXPECT_EQ(file.CurrentFileName(), nullptr);
  TempDir dir;
  ASSERT_EQ(file.OpenForReading(dir.Write("a", "x\n").c_str()), 1);
  file.Close();
  EXPECT_FALSE(file.ReadLine());
  EXPECT_EQ(file.Depth(), 0);
}

TEST(TextFileTest, Writing) {
  TempDir dir;
  const std::string out = dir.Path("out.txt");
  {
    TextFile file;
    ASSERT_EQ(file.OpenForWriting(out.c_str()), 1);
    EXPECT_EQ(file.WriteText("one"), 1);
    EXPECT_EQ(file.WriteText(TextString("two")), 1);
    EXPECT_STREQ(file.CurrentFileName(), out.c_str());
    EXPECT_FALSE(file.ReadLine());
  }
  EXPECT_EQ(ReadAll(out), "one\ntwo\n");

  TextFile file;
  const std::string bad = dir.Path("no/such/dir.txt");
  testing::internal::CaptureStderr();
  EXPECT_EQ(file.OpenForWriting(bad.c_str()), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ERROR: Failed to create file \"" + bad + "\": No such file or directory\n");
  EXPECT_EQ(file.IsOpen(), 0);
  EXPECT_EQ(file.Depth(), 0);

  // Output that cannot be written whole is reported when the file closes; a
  // device is never removed.
  std::vector<std::string> reports;
  file.SetWriteFailureSink([&reports](const std::string& message) { reports.push_back(message); });
  ASSERT_EQ(file.OpenForWriting("/dev/full"), 1);
  EXPECT_EQ(file.WriteText("lost"), 1);
  file.Close();
  EXPECT_EQ(reports, std::vector<std::string>{
                         "ERROR: Failed to write file \"/dev/full\": No space left on device"});
  EXPECT_EQ(access("/dev/full", F_OK), 0);
}

TEST(TextFileTest, SharedStream) {
  TempDir dir;
  const std::string out = dir.Path("page.html");
  TextFile page;
  ASSERT_EQ(page.OpenForWriting(out.c_str()), 1);
  {
    // Hand-over: the holder keeps the stream after the page forgets it.
    TextFile holder(&page);
    EXPECT_EQ(holder.IsOpen(), 1);
    EXPECT_FALSE(holder.IsReading());
    EXPECT_STREQ(holder.CurrentFileName(), out.c_str());
    EXPECT_EQ(page.WriteText("first"), 1);
    page.ResetFiles();
    EXPECT_EQ(holder.WriteText("second"), 1);
  }
  EXPECT_EQ(ReadAll(out), "first\nsecond\n");

  ASSERT_EQ(page.OpenForWriting(out.c_str()), 1);
  TextFile holder(&page);
  holder.Close();
  // Closing one holder closes the shared stream; the other fails safely.
  EXPECT_EQ(page.CurrentStream(), nullptr);
  EXPECT_EQ(page.WriteText("lost"), 0);
  EXPECT_EQ(ReadAll(out), "");
  TextFile empty(nullptr);
  EXPECT_EQ(empty.IsOpen(), 0);
}

}  // namespace
