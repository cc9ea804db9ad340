#include "output/PageNames.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "analysis/LineType.h"
#include "output/AnchorName.h"
#include "policy/FC.h"
#include "text/CharClass.h"
#include "text/TextString.h"
#include "text/Utf8.h"

namespace {

// A DOS name is at most eight characters: three kept from the name and five
// digits of its checksum.
constexpr int kDosNameLength = 8;
constexpr int kDosKeptCharacters = 3;
constexpr int kDosDigits = 5;
// The DOS root of a split document keeps five characters, leaving three for
// the page numbering of an 8.3 name.
constexpr int kDosRootLength = 5;

// The style that says whether a word stands before the number of `lineType`.
const HeadingStyle* StyleOf(int lineType, const FC& policy) {
  if (LineType::IsNumberedHeading(lineType)) {
    return &policy.headingStyles[static_cast<std::size_t>(LineType::HeadingLevel(lineType) - 1)];
  }
  if (LineType::IsContentsLine(lineType)) {
    return &policy.contentsStyles[static_cast<std::size_t>(LineType::HeadingLevel(lineType) - 1)];
  }
  return &policy.headingStyles[1];
}

// The page suffix of a section number: its parts down to the split level,
// joined by "_" ("2.3.1" at split level 2 gives "2_3").
TextString NumberSuffix(const TextString& number, int splitLevel) {
  TextString suffix;
  int separators = 0;
  const int last = number.Length() - 1;
  for (int i = 0; i <= last; ++i) {
    const char c = number.At(i);
    if (IsAlphanumeric(c)) {
      suffix.AppendChar(c);
    } else if (c == '.' || c == '-') {
      ++separators;
      if (splitLevel < separators + 1) break;
      if (i != last) suffix.AppendChar('_');
    }
  }
  return suffix;
}

}  // namespace

void GetPageName(const char* headingText, int lineType, const FC& policy, TextString& name,
                 TextString& extension) {
  extension = policy.outputExtension;
  if (LineType::IsUnderlinedHeading(lineType) || lineType == LineType::kCapitalisedHeading) {
    name = policy.document.currentPageName;
    return;
  }

  const TextString text = CollapsedHeadingText(headingText != nullptr ? headingText : "");
  TextString number;
  if (!text.IsEmpty()) {
    const int word = StyleOf(lineType, policy)->hasPrefix != 0 ? 2 : 1;
    text.GetWord(word, ' ', number);
  }

  name = policy.useDosFilenames != 0 ? policy.dosFilenameRoot : policy.document.pageBaseName;
  if (policy.splitKnown != 0 && !number.IsEmpty()) {
    const TextString suffix = NumberSuffix(number, policy.splitLevel);
    if (!suffix.IsEmpty()) {
      name.AppendChar('_');
      name.AppendText(suffix.View());
    }
  }
  if (policy.useDosFilenames != 0) MakeDosPageName(name);
}

void MakeDosPageName(TextString& name) {
  if (name.Length() <= kDosNameLength) return;

  // The checksum wraps like the 32-bit int it was defined with.
  std::uint32_t sum = 0;
  for (int k = 1; k <= name.Length(); ++k) {
    const auto c = static_cast<std::int32_t>(static_cast<signed char>(name.At(k - 1)));
    const auto term = static_cast<std::uint32_t>(c + k - 66);
    sum += term * term * term;
  }
  const auto signedSum = static_cast<std::int64_t>(static_cast<std::int32_t>(sum));
  const std::int64_t value = signedSum + 10000 * ((1 - signedSum) / 10000);

  char digits[32];
  std::snprintf(digits, sizeof digits, "%5.5lli", static_cast<long long>(value));
  const std::string_view kept = name.View();
  TextString shortName(kept.substr(0, Utf8SafeCut(kept, kDosKeptCharacters)));
  shortName.AppendText(std::string_view(digits).substr(0, kDosDigits));
  name = shortName;
}

void SetPageBase(const char* name, FC& policy) {
  DocumentState& doc = policy.document;
  TextString& directory = policy.outputDirectory;
  if (!directory.IsEmpty() && directory.At(directory.Length() - 1) != '/')
    directory.AppendChar('/');
  const std::string_view given(name != nullptr ? name : "");
  if (directory.IsEmpty()) directory.SetText(DirectoryOf(given));
  std::string_view ownView = given;
  if (!directory.IsEmpty() && ownView.starts_with(directory.View())) {
    ownView.remove_prefix(directory.View().size());
  }
  TextString own(ownView);
  if (policy.useDosFilenames != 0 && policy.dosFilenameRoot.IsEmpty()) {
    if (policy.splitKnown != 0)
      own.Truncate(static_cast<int>(Utf8SafeCut(own.View(), kDosRootLength)));
    policy.dosFilenameRoot = own;
  }
  if (doc.pageBaseName.IsEmpty()) doc.pageBaseName = own;
}

TextString FirstPagePath(const char* name, FC& policy) {
  SetPageBase(name, policy);
  TextString page, extension;
  GetPageName(nullptr, 0, policy, page, extension);
  TextString path = policy.outputDirectory;
  path.AppendText(page.View());
  path.AppendText(extension.View());
  return path;
}

std::string_view DirectoryOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

TextString RelativeLink(std::string_view fromDirectory, std::string_view target) {
  namespace fs = std::filesystem;
  if (DirectoryOf(target) == fromDirectory) return TextString(target.substr(fromDirectory.size()));
  std::error_code error;
  const fs::path base = fs::absolute(fs::path(fromDirectory.empty() ? "." : fromDirectory), error);
  if (error) return TextString(target);
  const fs::path to = fs::absolute(fs::path(target), error);
  if (error) return TextString(target);
  const fs::path relative = to.lexically_normal().lexically_relative(
      fs::path(base.lexically_normal().string() + "/").lexically_normal().parent_path());
  if (relative.empty()) return TextString(to.lexically_normal().string());
  return TextString(relative.string());
}
