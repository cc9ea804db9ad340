#include "driver/LineListing.h"

#include <gtest/gtest.h>

#include <string>

#include "DriverTestDir.h"
#include "analysis/DocumentStatistics.h"
#include "analysis/LineType.h"
#include "analysis/SourceLine.h"
#include "driver/PassLoop.h"
#include "driver/PassWork.h"
#include "driver/ProcessedLineSource.h"
#include "output/HTMLFile.h"
#include "policy/FC.h"
#include "policy/RunContext.h"
#include "support/CaseFile.h"

namespace {

class PageWork : public PassWork {
 public:
  explicit PageWork(HTMLFile& page) : page_(page) {}
  void LineLeaving(SourceLine& line, FC& policy) override { page_.WriteLine(line, policy); }
  void LineFlushed(SourceLine& line, FC& policy) override { page_.WriteLine(line, policy); }

 private:
  HTMLFile& page_;
};

// A small document through an output pass whose heading levels stand at
// column 0, listed. The expected listing (tests/data/driver/listing.lis) was
// written by hand; it shows a page start, a centred line, an annotated
// heading and its appended second line, an underlined heading with its
// underline, a list, a rejected section number with its message, a
// pre-formatted table, a line cut at 60 characters, the blank and
// end-of-file lines and the legend.
TEST(LineListingTest, OutputPassListingOfASmallDocument) {
  DriverTestDir dir;
  RunContext run;
  FC policy;
  policy.SetOwner(&run);
  policy.analysisPass = 0;
  policy.outputPass = 1;
  policy.expectContentsList = 0;
  policy.headingLevelCount = 2;
  policy.headingStyles[0].indent = 0;
  policy.headingStyles[1].indent = 0;
  policy.outputDirectory.SetText(dir.Path());
  policy.messageSink = [](const char*) {};
  policy.statusSink = [](const char*) {};

  DocumentStatistics statistics;
  ProcessedLineSource source;
  ASSERT_TRUE(source.Open(TextString(WEBLOOM_TEST_DATA "/driver/listing.txt"), policy));
  HTMLFile page;
  PageWork work(page);
  LineListing listing(work, nullptr, policy);
  const std::string listingName = dir.Path() + "listing.lis";
  ASSERT_TRUE(listing.Open(TextString(listingName.c_str()), policy));
  ASSERT_TRUE(page.StartFile("listing", policy));
  RunPass(source, policy, statistics, listing);
  page.WriteHTMLFooter(page.CurrentStream(), nullptr, policy, policy.footerFile, false, true);
  page.Close();
  listing.Finish();
  EXPECT_EQ(policy.document.listing, nullptr);

  std::string written = ReadWholeFile(listingName);
  const std::size_t at = written.find(dir.Path());
  ASSERT_NE(at, std::string::npos);
  written.replace(at, dir.Path().size(), "DIR/");
  EXPECT_EQ(written, ReadWholeFile(WEBLOOM_TEST_DATA "/driver/listing.lis"));
}

// One entry of a listing, written to a fresh file and read back.
std::string Entry(SourceLine& line, int processed) {
  DriverTestDir dir;
  LineFile file;
  EXPECT_TRUE(file.OpenForWriting((dir / "entry.lis").c_str()));
  FC policy;
  policy.document.processedLines = processed;
  EXPECT_EQ(DumpLine(&file, line, policy), 1);
  file.Close();
  return dir.Read("entry.lis");
}

TEST(LineListingTest, EntryMarksAndTypeColumns) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/driver/driver_cases.txt")) {
    if (r[0] != "entry") continue;
    SourceLine line;
    line.rawText.SetText("text");
    line.lineType = std::stoi(r.at(1));
    line.flags = static_cast<std::uint32_t>(std::stoul(r.at(2)));
    line.preformatScore = std::stoi(r.at(3));
    EXPECT_EQ(Entry(line, std::stoi(r.at(4))), r.at(5)) << r[5];
  }
}

TEST(LineListingTest, TextIsCutAtSixtyCharactersNeverInsideACharacter) {
  SourceLine line;
  line.lineType = LineType::kText;
  line.rawText.SetText(std::string(70, 'x'));
  EXPECT_EQ(Entry(line, 1), "       1:       |" + std::string(60, 'x') + "\n");
  line.rawText.SetText(std::string(59, 'x') + "\xC3\xA9" + "yz");
  EXPECT_EQ(Entry(line, 1), "       1:       |" + std::string(59, 'x') + "\n");
}

TEST(LineListingTest, AnnotationStandsAboveItsLineOnce) {
  RunContext run;
  FC policy;
  policy.analysisPass = 0;
  policy.outputPass = 1;
  LineFile listing;
  policy.document.listing = &listing;
  SourceLine line;
  line.lineType = LineType::kText;
  line.rawText.SetText("text");
  line.ReportOnLine(policy, "Something about it", 1);
  EXPECT_EQ(Entry(line, 2), "\n*** Something about it\n\n       2:       |text\n");
  EXPECT_EQ(line.Annotation(), nullptr);
  EXPECT_EQ(Entry(line, 2), "       2:       |text\n");
}

TEST(LineListingTest, DroppedFurnitureStandsAboveItsLineNumberedInPlace) {
  SourceLine line;
  line.lineType = LineType::kText;
  line.rawText.SetText("text");
  for (const char* dropped : {"", "Footer   [Page 1]", "\f"}) {
    line.droppedFurniture.emplace_back(dropped);
  }
  EXPECT_EQ(Entry(line, 10),
            "       7:     f |\n       8:     f |Footer   [Page 1]\n       9:     f |\f\n"
            "      10:       |text\n");
}

TEST(LineListingTest, WithoutAnOpenListingNothingIsWritten) {
  SourceLine line;
  FC policy;
  EXPECT_EQ(DumpLine(nullptr, line, policy), 0);
  LineFile closed;
  EXPECT_EQ(DumpLine(&closed, line, policy), 0);

  class Nothing : public PassWork {
   public:
    void LineLeaving(SourceLine&, FC&) override { ++count; }
    void LineFlushed(SourceLine&, FC&) override { ++count; }
    int count = 0;
  } inner;
  LineListing listing(inner, nullptr, policy);
  EXPECT_EQ(listing.Open(TextString(), policy), 1);
  EXPECT_EQ(policy.document.listing, nullptr);
  listing.LineLeaving(line, policy);
  listing.Finish();
  EXPECT_EQ(inner.count, 1);
}

}  // namespace
