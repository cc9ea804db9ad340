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

TEST(TextWriterTest, NullStream) {
  ParsedString line;
  EXPECT_EQ(WriteText(nullptr, "x"), 0);
  EXPECT_EQ(WriteWrapped(nullptr, line, false), 0);
  EXPECT_EQ(WriteWrapped(nullptr, line, true), 0);
}

}  // namespace
