#include "text/OutputFile.h"

#include <gtest/gtest.h>

#include "TextTestSupport.h"

namespace {

class RecordingOutput : public OutputFile {
 public:
  using OutputFile::StartFile;
  using OutputFile::WriteLine;
  int StartFile(const char* name, FC& /*policy*/, int sectionNumber, SourceLine* sectionLine,
                std::FILE* previousStream) override {
    startedName = name;
    startedSection = sectionNumber;
    startedLine = sectionLine;
    startedPrevious = previousStream;
    return 1;
  }
  int WriteLine(std::FILE* stream, SourceLine& line, FC& /*policy*/) override {
    writtenStream = stream;
    writtenLine = &line;
    return 1;
  }
  const char* startedName = nullptr;
  int startedSection = 0;
  SourceLine* startedLine = nullptr;
  std::FILE* startedPrevious = nullptr;
  std::FILE* writtenStream = nullptr;
  SourceLine* writtenLine = nullptr;
};

TEST(OutputFileTest, ShortFormsForwardTheirDefaults) {
  TempDir dir;
  RecordingOutput output;
  ASSERT_EQ(output.OpenForWriting(dir.Path("page.html").c_str()), 1);
  FC policy;
  SourceLine line;
  EXPECT_EQ(output.StartFile("page", policy), 1);
  EXPECT_STREQ(output.startedName, "page");
  EXPECT_EQ(output.startedSection, -1);
  EXPECT_EQ(output.startedLine, nullptr);
  EXPECT_EQ(output.startedPrevious, nullptr);
  EXPECT_EQ(output.WriteLine(line, policy), 1);
  EXPECT_EQ(output.writtenStream, output.CurrentStream());
  EXPECT_NE(output.writtenStream, nullptr);
  EXPECT_EQ(output.writtenLine, &line);
  EXPECT_TRUE(output.outputName.IsEmpty());
}

}  // namespace
