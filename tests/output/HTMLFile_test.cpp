#include "output/HTMLFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutputTestSupport.h"
#include "support/CaseFile.h"
#include "text/LineFile.h"

namespace {

// Every page of a document split at level 1, with no contents list.
void SplitAtChapters(FC& policy) {
  policy.splitLevel = 1;
  policy.splitKnown = 1;
  policy.SetGiven(Policy::AddContentsList);
  policy.expectContentsList = 0;
  policy.Normalise();
}

const std::vector<LineSpec> kTwoChapters = {
    {LineType::kText, "Preface text."}, {LineType::NumberedHeading(1), "1 Intro"},
    {LineType::kText, "Intro text."},   {LineType::NumberedHeading(1), "2 Use"},
    {LineType::kText, "Use text."},
};

TEST(HTMLFileTest, BarePageIsTheDocumentedSkeleton) {
  OutputRecord record;
  TempDir dir;
  HTMLFile page;
  EXPECT_EQ(WritePage(record, dir, {}, page), ReadData("skeleton.html"));
  ASSERT_EQ(record.status.size(), 1u);
  EXPECT_EQ(record.status[0], "Generating HTML file " + dir.Dir() + "guide.html");
  EXPECT_TRUE(record.messages.empty());
}

TEST(HTMLFileTest, AttributeValuesAreEscapedAndPlainOnesKept) {
  OutputRecord record;
  FC& policy = record.policy;
  policy.textColour.SetText("\"red\"");
  policy.backgroundImage.SetText("a&b <1>.gif");
  policy.styleSheet.SetText("x.css?v=1&amp;w=2");
  const TextString empty;
  const TextString keywords("say \"hi\"");
  const std::string head = Capture([&](std::FILE* stream) {
    HTMLFile::WriteHTMLHead(stream, TextString("A <b> \"T\""), policy.styleSheet, keywords, empty,
                            empty, empty, policy, false);
  });
  EXPECT_NE(head.find("  <TITLE>A <b> \"T\"</TITLE>\n"), std::string::npos) << head;
  EXPECT_NE(head.find("HREF=\"x.css?v=1&amp;w=2\""), std::string::npos) << head;
  EXPECT_NE(head.find("CONTENT=\"say &quot;hi&quot;\">"), std::string::npos) << head;
  EXPECT_NE(head.find("<BODY TEXT=\"&quot;red&quot;\" BGCOLOR=\"#FFFFFF\" "
                      "BACKGROUND=\"a&amp;b &lt;1&gt;.gif\">\n"),
            std::string::npos)
      << head;
}

TEST(HTMLFileTest, TitleAndPropertySources) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/output/output_cases.txt")) {
    if (r[0] != "title") continue;
    OutputRecord record;
    record.run.title.SetText(r.at(1));
    record.run.firstHeadingTitle.SetText("Heading");
    record.run.firstLineTitle.SetText("Line");
    record.policy.firstHeadingAsTitle = std::stoi(r.at(2));
    record.policy.firstLineAsTitle = std::stoi(r.at(3));
    record.policy.documentTitle.SetText("Policy");
    TextString title, description, keywords, styleSheet;
    HTMLFile::GetPageProperties(record.policy, title, description, keywords, styleSheet);
    EXPECT_EQ(title.View(), r.at(4));
  }

  OutputRecord record;
  record.run.description.SetText("command description");
  record.run.keywords.SetText("command keywords");
  record.run.styleSheet.SetText("command.css");
  record.policy.documentKeywords.SetText("policy keywords");
  TextString title, description, keywords, styleSheet;
  HTMLFile::GetPageProperties(record.policy, title, description, keywords, styleSheet);
  EXPECT_EQ(description.View(), "command description");
  EXPECT_EQ(keywords.View(), "policy keywords");
  EXPECT_EQ(styleSheet.View(), "command.css");
  EXPECT_EQ(title.View(), "");
}

TEST(HTMLFileTest, DirectoryPageWithoutTitle) {
  OutputRecord record;
  const TextString empty;
  const std::string head = Capture([&](std::FILE* stream) {
    HTMLFile::WriteHTMLHead(stream, empty, empty, empty, empty, empty, empty, record.policy, true);
  });
  EXPECT_NE(head.find("\n<TITLE>Directory Index</TITLE>\n"), std::string::npos) << head;
}

TEST(HTMLFileTest, MissingOrUnreadableIncludeFilesLeaveACommentAndAMessage) {
  OutputRecord record;
  TempDir dir;
  std::filesystem::create_directory(dir.Path("folder"));
  record.policy.inputDirectory.SetText(dir.Dir());
  for (const char* name : {"nothing.html", "folder"}) {
    const std::string text = Capture([&](std::FILE* stream) {
      EXPECT_FALSE(HTMLFile::IncludeFile(stream, name, record.policy));
    });
    EXPECT_EQ(text, std::string("\n<!--- Failed to find include file \"") + name + "\" --->\n\n");
  }
  ASSERT_EQ(record.messages.size(), 2u);
  EXPECT_EQ(record.messages[0],
            "ERROR: Failed to find include file \"" + dir.Dir() + "nothing.html\"");
  EXPECT_EQ(record.messages[1],
            "ERROR: Failed to find include file \"" + dir.Dir() + "folder\": it is a directory");

  record.policy.footerFile.SetText("missing.html");
  HTMLFile page;
  const std::string footer = Capture([&](std::FILE* stream) {
    page.WriteHTMLFooter(stream, nullptr, record.policy, record.policy.footerFile, false, true);
  });
  EXPECT_EQ(footer,
            "\n<!--- Failed to find include file \"missing.html\" --->\n\n</BODY>\n</HTML>\n");
}

// The page_policies example shows include files whole.
TEST(HTMLFileTest, IncludeFileKeepsLongLinesDropsCarriageReturnsAndShortensTheName) {
  OutputRecord record;
  TempDir dir;
  const std::string longLine(3000, 'x');
  const std::string path = dir.Write("long.txt", longLine + "\r\nlast");
  record.policy.inputDirectory.SetText("/nowhere/");
  const std::string text = Capture([&](std::FILE* stream) {
    EXPECT_TRUE(HTMLFile::IncludeFile(stream, path.c_str(), record.policy));
  });
  EXPECT_EQ(text, "\n<!--- Start of include file \"long.txt\" --->\n" + longLine +
                      "\nlast\n<!---   End of include file \"long.txt\" --->\n\n");
}

TEST(HTMLFileTest, PlainIndentationLevels) {
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/output/output_cases.txt")) {
    if (r[0] != "indent") continue;
    OutputRecord record;
    record.policy.useParagraphMarkup = std::stoi(r.at(3));
    record.policy.minimiseHtml = std::stoi(r.at(4));
    int level = std::stoi(r.at(1));
    const int to = std::stoi(r.at(2));
    EXPECT_EQ(Capture([&](std::FILE* stream) {
                HTMLFile::SetIndentLevel(stream, to, level, record.policy);
              }),
              r.at(5))
        << r[1] << " to " << r[2];
    EXPECT_EQ(level, to < 0 ? 0 : to);
  }
}

TEST(HTMLFileTest, ListingAndUnopenablePage) {
  OutputRecord record;
  TempDir dir;
  LineFile listing;
  ASSERT_EQ(listing.OpenForWriting(dir.Path("guide.lis").c_str()), 1);
  record.policy.document.listing = &listing;
  record.policy.outputDirectory.SetText(dir.Dir() + "missing/");
  HTMLFile page;
  EXPECT_EQ(page.StartFile("guide", record.policy), 0);
  listing.Close();
  const std::string full = dir.Dir() + "missing/guide.html";
  EXPECT_EQ(ReadAll(dir.Path("guide.lis")), "\n>>> Start of HTML file " + full + " <<<\n\n");
  ASSERT_EQ(record.messages.size(), 1u);
  EXPECT_EQ(record.messages[0], "ERROR: Can't open file \"" + full + "\"");
}

TEST(HTMLFileTest, SplitPagesAreLinkedByTheNavigationBar) {
  OutputRecord record;
  SplitAtChapters(record.policy);
  TempDir dir;
  HTMLFile page;
  const std::string first = WritePage(record, dir, kTwoChapters, page);
  EXPECT_EQ(BodyOf(first),
            "Preface text.\n\n<!--- Start of Navigation Bar --->\n\n<HR>\n<P>\nPrev \n"
            "| <A HREF=\"guide_1.html\">Next</A> \n</P>\n\n<!---   End of Navigation Bar --->\n\n");
  EXPECT_EQ(ReadAll(dir.Path("guide_1.html")), ReadData("split_middle.html"));
  const std::string last = BodyOf(ReadAll(dir.Path("guide_2.html")));
  EXPECT_NE(last.find("<A HREF=\"guide_1.html\">Prev</A> \n| Next \n"), std::string::npos) << last;
  EXPECT_EQ(record.status.size(), 3u);
}

TEST(HTMLFileTest, ChapterTooShortForMinimumPageSizeStaysOnItsPage) {
  OutputRecord record;
  SplitAtChapters(record.policy);
  record.policy.splitLevel = 2;
  record.policy.minHtmlFileSize = 10;
  TempDir dir;
  HTMLFile page;
  WritePage(record, dir,
            {{LineType::NumberedHeading(1), "3. Tools"},
             {LineType::NumberedHeading(2), "3.1. Editors"},
             {LineType::NumberedHeading(1), "4. Files"}},
            page);
  EXPECT_TRUE(std::filesystem::exists(dir.Path("guide_3.html")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("guide_3_1.html")));
  EXPECT_TRUE(std::filesystem::exists(dir.Path("guide_4.html")));
}

TEST(HTMLFileTest, UnnumberedSplitGetsARunningNumberInsteadOfOverwriting) {
  OutputRecord record;
  SplitAtChapters(record.policy);
  record.policy.numberedHeadings = 0;
  TempDir dir;
  HTMLFile page;
  WritePage(record, dir,
            {{LineType::UnderlinedHeading(1), "Introduction"},
             {LineType::kText, "Text."},
             {LineType::UnderlinedHeading(1), "Usage?"}},
            page);
  EXPECT_NE(ReadAll(dir.Path("guide_p2.html")).find("<A NAME=\"Introduction\">"),
            std::string::npos);
  EXPECT_NE(ReadAll(dir.Path("guide_p3.html")).find("<A NAME=\"Usage\">"), std::string::npos);
  EXPECT_NE(ReadAll(dir.Path("guide_p2.html")).find("<A HREF=\"guide_p3.html\">Next</A>"),
            std::string::npos);
}

TEST(HTMLFileTest, FirstSplitWithAContentsListKeepsTheFirstPageInTheHolder) {
  OutputRecord record;
  record.policy.splitLevel = 1;
  record.policy.splitKnown = 1;
  record.policy.expectContentsList = 0;
  record.policy.Normalise();
  ASSERT_EQ(record.policy.addContentsList, 1);
  TempDir dir;
  HTMLFile page;
  ASSERT_TRUE(WriteFile(record, dir,
                        {{LineType::kText, "Preface."},
                         {LineType::NumberedHeading(1), "1 Intro"},
                         {LineType::NumberedHeading(1), "2 Use"}},
                        page));
  ASSERT_NE(page.ContentsHolder(), nullptr);
  EXPECT_EQ(record.policy.document.contentsFile, page.ContentsHolder());
  page.ContentsHolder()->Close();
  const std::string first = ReadAll(dir.Path("guide.html"));
  EXPECT_EQ(BodyOf(first + "</BODY>\n"), "Preface.\n<P>\n");
  // The bar points into the contents list at the next section's entry; the
  // last page has no next section.
  const std::string second = ReadAll(dir.Path("guide_1.html"));
  EXPECT_NE(second.find("<A HREF=\"guide.html\">Prev</A> \n| <A HREF=\"guide_2.html\">Next</A> \n"
                        "| <A HREF=\"guide.html#Section_2\">Contents</A>\n"),
            std::string::npos)
      << second;
  const std::string third = ReadAll(dir.Path("guide_2.html"));
  EXPECT_NE(third.find("<A HREF=\"guide_1.html\">Prev</A> \n| Next \n"
                       "| <A HREF=\"guide.html\">Contents</A>\n"),
            std::string::npos)
      << third;
}

TEST(HTMLFileTest, DosPageNames) {
  OutputRecord record;
  SplitAtChapters(record.policy);
  record.policy.useDosFilenames = 1;
  record.policy.Normalise();
  TempDir dir;
  HTMLFile page;
  record.policy.outputDirectory.SetText(dir.Dir());
  ASSERT_EQ(page.StartFile("handbook", record.policy), 1);
  EXPECT_EQ(record.policy.dosFilenameRoot.View(), "handb");
  LineChain lines({{LineType::NumberedHeading(1), "12 Appendix"}});
  page.WriteLine(lines[0], record.policy);
  page.Close();
  EXPECT_TRUE(std::filesystem::exists(dir.Path("handb.HTM")));
  EXPECT_EQ(record.policy.document.currentPageName.View(), "handb_12");
  EXPECT_EQ(record.policy.document.dosPageCounter, 2);
}

}  // namespace
