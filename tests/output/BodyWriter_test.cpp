#include "output/BodyWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OutputTestSupport.h"
#include "output/HeadingEntries.h"
#include "text/LineFile.h"

namespace {

using LineType::kBlank;
using LineType::kText;

constexpr std::uint32_t kPre = LineFlag::kPreformatted;
constexpr std::uint32_t kShort = LineFlag::kShortLine;
constexpr std::uint32_t kCentred = LineFlag::kCentred;

struct BodyCase {
  const char* name;
  std::function<void(FC&)> setup;
  std::vector<LineSpec> lines;
  std::string expected;
};

void NoChange(FC&) {}

// Automatic blocks written as they were collected, without analysis.
void NoTables(FC& policy) {
  policy.attemptTables = 0;
}

void IndentsAt0And4(FC& policy) {
  policy.indentCount = 2;
  policy.indentPositions = {0, 4, -1, -1, -1, -1};
}

void RunCases(const std::vector<BodyCase>& cases) {
  for (const BodyCase& c : cases) {
    OutputRecord record;
    c.setup(record.policy);
    EXPECT_EQ(WriteBody(record, c.lines), c.expected) << c.name;
  }
}

TEST(BodyWriterTest, ParagraphsBlankLinesAndRules) {
  RunCases({
      {"paragraph marks",
       NoChange,
       {{kText, "First line."},
        {kText, "Second line."},
        {kBlank, ""},
        {kBlank, ""},
        {kText, "Next para."}},
       "First line.\nSecond line.\n<P>\n<BR>\nNext para.\n"},
      {"ignore multiple blank lines",
       [](FC& p) { p.ignoreMultipleBlankLines = 1; },
       {{kText, "a"}, {kBlank, ""}, {kBlank, ""}, {kText, "b"}},
       "a\n<P>\nb\n"},
      {"without P markup",
       [](FC& p) { p.useParagraphMarkup = 0; },
       {{kText, "a"}, {kBlank, ""}, {LineType::kNewParagraph, "b"}},
       "a\n<BR>\n<BR>\nb\n"},
      {"new paragraph", NoChange, {{kText, "a"}, {LineType::kNewParagraph, "b"}}, "a\n<P>\nb\n"},
      {"rule and form feed close the nesting",
       IndentsAt0And4,
       {{kText, "Indented.", 4}, {LineType::kRule, "-----"}, {LineType::kFormFeed, "\f"}},
       "<BLOCKQUOTE>\n  Indented.\n</BLOCKQUOTE>\n<HR>\n<HR>\n"},
      {"end of file writes nothing of its own",
       NoChange,
       {{kText, "a"}, {kBlank, ""}, {LineType::kEndOfFile, ""}},
       "a\n<P>\n"},
      {"blank lines above the first text write nothing",
       NoChange,
       {{kBlank, ""}, {kBlank, ""}, {LineType::kEndOfFile, ""}},
       ""},
      {"a page starts as after a blank line",
       NoChange,
       {{LineType::kQuoted, "q"}, {kText, "a"}, {kBlank, ""}, {kBlank, ""}},
       "<EM>\nq<BR>\n</EM>\na\n<P>\n<BR>\n"},
      {"lines not to be output are skipped",
       NoChange,
       {{kText, "a"}, {kBlank, "", 0, 0, false}, {kBlank, ""}},
       "a\n<P>\n"},
      {"null lines",
       NoChange,
       {{kText, "a"}, {LineType::kAppended, "b"}, {LineType::kHeadingPart, "==="}},
       "a\n"},
      {"URL break", NoChange, {{kText, "see it", 0, LineFlag::kUrlBreak}}, "see it<BR>\n"},
      {"other types are indented text",
       IndentsAt0And4,
       {{LineType::kNumberedParagraph, "a", 4},
        {LineType::kSeparator, "b", 4},
        {LineType::kUnclassified, "c"}},
       "<BLOCKQUOTE>\n  a\n  b\n</BLOCKQUOTE>\nc\n"},
  });
}

TEST(BodyWriterTest, ShortLinesGetABreak) {
  RunCases({
      {"short line before text",
       NoChange,
       {{kText, "Short", 0, kShort},
        {kText, "Next", 0, kShort},
        {kBlank, ""},
        {kText, "x", 0, kShort},
        {LineType::kRule, "---"}},
       "Short<BR>\nNext\n<P>\nx\n<HR>\n"},
      {"not before a user-specified line",
       NoChange,
       {{kText, "a", 0, kShort}, {kText, "b", 0, LineFlag::kUserPre | kPre}},
       "a\n<!-- User-specified pre-formatted text -->\n<PRE>\nb\n</PRE>\n"
       "<!-- end of user-specified pre-formatted text -->\n"},
      {"not when the text breaks already",
       NoChange,
       {{kText, "a<BR>", 0, kShort}, {kText, "b"}},
       "a<BR>\nb\n"},
      {"the last line", NoChange, {{kText, "end", 0, kShort}}, "end<BR>\n"},
  });
}

TEST(BodyWriterTest, Lists) {
  RunCases({
      {"bullets",
       NoChange,
       {{LineType::kBulletChar, "- one"},
        {LineType::kBulletContinuation, "continued"},
        {LineType::kBulletChar, "- two"},
        {LineType::kBulletBlank, ""},
        {kText, "After."}},
       "<UL>\n  <LI> one\n  continued\n  <LI> two\n  <P>\n</UL>\nAfter.\n"},
      {"a gap in the numbers starts a new list",
       NoChange,
       {{LineType::kNumberedBullet, "1. one"},
        {LineType::kNumberedBullet, "2. two"},
        {LineType::kNumberedBullet, "4. four"}},
       "<OL type=1 start=1 >\n  <LI> one\n  <LI> two\n</OL>\n<OL type=1 start=4 >\n"
       "  <LI> four\n</OL>\n"},
      {"each kind has its letter",
       NoChange,
       {{LineType::kLowerAlphaBullet, "(a) apple"},
        {LineType::kLowerAlphaBullet, "(b) banana"},
        {LineType::kNumberedBullet, "1. one"},
        {LineType::kLowerRomanBullet, "iv) four"},
        {LineType::kUpperAlphaBullet, "B) bee"},
        {LineType::kUpperRomanBullet, "II) two"}},
       "<OL type=a start=1 >\n  <LI> apple\n  <LI> banana\n</OL>\n<OL type=1 start=1 >\n"
       "  <LI> one\n</OL>\n<OL type=i start=4 >\n  <LI> four\n</OL>\n<OL type=A start=2 >\n"
       "  <LI> bee\n</OL>\n<OL type=I start=2 >\n  <LI> two\n</OL>\n"},
      {"a list nests by indent",
       IndentsAt0And4,
       {{LineType::kBulletChar, "- outer"},
        {LineType::kBulletChar, "- inner", 4},
        {LineType::kBulletChar, "- back"}},
       "<UL>\n  <LI> outer\n  <UL>\n    <LI> inner\n  </UL>\n  <LI> back\n</UL>\n"},
      {"minimised",
       [](FC& p) { p.minimiseHtml = 1; },
       {{LineType::kBulletChar, "- a"}, {LineType::kBulletContinuation, "b"}},
       "<UL>\n<LI> a\nb\n</UL>\n"},
  });
}

TEST(BodyWriterTest, DefinitionsAndHangingParagraphs) {
  RunCases({
      {"definition list",
       NoChange,
       {{LineType::kDefinition, "term - the meaning"},
        {LineType::kDefinitionContinuation, "more meaning"},
        {kText, "After."}},
       "<DL>\n  <DT>term</DT><DD>the meaning\n  more meaning</DD>\n</DL>\nAfter.\n"},
      {"spaced dash wins over the other separators",
       NoChange,
       {{LineType::kDefinition, "a: b = c - d"},
        {LineType::kDefinitionContinuation, "e"},
        {kBlank, ""}},
       "<DL>\n  <DT>a: b = c</DT><DD>d\n  e</DD>\n  <P>\n</DL>\n"},
      {"equals, then colon",
       NoChange,
       {{LineType::kDefinition, "key = value"},
        {LineType::kDefinitionContinuation, "x"},
        {LineType::kDefinition, "name: text"},
        {LineType::kDefinitionContinuation, "y"},
        {kText, "z"}},
       "<DL>\n  <DT>key </DT><DD>value\n  x</DD>\n  <DT>name</DT><DD>text\n  y</DD>\n</DL>\n"
       "z\n"},
      {"single-line definition highlighted",
       [](FC& p) { p.highlightDefinitions = 1; },
       {{kText, "Intro."}, {LineType::kDefinition, "Colour: red-ish"}},
       "Intro.\n<BR>\n<B>Colour</B>: red-ish<BR>\n"},
      {"highlight skips marks inside tags",
       [](FC& p) { p.highlightDefinitions = 1; },
       {{LineType::kDefinition, "<A HREF=\"http://x-y\">Site</A>: see"}},
       "<B><A HREF=\"http://x-y\">Site</A></B>: see<BR>\n"},
      {"without DL markup",
       [](FC& p) { p.useDefinitionLists = 0; },
       {{LineType::kDefinition, "term - text"}, {LineType::kDefinitionContinuation, "more"}},
       "term - text<BR>\nmore\n"},
      {"hanging paragraph",
       NoChange,
       {{LineType::kHangingParagraph, "term   the text goes"},
        {LineType::kHangingContinuation, "on here"},
        {kText, "After."}},
       "<DL>\n  <DT>term</DT><DD>   the text goes\n  on here</DD>\n</DL>\nAfter.\n"},
      {"hanging paragraph highlighted",
       [](FC& p) { p.highlightDefinitions = 1; },
       {{LineType::kHangingParagraph, "term text"}},
       "<DL>\n  <DT><B>term</B></DT><DD> text\n</DL>\n"},
      {"hanging paragraph highlighted without DL",
       [](FC& p) {
         p.highlightDefinitions = 1;
         p.useDefinitionLists = 0;
       },
       {{LineType::kHangingParagraph, "term text"}},
       "<B>term</B> text\n"},
  });
}

TEST(BodyWriterTest, QuotedRunsAndCentring) {
  RunCases({
      {"quoted run",
       NoChange,
       {{kText, "He wrote:"},
        {LineType::kQuoted, "> hello"},
        {LineType::kQuoted, "> there"},
        {kText, "Reply."}},
       "He wrote:\n<BR><EM>\n> hello<BR>\n> there<BR>\n</EM>\nReply.\n"},
      {"quoted run after a blank line",
       NoChange,
       {{kText, "a"}, {kBlank, ""}, {LineType::kQuoted, "> hi"}},
       "a\n<P>\n<EM>\n> hi<BR>\n"},
      {"centred title",
       [](FC& p) { p.allowCentring = 1; },
       {{kText, "Title", 0, kCentred},
        {kText, "Sub", 0, kCentred},
        {kBlank, ""},
        {kText, "Body text."}},
       "<CENTER>\nTitle\nSub\n<P>\n</CENTER>\nBody text.\n"},
      {"centring needs a blank or centred next line",
       [](FC& p) { p.allowCentring = 1; },
       {{kText, "Title", 0, kCentred}, {kText, "text"}},
       "Title\ntext\n"},
      {"a block closes the centring",
       [](FC& p) {
         p.allowCentring = 1;
         p.attemptTables = 0;
       },
       {{kText, "Title", 0, kCentred}, {kBlank, ""}, {kText, "code", 0, kPre}},
       "<CENTER>\nTitle\n<P>\n</CENTER>\n<!-- Automatically detected pre-formatted text -->\n"
       "<PRE>\ncode\n</PRE>\n<!-- end of automatically detected pre-formatted text -->\n"},
      {"centring off", NoChange, {{kText, "Title", 0, kCentred}, {kBlank, ""}}, "Title\n<P>\n"},
  });
}

TEST(BodyWriterTest, Headings) {
  RunCases({
      {"kinds, anchors and tag levels",
       NoChange,
       {{kText, "Text."},
        {kText, "More."},
        {LineType::NumberedHeading(1), "1 Intro"},
        {LineType::UnderlinedHeading(1), "Getting Started?"},
        {LineType::kHeadingPart, "================"},
        {LineType::kCapitalisedHeading, "OVERVIEW"},
        {LineType::NumberedHeading(4), "1.1.1.1 Deep"}},
       "Text.\nMore.\n<BR>\n<A NAME=\"Section_1\">\n<H2>1 Intro</H2></A>\n"
       "<A NAME=\"Getting_Started\">\n<H2>Getting Started?</H2></A>\n"
       "<A NAME=\"OVERVIEW\">\n<H2>OVERVIEW</H2></A>\n"
       "<A NAME=\"Section_1.1.1.1\">\n<H3>1.1.1.1 Deep</H3></A>\n"},
      {"colour and tag limits",
       [](FC& p) {
         p.headingsColour.SetText("red");
         p.smallestHeading = 6;
         p.largestHeading = 1;
       },
       {{LineType::NumberedHeading(1), "1 A"}, {LineType::NumberedHeading(4), "1.1.1.1 B"}},
       "<A NAME=\"Section_1\">\n<FONT COLOR=\"red\"><H1>1 A</FONT></H1></A>\n"
       "<A NAME=\"Section_1.1.1.1\">\n<FONT COLOR=\"red\"><H3>1.1.1.1 B</FONT></H3></A>\n"},
      {"no break before a heading near the top",
       NoChange,
       {{kText, "Text."}, {LineType::NumberedHeading(1), "1 Intro"}},
       "Text.\n<A NAME=\"Section_1\">\n<H2>1 Intro</H2></A>\n"},
      {"heading closes the nesting",
       IndentsAt0And4,
       {{kText, "quoted", 4}, {LineType::UnderlinedHeading(2), "Odd \"name\" here"}},
       "<BLOCKQUOTE>\n  quoted\n</BLOCKQUOTE>\n<A NAME=\"Odd_name_here\">\n"
       "<H2>Odd \"name\" here</H2></A>\n"},
      {"anchor names are encoded",
       NoChange,
       {{LineType::UnderlinedHeading(1), "R&D #1 <fast>"}},
       "<A NAME=\"R&amp;D_%231_&lt;fast&gt;\">\n<H2>R&D #1 <fast></H2></A>\n"},
      {"numbered paragraph level",
       [](FC& p) {
         IndentsAt0And4(p);
         p.headingStyles[1].numberedParagraph = 1;
       },
       {{LineType::NumberedHeading(2), "1.1 The first point"}, {kText, "continued", 4}},
       "<BLOCKQUOTE>\n<A NAME=\"Section_1.1\"> </A>\n<P>\n  <B>1.1</B> The first point\n"
       "  continued\n</BLOCKQUOTE>\n"},
  });
}

TEST(BodyWriterTest, DocumentContentsListStaysInThePage) {
  RunCases({
      {"levels become indentation",
       NoChange,
       {{kText, "Text"},
        {LineType::ContentsLine(1), "1 Intro"},
        {LineType::ContentsLine(2), "1.1 Scope"},
        {LineType::ContentsLine(1), "2 Use"}},
       "Text\n<BR>\n<BLOCKQUOTE>\n  <P>\n1 Intro\n  <BLOCKQUOTE>\n    <P>\n1.1 Scope\n"
       "  </BLOCKQUOTE>\n  <P>\n2 Use\n</BLOCKQUOTE>\n"},
      {"a generated list replaces it",
       [](FC& p) {
         p.addContentsList = 1;
         p.expectContentsList = 0;
       },
       {{kText, "Text"}, {LineType::ContentsLine(1), "1 Intro"}},
       "Text\n"},
  });
}

TEST(BodyWriterTest, HtmlLinesAndLinks) {
  const std::string longText(100, 'w');
  RunCases({
      {"HTML line closes the nesting and is written whole",
       IndentsAt0And4,
       {{kText, "Text", 4},
        {kText, "<TABLE><TR><TD>" + longText + "</TD></TR></TABLE>", 0, LineFlag::kUserHtml}},
       "<BLOCKQUOTE>\n  Text\n</BLOCKQUOTE>\n<TABLE><TR><TD>" + longText + "</TD></TR></TABLE>\n"},
      {"a line with a link is never cut",
       NoChange,
       {{kText,
         "see <A HREF=\"http://example.com/\">example</A> and then a long tail of words "
         "that would otherwise be cut"}},
       "see <A HREF=\"http://example.com/\">example</A> and then a long tail of words that "
       "would otherwise be cut\n"},
      {"other long lines are cut at a blank",
       NoChange,
       {{kText,
         "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi "
         "omicron pi rho"}},
       "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron \n"
       "pi rho\n"},
  });
}

TEST(BodyWriterTest, PreformattedBlocks) {
  RunCases({
      {"a blank line ends the block and writes nothing",
       NoTables,
       {{kText, "Text."},
        {kText, "code();", 2, kPre},
        {kText, "more();", 2, kPre},
        {kBlank, ""},
        {kText, "After."}},
       "Text.\n<!-- Automatically detected pre-formatted text -->\n<PRE>\n  code();\n"
       "  more();\n</PRE>\n<!-- end of automatically detected pre-formatted text -->\n"
       "After.\n"},
      {"two lines are not enough for a minimum of 2",
       [](FC& p) { p.minPreSize = 2; },
       {{kText, "a();", 0, kPre}, {kText, "b();", 0, kPre}, {kBlank, ""}},
       "a();\nb();\n<P>\n"},
      {"three lines are",
       [](FC& p) {
         p.minPreSize = 2;
         p.attemptTables = 0;
       },
       {{kText, "a();", 0, kPre}, {kText, "b();", 0, kPre}, {kText, "c();", 0, kPre}, {kBlank, ""}},
       "<!-- Automatically detected pre-formatted text -->\n<PRE>\na();\nb();\nc();\n</PRE>\n"
       "<!-- end of automatically detected pre-formatted text -->\n"},
      {"user code sample",
       NoChange,
       {{kText, "int x; // count", 0, LineFlag::kUserCode | kPre},
        {kText, "x++;", 0, LineFlag::kUserCode | kPre},
        {kText, "After."}},
       "<!-- User-specified CODE sample -->\n<PRE>\nint x; //<B><EM> count</EM></B>\nx++;\n"
       "</PRE>\n<!-- end of user-specified CODE sample -->\nAfter.\n"},
      {"a user region right after another is a block of its own",
       NoChange,
       {{kText, "a", 0, LineFlag::kUserPre | kPre | LineFlag::kUserRegionStart},
        {kText, "b", 0, LineFlag::kUserPre | kPre | LineFlag::kUserRegionStart},
        {kText, "c", 0, kPre}},
       "<!-- User-specified pre-formatted text -->\n<PRE>\na\n</PRE>\n"
       "<!-- end of user-specified pre-formatted text -->\n"
       "<!-- User-specified pre-formatted text -->\n<PRE>\nb\n</PRE>\n"
       "<!-- end of user-specified pre-formatted text -->\n"
       "<!-- Outputting formatted text as \"NORMAL\" -->\nc<BR>\n"
       "<!-- end of formatted text output as \"NORMAL\" -->\n"},
      {"user diagram, closed by the page end",
       NoChange,
       {{kText, "+--+", 0, LineFlag::kUserDiagram | kPre}},
       "<!-- User-specified DIAGRAM -->\n<PRE>\n+--+\n</PRE>\n"
       "<!-- end of user-specified DIAGRAM -->\n"},
      {"an HTML line ends a block",
       NoTables,
       {{kText, "x", 0, kPre}, {kText, "<HR>", 0, LineFlag::kUserHtml}},
       "<!-- Automatically detected pre-formatted text -->\n<PRE>\nx\n</PRE>\n"
       "<!-- end of automatically detected pre-formatted text -->\n<HR>\n"},
      {"a quoted line after a quoted block line reopens the run",
       NoChange,
       {{LineType::kQuoted, "> a", 0, kPre}, {LineType::kQuoted, "> b"}},
       "<!-- Outputting formatted text as \"NORMAL\" -->\n> a<BR>\n"
       "<!-- end of formatted text output as \"NORMAL\" -->\n<BR><EM>\n> b<BR>\n"},
  });
}

TEST(BodyWriterTest, UserBlockTakesItsTableConfiguration) {
  OutputRecord record;
  record.policy.CreateNewTabConfig();
  record.policy.CreateNewTabConfig();
  WriteBody(record, {{kText, "x", 0, LineFlag::kUserTable | kPre}, {kText, "After."}});
  EXPECT_EQ(record.policy.TableConfigCount(), 1);
}

TEST(BodyWriterTest, ContentsPassKeepsOnlyTheBlockBookkeeping) {
  OutputRecord record;
  record.policy.outputPass = 0;
  record.policy.contentsPass = 1;
  record.policy.CreateNewTabConfig();
  HTMLFile unopened;
  LineChain lines({{kText, "a", 0, LineFlag::kUserPre | kPre},
                   {kText, "b", 0, LineFlag::kUserPre | kPre},
                   {kText, "c"}});
  std::vector<int> open;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    unopened.WriteLine(lines[i], record.policy);
    open.push_back(record.policy.document.preOpen);
  }
  EXPECT_EQ(open, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(record.policy.TableConfigCount(), 0);
  EXPECT_TRUE(record.messages.empty());
}

// Records what the writer asks of the contents list and the Directory page.
class FakeEntries : public HeadingEntries {
 public:
  int MakeContentsLine(const FC&, int lineType, const TextString& headingText,
                       TextString& entry) override {
    entry.SetText("[entry " + std::to_string(lineType) + ": " + std::string(headingText.View()) +
                  "]");
    return 1;
  }
  int WriteDirectoryHeading(FC&, const SourceLine& heading, int level) override {
    directory.push_back(std::string(heading.rawText.View()) + " at " + std::to_string(level));
    return 1;
  }
  std::vector<std::string> directory;
};

TEST(BodyWriterTest, ContentsLinesBecomeTheirEntries) {
  OutputRecord record;
  FakeEntries entries;
  TempDir dir;
  HTMLFile page;
  page.SetHeadingEntries(&entries);
  const std::string body = BodyOf(WritePage(
      record, dir, {{LineType::ContentsLine(1), "1   Intro"}, {LineType::kAppended, "and more"}},
      page));
  EXPECT_EQ(body, "<BLOCKQUOTE>\n  <P>\n[entry 151: 1 Intro and more]\n</BLOCKQUOTE>\n");
}

TEST(BodyWriterTest, HeadingsFeedTheContentsHolderAndTheDirectoryPage) {
  OutputRecord record;
  record.policy.splitLevel = 1;
  record.policy.splitKnown = 1;
  record.policy.expectContentsList = 0;
  record.policy.makeDirectory = 1;
  record.policy.headingStyles[2].numberedParagraph = 1;
  record.policy.Normalise(false);
  LineFile directoryPage;
  record.run.directoryPage = &directoryPage;
  FakeEntries entries;
  TempDir dir;
  HTMLFile page;
  page.SetHeadingEntries(&entries);
  ASSERT_TRUE(WriteFile(record, dir,
                        {{LineType::NumberedHeading(1), "1 Intro"},
                         {LineType::NumberedHeading(2), "1.1 Scope"},
                         {LineType::NumberedHeading(3), "1.1.1 A point"}},
                        page));
  ASSERT_NE(page.ContentsHolder(), nullptr);
  page.ContentsHolder()->Close();
  EXPECT_TRUE(page.ContentsEntryWritten());
  EXPECT_EQ(BodyOf(ReadAll(dir.Path("guide.html")) + "</BODY>\n"),
            "<P>\n<A NAME=\"Section_1\"> </A>\n[entry 101: 1 Intro]\n"
            "<A NAME=\"Section_1.1\"> </A>\n<P>\n<BLOCKQUOTE>\n[entry 102: 1.1 Scope]\n");
  EXPECT_EQ(entries.directory, (std::vector<std::string>{"1 Intro at 1", "1.1 Scope at 2"}));
}

}  // namespace
