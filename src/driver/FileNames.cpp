#include "driver/FileNames.h"

#include <string>
#include <string_view>

void SplitFileName(const TextString& full, TextString& dir, TextString& root, TextString& ext) {
  const std::string_view text = full.View();
  const std::size_t slash = text.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view name = text.substr(nameStart);
  std::size_t dot = name.rfind('.');
  if (dot == 0) dot = std::string_view::npos;
  dir.SetText(text.substr(0, nameStart));
  root.SetText(name.substr(0, dot));
  ext.SetText(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
}

TextString OutputBaseName(const TextString& file, const TextString& root) {
  if (file.IsEqual(TextString("in.asc"), false)) return TextString("out");
  return root;
}

DiagnosticsNames MakeDiagnosticsNames(const TextString& root, const ConsoleSwitches& switches) {
  DiagnosticsNames names;
  if (!switches.debug) return names;
  const std::string base(root.View());
  names.listing.SetText(base + ".lis");
  names.analysisListing.SetText(base + (switches.dos ? ".ls1" : ".lis1"));
  names.statistics.SetText(base + (switches.dos ? ".sts" : ".stats"));
  return names;
}
