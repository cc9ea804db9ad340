#include "text/TextWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "TextTestSupport.h"

namespace {

std::string Written(const ParsedString& line, bool whole) {
  TempDir dir;
  const std::string path = dir.Path("out.txt");
  std::FILE* stream = std::fopen(path.c_str(), "w");
  EXPECT_NE(stream, nullptr);
  EXPECT_EQ(WriteWrapped(stream, line, whole), 1);
  std::fclose(stream);
  return ReadAll(path);
}

TEST(TextWriterTest, WrappedPiecesKeepTheIndent) {
  ParsedString line;
  line.SetText(("    " + std::string(196, 'x')).c_str());
  const std::string x81(81, 'x');
  EXPECT_EQ(Written(line, false),
            "    \n    " + x81 + "\n    " + x81 + "\n    " + std::string(34, 'x') + "\n");
  EXPECT_EQ(Written(line, true), line.View().data() + std::string("\n"));

  line.SetText("  one two three");
  line.width = 7;
  EXPECT_EQ(Written(line, false), "  one \n  two \n  three\n");
  line.SetText("");
  EXPECT_EQ(Written(line, false), "\n");
}

// The blanks written apart must give what inserting them into the line gives,
// on both sides of the cut (width 10), past the writer's stock of blanks and
// around the longest line it joins before writing.
TEST(TextWriterTest, IndentedWritesAsInsertedBlanks) {
  const std::string edge(509, 'y');
  const std::string longer(600, 'z');
  const struct {
    int indent;
    const char* text;
    bool whole;
  } cases[] = {{0, "one two", false},      {4, "one two", false},  {3, "one", false},
               {4, "one two three", false}, {4, "one two three", true}, {40, "x", true},
               {2, edge.c_str(), true},     {3, edge.c_str(), true},    {4, longer.c_str(), true}};
  for (const auto& c : cases) {
    ParsedString inserted;
    inserted.SetText((std::string(static_cast<std::size_t>(c.indent), ' ') + c.text).c_str());
    inserted.width = 10;
    ParsedString apart;
    apart.SetText(c.text);
    apart.width = 10;
    TempDir dir;
    const std::string path = dir.Path("out.txt");
    std::FILE* stream = std::fopen(path.c_str(), "w");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(WriteWrappedIndented(stream, apart, c.indent, c.whole), 1);
    std::fclose(stream);
    EXPECT_EQ(ReadAll(path), Written(inserted, c.whole)) << c.indent << " " << c.text;
  }
}

TEST(TextWriterTest, NullStream) {
  ParsedString line;
  EXPECT_EQ(WriteText(nullptr, "x"), 0);
  EXPECT_EQ(WriteWrapped(nullptr, line, false), 0);
  EXPECT_EQ(WriteWrapped(nullptr, line, true), 0);
  EXPECT_EQ(WriteWrappedIndented(nullptr, line, 2, false), 0);
  EXPECT_EQ(WriteIndentedText(nullptr, 2, "x"), 0);
}

}  // namespace
