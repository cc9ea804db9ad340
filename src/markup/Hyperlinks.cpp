#include "markup/Hyperlinks.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "policy/FC.h"
#include "text/CharClass.h"
#include "text/TextString.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool In(std::string_view set, char c) {
  return set.find(c) != kNone;
}

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::size_t FindNoCase(std::string_view text, std::string_view pattern) {
  if (pattern.size() > text.size()) return kNone;
  if (pattern.empty()) return 0;
  // A pattern ending in a byte that has no case ("www.", "http://") is
  // found from that byte, which few words hold: a search for one byte
  // rather than a look at every position.
  const char last = pattern.back();
  if (!IsLetter(last)) {
    for (std::size_t at = text.find(last, pattern.size() - 1); at != kNone;
         at = text.find(last, at + 1)) {
      const std::size_t i = at + 1 - pattern.size();
      if (EqualNoCase(text.substr(i, pattern.size()), pattern)) return i;
    }
    return kNone;
  }
  // The first character rules out nearly every position at once.
  const char first = ToLower(pattern.front());
  for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
    if (ToLower(text[i]) != first) continue;
    if (EqualNoCase(text.substr(i, pattern.size()), pattern)) return i;
  }
  return kNone;
}

bool Contains(std::string_view text, std::string_view pattern) {
  return FindNoCase(text, pattern) != kNone;
}

// `c` occurs somewhere other than as the last character.
bool OccursBeforeEnd(std::string_view text, char c) {
  const std::size_t at = text.find(c);
  return at != kNone && at + 1 < text.size();
}

// `word` with the first occurrence of `address` wrapped in an anchor to
// `target`.
void Wrap(std::string_view word, std::string_view address, std::string_view target,
          TextString& replacement) {
  const std::size_t at = word.find(address);
  if (at == kNone) {
    replacement.SetText(word);
    return;
  }
  // Built once, in a store of the final size.
  constexpr std::string_view kOpen = "<A HREF=\"";
  constexpr std::string_view kMiddle = "\">";
  constexpr std::string_view kClose = "</A>";
  std::string out;
  out.reserve(word.size() + kOpen.size() + target.size() + kMiddle.size() + kClose.size());
  out.append(word.substr(0, at));
  out.append(kOpen);
  out.append(target);
  out.append(kMiddle);
  out.append(address);
  out.append(kClose);
  out.append(word.substr(at + address.size()));
  replacement.SetText(std::string_view(out));
}

// "a.b.com", "a.b.co.uk": a host name that needs no "www." to be taken for
// one.
bool IsBareHost(std::string_view w) {
  // Every ending below has a dot four from the end (".com") or three and six
  // from it (".co.uk"): most words are turned away on two bytes.
  const std::size_t n = w.size();
  if (!(n >= 4 && w[n - 4] == '.') && !(n >= 6 && w[n - 3] == '.' && w[n - 6] == '.')) {
    return false;
  }
  const std::size_t firstDot = w.find('.');
  if (firstDot == kNone || firstDot == 0 || w.find('@') != kNone) return false;
  const std::size_t secondDot = w.find('.', firstDot + 1);
  if (secondDot == kNone || secondDot + 1 >= w.size()) return false;
  // The first occurrence must stand at the end (or two before it), so only a
  // word that holds one there is searched.
  for (std::string_view top : {".edu", ".com", ".net", ".org", ".mil"}) {
    if (!EndsNoCase(w, top)) continue;
    const std::size_t at = FindNoCase(w, top);
    if (at != kNone && at > 0 && at + top.size() == w.size()) return true;
  }
  for (std::string_view second : {".ac.", ".co.", ".or."}) {
    if (w.size() < second.size() + 2 || !EndsNoCase(w.substr(0, w.size() - 2), second)) continue;
    const std::size_t at = FindNoCase(w, second);
    if (at != kNone && at + second.size() + 2 == w.size()) return true;
  }
  return false;
}

}  // namespace

bool ExtractAddress(TextString& address) {
  std::string a(address.View());
  static constexpr std::string_view kLeadingTexts[] = {"&lt;", "URL:", "news:", "HREF=\"",
                                                       "mailto:"};
  for (bool cut = true; cut && !a.empty();) {
    cut = false;
    if (In("\"<{([\'`", a.front())) {
      a.erase(0, 1);
      cut = true;
      continue;
    }
    for (std::string_view text : kLeadingTexts) {
      if (StartsNoCase(a, text)) {
        a.erase(0, text.size());
        cut = true;
        break;
      }
    }
  }
  for (bool cut = true; cut && !a.empty();) {
    cut = false;
    for (std::string_view text : {"&gt;", "&lt;", "'s"}) {
      if (EndsNoCase(a, text)) {
        a.erase(a.size() - text.size());
        cut = true;
        break;
      }
    }
    if (!cut && In("})]><,;:'`.?", a.back())) {
      a.pop_back();
      cut = true;
    }
  }
  address.SetText(std::string_view(a));

  if ((StartsNoCase(a, "ftp") && a.size() < 8) || (StartsNoCase(a, "http") && a.size() < 9) ||
      ((StartsNoCase(a, "gopher") || StartsNoCase(a, "mailto")) && a.size() < 11)) {
    return false;
  }
  const std::size_t firstQuote = a.find('"');
  if (firstQuote != kNone) {
    const std::size_t lastQuote = a.rfind('"');
    if (lastQuote != firstQuote) {
      a = a.substr(firstQuote + 1, lastQuote - firstQuote - 1);
    } else if (firstQuote >= a.size() - firstQuote - 1) {
      a.erase(firstQuote);
    } else {
      a.erase(0, firstQuote + 1);
    }
    address.SetText(std::string_view(a));
  }
  // A quote still inside would end the HREF value early.
  return !a.empty() && a.find_first_of(")({}][!\"") == kNone && !Contains(a, "&lt;") &&
         !Contains(a, "&gt;");
}

int RecogniseURL(const FC& policy, const TextString& word, bool& found, TextString& replacement) {
  const std::string_view w = word.View();
  // Not find_first_of, which searches the set once for every byte.
  if (found || policy.createHyperlinks == 0 ||
      std::none_of(w.begin(), w.end(), [](char c) { return c == '/' || c == '.'; })) {
    return 0;
  }

  struct Test {
    std::string_view text;
    std::size_t minLength;
    int linked;
    int ignored;  // 0 for a scheme: a scheme is never too late in a word
    std::string_view prefix;
  };
  static constexpr Test kTests[] = {
      {"http://", 14, LinkType::kHttp, 0, ""},
      {"https://", 15, LinkType::kHttp, 0, ""},
      {"ftp://", 13, LinkType::kFtp, 0, ""},
      {"gopher://", 16, LinkType::kGopher, 0, ""},
      {"www.", 11, LinkType::kWwwHost, LinkType::kWwwIgnored, "http://"},
      {"ftp.", 11, LinkType::kFtpHost, LinkType::kFtpIgnored, "ftp://"},
      {"gopher.", 14, LinkType::kGopherHost, LinkType::kGopherIgnored, "gopher://"},
  };
  // A host word whose "http" stands in its first three characters is most
  // likely a broken scheme, not a host.
  const auto httpEarly = [w] {
    const std::size_t http = FindNoCase(w, "http");
    return http != kNone && http <= 2;
  };

  int type = LinkType::kNone;
  const Test* linked = nullptr;
  // A scheme holds a colon, which most words lack.
  const bool colon = w.find(':') != kNone;
  for (const Test& test : kTests) {
    // Most words are too short to be searched at all.
    if (w.size() < test.minLength || (!colon && test.ignored == 0)) continue;
    const std::size_t at = FindNoCase(w, test.text);
    if (at == kNone) continue;
    if (test.ignored != 0 && (at >= 8 || httpEarly())) {
      type = test.ignored;
      continue;
    }
    type = test.linked;
    linked = &test;
    break;
  }
  std::string_view prefix;
  if (linked != nullptr) {
    prefix = linked->prefix;
  } else if (IsBareHost(w)) {
    type = LinkType::kBareHost;
    prefix = "ftp://";
  } else {
    return type;
  }

  TextString extracted = word;
  if (!ExtractAddress(extracted)) return LinkType::kNone;
  std::string_view address = extracted.View();
  // A bare host is only a host name: "*.x.com" is a pattern, not a site.
  if (type == LinkType::kBareHost && std::any_of(address.begin(), address.end(), [](char c) {
        return !IsAlphanumeric(c) && c != '.' && c != '-';
      })) {
    return LinkType::kNone;
  }
  // "see:http://..." links from the scheme on; what stands before it is no
  // part of the address.
  if (linked != nullptr && prefix.empty()) {
    const std::size_t scheme = FindNoCase(address, linked->text);
    if (scheme == kNone) return LinkType::kNone;
    address.remove_prefix(scheme);
  }
  std::string target(prefix);
  target.append(address);
  if (!prefix.empty() && address.find('/') == kNone) target.push_back('/');
  Wrap(w, address, target, replacement);
  found = true;
  return type;
}

int RecogniseEmail(const FC& policy, const TextString& word, bool& found, TextString& replacement) {
  const std::string_view w = word.View();
  if (found || policy.createMailtoLinks == 0) return 0;
  const std::size_t at = w.find('@');
  if (at == kNone || at == 0 || w.find('.', at + 1) == kNone) return 0;
  if (w.find_first_of("/\\*^") != kNone) return 0;
  bool mailto = false;
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (w[i] == ':') {
      if (i == 6) {
        mailto = true;
      } else if (i >= 1 && i + 2 < w.size()) {
        return 0;
      }
    } else if (w[i] == '\'' && i > 0 && i + 3 < w.size()) {
      return 0;
    }
  }
  // Only a real "mailto:" may stand before the address.
  if (mailto && !StartsNoCase(w, "mailto:")) return 0;
  const std::string_view rest = mailto ? w.substr(7) : w;

  TextString address(rest);
  if (!ExtractAddress(address)) return 0;
  const std::size_t addressAt = address.View().find('@');
  if (addressAt == kNone || addressAt == 0) return 0;
  std::string target = "mailto:";
  target.append(address.View());
  Wrap(rest, address.View(), target, replacement);
  if (mailto) replacement.InsertText(0, std::string(w.substr(0, 7)).c_str());
  found = true;
  return LinkType::kEmail;
}

int RecogniseNewsgroup(const FC& policy, const TextString& word, bool& found,
                       TextString& replacement, TextString& name) {
  const std::string_view w = word.View();
  if (found || w.size() < 5 || policy.createNewsLinks == 0) return 0;
  const std::size_t firstDot = w.find('.');
  if (firstDot == kNone || std::none_of(w.begin(), w.end(), IsLower)) return 0;
  // A word whose only dot ends it (most often a sentence's last word) has one
  // part, and no hierarchy fits before that dot; only "news:" could make it
  // a group.
  if (firstDot + 1 == w.size() && w.find(':') == kNone) return 0;

  const bool news = Contains(w, "news:");
  bool candidate = !IsDigit(w.front()) && !OccursBeforeEnd(w, ',') && !OccursBeforeEnd(w, '?') &&
                   w.find_first_of("*|/<>=+!;") == kNone;
  if (OccursBeforeEnd(w, ':') && !news) candidate = false;
  for (std::size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] == '.' && IsDigit(w[i + 1])) candidate = false;
  }
  if (news) candidate = true;

  // The parts between dots; an empty last part is the full stop of a
  // sentence, not a part of the name.
  int parts = 0;
  std::size_t shortest = kNone;
  std::size_t longest = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = w.find('.', start);
    const std::size_t end = dot == kNone ? w.size() : dot;
    const std::size_t length = end - start;
    if (dot != kNone) ++parts;
    if (dot != kNone || length > 0) {
      shortest = std::min(shortest, length);
      longest = std::max(longest, length);
    }
    if (dot == kNone) {
      if (length > 0) ++parts;
      break;
    }
    start = dot + 1;
  }

  bool known = false;
  if (w.size() > 7) {
    std::string_view group = w;
    if (group.front() == '"' || group.front() == '\'') group.remove_prefix(1);
    for (std::string_view hierarchy : {"alt.", "rec.", "sci.", "soc.", "comp.", "news."}) {
      if (group.starts_with(hierarchy)) known = true;
    }
    if (known) {
      ++parts;
    } else if (!policy.usenetGroups.IsEmpty()) {
      const std::string first(group.substr(0, group.find('.')));
      known = policy.usenetGroups.Find(first.c_str()) >= 0;
    }
    if (StartsNoCase(group, "news:")) {
      known = true;
      ++parts;
    }
  }

  const bool throughNews = news && OccursBeforeEnd(w, ':');
  const bool accepted = throughNews || (parts > 1 && shortest > 1 && longest > 2 && candidate);
  if (!accepted) return 0;
  const bool linked =
      throughNews || (parts == 2 ? known : !(policy.onlyKnownGroups != 0 && !known));

  name = word;
  if (!ExtractAddress(name)) return 0;
  if (!linked) return LinkType::kNewsIgnored;
  std::string target = "news:";
  target.append(name.View());
  Wrap(w, name.View(), target, replacement);
  found = true;
  return LinkType::kNews;
}

void CleanNumberWord(TextString& number) {
  std::string_view w = number.View();
  while (!w.empty() && In("({[", w.front())) w.remove_prefix(1);
  for (bool cut = true; cut && !w.empty();) {
    cut = false;
    if (w.ends_with("<BR>")) {
      w.remove_suffix(4);
      cut = true;
    } else if (In(")]};:,.*", w.back())) {
      w.remove_suffix(1);
      cut = true;
    }
  }
  // SetText takes a part of the text itself in place: no copy is needed.
  number.SetText(w);
}
