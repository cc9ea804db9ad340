#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

// Walks every page (.html, .htm, .HTM) under a folder and returns each link
// that points at no file, or at an anchor its file does not have, as
// "page: HREF". Links with a scheme (http:, mailto: ...) are not followed.
inline std::vector<std::string> BrokenLinks(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  const auto decode = [](const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '%' && i + 2 < text.size()) {
        out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else if (text.compare(i, 6, "&quot;") == 0) {
        out += '"';
        i += 5;
      } else if (text.compare(i, 5, "&amp;") == 0) {
        out += '&';
        i += 4;
      } else {
        out += text[i];
      }
    }
    return out;
  };
  // The values of every ATTRIBUTE="..." in a page.
  const auto values = [](const std::string& page, const std::string& attribute) {
    std::vector<std::string> found;
    const std::string key = attribute + "=\"";
    for (std::size_t at = page.find(key); at != std::string::npos; at = page.find(key, at)) {
      at += key.size();
      found.push_back(page.substr(at, page.find('"', at) - at));
    }
    return found;
  };
  std::map<fs::path, std::string> pages;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".html" && ext != ".htm" && ext != ".HTM") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    pages[fs::weakly_canonical(entry.path())] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::map<fs::path, std::set<std::string>> anchors;
  for (const auto& [path, text] : pages) {
    for (const std::string& name : values(text, "NAME")) anchors[path].insert(decode(name));
  }
  std::vector<std::string> broken;
  for (const auto& [path, text] : pages) {
    for (const std::string& href : values(text, "HREF")) {
      if (href.find(':') != std::string::npos) continue;
      const std::size_t hash = href.find('#');
      const std::string file = decode(href.substr(0, hash));
      const fs::path target = file.empty() ? path : fs::weakly_canonical(path.parent_path() / file);
      const bool fileOk = pages.contains(target);
      const bool anchorOk =
          hash == std::string::npos || anchors[target].contains(decode(href.substr(hash + 1)));
      if (!fileOk || !anchorOk) broken.push_back(path.filename().string() + ": " + href);
    }
  }
  return broken;
}
