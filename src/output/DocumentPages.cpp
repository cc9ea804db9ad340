#include "output/DocumentPages.h"

#include "analysis/LineType.h"
#include "output/AnchorName.h"
#include "output/AttributeText.h"
#include "output/PageNames.h"
#include "policy/FC.h"
#include "text/CharClass.h"

namespace {

// How many running numbers are tried for a page whose name is taken; a
// document has far fewer pages.
constexpr int kPageNameTries = 100000;

bool IsUnnumbered(int lineType) {
  return LineType::IsUnderlinedHeading(lineType) || lineType == LineType::kCapitalisedHeading;
}

// The chapter number of a heading: the part of its text before the first
// ".", when that part holds only digits, ':' and ')', read without its
// leading zeros; -1 when there is none.
int ChapterNumber(std::string_view text) {
  const std::string_view part = text.substr(0, text.find('.'));
  if (part.empty()) return -1;
  long long value = 0;
  bool digits = false;
  for (const char c : part) {
    if (IsDigit(c)) {
      digits = true;
      // Saturate: a huge number is just a chapter no other heading matches.
      if (value < 100000000) value = value * 10 + (c - '0');
    } else if (c != ':' && c != ')') {
      return -1;
    }
  }
  return digits ? static_cast<int>(value) : -1;
}

}  // namespace

bool DocumentPages::StartsPage(int lineType, const TextString& rawText, int processedLines,
                               const FC& policy) {
  const int level =
      lineType == LineType::kCapitalisedHeading ? 2 : LineType::HeadingLevel(lineType);
  if (policy.splitKnown == 0 || level < 1 || level > policy.splitLevel) return false;
  const TextString text = CollapsedHeadingText(rawText.View());
  const int chapter = ChapterNumber(text.View());
  const bool pageTooShort = policy.minHtmlFileSize >= 0 && chapter >= 0 &&
                            chapter == chapterAtLastSplit_ &&
                            processedLines - linesAtPageStart_ < policy.minHtmlFileSize;
  if (pageTooShort || (IsUnnumbered(lineType) && policy.numberedHeadings != 0)) return false;
  chapterAtLastSplit_ = chapter;
  return true;
}

const TextString& DocumentPages::NamePage(const char* headingText, int lineType, int processedLines,
                                          const FC& policy) {
  TextString name, extension;
  GetPageName(headingText, lineType, policy, name, extension);
  if (headingText != nullptr && (IsUnnumbered(lineType) || Used(name.View()))) {
    const TextString& base =
        policy.useDosFilenames != 0 ? policy.dosFilenameRoot : policy.document.pageBaseName;
    // The page's own number in the document, or the next free one.
    int number = static_cast<int>(pages_.size());
    for (int tries = 0; tries < kPageNameTries; ++tries) {
      name = base;
      name.AppendText("_p");
      name.AppendNumber(++number, false);
      if (policy.useDosFilenames != 0) MakeDosPageName(name);
      if (!Used(name.View())) break;
    }
  }
  pages_.emplace_back(name.View());
  current_ = name;
  linesAtPageStart_ = processedLines;
  return current_;
}

bool DocumentPages::Used(std::string_view name) const {
  for (const std::string& page : pages_) {
    if (page == name) return true;
  }
  return false;
}

void DocumentPages::AddSection(const TextString& anchor) {
  sections_.emplace(std::string(anchor.View()), std::string(current_.View()));
  AddAnchor(current_, anchor);
}

void DocumentPages::AddNumberedSection(const TextString& anchor, const SectionComponents& number) {
  AddSection(anchor);
  lastSectionWritten_.assign(number.begin(), number.end());
}

bool DocumentPages::WrittenPageOfSection(std::string_view anchor, TextString& page) const {
  const auto written = sections_.find(anchor);
  if (written == sections_.end()) return false;
  page.SetText(written->second);
  return true;
}

void DocumentPages::AddAnchor(const TextString& page, const TextString& anchor) {
  std::string key(page.View());
  key += '#';
  key += anchor.View();
  anchors_.insert(std::move(key));
}

bool DocumentPages::HasAnchor(std::string_view page, std::string_view anchor) const {
  std::string key(page);
  key += '#';
  key += anchor;
  return anchors_.contains(key);
}

void DocumentPages::Plan(const std::vector<RunContext::ContentsEntry>& headings, const FC& policy) {
  DocumentPages plan = *this;
  for (const RunContext::ContentsEntry& heading : headings) {
    if (plan.StartsPage(heading.lineType, heading.text, heading.processedLines, policy)) {
      plan.NamePage(heading.text.GetText(), heading.lineType, heading.processedLines, policy);
    }
    TextString anchor;
    MakeAnchorName(heading.text, heading.lineType, policy, anchor);
    // Only the sections are kept from the plan: the anchors AddSection
    // would also record are left out.
    plan.sections_.emplace(std::string(anchor.View()), std::string(plan.current_.View()));
  }
  planned_ = std::move(plan.sections_);
  hasPlan_ = true;
}

int DocumentPages::PageOfSection(std::string_view anchor, const FC& policy,
                                 TextString& page) const {
  if (WrittenPageOfSection(anchor, page)) return 1;
  if (hasPlan_) {
    const auto planned = planned_.find(anchor);
    if (planned == planned_.end()) return 0;
    page.SetText(planned->second);
    return 1;
  }
  if (policy.splitKnown != 0 || pages_.empty()) return 0;
  page = current_;
  return 1;
}

int DocumentPages::SectionHref(std::string_view anchor, const FC& policy, TextString& href) const {
  href.Clear();
  TextString page;
  if (PageOfSection(anchor, policy, page) == 0) return 0;
  if (policy.splitKnown != 0) {
    page.AppendText(policy.outputExtension.View());
    AppendLinkName(href, page.GetText());
  }
  href.AppendChar('#');
  AppendLinkName(href, TextString(anchor).GetText());
  return 1;
}
