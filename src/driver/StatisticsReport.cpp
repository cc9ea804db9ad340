#include "driver/StatisticsReport.h"

#include "analysis/Histogram.h"
#include "driver/GuardedFile.h"
#include "text/TextFile.h"

namespace {

// The levels the report shows: those the policy calculation decides.
constexpr int kReportedLevels = 4;

// Builds one line of the report from texts and numbers, numbers written
// with or without the blank that follows them.
class ReportLine {
 public:
  explicit ReportLine(const char* text) : line_(text) {}
  ReportLine& Text(const char* text) {
    line_.AppendText(text);
    return *this;
  }
  ReportLine& Number(int value) { return AppendNumber(value, false); }
  ReportLine& NumberAndBlank(int value) { return AppendNumber(value, true); }
  ReportLine& Char(char c) {
    line_.AppendChar(c);
    return *this;
  }
  void WriteTo(TextFile& file) const { file.WriteText(line_); }

 private:
  ReportLine& AppendNumber(int value, bool blank) {
    line_.AppendNumber(value, blank);
    return *this;
  }

  TextString line_;
};

void Write(TextFile& file, const char* text) {
  file.WriteText(text);
}

// An empty line, the title and its underline.
void Title(TextFile& file, const char* title, const char* underline) {
  Write(file, "");
  Write(file, title);
  Write(file, underline);
}

void WriteRange(const Histogram& histogram, TextFile& file) {
  ReportLine("")
      .NumberAndBlank(histogram.Total())
      .Text(" values in range ")
      .NumberAndBlank(histogram.Smallest())
      .Text(" to ")
      .NumberAndBlank(histogram.Largest())
      .WriteTo(file);
}

// Bullet characters are listed by frequency; the statistics keep their own
// order for the calculation.
void WriteBulletChars(const Histogram& bulletChars, TextFile& file) {
  Histogram byFrequency = bulletChars;
  byFrequency.SortByFrequency();
  WriteRange(byFrequency, file);
  int rank = 0;
  for (const Histogram::Entry& entry : byFrequency.Entries()) {
    ReportLine("Rank ")
        .NumberAndBlank(++rank)
        .Text(" Value = ")
        .Char(static_cast<char>(entry.value))
        .Text(" Frequency = ")
        .NumberAndBlank(entry.frequency)
        .WriteTo(file);
  }
}

void WriteSeparatorUse(TextFile& file, const char* label, int definitions, int uses) {
  ReportLine(label).NumberAndBlank(definitions).Text("/").NumberAndBlank(uses).WriteTo(file);
}

void WriteGeneral(const DocumentStatistics& s, TextFile& file) {
  const struct {
    const char* label;
    int value;
  } counts[] = {
      {"Num blank lines         : ", s.blankLines},
      {"Num numbered Headings   : ", s.numberedHeadings},
      {"Num underlined Headings : ", s.underlinedHeadings},
      {"Num capitalised Headings : ", s.capitalisedHeadings},
      {"Num alphabetics chars after Headings : ", s.alphabeticsAfterHeadings},
      {"Bullets of type \"-\"     : ", s.dashBullets},
      {"Bullets of type \"o\"     : ", s.circleBullets},
      {"Bullets of type (n)     : ", s.numberedBullets},
      {"Bullets of type (a)     : ", s.alphabeticBullets},
      {"Bullets of type (i)     : ", s.romanBullets},
  };
  for (const auto& count : counts)
    ReportLine(count.label).NumberAndBlank(count.value).WriteTo(file);
  WriteSeparatorUse(file, "Use of \"-\" in defn/text : ", s.dashDefinitions, s.dashUses);
  WriteSeparatorUse(file, "Use of \":\" in defn/text : ", s.colonDefinitions, s.colonUses);
}

}  // namespace

int WriteStatisticsFile(const TextString& name, const DocumentStatistics& statistics,
                        WriteGuard* guard, const FC& policy) {
  if (name.IsEmpty()) return 0;
  GuardedFile<TextFile> file(guard, policy);
  if (!file.OpenForWriting(name.GetText())) return 0;
  WriteStatistics(statistics, file);
  file.Close();
  return 1;
}

void WriteStatistics(const DocumentStatistics& statistics, TextFile& file) {
  Title(file, "Indents", "-------");
  PrintHistogram(statistics.indents, file);
  Title(file, "Headers", "=======");
  WriteHeadingStatistics(statistics.headingLevels, file);
  Title(file, "Underlined Headers", "==================");
  WriteHeadingStatistics(statistics.underlinedLevels, file);
  Title(file, "Contents", "========");
  WriteHeadingStatistics(statistics.contentsLevels, file);
  Title(file, "Pre Header character", "--------------------");
  PrintCharacterHistogram(statistics.preHeaderChars, file);
  Title(file, "Post Header character", "---------------------");
  PrintCharacterHistogram(statistics.postHeaderChars, file);

  Title(file, "Num Sections", "------------");
  ReportLine sections("Num level 0 sections : ");
  for (int count : statistics.levelZeroSections) sections.NumberAndBlank(count);
  sections.WriteTo(file);

  Title(file, "Para Indent", "-----------");
  PrintHistogram(statistics.paragraphIndents, file);
  Title(file, "Hanging Para", "------------");
  ReportLine("Hanging Para : ").Number(statistics.hangingParagraphs).WriteTo(file);
  Title(file, "Hanging para indents", "--------------------");
  PrintHistogram(statistics.hangingIndents, file);
  Title(file, "Code lines", "----------");
  ReportLine("\"C\" Code lines : ").Number(statistics.codeLines).WriteTo(file);
  Title(file, "Bullet Chars", "------------");
  WriteBulletChars(statistics.bulletChars, file);
  Title(file, "General", "-------");
  WriteGeneral(statistics, file);
}

void WriteHeadingStatistics(
    const std::array<DocumentStatistics::LevelCounts, DocumentStatistics::kLevels>& levels,
    TextFile& file) {
  // The analysis counts no underlined, hanging or typed headings within a
  // level; the report keeps their places, empty, so its layout stays that
  // of every earlier report.
  const Histogram notCounted;
  for (int level = 1; level <= kReportedLevels; ++level) {
    const DocumentStatistics::LevelCounts& counts = levels[static_cast<std::size_t>(level - 1)];
    if (counts.indents.Total() == 0) {
      Write(file, "");
      ReportLine("No headers found at level ").NumberAndBlank(level).WriteTo(file);
      continue;
    }
    Write(file, "");
    ReportLine("Header Indents ").NumberAndBlank(level).WriteTo(file);
    Write(file, "----------------");
    PrintHistogram(counts.indents, file);
    Write(file, "");
    Write(file, "Underlined heads");
    PrintHistogram(notCounted, file);
    Write(file, "");
    Write(file, "Hanging heads");
    PrintHistogram(notCounted, file);
    Write(file, "");
    if (counts.secondWordCount > 0) {
      ReportLine("Num Second Word at level ")
          .NumberAndBlank(level)
          .Text(" = ")
          .NumberAndBlank(counts.secondWordCount)
          .WriteTo(file);
      PrintCharacterHistogram(counts.secondWordFirstChars, file);
    } else {
      ReportLine("Num Second Word at level ").NumberAndBlank(level).Text(" = 0").WriteTo(file);
    }
    Write(file, "");
    if (counts.continuationCount > 0) {
      ReportLine("Num Numbered Paras at level ")
          .NumberAndBlank(level)
          .Text(" = ")
          .NumberAndBlank(counts.continuationCount)
          .WriteTo(file);
    }
    Write(file, "");
    ReportLine("Header Types ").NumberAndBlank(level).WriteTo(file);
    PrintHistogram(notCounted, file);
  }
}

void PrintHistogram(const Histogram& histogram, TextFile& file) {
  WriteRange(histogram, file);
  int rank = 0;
  for (const Histogram::Entry& entry : histogram.Entries()) {
    ReportLine("Rank ")
        .Number(++rank)
        .Text(" Value = ")
        .Number(entry.value)
        .Text(" Frequency = ")
        .Number(entry.frequency)
        .WriteTo(file);
  }
}

void PrintCharacterHistogram(const Histogram& histogram, TextFile& file) {
  WriteRange(histogram, file);
  int rank = 0;
  for (const Histogram::Entry& entry : histogram.Entries()) {
    ReportLine line("Rank ");
    line.Number(++rank).Text(" \"");
    if (entry.label.IsEmpty()) {
      line.Char(static_cast<char>(entry.value));
    } else {
      line.Text(entry.label.GetText());
    }
    line.Text(" \"").Text(" Frequency = ").Number(entry.frequency).WriteTo(file);
  }
}
